// The whole project drawn GDI-style into a canvas: printing and picture export.

#include "model/project/ProjectObj.h"

#include "model/base/Rounding.h"
#include "model/settings/KPSettings.h"

#include "gfx/AlignedText.h"
#include "gfx/Canvas.h"

#include <vector>

namespace {

TPoint RoundPoint(QPointF P)
{
    return TPoint{RoundEven(P.x()), RoundEven(P.y())};
}

}  // namespace

void TProject::Draw(TCanvas* Canvas, bool ShowMap, bool ShowContours, bool ShowBHEs, bool ShowGrid,
                    std::uint8_t MapOpacity, double PxPerWorld, const TWorldRect& World, const TRect& Pict,
                    const std::vector<QImage>* Markers)
{
    (void)PxPerWorld;
    if (!Canvas) return;
    if (ShowMap) MapImage->Draw(Pict, World, *Canvas, MapOpacity);
    if (ShowGrid && FConvertFunction && FModel && FModel->FieldModel()->ElementCount() > 0) DrawGrid(*Canvas);
    if (ShowContours && FModel) {
        FModel->RefreshContourMap();
        FModel->ContourMap()->Draw(Canvas);
    }
    if (ShowBHEs && FConvertFunction && FModel) DrawBHEs(*Canvas, Markers);
}

void TProject::DrawGrid(TCanvas& Canvas) const
{
    Canvas.Pen().SetStyle(psSolid);
    Canvas.Pen().SetColor(clBlack);
    Canvas.Pen().SetWidth(2);
    Canvas.Brush().SetColor(clBlack);
    Canvas.Brush().SetStyle(bsClear);
    const T2DTriangleTransient& fe = *FModel->FieldModel();
    std::vector<TPoint> points;
    for (int e = 0; e < fe.ElementCount(); ++e) {
        const TElement* element = fe.GetElement(e);
        points.clear();
        for (int k = 0; k < element->NodeCount(); ++k) {
            const TNode* node = element->GetNodes(k);
            if (node) points.push_back(RoundPoint(FConvertFunction(QPointF(node->X(), node->Y()))));
        }
        Canvas.Polygon(points);
    }
}

void TProject::DrawBHEs(TCanvas& Canvas, const std::vector<QImage>* Markers) const
{
    const int a = RoundEven(BHESize);
    for (int i = 0; i < FModel->BHEs().Count(); ++i) {
        const TBHE* bhe = FModel->BHE(i);
        const TPoint p = RoundPoint(FConvertFunction(QPointF(bhe->X(), bhe->Y())));
        Canvas.Pen().SetStyle(psSolid);
        Canvas.Pen().SetColor(clBlack);
        Canvas.Brush().SetColor(clBlack);
        Canvas.Brush().SetStyle(bsSolid);
        const int image = bhe->ImageIndex();
        if (Markers && image >= 0 && image < static_cast<int>(Markers->size()))
            Canvas.Draw(p.X - a, p.Y - a, (*Markers)[static_cast<size_t>(image)]);
        else
            Canvas.Ellipse(p.X - a, p.Y - a, p.X + a, p.Y + a);
        Canvas.Brush().SetStyle(bsClear);
        AlignedTextOut(Canvas, p.X, p.Y + a, bhe->Name(), 2);
    }
}
