// The chart's legend: rows of entries above or below the diagram, columns beside it.
#include "chart/MVChart.h"

#include "gfx/Canvas.h"
#include "model/settings/Streamft.h"

namespace {

constexpr int SampleLength = 40;

void SampleLine(TCanvas& ACanvas, const TPointerStyle& Style, int X, int Y, int Width)
{
    ACanvas.Pen().SetStyle(psSolid);
    ACanvas.Pen().SetColor(Style.Color());
    ACanvas.Pen().SetWidth(Width);
    ACanvas.MoveTo(X, Y);
    ACanvas.LineTo(X + SampleLength, Y);
}

void EntryText(TCanvas& ACanvas, int X, int Y, const QString& Text)
{
    ACanvas.Brush().SetStyle(bsClear);
    ACanvas.TextOut(X, Y, Text);
}

} // namespace

void TMVChart::DrawLegend(TCanvas& ACanvas, std::span<const TLegendItem> Items, bool WithLines, int ALinewidth)
{
    if (Items.empty()) return;
    FLegendFont->SetCanvasFont(&ACanvas);
    if (!FLegendVisible) return;
    const int t = ACanvas.TextHeight(QStringLiteral("Xy"));
    if (FLegendPosition == akTop || FLegendPosition == akBottom)
        DrawLegendRows(ACanvas, Items, WithLines, ALinewidth, t);
    else
        DrawLegendColumns(ACanvas, Items, WithLines, ALinewidth, t);
}

void TMVChart::DrawLegendRows(TCanvas& ACanvas, std::span<const TLegendItem> Items, bool WithLines, int ALinewidth,
                              int t)
{
    const int count = static_cast<int>(Items.size());
    const int rows = (count - 1) / FLegendCols + 1;
    const int cw = (FChartWidth - FMarginLeft - FMarginRight) / FLegendCols;
    const int top = FLegendPosition == akTop ? 10 : FChartHeight - rows * (t + 10) - 10;
    for (int n = 0; n < count; ++n) {
        const int x = FMarginLeft + (n % FLegendCols) * cw;
        const int y = top + (n / FLegendCols) * (t + 10);
        const TPointerStyle* style = Items[n].Style;
        if (WithLines) {
            if (style) {
                SampleLine(ACanvas, *style, x, y + t / 2, ALinewidth);
                DrawMarker(ACanvas, x + 20, y + t / 2, style->Size(), style->Color(), style->Style());
            }
            EntryText(ACanvas, x + 60, y, Items[n].Text);
        } else {
            const int size = style ? style->Size() : 0;
            if (style) DrawMarker(ACanvas, x, y + t / 2, size, style->Color(), style->Style());
            EntryText(ACanvas, x + size + 20, y, Items[n].Text);
        }
    }
}

void TMVChart::DrawLegendColumns(TCanvas& ACanvas, std::span<const TLegendItem> Items, bool WithLines,
                                 int ALinewidth, int t)
{
    const int count = static_cast<int>(Items.size());
    const int cols = (count - 1) / FLegendRows + 1;
    const bool right = FLegendPosition == akRight;
    const int left = right ? FChartWidth - FMarginRight + 30 : 10;
    const int step = (right ? FMarginRight : FMarginLeft) / cols;
    const int r = t + 10;
    for (int n = 0; n < count; ++n) {
        const int x = left + (n / FLegendRows) * step;
        const int y = FMarginTop + (n % FLegendRows) * r;
        const TPointerStyle* style = Items[n].Style;
        if (WithLines) {
            if (style) {
                SampleLine(ACanvas, *style, x, y + r / 2, ALinewidth);
                DrawMarker(ACanvas, x + 20, y + r / 2, style->Size(), style->Color(), style->Style());
            }
            EntryText(ACanvas, x + 50, y, Items[n].Text);
        } else {
            const int size = style ? style->Size() : 0;
            if (style) DrawMarker(ACanvas, x, y + r / 2, size, style->Color(), style->Style());
            EntryText(ACanvas, x + size + 10, y, Items[n].Text);
        }
    }
}
