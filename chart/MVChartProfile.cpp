// Vertical profiles (value over depth), bars, hatching and the point of interest.
#include "chart/MVChart.h"

#include "chart/ChartClip.h"
#include "gfx/Canvas.h"
#include "model/base/Rounding.h"

#include <cmath>
#include <numbers>

namespace {

constexpr TColor PoiGray = 8421504;  // $808080

} // namespace

void TMVChart::DrawProfileFill(TCanvas& ACanvas, std::span<const ChartTypes::TDblPoint> Points, const TMVHorzAxis* XAxis,
                               const TMVVertAxis* YAxis)
{
    std::vector<TPoint> polygon;
    ChartTypes::TDblPoint first, last;
    for (const ChartTypes::TDblPoint& p : Points) {
        bool valid;
        const TPoint ip = GetScreenPoint(p.x, p.y, XAxis, YAxis, valid);
        if (!valid) continue;
        if (polygon.empty()) first = p;
        last = p;
        polygon.push_back(ip);
    }
    if (polygon.empty()) return;
    polygon.insert(polygon.begin(), GetScreenPoint(XAxis->Min(), first.y, XAxis, YAxis));
    polygon.push_back(GetScreenPoint(XAxis->Min(), last.y, XAxis, YAxis));
    ACanvas.Polygon(polygon);
}

void TMVChart::DrawProfileSteps(TCanvas& ACanvas, const TMtx& MTX, int XCol, int YCol, int StartRow, int EndRow,
                                const TMVHorzAxis* XAxis, const TMVVertAxis* YAxis, bool Fill)
{
    const auto x = [&](int r) { return MTX(r, XCol); };
    const auto y = [&](int r) { return MTX(r, YCol); };
    const int S = StartRow, E = EndRow;
    std::vector<ChartTypes::TDblPoint> real;
    const double t = std::max(y(S) - (y(S + 1) - y(S)) / 2, YAxis->Min());
    real.push_back({XAxis->Min(), t});
    real.push_back({x(S), t});
    real.push_back({x(S), y(S) + (y(S + 1) - y(S)) / 2});
    for (int r = S + 1; r <= E - 1; ++r) {
        real.push_back({x(r), y(r) - (y(r) - y(r - 1)) / 2});
        real.push_back({x(r), y(r) + (y(r + 1) - y(r)) / 2});
    }
    const double b = std::min(y(E) + (y(E) - y(E - 1)) / 2, YAxis->Max());
    real.push_back({x(E), y(E) - (y(E) - y(E - 1)) / 2});
    real.push_back({x(E), b});
    real.push_back({XAxis->Min(), b});
    std::vector<TPoint> screen;
    for (const ChartTypes::TDblPoint& p : real) {
        bool valid;
        const TPoint ip = GetScreenPoint(p.x, p.y, XAxis, YAxis, valid);
        if (valid) screen.push_back(ip);
    }
    if (Fill)
        ACanvas.Polygon(screen);
    else
        ACanvas.Polyline(screen);
}

void TMVChart::DrawDataVert(TCanvas& ACanvas, const TMtx* MTX, int XCol, int YCol, int StartRow, int EndRow,
                            const TMVHorzAxis* XAxis, const TMVVertAxis* YAxis, bool DrawPoints,
                            TDataLineStyle LineStyle, int LineWidth, TMarkerShape Shape, int MarkerSize,
                            TColor MarkerColor, TColor LineColor, bool Fill, TColor FillColor)
{
    if (!XAxis || !YAxis || !MTX || MTX->rows() == 0) return;
    if (XCol < 0 || YCol < 0 || XCol >= MTX->cols() || YCol >= MTX->cols()) return;
    StartRow = std::max(StartRow, 0);
    EndRow = std::min<int>(EndRow, static_cast<int>(MTX->rows()) - 1);
    if (StartRow > EndRow) return;
    std::vector<ChartTypes::TDblPoint> points;
    for (int r = StartRow; r <= EndRow; ++r) points.push_back(ChartTypes::TDblPoint{(*MTX)(r, XCol), (*MTX)(r, YCol)});
    const int n = EndRow - StartRow;
    ClipToDiagram(ACanvas, DiagramRect());
    ACanvas.Brush().SetStyle(bsSolid);
    ACanvas.Brush().SetColor(FillColor);
    ACanvas.Pen().SetStyle(psSolid);
    ACanvas.Pen().SetColor(LineColor);
    ACanvas.Pen().SetWidth(LineWidth);
    if (Fill && LineStyle == dlLine && n > 0) DrawProfileFill(ACanvas, points, XAxis, YAxis);
    if (LineStyle == dlHistogram && n > 0)
        DrawProfileSteps(ACanvas, *MTX, XCol, YCol, StartRow, EndRow, XAxis, YAxis, Fill);
    if (LineStyle == dlLine) {
        // Invalid rows are passed over: the profile runs on to the next valid depth.
        bool have = false;
        ChartTypes::TDblPoint prev;
        for (const ChartTypes::TDblPoint& p : points) {
            bool valid;
            const TPoint ip = GetScreenPoint(p.x, p.y, XAxis, YAxis, valid);
            if (!valid) continue;
            if (have)
                Segment(ACanvas, prev, p, XAxis, YAxis);
            else
                ACanvas.MoveTo(ip.X, ip.Y);
            prev = p;
            have = true;
        }
    }
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

void TMVChart::DrawBarData(TCanvas& ACanvas, std::span<const double> Points, const TMVHorzAxis* XAxis, int LineWidth,
                           TColor BarColor)
{
    if (Points.empty() || !XAxis) return;
    ClipToDiagram(ACanvas, DiagramRect());
    ACanvas.Pen().SetColor(clBlack);
    ACanvas.Pen().SetStyle(psSolid);
    ACanvas.Pen().SetWidth(LineWidth);
    ACanvas.Brush().SetStyle(bsSolid);
    ACanvas.Brush().SetColor(BarColor);
    const int bh = (FChartHeight - FMarginTop - FMarginBottom) / (static_cast<int>(Points.size()) + 3);
    const TPoint b = GetScreenPoint(0, 0, XAxis, FLeftAxis.get());
    for (size_t i = 0; i < Points.size(); ++i) {
        bool valid;
        const TPoint d = GetScreenPoint(Points[i], static_cast<double>(i + 1), XAxis, FLeftAxis.get(), valid);
        if (valid) ACanvas.Rectangle(b.X, d.Y - bh / 2, d.X, d.Y + bh / 2);
    }
    ACanvas.RemoveClip();
}

void TMVChart::DrawGrid(TCanvas& ACanvas, double Angle, int Distance, TColor GridColor, int GridWidth)
{
    // Lines parallel to the hatching's own direction never advance: refuse that angle.
    const double a = Angle * std::numbers::pi / 180;
    const double c = std::cos(a);
    if (Distance <= 0 || !std::isfinite(c) || std::abs(c) < 1e-6) return;
    const int64_t ML = FMarginLeft, MT = FMarginTop, W = FChartWidth, H = FChartHeight, MR = FMarginRight,
                  MB = FMarginBottom;
    const int64_t rise = RoundEven64(std::tan(a) * static_cast<double>(W - MR - ML));
    const int64_t e = RoundEven64(Distance / std::abs(c));
    if (e <= 0) return;
    ClipToDiagram(ACanvas, DiagramRect());
    ACanvas.Pen().SetStyle(psSolid);
    ACanvas.Pen().SetWidth(GridWidth);
    ACanvas.Pen().SetColor(GridColor);
    const auto line = [&](int64_t y0) {
        double x1 = ML, y1 = y0, x2 = W - MR, y2 = y0 + rise;
        if (ClipSegment(x1, y1, x2, y2, ML - 10, MT - 10, W - MR + 10, H - MB + 10)) {
            ACanvas.MoveTo(RoundEven(x1), RoundEven(y1));
            ACanvas.LineTo(RoundEven(x2), RoundEven(y2));
        }
    };
    int64_t y0 = MT;
    for (; y0 < H - MB; y0 += e) line(y0);
    if (rise < 0)
        for (; y0 + rise < H + MT; y0 += e) line(y0);
    for (y0 = MT - e; y0 + rise > MT; y0 -= e) line(y0);
    ACanvas.RemoveClip();
}

void TMVChart::DrawPOI(TCanvas& ACanvas, double AX, double AY)
{
    bool valid;
    const TPoint p = GetScreenPoint(AX, AY, FTopAxis.get(), FLeftAxis.get(), valid);
    if (!valid) return;
    const TPoint o = GetScreenPoint(FTopAxis->Min(), FLeftAxis->Min(), FTopAxis.get(), FLeftAxis.get());
    ClipToDiagram(ACanvas, DiagramRect());
    ACanvas.Pen().SetStyle(psSolid);
    ACanvas.Pen().SetColor(PoiGray);
    ACanvas.Pen().SetWidth(5);
    ACanvas.MoveTo(o.X - 10, p.Y);
    ACanvas.LineTo(p.X, p.Y);
    ACanvas.LineTo(p.X, FMarginTop - 10);
    DrawMarker(ACanvas, p.X, p.Y, 10, PoiGray, msCircle);
    ACanvas.RemoveClip();
}
