// Data series on the chart: point series, matrix columns, vertical profiles, bars,
// hatching and the point of interest. Points that cannot be mapped (not finite, not
// positive on a logarithmic axis, an empty axis range) are left out, never rounded.
#include "chart/MVChart.h"

#include "chart/ArrowUtil.h"
#include "chart/ChartScreenMapping.h"
#include "gfx/Canvas.h"
#include "model/base/Rounding.h"

#include <cmath>


namespace {


// Rows StartRow..EndRow of two columns as points; false when the range is empty.
bool MatrixPoints(const TMtx* Mtx, int XCol, int YCol, int& StartRow, int& EndRow, std::vector<ChartTypes::TDblPoint>& Points)
{
    if (!Mtx || Mtx->rows() == 0) return false;
    if (XCol < 0 || YCol < 0 || XCol >= Mtx->cols() || YCol >= Mtx->cols()) return false;
    StartRow = std::max(StartRow, 0);
    EndRow = std::min<int>(EndRow, static_cast<int>(Mtx->rows()) - 1);
    if (StartRow > EndRow) return false;
    Points.clear();
    for (int r = StartRow; r <= EndRow; ++r) Points.push_back(ChartTypes::TDblPoint{(*Mtx)(r, XCol), (*Mtx)(r, YCol)});
    return true;
}

void SetPen(TCanvas& ACanvas, TColor Color, int Width)
{
    ACanvas.Pen().SetStyle(psSolid);
    ACanvas.Pen().SetColor(Color);
    ACanvas.Pen().SetWidth(Width);
}

} // namespace

void TMVChart::DrawData(std::span<const ChartTypes::TDblPoint> Points, const TMVHorzAxis* XAxis, const TMVVertAxis* YAxis,
                        bool DrawPoints, TDataLineStyle LineStyle, int LineWidth, TMarkerShape Shape, int MarkerSize,
                        TColor MarkerColor, TColor LineColor)
{
    if (!FPaintCanvas) return;
    const std::vector<ChartTypes::TDblPoint> copy(Points.begin(), Points.end());
    SetupScreenMapping(*FPaintCanvas);
    DrawData(*FPaintCanvas, copy, XAxis, YAxis, DrawPoints, LineStyle, LineWidth, Shape, MarkerSize, MarkerColor,
             LineColor, false, 20);
}

void TMVChart::DrawSeriesLine(TCanvas& ACanvas, std::span<const ChartTypes::TDblPoint> Points, const TMVHorzAxis* XAxis,
                              const TMVVertAxis* YAxis, bool FromOrigin)
{
    bool havePrev = false;
    ChartTypes::TDblPoint prev;
    for (const ChartTypes::TDblPoint& p : Points) {
        bool valid;
        const TPoint ip = GetScreenPoint(p.x, p.y, XAxis, YAxis, valid);
        if (!valid) {
            havePrev = false;  // a gap: no line across it
            continue;
        }
        if (havePrev)
            Segment(ACanvas, prev, p, XAxis, YAxis);
        else if (!FromOrigin || !Segment(ACanvas, ChartTypes::TDblPoint{0, 0}, p, XAxis, YAxis))
            ACanvas.MoveTo(ip.X, ip.Y);
        prev = p;
        havePrev = true;
    }
}

void TMVChart::DrawPointSteps(TCanvas& ACanvas, std::span<const ChartTypes::TDblPoint> Points, const TMVHorzAxis* XAxis,
                              const TMVVertAxis* YAxis)
{
    bool valid;
    const TPoint o = GetScreenPoint(XAxis->Min(), YAxis->Min(), XAxis, YAxis, valid);
    if (!valid) return;
    bool have = false;
    TPoint q;
    for (const ChartTypes::TDblPoint& p : Points) {
        const TPoint ip = GetScreenPoint(p.x, p.y, XAxis, YAxis, valid);
        if (!valid) continue;
        if (!have) {
            ACanvas.MoveTo(o.X, o.Y);
            ACanvas.LineTo(o.X, ip.Y);
        } else {
            ACanvas.LineTo(q.X, ip.Y);
        }
        ACanvas.LineTo(ip.X, ip.Y);
        q = ip;
        have = true;
    }
    if (have) ACanvas.LineTo(q.X, o.Y);
}

void TMVChart::DrawData(TCanvas& ACanvas, std::span<const ChartTypes::TDblPoint> Points, const TMVHorzAxis* XAxis,
                        const TMVVertAxis* YAxis, bool DrawPoints, TDataLineStyle LineStyle, int LineWidth,
                        TMarkerShape Shape, int MarkerSize, TColor MarkerColor, TColor LineColor, bool DrawArrow,
                        int ArrowSize)
{
    if (Points.empty() || !XAxis || !YAxis) return;
    ClipToDiagram(ACanvas, DiagramRect());
    if (DrawPoints) {
        ACanvas.Brush().SetStyle(bsSolid);
        ACanvas.Brush().SetColor(MarkerColor);
    }
    if (LineStyle == dlLine || LineStyle == dlHistogram) SetPen(ACanvas, LineColor, LineWidth);
    if (LineStyle == dlLine) DrawSeriesLine(ACanvas, Points, XAxis, YAxis, false);
    if (LineStyle == dlHistogram) DrawPointSteps(ACanvas, Points, XAxis, YAxis);
    if (DrawArrow && LineStyle == dlLine && Points.size() > 1) {
        ACanvas.Brush().SetStyle(bsSolid);
        ACanvas.Brush().SetColor(LineColor);
        for (size_t i = 1; i < Points.size(); i += 2) {
            bool v1, v2;
            const TPoint p1 = GetScreenPoint(Points[i - 1].x, Points[i - 1].y, XAxis, YAxis, v1);
            const TPoint p2 = GetScreenPoint(Points[i].x, Points[i].y, XAxis, YAxis, v2);
            if (v1 && v2) DrawArrowHead(ACanvas, p1, p2, ArrowSize);
        }
    }
    ACanvas.Pen().SetWidth(1);
    if (DrawPoints) {
        for (const ChartTypes::TDblPoint& p : Points) {
            bool valid;
            const TPoint ip = GetScreenPoint(p.x, p.y, XAxis, YAxis, valid);
            if (valid) DrawMarker(ACanvas, ip.X, ip.Y, MarkerSize, MarkerColor, Shape);
        }
    }
    ACanvas.RemoveClip();
}

void TMVChart::DrawMatrixSteps(TCanvas& ACanvas, const TMtx& Mtx, int XCol, int YCol, int StartRow, int EndRow,
                               const TMVHorzAxis* XAxis, const TMVVertAxis* YAxis, bool Fill, TColor FillColor)
{
    // The steps stand on the real origin whatever row the range starts at.
    bool valid;
    const TPoint o = GetScreenPoint(0, 0, XAxis, YAxis, valid);
    if (!valid) return;
    if (Fill) {
        ACanvas.Brush().SetStyle(bsSolid);
        ACanvas.Brush().SetColor(FillColor);
    }
    bool have = false;
    TPoint q;
    for (int r = StartRow; r <= EndRow; ++r) {
        const TPoint p = GetScreenPoint(Mtx(r, XCol), Mtx(r, YCol), XAxis, YAxis, valid);
        if (!valid) continue;
        const TPoint from = have ? q : o;
        if (Fill) ACanvas.Rectangle(from.X, p.Y, p.X, o.Y - 1);
        if (!have) ACanvas.MoveTo(o.X, o.Y);
        ACanvas.LineTo(from.X, p.Y);
        ACanvas.LineTo(p.X, p.Y);
        q = p;
        have = true;
    }
    if (have) ACanvas.LineTo(q.X, o.Y);
}

void TMVChart::DrawData(TCanvas& ACanvas, const TMtx* Mtx, int XCol, int YCol, int StartRow, int EndRow,
                        const TMVHorzAxis* XAxis, const TMVVertAxis* YAxis, bool DrawPoints, TDataLineStyle LineStyle,
                        int LineWidth, TMarkerShape Shape, int MarkerSize, TColor MarkerColor, TColor LineColor,
                        bool FillHistogramm, TColor FillColor, bool LineOrigin)
{
    std::vector<ChartTypes::TDblPoint> points;
    if (!XAxis || !YAxis || !MatrixPoints(Mtx, XCol, YCol, StartRow, EndRow, points)) return;
    TPoint tl, br;
    GetDiagramRect(YAxis, tl, br);
    ClipToDiagram(ACanvas, TRect{tl.X, tl.Y, br.X, br.Y});
    if (DrawPoints) {
        ACanvas.Brush().SetStyle(bsSolid);
        ACanvas.Brush().SetColor(MarkerColor);
    }
    if (LineStyle == dlLine || LineStyle == dlHistogram) SetPen(ACanvas, LineColor, LineWidth);
    // The origin has no place on a logarithmic axis.
    if (LineStyle == dlLine)
        DrawSeriesLine(ACanvas, points, XAxis, YAxis, LineOrigin && !XAxis->Log() && !YAxis->Log());
    if (LineStyle == dlHistogram)
        DrawMatrixSteps(ACanvas, *Mtx, XCol, YCol, StartRow, EndRow, XAxis, YAxis, FillHistogramm, FillColor);
    ACanvas.Pen().SetWidth(1);
    if (DrawPoints) {
        for (const ChartTypes::TDblPoint& p : points) {
            bool valid;
            const TPoint ip = GetScreenPoint(p.x, p.y, XAxis, YAxis, valid);
            if (valid) DrawMarker(ACanvas, ip.X, ip.Y, MarkerSize, MarkerColor, Shape);
        }
    }
    ACanvas.RemoveClip();
}
