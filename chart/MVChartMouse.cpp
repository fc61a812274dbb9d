// The chart's mouse modes: moving and turning its lines, zooming by a rectangle and
// panning. Handlers change state and ask for a repaint; only the paint draws.
#include "chart/MVChart.h"

#include <QCursor>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "chart/ChartScreenMapping.h"
#include "chart/MVChartLine.h"
#include "chart/MVPaintBox.h"
#include "chart/VectorUnit.h"

#include <cmath>

namespace {

constexpr int HitTolerance = 15;

QPixmap RotatePixmap()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath arc;
    arc.arcMoveTo(6, 6, 20, 20, 60);
    arc.arcTo(6, 6, 20, 20, 60, 270);
    QPolygonF head;
    head << QPointF(22, 2) << QPointF(27, 10) << QPointF(18, 11);
    for (const auto& [color, width] : {std::pair{Qt::white, 5.0}, std::pair{Qt::black, 2.0}}) {
        p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(arc);
        p.setBrush(color);
        p.drawPolygon(head);
    }
    return pixmap;
}

// Made on first use: a cursor needs the application to exist.
const QCursor& RotateCursor()
{
    static const QCursor* cursor = new QCursor(RotatePixmap(), 16, 16);
    return *cursor;
}

// Shifts an axis so that the value From comes to lie where To lay.
void ShiftAxis(TMVAxis& Axis, double From, double To)
{
    if (Axis.Log()) {
        const double f = From / To;
        if (!std::isfinite(f) || !(f > 0)) return;
        Axis.SetMin(Axis.Min() * f);
        Axis.SetMax(Axis.Max() * f);
        return;
    }
    const double d = From - To;
    if (!std::isfinite(d)) return;
    Axis.SetMin(Axis.Min() + d);
    Axis.SetMax(Axis.Max() + d);
}

} // namespace

bool TMVChart::LineHitTest(int X, int Y, const TMVLine* ALine)
{
    if (!ALine || !ALine->Visible() || !ALine->XAxis() || !ALine->YAxis()) return false;
    const TPoint m = MapMousePos(X, Y);
    ChartTypes::TDblPoint r1, r2;
    LineEnds(*ALine, r1, r2);
    bool v1, v2;
    const TPoint p1 = GetScreenPoint(r1.x, r1.y, ALine->XAxis(), ALine->YAxis(), v1);
    const TPoint p2 = GetScreenPoint(r2.x, r2.y, ALine->XAxis(), ALine->YAxis(), v2);
    return v1 && v2 && PointNearSegment(p1, p2, m, HitTolerance);
}

void TMVChart::PaintBoxMouseDown(QObject*, TMouseButton Button, TShiftState, int X, int Y)
{
    switch (FState) {
    case csStandard:
        if (Button != FDragButton && Button != FRotateButton) return;
        if (LineHitTest(X, Y, FFitLine.get())) {
            FStartPoint = MapMousePos(X, Y);
            FFitLine->SetDragging(Button == FDragButton);
            FFitLine->SetRotating(Button == FRotateButton);
            if (FFitLine->Dragging()) FPaintBox->setCursor(Qt::DragMoveCursor);
            if (FFitLine->Rotating()) FPaintBox->setCursor(RotateCursor());
        } else if (LineHitTest(X, Y, FVertLine.get())) {
            FStartPoint = MapMousePos(X, Y);
            FVertLine->SetDragging(Button == FDragButton);
            if (FVertLine->Dragging()) FPaintBox->setCursor(Qt::DragMoveCursor);
        }
        break;
    case csZooming:
        FZooming = Button == FZoomButton;
        if (!FZooming) return;
        FPtZoomOrigin = TPoint{X, Y};
        FPtZoomDest = TPoint{};
        MapMousePosReal(X, Y, FTopAxis.get(), FLeftAxis.get(), FZoomOrigin);
        MapMousePosReal(X, Y, FBottomAxis.get(), FLeftAxis.get(), FZoomOriginBottom);
        break;
    case csPanning:
        FPanning = Button == FPanButton;
        if (!FPanning) return;
        MapMousePosReal(X, Y, FTopAxis.get(), FLeftAxis.get(), FPanOrigin);
        MapMousePosReal(X, Y, FBottomAxis.get(), FLeftAxis.get(), FPanOriginBottom);
        break;
    }
}

void TMVChart::MoveDraggedLine(int X, int Y)
{
    TMVLine* line = FFitLine->Dragging() || FFitLine->Rotating() ? static_cast<TMVLine*>(FFitLine.get())
                                                                  : static_cast<TMVLine*>(FVertLine.get());
    if (!line->XAxis() || !line->YAxis()) return;
    ChartTypes::TDblPoint c;
    MapMousePosReal(X, Y, line->XAxis(), line->YAxis(), c);
    if (line == FVertLine.get()) {
        if (std::isfinite(c.x)) FVertLine->SetXValue(c.x);
        FStartPoint = MapMousePos(X, Y);
    } else if (FFitLine->Dragging()) {
        ChartTypes::TDblPoint prev;
        MapChartToReal(FStartPoint.X, FStartPoint.Y, line->XAxis(), line->YAxis(), prev);
        FStartPoint = MapMousePos(X, Y);
        FFitLine->MoveBy(prev, c);
    } else {
        FFitLine->TurnThrough(c);
    }
    FPaintBox->update();
}

void TMVChart::UpdateHoverCursor(int X, int Y)
{
    if (LineHitTest(X, Y, FFitLine.get()) || LineHitTest(X, Y, FVertLine.get()))
        FPaintBox->setCursor(Qt::DragMoveCursor);
    else
        FPaintBox->unsetCursor();
}

void TMVChart::PanTo(int X, int Y)
{
    ChartTypes::TDblPoint c;
    MapMousePosReal(X, Y, FTopAxis.get(), FLeftAxis.get(), c);
    ShiftAxis(*FTopAxis, FPanOrigin.x, c.x);
    ShiftAxis(*FLeftAxis, FPanOrigin.y, c.y);
    MapMousePosReal(X, Y, FBottomAxis.get(), FLeftAxis.get(), c);
    ShiftAxis(*FBottomAxis, FPanOriginBottom.x, c.x);
    FPaintBox->update();
}

void TMVChart::PaintBoxMouseMove(QObject*, TShiftState, int X, int Y)
{
    switch (FState) {
    case csStandard:
        if (FFitLine->Dragging() || FFitLine->Rotating() || FVertLine->Dragging())
            MoveDraggedLine(X, Y);
        else
            UpdateHoverCursor(X, Y);
        break;
    case csZooming:
        if (!FZooming) return;
        FPtZoomDest = TPoint{X, Y};
        FPaintBox->update();
        break;
    case csPanning:
        if (FPanning) PanTo(X, Y);
        break;
    }
}

void TMVChart::PaintBoxMouseUp(QObject*, TMouseButton, TShiftState, int X, int Y)
{
    FPanning = false;
    if (FState == csStandard) {
        FFitLine->SetDragging(false);
        FFitLine->SetRotating(false);
        FVertLine->SetDragging(false);
        FPaintBox->unsetCursor();
        FPaintBox->update();
        return;
    }
    if (FState != csZooming || !FZooming) return;
    FZooming = false;
    // The rectangle shown while dragging must go, whatever the release does.
    const bool shown = !(FPtZoomDest.X == 0 && FPtZoomDest.Y == 0);
    FPtZoomDest = TPoint{X, Y};
    bool changed = false;
    if (X != FPtZoomOrigin.X && Y != FPtZoomOrigin.Y) {
        TMVAxis* const axes[3] = {FTopAxis.get(), FLeftAxis.get(), FBottomAxis.get()};
        if (X > FPtZoomOrigin.X && Y > FPtZoomOrigin.Y) {
            MapMousePosReal(X, Y, FTopAxis.get(), FLeftAxis.get(), FZoomDest);
            MapMousePosReal(X, Y, FBottomAxis.get(), FLeftAxis.get(), FZoomDestBottom);
            const ChartTypes::TDblPoint points[4] = {FZoomOrigin, FZoomDest, FZoomOriginBottom, FZoomDestBottom};
            SetAxesRange(points, axes);
        } else {
            SetAxesRange(FOriginal, axes);
        }
        changed = true;
    }
    FPtZoomDest = TPoint{};
    if (changed || shown) FPaintBox->update();
}
