#include "model/fe/NumElements.h"

#include "model/base/KPError.h"

#include <Eigen/LU>
#include <cmath>

namespace {

// Below this the area of a triangle counts as 0.
constexpr double AreaTolerance = 1e-10;
// A node value this close to the level lies in it.
constexpr double LevelTolerance = 1e-15;
// Crossing points this close to the window's border lie on the edge of the mesh.
constexpr double EdgeTolerance = 1e-10;

[[noreturn]] void FailIndex(int Index)
{
    throw EKPError(QStringLiteral("Index %1 out of bounds").arg(Index));
}

}  // namespace

// ---------------------------------------------------------------------------
// TElement

TElement::TElement(int ANodeCount)
{
    AllocateArrays(ANodeCount);
}

TElement::~TElement()
{
    // A system assembled with this element is stale now.
    TouchFEMatrix();
}

void TElement::AllocateArrays(int ANodeCount)
{
    FMtx = TMtx::Zero(ANodeCount, ANodeCount);
    FLoadVector = TVec::Zero(ANodeCount);
    FNodes.assign(static_cast<size_t>(ANodeCount), nullptr);
    // Unresolved until UpdateNodeIndices or a stored record says otherwise.
    FNodeIndices.assign(static_cast<size_t>(ANodeCount), -1);
    FArea = 0;
}

void TElement::AbstractError()
{
    throw EKPError(QStringLiteral("Abstrakter Fehler"));
}

void TElement::CheckNodeIndex(int Index) const
{
    if (Index < 0 || Index >= static_cast<int>(FNodes.size())) FailIndex(Index);
}

int TElement::NodeIndices(int AIndex) const
{
    if (AIndex < 0 || AIndex >= static_cast<int>(FNodeIndices.size())) FailIndex(AIndex);
    return FNodeIndices[static_cast<size_t>(AIndex)];
}

TNode* TElement::GetNodes(int Index) const
{
    CheckNodeIndex(Index);
    return FNodes[static_cast<size_t>(Index)];
}

void TElement::SetNodes(int Index, TNode* ANode)
{
    CheckNodeIndex(Index);
    FNodes[static_cast<size_t>(Index)] = ANode;
}

void TElement::MakeMtx() { AbstractError(); }
void TElement::Assign(TParameterSet*) { AbstractError(); }
bool TElement::ContainsNode(const TNode*) const { AbstractError(); }
double TElement::GrapEnergy(double) { AbstractError(); }
double TElement::ReleaseEnergy(double) { AbstractError(); }
void TElement::AddGWLoad(double) { AbstractError(); }
double TElement::Quantity() const { AbstractError(); }

double TElement::MeanF() const
{
    double sum = 0;
    for (const TNode* node : FNodes) sum += node->F();
    return sum / NodeCount();
}

Eigen::Vector3d TElement::PlaneCoefficients() const
{
    Eigen::Matrix3d a;
    Eigen::Vector3d f;
    for (int i = 0; i < 3; ++i) {
        const TNode* node = FNodes[static_cast<size_t>(i)];
        a(i, 0) = node->X() - FNodes[0]->X();
        a(i, 1) = node->Y() - FNodes[0]->Y();
        a(i, 2) = 1;
        f(i) = node->F();
    }
    return a.partialPivLu().solve(f);
}

double TElement::MeanFofPoints(std::span<const D2D_POINT_2F> ThePoints) const
{
    if (ThePoints.empty() || NodeCount() != 3) return MeanF();
    const Eigen::Vector3d pqr = PlaneCoefficients();
    double sum = 0;
    const double x0 = FNodes[0]->X(), y0 = FNodes[0]->Y();
    for (const D2D_POINT_2F& p : ThePoints) sum += pqr(0) * (double(p.x) - x0) + pqr(1) * (double(p.y) - y0) + pqr(2);
    return sum / static_cast<double>(ThePoints.size());
}

void TElement::InitNodeList(TMVObjectList* ANodelist)
{
    FNodeslist = ANodelist;
    if (!ANodelist) return;
    std::vector<TNode*> resolved(FNodes.size());
    for (size_t i = 0; i < FNodes.size(); ++i) {
        const int index = FNodeIndices[i];
        if (index < 0 || index >= ANodelist->Count())
            throw EKPError(QStringLiteral("Listenindex überschreitet das Maximum (%1)").arg(index));
        resolved[i] = dynamic_cast<TNode*>(ANodelist->Items(index));
        if (!resolved[i]) throw EKPError(QStringLiteral("Ungültige Typumwandlung"));
    }
    FNodes = resolved;
    TouchFEMatrix();
}

int TElement::PositionInList(int Index) const
{
    const TNode* node = FNodes[static_cast<size_t>(Index)];
    if (!FNodeslist) return -1;
    // The stored index is nearly always right; searching the list is the slow way.
    const int known = FNodeIndices[static_cast<size_t>(Index)];
    if (known >= 0 && known < FNodeslist->Count() && FNodeslist->Items(known) == node) return known;
    return FNodeslist->IndexOf(node);
}

void TElement::UpdateNodeIndices(TMVObjectList* ANodelist)
{
    if (!ANodelist) return;
    FNodeslist = ANodelist;
    for (size_t i = 0; i < FNodes.size(); ++i) FNodeIndices[i] = PositionInList(static_cast<int>(i));
    TouchFEMatrix();
}

void TElement::PresetNodeIndices(std::span<const int> Indices)
{
    for (size_t i = 0; i < FNodeIndices.size() && i < Indices.size(); ++i) FNodeIndices[i] = Indices[i];
    TouchFEMatrix();
}

void TElement::Read(TStream& S)
{
    FStorage = S.ReadDouble();
    AllocateArrays(NodeCount());
    for (int& index : FNodeIndices) index = S.ReadInt32();
    TouchFEMatrix();
}

void TElement::Write(TStream& S) const
{
    S.WriteDouble(FStorage);
    for (size_t i = 0; i < FNodes.size(); ++i) S.WriteInt32(PositionInList(static_cast<int>(i)));
}

// ---------------------------------------------------------------------------
// TTriangleElement

TTriangleElement::TTriangleElement(TNode* N1, TNode* N2, TNode* N3) : TElement(3)
{
    FNodes = {N1, N2, N3};
}

TTriangleElement::~TTriangleElement() = default;

TTriangleElement::TGeometry TTriangleElement::GeometryOf(const double (&x)[3], const double (&y)[3])
{
    TGeometry g;
    g.a[0] = x[1] * y[2] - x[2] * y[1];
    g.a[1] = x[2] * y[0] - x[0] * y[2];
    g.a[2] = x[0] * y[1] - x[1] * y[0];
    g.b[0] = y[1] - y[2];
    g.b[1] = y[2] - y[0];
    g.b[2] = y[0] - y[1];
    g.c[0] = x[2] - x[1];
    g.c[1] = x[0] - x[2];
    g.c[2] = x[1] - x[0];
    g.D = g.a[0] + g.a[1] + g.a[2];
    return g;
}

TTriangleElement::TGeometry TTriangleElement::Geometry() const
{
    for (int i = 0; i < 3; ++i)
        if (!FNodes[static_cast<size_t>(i)]) throw EKPError(QStringLiteral("Das Element hat keinen Knoten %1.").arg(i + 1));
    // Relative to node 0: the same shape functions, without the cancellation
    // that products of large world coordinates would bring.
    double x[3], y[3];
    for (int i = 0; i < 3; ++i) {
        x[i] = FNodes[static_cast<size_t>(i)]->X() - FNodes[0]->X();
        y[i] = FNodes[static_cast<size_t>(i)]->Y() - FNodes[0]->Y();
    }
    return GeometryOf(x, y);
}

void TTriangleElement::MakeMtx()
{
    FMtx.setZero(3, 3);
    FLoadVector.setZero(3);
    TouchFEMatrix();
    const TGeometry g = Geometry();
    if (std::fabs(g.D) < AreaTolerance) throw EKPError(QStringLiteral("Die Fläche des Elements ist 0!"));
    FArea = std::fabs(g.D) / 2;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) FMtx(i, j) = (g.b[i] * g.b[j] + g.c[i] * g.c[j]) / (4 * FArea);
}

bool TTriangleElement::ContainsNode(const TNode* ANode) const
{
    if (!ANode) return false;
    for (const TNode* node : FNodes)
        if (node == ANode) return true;
    return false;
}

void TTriangleElement::AddGWLoad(double SumofQ)
{
    int free = 0;
    for (const TNode* node : FNodes)
        if (node->BorderCondition() != bc1FixedValue) ++free;
    if (free == 0) return;
    for (TNode* node : FNodes)
        if (node->BorderCondition() != bc1FixedValue) node->SetQGW(node->QGW() + SumofQ / free);
}

double TTriangleElement::Shape(int PointIndex, double x, double y) const
{
    if (PointIndex < 0 || PointIndex > 2) FailIndex(PointIndex);
    const TGeometry g = Geometry();
    const double dx = x - FNodes[0]->X(), dy = y - FNodes[0]->Y();
    return (g.a[PointIndex] + g.b[PointIndex] * dx + g.c[PointIndex] * dy) / g.D;
}

double TTriangleElement::ShapeSum(double x, double y, double (*Value)(const TNode&)) const
{
    const TGeometry g = Geometry();
    const double dx = x - FNodes[0]->X(), dy = y - FNodes[0]->Y();
    double sum = 0;
    for (int i = 0; i < 3; ++i) sum += (g.a[i] + g.b[i] * dx + g.c[i] * dy) / g.D * Value(*FNodes[static_cast<size_t>(i)]);
    return sum;
}

double TTriangleElement::ShapeValue(double x, double y) const
{
    return ShapeSum(x, y, [](const TNode& n) { return n.F(); });
}

double TTriangleElement::ShapeValueAtT0(double x, double y) const
{
    return ShapeSum(x, y, [](const TNode& n) { return n.FatT0(); });
}

double TTriangleElement::ShapeValueFCustom(double x, double y) const
{
    return ShapeSum(x, y, [](const TNode& n) { return n.FCustom(); });
}

bool TTriangleElement::PointInElement(double x, double y) const
{
    const D2D_POINT_2F poly[3] = {FNodes[0]->D2Point(), FNodes[1]->D2Point(), FNodes[2]->D2Point()};
    return PointInPolygon(poly, D2D_POINT_2F{static_cast<float>(x), static_cast<float>(y)});
}

bool TTriangleElement::BuildCharacteristicPoints(double ZC, bool UseCustom, bool UseDelta, double minx, double maxx,
                                                 double miny, double maxy)
{
    FCP1.reset();
    FCP2.reset();
    auto value = [&](const TNode* n) { return (UseCustom ? n->FCustom() : n->F()) - (UseDelta ? n->FatT0() : 0.0); };
    double v[3];
    bool inLevel = true;
    for (int i = 0; i < 3; ++i) {
        v[i] = value(FNodes[static_cast<size_t>(i)]);
        if (!(std::fabs(v[i] - ZC) <= LevelTolerance)) inLevel = false;
    }
    if (inLevel) return false;
    FCS1 = FCS2 = 0;
    bool result = false;
    for (int k = 0; k < 3; ++k) {
        const TNode* s = FNodes[static_cast<size_t>(k)];
        const TNode* e = FNodes[static_cast<size_t>((k + 1) % 3)];
        const double c = v[k], b = v[(k + 1) % 3];
        // A node exactly at the level counts as slightly below it.
        double d = c - ZC, ee = b - ZC;
        if (d == 0) d = -LevelTolerance;
        if (ee == 0) ee = -LevelTolerance;
        if (!(d * ee + LevelTolerance < 0)) continue;
        const double x = s->X() + (e->X() - s->X()) / (b - c) * (ZC - c);
        const double y = s->Y() + (e->Y() - s->Y()) / (b - c) * (ZC - c);
        const bool onEdge = std::fabs(x - minx) <= EdgeTolerance || std::fabs(x - maxx) <= EdgeTolerance ||
                            std::fabs(y - miny) <= EdgeTolerance || std::fabs(y - maxy) <= EdgeTolerance;
        if (!FCP1) {
            FCP1 = std::make_unique<TCharacteristicPoint>(x, y, onEdge);
            FCS1 = k + 1;
            result = true;
        } else {
            FCP2 = std::make_unique<TCharacteristicPoint>(x, y, onEdge);
            FCS2 = k + 1;
            break;
        }
    }
    return result;
}

QString TTriangleElement::GetVectorTextLine() const
{
    const double xc = (FNodes[0]->X() + FNodes[1]->X() + FNodes[2]->X()) / 3;
    const double yc = (FNodes[0]->Y() + FNodes[1]->Y() + FNodes[2]->Y()) / 3;
    const Eigen::Vector3d pqr = PlaneCoefficients();
    const QChar tab(QLatin1Char('\t'));
    return FloatToDumpText(xc) + tab + FloatToDumpText(yc) + tab + FloatToDumpText(pqr(0)) + tab +
           FloatToDumpText(pqr(1));
}

// ---------------------------------------------------------------------------
// TGWTriElement

TGWTriElement::TGWTriElement(TNode* N1, TNode* N2, TNode* N3, double AT, double AInfiltration)
    : TTriangleElement(N1, N2, N3), FT(AT), FInfiltration(AInfiltration),
      FThickness(std::numeric_limits<double>::quiet_NaN())
{
    MakeMtx();
}

TGWTriElement::TGWTriElement(TNode* N1, TNode* N2, TNode* N3, TNoMakeMtx) : TTriangleElement(N1, N2, N3) {}

void TGWTriElement::MakeMtx()
{
    TTriangleElement::MakeMtx();
    FMtx *= FT;
    FLoadVector.array() += FArea * FInfiltration / 3;
}

double TGWTriElement::GrapEnergy(double EnergyAmount)
{
    const double dT = EnergyAmount / (FArea * FStorage);
    for (TNode* node : FNodes) {
        node->SetF(node->F() - dT);
        node->SetFA(node->F());
    }
    return dT;
}

double TGWTriElement::ReleaseEnergy(double EnergyAmount)
{
    return -GrapEnergy(-EnergyAmount);
}

double TGWTriElement::Quantity() const
{
    return FArea * FStorage * MeanF();
}

void TGWTriElement::Read(TStream& S)
{
    TTriangleElement::Read(S);
    FT = S.ReadDouble();
    FInfiltration = S.ReadDouble();
    FThickness = S.ReadDouble();
}

void TGWTriElement::Write(TStream& S) const
{
    TTriangleElement::Write(S);
    S.WriteDouble(FT);
    S.WriteDouble(FInfiltration);
    S.WriteDouble(FThickness);
}

// ---------------------------------------------------------------------------
// TLeakyTriElement

TLeakyTriElement::TLeakyTriElement(TNode* N1, TNode* N2, TNode* N3, double AT, double AInfiltration, double ALeakage)
    : TLeakyTriElement(N1, N2, N3, AT, AInfiltration, ALeakage, TNoMakeMtx{})
{
    MakeMtx();
}

TLeakyTriElement::TLeakyTriElement(TNode* N1, TNode* N2, TNode* N3, double AT, double AInfiltration, double ALeakage,
                                   TNoMakeMtx)
    : TGWTriElement(N1, N2, N3, TNoMakeMtx{})
{
    FT = AT;
    FInfiltration = AInfiltration;
    FLeakage = ALeakage;
    FLeakyMtx = TMtx::Zero(FMtx.rows(), FMtx.cols());
}

void TLeakyTriElement::MakeMtx()
{
    BuildMatrices(nullptr);
}

void TLeakyTriElement::BuildMatrices(TMtx* AStorageMtx)
{
    FMtx.setZero(3, 3);
    FLeakyMtx.setZero(3, 3);
    FLoadVector.setZero(3);
    if (AStorageMtx) AStorageMtx->setZero(3, 3);
    TouchFEMatrix();
    // Relative to the centroid the sums below stay well conditioned far from
    // the origin. Differences to node 0 are exact for nearby nodes, so the
    // centroid is formed from them rather than from the large coordinates.
    double x[3], y[3];
    for (int i = 0; i < 3; ++i) {
        if (!FNodes[static_cast<size_t>(i)]) throw EKPError(QStringLiteral("Das Element hat keinen Knoten %1.").arg(i + 1));
        x[i] = FNodes[static_cast<size_t>(i)]->X() - FNodes[0]->X();
        y[i] = FNodes[static_cast<size_t>(i)]->Y() - FNodes[0]->Y();
    }
    const double mx = (x[0] + x[1] + x[2]) / 3, my = (y[0] + y[1] + y[2]) / 3;
    for (int i = 0; i < 3; ++i) {
        x[i] -= mx;
        y[i] -= my;
    }
    const TGeometry g = GeometryOf(x, y);
    const double absD = std::fabs(g.D);
    if (absD < AreaTolerance) throw EKPError(QStringLiteral("Fläche ist 0"));
    FArea = absD / 2;
    const double sxx = (x[0] * x[0] + x[1] * x[1] + x[2] * x[2]) / 12;
    const double sxy = (x[0] * y[0] + x[1] * y[1] + x[2] * y[2]) / 12;
    const double syy = (y[0] * y[0] + y[1] * y[1] + y[2] * y[2]) / 12;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            FMtx(i, j) += g.b[i] * g.b[j] + g.c[i] * g.c[j];
            FLeakyMtx(i, j) += g.b[i] * g.b[j] * sxx + g.c[i] * g.c[j] * syy + (g.b[i] * g.c[j] + g.b[j] * g.c[i]) * sxy +
                               g.a[i] * g.a[j];
        }
    if (AStorageMtx) *AStorageMtx = FLeakyMtx * (FStorage / (2 * absD) / (1 - FETheta));
    FLoadVector.array() += FArea * FInfiltration / 3;
    FMtx *= FT / (2 * absD);
    FLeakyMtx *= 0.5 / absD / FLeakage;
    const Eigen::Vector3d airTemperature(FNodes[0]->FN(), FNodes[1]->FN(), FNodes[2]->FN());
    FLoadVector += FLeakyMtx * airTemperature;
}

void TLeakyTriElement::UpdateAirtemperature(double)
{
    AbstractError();
}

void TLeakyTriElement::Read(TStream& S)
{
    TGWTriElement::Read(S);
    FLeakage = S.ReadDouble();
    FLeakyMtx = TMtx::Zero(FMtx.rows(), FMtx.cols());
}

void TLeakyTriElement::Write(TStream& S) const
{
    TGWTriElement::Write(S);
    S.WriteDouble(FLeakage);
}

// ---------------------------------------------------------------------------
// TTransientTriangle

TTransientTriangle::TTransientTriangle(TNode* N1, TNode* N2, TNode* N3, double AT, double AInfiltration,
                                       double ALeakage, double AStorage)
    : TLeakyTriElement(N1, N2, N3, AT, AInfiltration, ALeakage, TNoMakeMtx{})
{
    FStorage = AStorage;
    FRMtx = TMtx::Zero(3, 3);
    MakeMtx();
}

void TTransientTriangle::MakeMtx()
{
    BuildMatrices(&FRMtx);
}

void TTransientTriangle::Assign(TParameterSet* Source)
{
    if (Source) {
        if (!std::isnan(Source->Thickness())) FThickness = Source->Thickness();
        if (!std::isnan(Source->T())) FT = Source->T() * FThickness;
        if (!std::isnan(Source->Storage())) FStorage = Source->Storage() * FThickness * 1e6;
        // The set holds the transfer coefficient, the element its resistance.
        if (!std::isnan(Source->Leakage())) FLeakage = Source->Leakage() > 0 ? 1 / Source->Leakage() : 1e30;
        if (!std::isnan(Source->Infiltration())) FInfiltration = Source->Infiltration();
    }
    FTag = Source;
    MakeMtx();
}

void TTransientTriangle::UpdateAirtemperature(double AAirTemperature)
{
    for (TNode* node : FNodes) node->SetFN(AAirTemperature);
    MakeMtx();
}

void TTransientTriangle::Read(TStream& S)
{
    TLeakyTriElement::Read(S);
    FRMtx = TMtx::Zero(FMtx.rows(), FMtx.cols());
}

void TTransientTriangle::Write(TStream& S) const
{
    TLeakyTriElement::Write(S);
}

// ---------------------------------------------------------------------------

void RegisterFEStreamClasses()
{
    RegisterStreamClass<TNode>();
    RegisterStreamClass<TParameterSet>();
    RegisterStreamClass<TTransientTriangle>();
}
