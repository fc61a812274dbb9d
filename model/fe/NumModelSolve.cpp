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
#include "model/fe/TransientSolveCache.h"

#include <cmath>
#include <cstring>

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
    FlushResults();
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
    return c.NodeList == FNodesList.get() && c.NodeRevision == FNodesList->Revision() &&
           c.ElementList == FElementsList.get() && c.ElementRevision == FElementsList->Revision();
}

void T2DTriangleTransient::FlushResults() const
{
    FCache->Flush(FLoadVector, FTemperature);
}

void T2DTriangleTransient::AssembleSystem()
{
    TSolveCache& c = *FCache;
    // The last step's vectors are kept in the order that is about to change.
    FlushResults();
    c.Valid = false;
    CheckSystem();
    const int n = NodeCount();
    const std::vector<TNode*> nodes = NodePointers(*this);
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
    for (const TTransientTriangle* element : elements) {
        const TMtx& K = element->Mtx();
        const TMtx& L = element->LeakyMtx();
        const Eigen::Matrix3d Rs = element->RMtx() * scale;
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                A.SetValue(element->NodeIndices(i), element->NodeIndices(j), K(i, j) + L(i, j) + Rs(i, j));
    }
    AddTransferRows(A, nodes);
    FinishMatrix(A, n);
    const std::vector<char> fixed = FixedFlags(nodes);
    c.System.SetAllowSymmetric(AllowSymmetricSolve());
    c.System.Factorize(A, fixed);
    c.Order(nodes, fixed);
    c.AssembleRhsTerms(elements, scale);
    c.Stamp = stamp;
    c.DeltaTime = FDeltaTime;
    c.NodeList = FNodesList.get();
    c.NodeRevision = FNodesList->Revision();
    c.ElementList = FElementsList.get();
    c.ElementRevision = FElementsList->Revision();
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
    c.Extrapolate(FETheta, c.SolveMid(FLastSolveUsedQGW));
    c.WriteBack();
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
