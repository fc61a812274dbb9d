#include "gfx/PolygonGeometry.h"
#include "model/base/Rounding.h"
#include "model/fe/NumModel.h"
#include "model/geom/MVSpecialSink.h"
#include "model/groundwater/GWGrid.h"

#include <algorithm>
#include <cmath>

namespace {

// Shoelace area of one closed figure, taken relative to its first point.
double FigureArea(const TGWFigure& F)
{
    if (F.size() < 3) return 0;
    const TPointD o = F.front();
    double twice = 0;
    for (size_t i = 1; i + 1 < F.size(); ++i)
        twice += (F[i].x - o.x) * (F[i + 1].y - o.y) - (F[i + 1].x - o.x) * (F[i].y - o.y);
    return std::abs(twice) / 2;
}

double FiguresArea(const std::vector<TGWFigure>& Figures)
{
    double sum = 0;
    for (const TGWFigure& f : Figures) sum += FigureArea(f);
    return sum;
}

}  // namespace

void TGWGrid::IntersectElement(TElement& AElement)
{
    const int n = AElement.NodeCount();
    if (n < 3) return;
    TGWFigure outline;
    double x0 = HUGE_VAL, x1 = -HUGE_VAL, y0 = HUGE_VAL, y1 = -HUGE_VAL;
    for (int i = 0; i < n; ++i) {
        const TNode* node = AElement.Nodes(i);
        if (!node) return;
        outline.push_back(TPointD{node->X(), node->Y()});
        const TPointD g = WorldToGrid(node->X(), node->Y());
        x0 = std::min(x0, g.x), x1 = std::max(x1, g.x), y0 = std::min(y0, g.y), y1 = std::max(y1, g.y);
    }
    const double size = FGridSize;
    if (!(x1 >= 0 && y1 >= 0 && x0 <= FNumCols * size && y0 <= FNumRows * size)) return;
    const int c0 = std::max(0, FloorInt(x0 / size)), c1 = std::min(FNumCols - 1, FloorInt(x1 / size));
    const int r0 = std::max(0, FloorInt(y0 / size)), r1 = std::min(FNumRows - 1, FloorInt(y1 / size));
    // Cells are much larger than triangles: most triangles lie inside one
    // cell, and then the overlap is the triangle itself.
    if (c0 == c1 && r0 == r1 && x0 >= c0 * size && x1 <= (c0 + 1) * size && y0 >= r0 * size &&
        y1 <= (r0 + 1) * size) {
        const double area = FigureArea(outline);
        if (area <= 0) return;
        TGWArea* a = Cell(r0, c0)->AddElement(&AElement, area, {outline});
        a->ThePoints() = outline;
        return;
    }
    const TPolygonGeometry element(outline);
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c) {
            TSpecializedSink sink;
            TPolygonGeometry(CellPolygon(r, c)).CombineWithGeometry(element, TCombineMode::Intersect, sink);
            sink.Close();
            const double area = FiguresArea(sink.Figures());
            if (sink.ThePoints().empty() || area <= 0) continue;
            TGWArea* a = Cell(r, c)->AddElement(&AElement, area, sink.Figures());
            a->ThePoints() = sink.ThePoints();
        }
}

void TGWGrid::IntersectWithMesh(double InitialTemperature)
{
    for (int i = 0; i < Count(); ++i) {
        Cells(i)->Clear();
        Cells(i)->SetTemperature(InitialTemperature);
    }
    if (FModel && Count() > 0)
        for (int e = 0; e < FModel->ElementCount(); ++e) IntersectElement(*FModel->Elements(e));
    UpdateTemperature();
}

bool TGWGrid::GenerateOverMesh(double InitialTemperature)
{
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    if (!FModel || !FModel->GetModelExtend(minX, maxX, minY, maxY)) {
        DropCells();
        FGridSize = VDistance() * FTimeForGrid;
        return false;
    }
    if (!Generate(TWorldRect{minX, minY, maxX, maxY})) return false;
    IntersectWithMesh(InitialTemperature);
    return true;
}
