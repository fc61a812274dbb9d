// The mesh picture: nodes with their boundary conditions and numbers,
// elements in the colour of their parameter set.

#include "model/fe/NumModel.h"

#include "model/base/Rounding.h"

#include <array>

namespace {

TPoint PixelOf(const TNode& Node, double ScaleFactor, int OffX, int OffY)
{
    // No axis is flipped: the caller's canvas decides which way is up.
    return TPoint{RoundEven(Node.X() * ScaleFactor) + OffX, RoundEven(Node.Y() * ScaleFactor) + OffY};
}

constexpr TColor FixedValueColor = 0x0000FF;
constexpr TColor FixedFlowColor = 0xFF0000;

}  // namespace

void TNumModel::DrawGrid(TCustomCanvas& ACanvas, double ScaleFactor, int OffX, int OffY, bool ShowElementNumbers,
                         bool ShowNodeNumbers, bool ShowBC) const
{
    ACanvas.Brush().SetStyle(bsClear);
    for (int k = 0; k < NodeCount(); ++k) {
        const TNode* node = GetNodes(k);
        const TPoint p = PixelOf(*node, ScaleFactor, OffX, OffY);
        if (ShowBC) {
            ACanvas.Brush().SetStyle(bsSolid);
            const TColor color = node->BorderCondition() == bc1FixedValue  ? FixedValueColor
                                 : node->BorderCondition() == bc2FixedFlow ? FixedFlowColor
                                                                           : ACanvas.Brush().Color();
            if (node->BorderCondition() == bc1FixedValue || node->BorderCondition() == bc2FixedFlow) {
                ACanvas.Brush().SetColor(color);
                ACanvas.Pen().SetColor(color);
            }
        }
        ACanvas.Ellipse(p.X - 3, p.Y - 3, p.X + 3, p.Y + 3);
        ACanvas.Brush().SetStyle(bsClear);
        ACanvas.Pen().SetColor(clBlack);
        if (ShowNodeNumbers) {
            const QString text = QStringLiteral("P%1").arg(k + 1);
            const TSize size = ACanvas.TextExtent(text);
            ACanvas.TextOut(p.X - 3 - size.cx, p.Y - 3 - size.cy, text);
        }
    }
    for (int e = 0; e < ElementCount(); ++e) {
        const TElement* element = GetElement(e);
        std::vector<TPoint> points;
        for (int i = 0; i < element->NodeCount(); ++i)
            points.push_back(PixelOf(*element->Nodes(i), ScaleFactor, OffX, OffY));
        if (element->Tag()) {
            ACanvas.Brush().SetStyle(bsSolid);
            ACanvas.Brush().SetColor(element->Tag()->Color());
        }
        ACanvas.Polygon(points);
        ACanvas.Brush().SetStyle(bsClear);
        if (ShowElementNumbers && !points.empty()) {
            int sx = 0, sy = 0;
            for (const TPoint& p : points) {
                sx += p.X;
                sy += p.Y;
            }
            const int n = static_cast<int>(points.size());
            const QString text = QStringLiteral("E%1").arg(e + 1);
            const TSize size = ACanvas.TextExtent(text);
            ACanvas.TextOut(sx / n - size.cx / 2, sy / n - size.cy / 2, text);
        }
    }
}
