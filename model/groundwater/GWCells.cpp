#include "model/fe/NumElements.h"
#include "model/groundwater/GWGrid.h"

#include <span>

namespace {

// The element's temperature plane averaged over the points. The plane is
// set up relative to the first node, so that georeferenced coordinates in
// the millions keep the precision of the node temperatures.
double MeanOverPoints(const TElement& E, std::span<const TPointD> Points)
{
    if (Points.empty() || E.NodeCount() != 3) return E.MeanF();
    const TNode* n0 = E.Nodes(0);
    const TNode* n1 = E.Nodes(1);
    const TNode* n2 = E.Nodes(2);
    const double x1 = n1->X() - n0->X(), y1 = n1->Y() - n0->Y(), f1 = n1->F() - n0->F();
    const double x2 = n2->X() - n0->X(), y2 = n2->Y() - n0->Y(), f2 = n2->F() - n0->F();
    const double det = x1 * y2 - x2 * y1;
    if (det == 0) return E.MeanF();
    const double p = (f1 * y2 - f2 * y1) / det;
    const double q = (x1 * f2 - x2 * f1) / det;
    double sum = 0;
    for (const TPointD& pt : Points) sum += p * (pt.x - n0->X()) + q * (pt.y - n0->Y());
    return n0->F() + sum / static_cast<double>(Points.size());
}

}  // namespace

// ---------------------------------------------------------------------- TGWArea

TGWArea::TGWArea(TElement* AElement, double AArea, std::vector<TGWFigure> AIntersection)
    : FElement(AElement), FArea(AArea), FIntersection(std::move(AIntersection))
{
}

void TGWArea::InitPoints(int ANumber) { FThePoints.resize(ANumber > 0 ? static_cast<size_t>(ANumber) : 0); }

double TGWArea::DeltaH() const { return FHatGWTemp - FHt0; }

double TGWArea::HGW(double GWTemperature, double HeatCapacityPerSqrMeter) const
{
    return FArea * HeatCapacityPerSqrMeter * (GWTemperature - FMeanTemperature);
}

void TGWArea::ReleaseEnergyTonodes(double Temperature, double HeatCapacityPerSqrMeter, double DeltaTime)
{
    if (!FElement) return;
    FElement->AddGWLoad(HGW(Temperature, HeatCapacityPerSqrMeter) / DeltaTime);
}

// ------------------------------------------------------------------- TGWElement

TGWArea* TGWElement::AddElement(TElement* AElement, double AArea, std::vector<TGWFigure> AIntersection)
{
    return Add(std::make_unique<TGWArea>(AElement, AArea, std::move(AIntersection)));
}

double TGWElement::Area() const
{
    double sum = 0;
    for (int i = 0; i < Count(); ++i) sum += Areas(i)->Area();
    return sum;
}

void TGWElement::UpdateTemperature(double CellArea)
{
    if (Count() == 0 || !(CellArea > 0)) return;
    double weighted = 0, covered = 0;
    for (int i = 0; i < Count(); ++i) {
        TGWArea* a = Areas(i);
        if (!a->Element()) continue;
        a->SetMeanTemperature(MeanOverPoints(*a->Element(), a->ThePoints()));
        a->SetHt0(a->MeanTemperature() * a->Area() * a->Element()->Storage());
        weighted += a->MeanTemperature() * a->Area();
        covered += a->Area();
    }
    FTemperature = weighted / CellArea + FTemperature * (CellArea - covered) / CellArea;
}

void TGWElement::TransferEnergy(double HeatCapacity, double DeltaTime)
{
    for (int i = 0; i < Count(); ++i) Areas(i)->ReleaseEnergyTonodes(FTemperature, HeatCapacity, DeltaTime);
}

void TGWElement::CalculateHCapacity()
{
    for (int i = 0; i < Count(); ++i) {
        TGWArea* a = Areas(i);
        if (a->Element()) a->SetHatGWTemp(a->Area() * FTemperature * a->Element()->Storage());
    }
}
