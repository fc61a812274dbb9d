#include "chart/MVPaintBox.h"

#include <QMouseEvent>
#include <QPainter>

#include "chart/MVChart.h"
#include "gfx/Canvas.h"
#include "gfx/ControlEvents.h"

namespace {

bool ButtonOf(Qt::MouseButton Button, TMouseButton& Result)
{
    switch (Button) {
    case Qt::LeftButton:
        Result = mbLeft;
        return true;
    case Qt::RightButton:
        Result = mbRight;
        return true;
    case Qt::MiddleButton:
        Result = mbMiddle;
        return true;
    default:
        return false;
    }
}

QPoint PosOf(const QMouseEvent* Event) { return Event->position().toPoint(); }

} // namespace

TMVPaintBox::TMVPaintBox(TMVChart* Chart, QWidget* Parent) : QWidget(Parent), FChart(Chart)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setMouseTracking(true);  // the hover cursor over a line
}

void TMVPaintBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    TCanvas canvas(painter);
    FChart->PaintBoxPaint(this, canvas);
}

void TMVPaintBox::mousePressEvent(QMouseEvent* Event)
{
    TMouseButton button;
    if (!ButtonOf(Event->button(), button)) return;
    const QPoint p = PosOf(Event);
    FChart->PaintBoxMouseDown(this, button, ShiftStateOf(Event->modifiers(), Event->buttons()), p.x(), p.y());
}

void TMVPaintBox::mouseMoveEvent(QMouseEvent* Event)
{
    const QPoint p = PosOf(Event);
    FChart->PaintBoxMouseMove(this, ShiftStateOf(Event->modifiers(), Event->buttons()), p.x(), p.y());
}

void TMVPaintBox::mouseReleaseEvent(QMouseEvent* Event)
{
    TMouseButton button;
    if (!ButtonOf(Event->button(), button)) return;
    const QPoint p = PosOf(Event);
    FChart->PaintBoxMouseUp(this, button, ShiftStateOf(Event->modifiers(), Event->buttons()), p.x(), p.y());
}
