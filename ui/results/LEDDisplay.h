#pragma once

#include <QWidget>

// A digital read-out: the text in bright segments-style digits on a dark
// field, with its caption above. Setting a text only schedules a repaint.
class TLEDDisplay : public QWidget {
    Q_OBJECT

public:
    explicit TLEDDisplay(const QString& ACaption, QWidget* Parent = nullptr);

    const QString& Text() const { return FText; }
    void SetText(const QString& V);
    const QString& Caption() const { return FCaption; }

    QSize sizeHint() const override { return {170, 46}; }

protected:
    void paintEvent(QPaintEvent* Event) override;

private:
    QString FCaption;
    QString FText;
};

// A lamp with a caption: the operating mode of the heat pump and the state of
// the electricity supply. The colour is $BBGGRR as the run gives it.
class TStatusIndicator : public QWidget {
    Q_OBJECT

public:
    explicit TStatusIndicator(const QString& ACaption, QWidget* Parent = nullptr);

    const QString& Caption() const { return FCaption; }
    void SetCaption(const QString& V);
    QColor Color() const { return FColor; }
    void SetColor(const QColor& V);

    QSize sizeHint() const override { return {130, 28}; }

protected:
    void paintEvent(QPaintEvent* Event) override;

private:
    QString FCaption;
    QColor FColor = Qt::gray;
};
