// Assembly and solution of the steady and the transient system.

#include "model/fe/NumModel.h"

#include "model/base/KPError.h"

#include <cstring>

namespace {

// Rows of fixed-value nodes are the identity; semi-pervious nodes add their
// transfer coefficient to the diagonal (the flow Alpha × (FN − F)).
void AddNodeRows(TSparseMtx& A, const std::vector<TNode*>& Nodes)
{
    for (size_t k = 0; k < Nodes.size(); ++k) {
        const int row = static_cast<int>(k);
        if (Nodes[k]->BorderCondition() == bc1FixedValue)
            A.SetValue(row, row, 1.0);
        else if (Nodes[k]->BorderCondition() == bc3SemiPervious)
            A.SetValue(row, row, Nodes[k]->Alpha());
    }
}

std::vector<TNode*> NodePointers(const TNumModel& Model)
{
    std::vector<TNode*> nodes(static_cast<size_t>(Model.NodeCount()));
    for (int k = 0; k < Model.NodeCount(); ++k) nodes[static_cast<size_t>(k)] = Model.GetNodes(k);
    return nodes;
}

void FinishMatrix(TSparseMtx& A, int n)
{
    A.TripletsToSparseAndFlush();
    A.SetCols(n);
    A.SetRows(n);
}

}  // namespace

// ---------------------------------------------------------------------------
// Steady state

void T2DTriangleModel::Solve()
{
    CheckSystem();
    const int n = NodeCount();
    const std::vector<TNode*> nodes = NodePointers(*this);
    TSparseMtx A;
    TVec b = TVec::Zero(n);
    for (int e = 0; e < ElementCount(); ++e) {
        const TElement* element = GetElement(e);
        const TMtx& K = element->Mtx();
        const TVec& f = element->LoadVector();
        for (int i = 0; i < element->NodeCount(); ++i) {
            const int r = element->NodeIndices(i);
            if (nodes[static_cast<size_t>(r)]->BorderCondition() == bc1FixedValue) continue;
            for (int j = 0; j < element->NodeCount(); ++j) A.SetValue(r, element->NodeIndices(j), K(i, j));
            b[r] += f[i];
        }
    }
    AddNodeRows(A, nodes);
    for (int k = 0; k < n; ++k) {
        const TNode* node = nodes[static_cast<size_t>(k)];
        if (node->BorderCondition() == bc1FixedValue)
            b[k] = node->F();
        else if (node->BorderCondition() == bc3SemiPervious)
            b[k] += node->Alpha() * node->FN();
    }
    FinishMatrix(A, n);
    TVec temperature;
    A.Solve(b, temperature);
    FLoadVector = b;
    FTemperature = temperature;
    for (int k = 0; k < n; ++k) nodes[static_cast<size_t>(k)]->SetF(temperature[k]);
}

// ---------------------------------------------------------------------------
// Transient step

// The factorised system of the last step and everything it was built from.
struct T2DTriangleTransient::TSolveCache {
    TSparseMtx Matrix;
    bool Valid = false;
    std::uint64_t Stamp = 0;
    double DeltaTime = 0;
    std::vector<TObject*> NodeItems;
    std::vector<TObject*> ElementItems;
    std::vector<TNode*> Nodes;
    std::vector<const TTransientTriangle*> Elements;
    // What the right-hand side needs of the elements, assembled with the
    // matrix (they change only with it): the storage matrix R / DeltaTime
    // and the sum of the element loads.
    TSparseMtx Storage;
    TVec ElementLoad;
    // Node values gathered in one pass for a step (the nodes lie scattered
    // in memory), and the right-hand side; kept so that a step allocates nothing.
    std::vector<double> FA;
    std::vector<char> Fixed;
    std::vector<double> Value;  // F of a fixed node, else the prescribed or transfer flow
    std::vector<double> QGW;
    TVec B;
};

T2DTriangleTransient::T2DTriangleTransient() : FCache(std::make_unique<TSolveCache>())
{
    // The storage term makes every step's system well conditioned: the plain
    // LU solve meets the heat balance to 1e-9 and the line source to well
    // within 2 %, and refinement would double the cost of a step.
    FCache->Matrix.SetRefinementSteps(0);
}

T2DTriangleTransient::~T2DTriangleTransient() = default;

int T2DTriangleTransient::RefinementSteps() const
{
    return FCache->Matrix.RefinementSteps();
}

void T2DTriangleTransient::SetRefinementSteps(int V)
{
    FCache->Matrix.SetRefinementSteps(V);
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
    c.Nodes = NodePointers(*this);
    c.Elements.assign(static_cast<size_t>(ElementCount()), nullptr);
    for (int e = 0; e < ElementCount(); ++e) {
        c.Elements[static_cast<size_t>(e)] = dynamic_cast<const TTransientTriangle*>(GetElement(e));
        if (!c.Elements[static_cast<size_t>(e)])
            throw EKPError(QStringLiteral("Das Element %1 ist kein Element des instationären Modells.").arg(e + 1));
    }
    const std::uint64_t stamp = FEMatrixStamp();
    const double scale = 1 / FDeltaTime;
    TSparseMtx& A = c.Matrix;
    A.Clear();
    c.Storage.Clear();
    c.ElementLoad.setZero(n);
    for (const TTransientTriangle* element : c.Elements) {
        const TMtx& K = element->Mtx();
        const TMtx& L = element->LeakyMtx();
        const TMtx Rs = element->RMtx() * scale;
        for (int i = 0; i < 3; ++i) {
            const int r = element->NodeIndices(i);
            c.ElementLoad[r] += element->LoadVector()[i];
            for (int j = 0; j < 3; ++j) c.Storage.SetValue(r, element->NodeIndices(j), Rs(i, j));
            if (c.Nodes[static_cast<size_t>(r)]->BorderCondition() == bc1FixedValue) continue;
            for (int j = 0; j < 3; ++j) A.SetValue(r, element->NodeIndices(j), K(i, j) + L(i, j) + Rs(i, j));
        }
    }
    FinishMatrix(c.Storage, n);
    AddNodeRows(A, c.Nodes);
    FinishMatrix(A, n);
    A.Factorize();
    c.Stamp = stamp;
    c.DeltaTime = FDeltaTime;
    c.NodeItems = FNodesList->RawItems();
    c.ElementItems = FElementsList->RawItems();
    c.Valid = true;
}

void T2DTriangleTransient::AssembleLoad(TVec& b) const
{
    TSolveCache& c = *FCache;
    const size_t n = c.Nodes.size();
    c.FA.resize(n);
    c.Fixed.resize(n);
    c.Value.resize(n);
    c.QGW.resize(n);
    for (size_t k = 0; k < n; ++k) {
        const TNode* node = c.Nodes[k];
        c.FA[k] = node->FA();
        c.QGW[k] = node->QGW();
        c.Fixed[k] = node->BorderCondition() == bc1FixedValue;
        switch (node->BorderCondition()) {
        case bc1FixedValue: c.Value[k] = node->F(); break;
        case bc2FixedFlow: c.Value[k] = node->Q(); break;
        case bc3SemiPervious: c.Value[k] = node->Alpha() * node->FN(); break;
        case bc0None: c.Value[k] = 0; break;
        }
    }
    // The element loads and the storage term of the previous temperatures;
    // rows of fixed nodes collect them too, but their value is replaced below.
    b = c.ElementLoad;
    c.Storage.MultiplyAdd(c.FA.data(), b.data());
    // A prescribed temperature takes no further load; flows come before the
    // groundwater load.
    for (size_t k = 0; k < n; ++k) {
        const Eigen::Index row = static_cast<Eigen::Index>(k);
        if (c.Fixed[k])
            b[row] = c.Value[k];
        else
            b[row] = b[row] + c.Value[k] + c.QGW[k];
    }
}

void T2DTriangleTransient::Solve()
{
    if (FDeltaTime == 0) throw EKPError(QStringLiteral("Delta Time is 0."));
    const bool reuse = SystemUnchanged();
    if (!reuse) AssembleSystem();
    TSolveCache& c = *FCache;
    AssembleLoad(c.B);
    TVec temperature;
    temperature.swap(FTemperature);
    try {
        c.Matrix.Solve(c.B, temperature);
    } catch (...) {
        temperature.swap(FTemperature);
        throw;
    }
    // Only a solved system reaches the nodes.
    temperature.swap(FTemperature);
    FLoadVector.swap(c.B);
    // F := mid-step value, then the extrapolation to the end of the step, in
    // one pass over the nodes (as ExtrapolateTemperatures does it).
    for (size_t k = 0; k < c.Nodes.size(); ++k) {
        TNode* node = c.Nodes[k];
        const double mid = FTemperature[static_cast<Eigen::Index>(k)];
        const double f = c.FA[k] + (mid - c.FA[k]) / (1 - FETheta);
        node->SetF(f);
        node->SetFA(f);
    }
    FLastReused = reuse;
}

void T2DTriangleTransient::ExtrapolateTemperatures()
{
    for (int k = 0; k < NodeCount(); ++k) {
        TNode* node = GetNodes(k);
        node->SetF(node->FA() + (node->F() - node->FA()) / (1 - FETheta));
        node->SetFA(node->F());
    }
}
