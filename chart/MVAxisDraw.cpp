// Drawing of the chart axes: linear and logarithmic ticks, grids, labels and captions.
#include "chart/MVAxis.h"

#include "gfx/Canvas.h"
#include "gfx/RotatedText.h"
#include "model/base/NumberText.h"
#include "model/base/Rounding.h"
#include "model/settings/Streamft.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr TColor GridGray = 8421504;  // $808080

// Offsets far outside the axis are of no interest; the clamp keeps them integers.
int RoundOffset(double X)
{
    if (std::isnan(X)) return 0;
    return RoundEven(std::clamp(X, -1.0e8, 1.0e8));
}

} // namespace

void TMVAxis::DrawCaptionIfShown(TCanvas& ACanvas, int X, int Y, int Length)
{
    if (!FShowCaption || FCaption.isEmpty()) return;
    FCaptionFont->SetCanvasFont(&ACanvas);
    DrawCaption(ACanvas, X, Y, Length);
}

void TMVAxis::DrawLinear(TCanvas& ACanvas, int X, int Y, int Length, int Width, int LastTick)
{
    ACanvas.Brush().SetStyle(bsClear);
    if (FShowLabels) FFont->SetCanvasFont(&ACanvas);
    // A segment count of 0 comes only from a loaded record; a paint must not fail on
    // it, so the axis keeps its caption and leaves out the ticks.
    if (FSegmentCount > 0) {
        const double step = AxisStep(FMin, FMax, FSegmentCount);
        for (int i = 0; i <= LastTick; ++i) {
            const int offset = RoundOffset(static_cast<double>(static_cast<int64_t>(i) * Length) / FSegmentCount);
            const TTickPlace tick = PlaceTick(X, Y, offset, Length, Width, FTickLen);
            ACanvas.MoveTo(tick.Outer.X, tick.Outer.Y);
            ACanvas.LineTo(tick.OnAxis.X, tick.OnAxis.Y);
            if (FMainGrid) ACanvas.LineTo(tick.Grid.X, tick.Grid.Y);
            if (FShowLabels && (!FLabelsMinMaxOnly || i == 0 || i == FSegmentCount))
                DrawLabel(ACanvas, tick, LabelText(FMin + i * step));
        }
    }
    DrawCaptionIfShown(ACanvas, X, Y, Length);
}

void TMVAxis::DrawLogarithmic(TCanvas& ACanvas, int X, int Y, int Length, int Width)
{
    // An infinite or NaN end would keep the decade loop from ever reaching the axis end.
    if (!std::isfinite(FMin) || !std::isfinite(FMax) || FMin <= 0 || FMax <= 0 || FMin >= FMax) return;
    ACanvas.Brush().SetStyle(bsClear);
    if (FShowLabels) FFont->SetCanvasFont(&ACanvas);
    const double lmin = std::log10(FMin);
    const double scale = Length / (std::log10(FMax) - lmin);
    const int half = FTickLen / 2;
    int lastOffset = 0;
    for (double d = std::floor(lmin); lastOffset < Length; d += 1) {
        const int offset = RoundOffset(scale * (d - lmin));
        if (offset >= 0 && offset <= Length) {
            const TTickPlace tick = PlaceTick(X, Y, offset, Length, Width, FTickLen);
            ACanvas.MoveTo(tick.Outer.X, tick.Outer.Y);
            const TPoint end = FMainGrid ? tick.Grid : tick.OnAxis;
            ACanvas.LineTo(end.X, end.Y);
            if (FShowLabels) DrawLabel(ACanvas, tick, FormatFloat(FLabelFormat, std::pow(10.0, d)));
        }
        for (int k = 2; k <= 9; ++k) {
            lastOffset = RoundOffset(scale * (std::log10(k * std::pow(10.0, d)) - lmin));
            if (lastOffset < 0 || lastOffset > Length) continue;
            const TTickPlace tick = PlaceTick(X, Y, lastOffset, Length, Width, half);
            ACanvas.MoveTo(tick.Outer.X, tick.Outer.Y);
            ACanvas.LineTo(tick.OnAxis.X, tick.OnAxis.Y);
            if (FMinGrid) {
                ACanvas.Pen().SetColor(GridGray);
                ACanvas.LineTo(tick.Grid.X, tick.Grid.Y);
                ACanvas.Pen().SetColor(clBlack);
            }
        }
    }
    DrawCaptionIfShown(ACanvas, X, Y, Length);
}

void TMVHorzAxis::Draw(TCanvas& ACanvas, int X, int Y, int Length, int Width, bool)
{
    if (!Visible() || Length <= 0) return;
    if (Log())
        DrawLogarithmic(ACanvas, X, Y, Length, Width);
    else
        DrawLinear(ACanvas, X, Y, Length, Width, SegmentCount());
}

TMVAxis::TTickPlace TMVHorzAxis::PlaceTick(int X, int Y, int Offset, int, int Width, int TickLen) const
{
    const int x = X + Offset;
    if (FLabelPos == lpdown) return {TPoint{x, Y + TickLen}, TPoint{x, Y}, TPoint{x, Y - Width}};
    return {TPoint{x, Y - TickLen}, TPoint{x, Y}, TPoint{x, Y + Width}};
}

void TMVHorzAxis::DrawLabel(TCanvas& ACanvas, const TTickPlace& Tick, const QString& Text)
{
    const int x = Tick.OnAxis.X, y = Tick.OnAxis.Y;
    if (FLabelPos == lpdown)
        TextOutAligned(ACanvas, Text, x, y + TickLen() + 5, 2);
    else
        TextOutAligned(ACanvas, Text, x, y - TickLen() - ACanvas.TextHeight(Text) - 5, 2);
}

void TMVHorzAxis::DrawCaption(TCanvas& ACanvas, int X, int Y, int Length)
{
    const int h = ACanvas.TextHeight(Caption());
    int top;
    if (FLabelPos == lpdown)
        top = ShowLabels() ? Y + TickLen() + h + 5 : Y + TickLen() + 5;
    else
        top = ShowLabels() ? Y - 2 * h - TickLen() - 5 : Y - h - TickLen() - 5;
    TextOutAligned(ACanvas, Caption(), X + Length / 2, top, 2);
}

void TMVVertAxis::Draw(TCanvas& ACanvas, int X, int Y, int Length, int Width, bool DrawLast)
{
    if (!Visible() || Length <= 0) return;
    FWidestLabel = 0;
    if (Log())
        DrawLogarithmic(ACanvas, X, Y, Length, Width);
    else
        DrawLinear(ACanvas, X, Y, Length, Width, DrawLast ? SegmentCount() : SegmentCount() - 1);
}

TMVAxis::TTickPlace TMVVertAxis::PlaceTick(int X, int Y, int Offset, int Length, int Width, int TickLen) const
{
    // An inverted axis puts its minimum at the bottom.
    const int y = Invert() ? FlipCoordinate(Y, Y + Length, Y + Offset) : Y + Offset;
    if (FLeftside) return {TPoint{X - TickLen, y}, TPoint{X, y}, TPoint{X + Width, y}};
    return {TPoint{X + TickLen, y}, TPoint{X, y}, TPoint{X - Width, y}};
}

void TMVVertAxis::DrawLabel(TCanvas& ACanvas, const TTickPlace& Tick, const QString& Text)
{
    const TSize extent = ACanvas.TextExtent(Text);
    const int top = Tick.OnAxis.Y - extent.cy / 2;
    if (FLeftside)
        TextOutAligned(ACanvas, Text, Tick.OnAxis.X - TickLen() - 5, top, 1);
    else
        TextOutAligned(ACanvas, Text, Tick.OnAxis.X + TickLen() + 5, top, 0);
    FWidestLabel = std::max(FWidestLabel, extent.cx);
}

void TMVVertAxis::DrawCaption(TCanvas& ACanvas, int X, int Y, int Length)
{
    const TSize extent = ACanvas.TextExtent(Caption());
    const int x = FLeftside ? X - TickLen() - FWidestLabel - extent.cy - 30 : X + TickLen() + FWidestLabel + 15;
    const TFont font(ACanvas.Font());
    TextOutRotated(ACanvas, font, x, Y + Length / 2 + extent.cx / 2, 90, Caption());
}
