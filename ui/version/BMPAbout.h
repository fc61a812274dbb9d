#pragma once

#include <QDialog>

class QLabel;

// The about box: a frameless 350 × 250 picture with the publisher and web
// lines at the bottom left and the version at the bottom right. A click on
// it closes it with OK; Esc closes it too.
class TBmpAboutForm : public QDialog {
    Q_OBJECT

public:
    explicit TBmpAboutForm(QWidget* Parent);

    void SetContents(const QPixmap& Picture, const QString& Publisher, const QString& Website,
                     const QString& VersionText, const QColor& LabelsColor);

    QLabel* Image1 = nullptr;
    QLabel* Label1 = nullptr;      // publisher
    QLabel* Label3 = nullptr;      // web line
    QLabel* LblVersion = nullptr;

protected:
    void mousePressEvent(QMouseEvent* Event) override;
    void showEvent(QShowEvent* Event) override;
};

// Fonts and placing shared by the about box and the splash form.
QFont InfoLabelFont();
QLabel* MakeInfoLabel(QWidget* Parent, const QString& Name, Qt::Alignment Align);
void CentreOn(QWidget* Form, const QWidget* Owner);
