#pragma once

#include <QWidget>

// The plant concept behind the gauges: a house with its heating circuit, the
// heat pump with its electricity supply, and the brine circuit down to a row
// of borehole heat exchangers in the ground. Drawn, not loaded, so that it
// scales to any size.
class TConceptPicture : public QWidget {
    Q_OBJECT

public:
    explicit TConceptPicture(QWidget* Parent = nullptr);

    QSize sizeHint() const override { return {520, 170}; }

protected:
    void paintEvent(QPaintEvent* Event) override;
};
