#include "model/fe/TransientSolveCache.h"

#include "model/base/KPError.h"

#include <algorithm>
#include <cmath>
#include <span>

void T2DTriangleTransient::TSolveCache::Order(const std::vector<TNode*>& ByIndex,
                                              const std::vector<char>& FixedByIndex)
{
    const size_t n = ByIndex.size();
    NodeOf.clear();
    if (Symmetric()) {
        NodeOf.assign(System.FreeNodes().begin(), System.FreeNodes().end());
        NodeOf.insert(NodeOf.end(), System.FixedNodes().begin(), System.FixedNodes().end());
    } else {
        for (size_t k = 0; k < n; ++k) NodeOf.push_back(static_cast<int>(k));
    }
    Nodes.resize(n);
    Kind.resize(n);
    Fixed.resize(n);
    RowOf.resize(n);
    for (size_t i = 0; i < n; ++i) {
        const size_t k = static_cast<size_t>(NodeOf[i]);
        RowOf[k] = static_cast<int>(i);
        Nodes[i] = ByIndex[k];
        Kind[i] = Nodes[i]->BorderCondition();
        Fixed[i] = FixedByIndex[k];
    }
    FA.resize(n);
    Value.assign(n, 0);
    QGW.resize(n);
    NewF.resize(n);
    B.resize(static_cast<Eigen::Index>(n));
    Mid.resize(static_cast<Eigen::Index>(n));
}

void T2DTriangleTransient::TSolveCache::AssembleRhsTerms(
    const std::vector<const TTransientTriangle*>& Elements, double Scale)
{
    const size_t n = NodeOf.size();
    const std::vector<int>& rowOf = RowOf;
    TSparseMtx storageT; // transposed: a row of R/Δt is a contiguous column
    ElementLoad.assign(n, 0);
    for (const TTransientTriangle* element : Elements) {
        const Eigen::Matrix3d Rs = element->RMtx() * Scale;
        for (int i = 0; i < 3; ++i) {
            const int r = rowOf[static_cast<size_t>(element->NodeIndices(i))];
            if (Fixed[static_cast<size_t>(r)]) continue; // a prescribed temperature takes no load
            ElementLoad[static_cast<size_t>(r)] += element->LoadVector()[i];
            for (int j = 0; j < 3; ++j)
                storageT.SetValue(rowOf[static_cast<size_t>(element->NodeIndices(j))], r, Rs(i, j));
        }
    }
    storageT.TripletsToSparseAndFlush();
    storageT.SetCols(static_cast<int>(n));
    storageT.SetRows(static_cast<int>(n));
    PackStorage(storageT);
}

void T2DTriangleTransient::TSolveCache::PackStorage(const TSparseMtx& StorageT)
{
    const size_t n = NodeOf.size();
    const std::span<const int> sp = StorageT.ColumnStarts(), si = StorageT.RowIndices();
    const std::span<const double> sx = StorageT.Values();
    StorageCol.resize(n * RowWidth);
    StorageVal.assign(n * RowWidth, 0);
    ExtraStart.assign(1, 0);
    ExtraCol.clear();
    ExtraVal.clear();
    for (size_t i = 0; i < n; ++i) {
        std::fill_n(StorageCol.begin() + static_cast<std::ptrdiff_t>(i * RowWidth), RowWidth,
                    static_cast<int>(i));
        const int first = sp.size() > i + 1 ? sp[i] : 0, last = sp.size() > i + 1 ? sp[i + 1] : 0;
        for (int p = first; p < last; ++p) {
            const size_t q = static_cast<size_t>(p - first);
            if (q < RowWidth) {
                StorageCol[i * RowWidth + q] = si[static_cast<size_t>(p)];
                StorageVal[i * RowWidth + q] = sx[static_cast<size_t>(p)];
                continue;
            }
            ExtraCol.push_back(si[static_cast<size_t>(p)]);
            ExtraVal.push_back(sx[static_cast<size_t>(p)]);
        }
        ExtraStart.push_back(static_cast<int>(ExtraCol.size()));
    }
}

bool T2DTriangleTransient::TSolveCache::Gather()
{
    const size_t n = NodeOf.size();
    bool qgw = false;
    for (size_t i = 0; i < n; ++i) {
        const TNode* node = Nodes[i];
        FA[i] = node->FA();
        QGW[i] = node->QGW();
        qgw = qgw || QGW[i] != 0;
        switch (Kind[i]) {
        case bc1FixedValue:
            Value[i] = node->F();
            break;
        case bc2FixedFlow:
            Value[i] = node->StoredQ();
            break;
        case bc3SemiPervious:
            Value[i] = node->Alpha() * node->FN();
            break;
        case bc0None:
            break; // zero since the assembly
        }
    }
    return qgw;
}

void T2DTriangleTransient::TSolveCache::SolveMid()
{
    const size_t n = NodeOf.size();
    const double* fa = FA.data();
    const bool symmetric = Symmetric();
    const size_t free = symmetric ? System.FreeNodes().size() : 0;
    double* rhs = System.FreeRhs().data();
    for (size_t i = 0; i < n; ++i) {
        // The element loads and the storage term of the previous
        // temperatures; flows come before the groundwater load; a prescribed
        // temperature takes no load.
        const int* col = StorageCol.data() + i * RowWidth;
        const double* val = StorageVal.data() + i * RowWidth;
        double r = ElementLoad[i];
        for (int q = 0; q < RowWidth; ++q) r += val[q] * fa[col[q]];
        for (int p = ExtraStart[i]; p < ExtraStart[i + 1]; ++p) r += ExtraVal[p] * fa[ExtraCol[p]];
        r = Fixed[i] ? Value[i] : r + Value[i] + QGW[i];
        if (i < free) rhs[i] = r;
        B[NodeOf[i]] = r;
    }
    if (symmetric)
        System.SolveFree(std::span<const double>(Value).subspan(free));
    else
        System.Solve(B, Mid);
}

void T2DTriangleTransient::TSolveCache::Extrapolate(double Theta)
{
    const size_t n = NodeOf.size();
    const size_t free = Symmetric() ? System.FreeNodes().size() : 0;
    const double* x = Symmetric() ? System.FreeRhs().data() : nullptr;
    const double scale = 1 / (1 - Theta);
    bool finite = true;
    for (size_t i = 0; i < n; ++i) {
        const Eigen::Index k = NodeOf[i];
        // A fixed-value node keeps its value exactly, whatever its FA.
        const double mid = i < free ? x[i] : Fixed[i] ? Value[i] : Mid[k];
        const double f = Fixed[i] ? Value[i] : FA[i] + (mid - FA[i]) * scale;
        finite = finite && std::isfinite(f);
        Mid[k] = mid;
        NewF[i] = f;
    }
    if (finite) return;
    for (size_t i = 0; i < n; ++i)
        if (!std::isfinite(NewF[i]))
            throw EKPError(
                QStringLiteral("Die Berechnung des Temperaturfelds ergab am Knoten %1 keine gültige "
                               "Temperatur.")
                    .arg(NodeOf[i] + 1));
}

void T2DTriangleTransient::TSolveCache::WriteBack()
{
    const size_t n = NodeOf.size();
    for (size_t i = 0; i < n; ++i) {
        Nodes[i]->SetF(NewF[i]);
        Nodes[i]->SetFA(NewF[i]);
    }
}
