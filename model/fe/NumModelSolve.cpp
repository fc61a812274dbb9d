// Assembly and solution of the steady and the transient system.
//
// Steady, for every free node row:
//     K·F = f (+ α·FN at a semi-pervious node, α on its diagonal)
// Transient, the θ-method with θ = 0.5 as a half step and an extrapolation:
//     (K + L + R/Δt)·F* = f + (R/Δt)·FA + Q + QGW (+ α·FN, α on the diagonal)
//     F(new) = FA + (F* − FA) / (1 − θ),   FA := F(new)
// with R already divided by (1 − θ) (TTransientTriangle) and the surface
// transfer to the air inside L and f. A fixed-value node keeps its value in
// both (TFESystem eliminates it). The transient matrix A = K + L + R/Δt and
// its factor are kept while nothing entering them changes: the element
// matrices, the node indices and boundary conditions (FEMatrixStamp), the
// node and element lists and Δt.

#include "model/base/KPError.h"
#include "model/fe/FESystem.h"
#include "model/fe/NumModel.h"

#include <cmath>
#include <cstring>
#include <span>

namespace {

std::vector<TNode*> NodePointers(const TNumModel& Model)
{
    std::vector<TNode*> nodes(static_cast<size_t>(Model.NodeCount()));
    for (int k = 0; k < Model.NodeCount(); ++k) nodes[static_cast<size_t>(k)] = Model.GetNodes(k);
    return nodes;
}

std::vector<char> FixedFlags(const std::vector<TNode*>& Nodes)
{
    std::vector<char> fixed(Nodes.size());
    for (size_t k = 0; k < Nodes.size(); ++k) fixed[k] = Nodes[k]->BorderCondition() == bc1FixedValue;
    return fixed;
}

// Semi-pervious nodes add their transfer coefficient to the diagonal (the
// flow Alpha × (FN − F)); after the element terms, as the sums always had it.
void AddTransferRows(TSparseMtx& A, const std::vector<TNode*>& Nodes)
{
    for (size_t k = 0; k < Nodes.size(); ++k)
        if (Nodes[k]->BorderCondition() == bc3SemiPervious)
            A.SetValue(static_cast<int>(k), static_cast<int>(k), Nodes[k]->Alpha());
}

void FinishMatrix(TSparseMtx& A, int n)
{
    A.TripletsToSparseAndFlush();
    A.SetCols(n);
    A.SetRows(n);
}

} // namespace

// ---------------------------------------------------------------------------
// Steady state

void T2DTriangleModel::Solve()
{
    CheckSystem();
    const int n = NodeCount();
    const std::vector<TNode*> nodes = NodePointers(*this);
    const std::vector<char> fixed = FixedFlags(nodes);
    TSparseMtx A;
    TVec b = TVec::Zero(n);
    for (int e = 0; e < ElementCount(); ++e) {
        const TElement* element = GetElement(e);
        const TMtx& K = element->Mtx();
        const TVec& f = element->LoadVector();
        for (int i = 0; i < element->NodeCount(); ++i) {
            const int r = element->NodeIndices(i);
            for (int j = 0; j < element->NodeCount(); ++j) A.SetValue(r, element->NodeIndices(j), K(i, j));
            if (!fixed[static_cast<size_t>(r)]) b[r] += f[i];
        }
    }
    AddTransferRows(A, nodes);
    for (int k = 0; k < n; ++k) {
        const TNode* node = nodes[static_cast<size_t>(k)];
        if (node->BorderCondition() == bc1FixedValue)
            b[k] = node->F();
        else if (node->BorderCondition() == bc3SemiPervious)
            b[k] += node->Alpha() * node->FN();
    }
    FinishMatrix(A, n);
    TFESystem system;
    system.SetAllowSymmetric(FAllowSymmetricSolve);
    system.Factorize(A, fixed);
    TVec temperature;
    system.Solve(b, temperature);
    FLastSolveMethod = system.Method();
    FLoadVector = b;
    FTemperature = temperature;
    for (int k = 0; k < n; ++k) nodes[static_cast<size_t>(k)]->SetF(temperature[k]);
}

// ---------------------------------------------------------------------------
// Transient step

// The factorised system of the last step, everything it was built from, and
// the buffers of a step, kept so that a step allocates nothing.
struct T2DTriangleTransient::TSolveCache {
    TFESystem System;
    bool Valid = false;
    std::uint64_t Stamp = 0;
    double DeltaTime = 0;
    std::vector<TObject*> NodeItems;
    std::vector<TObject*> ElementItems;
    // The nodes, typed, in list order, and their boundary conditions (which
    // enter the matrix); valid with the system.
    std::vector<TNode*> Nodes;
    std::vector<char> Fixed;
    std::vector<TBorderCondition> Kind;
    // What the right-hand side needs of the elements, assembled with the
    // matrix (they change only with it): (R/Δt)ᵀ, so that a row of R/Δt is a
    // contiguous column, and the sum of the element loads.
    TSparseMtx StorageT;
    TVec ElementLoad;
    // Node values gathered in one pass (the nodes lie scattered in memory).
    std::vector<double> FA;
    std::vector<double> Value; // F of a fixed node, else the prescribed or transfer flow
    std::vector<double> QGW;
    std::vector<double> NewF;
    TVec B;   // the right-hand side of every row, fixed rows holding their value
    TVec Mid; // the mid-step temperatures

    // Reads FA, QGW and the prescribed values; true when a node carries a
    // groundwater load.
    bool Gather();
    // Row K of the right-hand side of a node without a fixed value.
    double RhsRow(size_t K) const;
    // Fills B (the symmetric method also its free rows) and solves into Mid.
    void SolveMid();
    // NewF from Mid; raises EKPError at the first value that is not finite.
    void Extrapolate(double Theta);
};

bool T2DTriangleTransient::TSolveCache::Gather()
{
    const size_t n = Nodes.size();
    bool qgw = false;
    for (size_t k = 0; k < n; ++k) {
        const TNode* node = Nodes[k];
        FA[k] = node->FA();
        QGW[k] = node->QGW();
        qgw = qgw || QGW[k] != 0;
        switch (Kind[k]) {
        case bc1FixedValue:
            Value[k] = node->F();
            break;
        case bc2FixedFlow:
            Value[k] = node->StoredQ();
            break;
        case bc3SemiPervious:
            Value[k] = node->Alpha() * node->FN();
            break;
        case bc0None:
            break; // zero since the assembly
        }
    }
    return qgw;
}

double T2DTriangleTransient::TSolveCache::RhsRow(size_t K) const
{
    // The element loads and the storage term of the previous temperatures;
    // flows come before the groundwater load.
    const std::span<const int> sp = StorageT.ColumnStarts(), si = StorageT.RowIndices();
    const std::span<const double> sx = StorageT.Values();
    double r = ElementLoad[static_cast<Eigen::Index>(K)];
    for (int p = sp[K]; p < sp[K + 1]; ++p)
        r += sx[static_cast<size_t>(p)] * FA[static_cast<size_t>(si[static_cast<size_t>(p)])];
    return r + Value[K] + QGW[K];
}

void T2DTriangleTransient::TSolveCache::SolveMid()
{
    const size_t n = Nodes.size();
    // A prescribed temperature takes no further load.
    for (size_t k = 0; k < n; ++k)
        if (Fixed[k]) B[static_cast<Eigen::Index>(k)] = Value[k];
    if (System.Method() != TSolveMethod::Symmetric) {
        for (size_t k = 0; k < n; ++k)
            if (!Fixed[k]) B[static_cast<Eigen::Index>(k)] = RhsRow(k);
        System.Solve(B, Mid);
        return;
    }
    // The free rows straight into the free block's numbering: no gather and
    // no scatter of whole vectors around the solve.
    const std::span<const int> free = System.FreeNodes();
    const std::span<double> rhs = System.FreeRhs();
    for (size_t i = 0; i < free.size(); ++i) {
        const size_t k = static_cast<size_t>(free[i]);
        rhs[i] = B[static_cast<Eigen::Index>(k)] = RhsRow(k);
    }
    System.SolveFree(Value.data());
    Mid.resize(static_cast<Eigen::Index>(n));
    for (size_t i = 0; i < free.size(); ++i) Mid[free[i]] = rhs[i];
    for (size_t k = 0; k < n; ++k)
        if (Fixed[k]) Mid[static_cast<Eigen::Index>(k)] = Value[k];
}

void T2DTriangleTransient::TSolveCache::Extrapolate(double Theta)
{
    // A fixed-value node keeps its value exactly, whatever its FA.
    const size_t n = Nodes.size();
    for (size_t k = 0; k < n; ++k) {
        const double mid = Mid[static_cast<Eigen::Index>(k)];
        const double f = Fixed[k] ? Value[k] : FA[k] + (mid - FA[k]) / (1 - Theta);
        if (!std::isfinite(f))
            throw EKPError(
                QStringLiteral("Die Berechnung des Temperaturfelds ergab am Knoten %1 keine gültige "
                               "Temperatur.")
                    .arg(k + 1));
        NewF[k] = f;
    }
}

T2DTriangleTransient::T2DTriangleTransient() : FCache(std::make_unique<TSolveCache>())
{
}

T2DTriangleTransient::~T2DTriangleTransient() = default;

int T2DTriangleTransient::RefinementSteps() const
{
    return FCache->System.RefinementSteps();
}

void T2DTriangleTransient::SetRefinementSteps(int V)
{
    FCache->System.SetRefinementSteps(V);
}

void T2DTriangleTransient::SetAllowSymmetricSolve(bool V)
{
    if (V != FAllowSymmetricSolve) InvalidateFactorization();
    T2DTriangleModel::SetAllowSymmetricSolve(V);
}

void T2DTriangleTransient::InvalidateFactorization()
{
    FCache->Valid = false;
}

bool T2DTriangleTransient::SystemUnchanged() const
{
    const TSolveCache& c = *FCache;
    if (!c.Valid || c.Stamp != FEMatrixStamp()) return false;
    // Compared bit for bit: any other time step is another matrix.
    if (std::memcmp(&c.DeltaTime, &FDeltaTime, sizeof(double)) != 0) return false;
    // The same objects in the same order: rows and summation order unchanged.
    return FNodesList->RawItems() == c.NodeItems && FElementsList->RawItems() == c.ElementItems;
}

void T2DTriangleTransient::AssembleSystem()
{
    TSolveCache& c = *FCache;
    c.Valid = false;
    CheckSystem();
    const int n = NodeCount();
    std::vector<TNode*> nodes = NodePointers(*this);
    std::vector<const TTransientTriangle*> elements(static_cast<size_t>(ElementCount()));
    for (int e = 0; e < ElementCount(); ++e) {
        elements[static_cast<size_t>(e)] = dynamic_cast<const TTransientTriangle*>(GetElement(e));
        if (!elements[static_cast<size_t>(e)])
            throw EKPError(
                QStringLiteral("Das Element %1 ist kein Element des instationären Modells.").arg(e + 1));
    }
    const std::uint64_t stamp = FEMatrixStamp();
    const double scale = 1 / FDeltaTime;
    TSparseMtx A;
    c.StorageT.Clear();
    c.ElementLoad.setZero(n);
    for (const TTransientTriangle* element : elements) {
        const TMtx& K = element->Mtx();
        const TMtx& L = element->LeakyMtx();
        const Eigen::Matrix3d Rs = element->RMtx() * scale;
        for (int i = 0; i < 3; ++i) {
            const int r = element->NodeIndices(i);
            c.ElementLoad[r] += element->LoadVector()[i];
            for (int j = 0; j < 3; ++j) {
                const int col = element->NodeIndices(j);
                c.StorageT.SetValue(col, r, Rs(i, j));
                A.SetValue(r, col, K(i, j) + L(i, j) + Rs(i, j));
            }
        }
    }
    FinishMatrix(c.StorageT, n);
    AddTransferRows(A, nodes);
    FinishMatrix(A, n);
    std::vector<char> fixed = FixedFlags(nodes);
    c.System.SetAllowSymmetric(AllowSymmetricSolve());
    c.System.Factorize(A, fixed);
    const size_t count = static_cast<size_t>(n);
    c.Kind.resize(count);
    for (size_t k = 0; k < count; ++k) c.Kind[k] = nodes[k]->BorderCondition();
    c.Nodes = std::move(nodes);
    c.Fixed = std::move(fixed);
    c.FA.resize(count);
    c.Value.assign(count, 0);
    c.QGW.resize(count);
    c.NewF.resize(count);
    c.B.resize(n);
    c.Stamp = stamp;
    c.DeltaTime = FDeltaTime;
    c.NodeItems = FNodesList->RawItems();
    c.ElementItems = FElementsList->RawItems();
    c.Valid = true;
}

void T2DTriangleTransient::Solve()
{
    if (FDeltaTime == 0) throw EKPError(QStringLiteral("Delta Time is 0."));
    const bool reuse = SystemUnchanged();
    if (!reuse) AssembleSystem();
    TSolveCache& c = *FCache;
    FLastSolveUsedQGW = c.Gather();
    // The end-of-step values, all checked before the first node changes.
    c.SolveMid();
    c.Extrapolate(FETheta);
    FTemperature.swap(c.Mid);
    FLoadVector.swap(c.B);
    // The swapped-out vectors keep their room for the next step.
    c.B.resize(static_cast<Eigen::Index>(c.Nodes.size()));
    const size_t n = c.Nodes.size();
    for (size_t k = 0; k < n; ++k) {
        TNode* node = c.Nodes[k];
        node->SetF(c.NewF[k]);
        node->SetFA(c.NewF[k]);
    }
    FLastReused = reuse;
    FLastSolveMethod = c.System.Method();
}

void T2DTriangleTransient::ExtrapolateTemperatures()
{
    for (int k = 0; k < NodeCount(); ++k) {
        TNode* node = GetNodes(k);
        // A fixed-value node keeps its value; only FA follows it.
        if (node->BorderCondition() != bc1FixedValue)
            node->SetF(node->FA() + (node->F() - node->FA()) / (1 - FETheta));
        node->SetFA(node->F());
    }
}
