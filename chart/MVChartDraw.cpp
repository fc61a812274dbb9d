// Painting of the chart: diagram, axes, the two lines, markers and the legend.
#include "chart/MVChart.h"

#include <QPainter>
#include <QPen>
#include <QPrinter>

#include "chart/ChartClip.h"
#include "chart/ChartScreenMapping.h"
#include "chart/MVChartLine.h"
#include "gfx/Canvas.h"
#include "model/base/Rounding.h"
#include "model/settings/Streamft.h"

#include <array>
#include <cmath>

namespace {

// Lines are cut to the chart widened by this much before they are rounded; the canvas
// clip does the exact cut at the diagram.
constexpr int ClipGuard = 1000;

int CrossPenWidth(int s) { return s >= 8 ? 3 : (s >= 5 ? 2 : 1); }

} // namespace

void TMVChart::PaintBoxPaint(QObject* Sender, TCanvas& ACanvas)
{
    SetupScreenMapping(ACanvas);
    try {
        Draw(ACanvas);
        FPaintCanvas = &ACanvas;
        if (FAfterDrawChart) FAfterDrawChart(Sender);
    } catch (const std::exception& e) {
        // Nothing may throw through the event loop; a failing owner leaves its data out.
        qWarning("Diagramm: %s", e.what());
    }
    FPaintCanvas = nullptr;
    DrawZoomRectangle(ACanvas);
}

void TMVChart::DrawZoomRectangle(TCanvas& ACanvas) const
{
    const QRect r = ZoomRectangle();
    if (r.isNull()) return;
    QPainter& p = ACanvas.Painter();
    p.save();
    p.setClipping(false);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setPen(QPen(Qt::black, 1, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r);
    p.restore();
}

void TMVChart::Print(TCanvas& ACanvas) { Draw(ACanvas); }

void TMVChart::PrintOn(QPrinter& Printer)
{
    TCanvas canvas(&Printer);
    if (!canvas.Painter().isActive()) return;
    SetupPrintMapping(canvas);
    Print(canvas);
}

void TMVChart::Draw(TCanvas& ACanvas)
{
    const int W = FChartWidth, H = FChartHeight, ML = FMarginLeft, MT = FMarginTop, MR = FMarginRight,
              MB = FMarginBottom;
    ACanvas.Brush().SetStyle(bsSolid);
    ACanvas.Brush().SetColor(FChartColor);
    ACanvas.Pen().SetWidth(1);
    ACanvas.Pen().SetStyle(psSolid);
    ACanvas.Pen().SetColor(FChartColor);
    ACanvas.Rectangle(ML, MT, W - MR, H - MB);
    if (FDrawTimeMarkings && !FTimeRanges.empty()) {
        ACanvas.Brush().SetColor(FMarkingColor);
        ACanvas.Pen().SetColor(FMarkingColor);
        for (const TTimeRange& range : FTimeRanges) {
            const TPoint p1 = GetScreenPoint(std::max(range.Starttime, FTopAxis->Min()), FLeftAxis->Min(),
                                             FTopAxis.get(), FLeftAxis.get());
            const TPoint p2 = GetScreenPoint(std::min(range.Endtime, FTopAxis->Max()), FLeftAxis->Max(),
                                             FTopAxis.get(), FLeftAxis.get());
            if (p1.X < p2.X) ACanvas.Rectangle(p1.X, p1.Y, p2.X, p2.Y);
        }
    }
    const std::array<TPoint, 4> frame{TPoint{ML, MT}, TPoint{W - MR, MT}, TPoint{W - MR, H - MB}, TPoint{ML, H - MB}};
    ACanvas.Pen().SetColor(clBlack);
    ACanvas.Brush().SetStyle(bsClear);
    ACanvas.Polygon(frame);
    FTopAxis->Draw(ACanvas, ML, MT, W - MR - ML, H - MT - MB, true);
    if (FQDiagram) {
        const int h = RoundEven((H - MT - MB) * GetSplitRatio());
        FLeftAxis->Draw(ACanvas, ML, MT, h, W - MR - ML, true);
        const int width = ACanvas.Pen().Width();
        ACanvas.Pen().SetWidth(4);
        ACanvas.MoveTo(ML, MT + h);
        ACanvas.LineTo(W - MR, MT + h);
        ACanvas.Pen().SetWidth(width);
        FQAxis->Font()->Assign(*FLeftAxis->Font());
        FQAxis->CaptionFont()->Assign(*FLeftAxis->CaptionFont());
        FQAxis->Draw(ACanvas, W - MR, MT + h, H - MT - MB - h, W - MR - ML, true);
    } else {
        FLeftAxis->Draw(ACanvas, ML, MT, H - MT - MB, W - MR - ML, true);
    }
    FBottomAxis->Draw(ACanvas, ML, H - MB, W - MR - ML, H - MT - MB, true);
    DrawLine(ACanvas, FFitLine.get());
    DrawLine(ACanvas, FVertLine.get());
    ACanvas.Pen().SetWidth(1);
    ACanvas.Pen().SetColor(clBlack);
    ACanvas.Pen().SetStyle(psSolid);
    ACanvas.Brush().SetStyle(bsClear);
    ACanvas.Polygon(frame);
}

void TMVChart::ClipToDiagram(TCanvas& ACanvas, const TRect& Diagram) const
{
    const TPoint a = ACanvas.LPtoDP(TPoint{Diagram.Left, Diagram.Top});
    const TPoint b = ACanvas.LPtoDP(TPoint{Diagram.Right, Diagram.Bottom});
    ACanvas.SelectClipRect(
        TRect{std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)});
}

bool TMVChart::Segment(TCanvas& ACanvas, ChartTypes::TDblPoint A, ChartTypes::TDblPoint B, const TMVHorzAxis* XAxis,
                       const TMVVertAxis* YAxis)
{
    bool va, vb;
    const TPoint ia = GetScreenPoint(A.x, A.y, XAxis, YAxis, va);
    const TPoint ib = GetScreenPoint(B.x, B.y, XAxis, YAxis, vb);
    if (!va || !vb) return false;
    double x1, y1, x2, y2;
    ScreenPointF(A.x, A.y, XAxis, YAxis, x1, y1);
    ScreenPointF(B.x, B.y, XAxis, YAxis, x2, y2);
    const double left = -ClipGuard, top = -ClipGuard;
    const double right = FChartWidth + ClipGuard, bottom = FChartHeight + ClipGuard;
    const auto inside = [&](double x, double y) { return x >= left && x <= right && y >= top && y <= bottom; };
    if (inside(x1, y1) && inside(x2, y2)) {
        ACanvas.MoveTo(ia.X, ia.Y);
        ACanvas.LineTo(ib.X, ib.Y);
        return true;
    }
    if (ClipSegment(x1, y1, x2, y2, left, top, right, bottom)) {
        ACanvas.MoveTo(RoundEven(x1), RoundEven(y1));
        ACanvas.LineTo(RoundEven(x2), RoundEven(y2));
    }
    return true;
}

void TMVChart::LineEnds(const TMVLine& ALine, ChartTypes::TDblPoint& P1, ChartTypes::TDblPoint& P2) const
{
    if (const auto* v = dynamic_cast<const TVerticalLine*>(&ALine)) {
        P1 = ChartTypes::TDblPoint{v->XValue(), v->YMin()};
        P2 = ChartTypes::TDblPoint{v->XValue(), v->YMax()};
        return;
    }
    // The line's values, not its axis-space values: the mapping takes the logarithm.
    const double xmin = ALine.XAxis()->Min(), xmax = ALine.XAxis()->Max();
    P1 = ChartTypes::TDblPoint{xmin, ALine.ValueAt(xmin)};
    P2 = ChartTypes::TDblPoint{xmax, ALine.ValueAt(xmax)};
}

void TMVChart::DrawLine(TCanvas& ACanvas, const TMVLine* ALine)
{
    if (!ALine || !ALine->Visible() || !ALine->XAxis() || !ALine->YAxis()) return;
    ChartTypes::TDblPoint p1, p2;
    LineEnds(*ALine, p1, p2);
    ClipToDiagram(ACanvas, DiagramRect());
    const int width = ACanvas.Pen().Width();
    ACanvas.Pen().SetWidth(ALine->Width());
    ACanvas.Pen().SetColor(ALine->Color());
    ACanvas.Pen().SetStyle(psSolid);
    Segment(ACanvas, p1, p2, ALine->XAxis(), ALine->YAxis());
    ACanvas.Pen().SetWidth(width);
    ACanvas.RemoveClip();
}

void TMVChart::DrawLine(TCanvas& ACanvas, double x1, double y1, double x2, double y2, const TMVHorzAxis* XAxis,
                        const TMVVertAxis* YAxis, TPenStyle LineStyle, int LineWidth, TColor LineColor)
{
    ClipToDiagram(ACanvas, DiagramRect());
    const int width = ACanvas.Pen().Width();
    ACanvas.Pen().SetWidth(LineWidth);
    ACanvas.Pen().SetColor(LineColor);
    ACanvas.Pen().SetStyle(LineStyle);
    Segment(ACanvas, ChartTypes::TDblPoint{x1, y1}, ChartTypes::TDblPoint{x2, y2}, XAxis, YAxis);
    ACanvas.Pen().SetWidth(width);
    ACanvas.Pen().SetStyle(psSolid);
    ACanvas.RemoveClip();
}

void TMVChart::DrawStraightLine(TCanvas& ACanvas, double a, double b, const TMVHorzAxis* XAxis,
                                const TMVVertAxis* YAxis, TColor LineColor, int LineWidth)
{
    if (!XAxis || !YAxis) return;
    TMVLine line;
    line.SetA(a);
    line.SetB(b);
    line.SetXAxis(const_cast<TMVHorzAxis*>(XAxis));
    line.SetYAxis(const_cast<TMVVertAxis*>(YAxis));
    ChartTypes::TDblPoint p1, p2;
    LineEnds(line, p1, p2);
    DrawLine(ACanvas, p1.x, p1.y, p2.x, p2.y, XAxis, YAxis, psSolid, LineWidth, LineColor);
}

void TMVChart::DrawVerticalLine(TCanvas& ACanvas, double xvalue, const TMVHorzAxis* XAxis,
                                const TMVVertAxis* YAxis, TColor LineColor, int LineWidth, TPenStyle LineStyle)
{
    if (!YAxis) return;
    DrawLine(ACanvas, xvalue, YAxis->Min(), xvalue, YAxis->Max(), XAxis, YAxis, LineStyle, LineWidth, LineColor);
}

void TMVChart::DrawMarker(TCanvas& ACanvas, int x, int y, int MarkerSize, TColor MarkerColor,
                          TMarkerShape MarkerShape)
{
    if (MarkerSize == 0) return;
    const int s = MarkerSize;
    ACanvas.Brush().SetStyle(bsSolid);
    ACanvas.Brush().SetColor(MarkerColor);
    ACanvas.Pen().SetStyle(psSolid);
    ACanvas.Pen().SetColor(clBlack);
    ACanvas.Pen().SetWidth(1);
    const auto line = [&](int x1, int y1, int x2, int y2) {
        ACanvas.MoveTo(x1, y1);
        ACanvas.LineTo(x2, y2);
    };
    const auto cross = [&] {
        line(x - s, y, x + s + 1, y);
        line(x, y - s, x, y + s + 1);
    };
    const auto diagCross = [&] {
        line(x - s + 1, y - s + 1, x + s, y + s);
        line(x + s - 1, y - s + 1, x - s, y + s);
    };
    switch (MarkerShape) {
    case msCircle:
        ACanvas.Ellipse(x - s, y - s, x + s, y + s);
        break;
    case msRectangle:
        ACanvas.Rectangle(x - s, y - s, x + s, y + s);
        break;
    case msTriangle: {
        const std::array<TPoint, 3> p{TPoint{x, y - s}, TPoint{x + s, y + s}, TPoint{x - s, y + s}};
        ACanvas.Polygon(p);
        break;
    }
    case msInvertTriangle: {
        const std::array<TPoint, 3> p{TPoint{x, y + s}, TPoint{x + s, y - s}, TPoint{x - s, y - s}};
        ACanvas.Polygon(p);
        break;
    }
    case msCross:
        ACanvas.Pen().SetWidth(CrossPenWidth(s));
        cross();
        break;
    case msDiagCross:
        ACanvas.Pen().SetWidth(CrossPenWidth(s));
        diagCross();
        break;
    case msStar:
        ACanvas.Pen().SetWidth(CrossPenWidth(s));
        cross();
        diagCross();
        break;
    case msLineOnly:
        ACanvas.Pen().SetColor(MarkerColor);
        ACanvas.Pen().SetWidth(s);
        line(x - 20, y, x + 20, y);
        break;
    }
}
