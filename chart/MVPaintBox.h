#pragma once

#include <QWidget>

class TMVChart;

// The chart's drawing surface inside its scroll area: it hands its paint event and
// its mouse to the chart, each exactly once.
class TMVPaintBox : public QWidget {
    Q_OBJECT
public:
    TMVPaintBox(TMVChart* Chart, QWidget* Parent);

protected:
    void paintEvent(QPaintEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;

private:
    TMVChart* FChart;
};
