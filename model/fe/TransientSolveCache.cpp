#include "model/fe/TransientSolveCache.h"

#include "model/base/KPError.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <span>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

T2DTriangleTransient::TSolveCache::~TSolveCache()
{
    // The model's nodes outlive its cache.
    if (GPendingStepResult == this) WritePendingStepResult();
}

void T2DTriangleTransient::TSolveCache::Order(const std::vector<TNode*>& ByIndex,
                                              const std::vector<char>& FixedByIndex)
{
    // The rows are about to change, and a node bound here from now on no
    // longer reads another result it may be pending in.
    WritePendingStepResult();
    Generation = NewStepResultGeneration();
    const size_t n = ByIndex.size();
    NodeOf.clear();
    if (Symmetric()) {
        NodeOf.assign(System.FreeNodes().begin(), System.FreeNodes().end());
        NodeOf.insert(NodeOf.end(), System.FixedNodes().begin(), System.FixedNodes().end());
    } else {
        for (size_t k = 0; k < n; ++k) NodeOf.push_back(static_cast<int>(k));
    }
    Nodes.resize(n);
    Fixed.resize(n);
    RowOf.resize(n);
    BoundaryRows.clear();
    BoundaryKind.clear();
    for (size_t i = 0; i < n; ++i) {
        const size_t k = static_cast<size_t>(NodeOf[i]);
        RowOf[k] = static_cast<int>(i);
        Nodes[i] = ByIndex[k];
        Nodes[i]->BindStepResult(this, static_cast<std::uint32_t>(i));
        Fixed[i] = FixedByIndex[k];
        if (Nodes[i]->BorderCondition() == bc0None) continue;
        BoundaryRows.push_back(static_cast<int>(i));
        BoundaryKind.push_back(Nodes[i]->BorderCondition());
    }
    FA.resize(n);
    ReadStamp = 0;
    Value.assign(n, 0);
    QGW.resize(n);
    NewF.resize(n);
    const auto rows = static_cast<Eigen::Index>(n);
    B.resize(rows);
    NewB.resize(rows);
    Mid.resize(rows);
    NewMid.resize(rows);
    ResultsPending = false;
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
    ExtraRow.clear();
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
            ExtraRow.push_back(static_cast<int>(i));
            ExtraCol.push_back(si[static_cast<size_t>(p)]);
            ExtraVal.push_back(sx[static_cast<size_t>(p)]);
        }
    }
}

bool T2DTriangleTransient::TSolveCache::Gather()
{
    const size_t n = NodeOf.size();
    if (ReadStamp != NodeStepInputStamp()) {
        bool qgw = false;
        for (size_t i = 0; i < n; ++i) {
            const TNode* node = Nodes[i];
            FA[i] = node->FA();
            QGW[i] = node->QGW();
            qgw |= QGW[i] != 0;
        }
        AnyQGW = qgw;
        ReadStamp = NodeStepInputStamp();
    }
    for (size_t s = 0; s < BoundaryRows.size(); ++s) {
        const size_t i = static_cast<size_t>(BoundaryRows[s]);
        const TNode* node = Nodes[i];
        switch (BoundaryKind[s]) {
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
            break;
        }
    }
    return AnyQGW;
}

void T2DTriangleTransient::TSolveCache::ProductAndLoads(size_t Rows)
{
    // The element loads and the storage term of the previous temperatures.
    // Four partial sums, so that a row does not wait on one long chain of
    // additions. The product is bound by loads: with SSE2 a row's values
    // are read two at a time and its columns two in one 64-bit read, the
    // same products and sums in the same order.
    const double* fa = FA.data();
    const int* col = StorageCol.data();
    const double* val = StorageVal.data();
    const double* load = ElementLoad.data();
    double* b = NewB.data();
    static_assert(RowWidth == 8);
    for (size_t i = 0; i < Rows; ++i, col += RowWidth, val += RowWidth) {
#if defined(__SSE2__)
        const auto pair = [fa, col, val](int K) {
            std::uint64_t c = 0;
            std::memcpy(&c, col + K, sizeof c);
            const __m128d f = _mm_loadh_pd(_mm_load_sd(fa + static_cast<std::uint32_t>(c)), fa + (c >> 32));
            return _mm_mul_pd(_mm_loadu_pd(val + K), f);
        };
        const __m128d p01 = pair(0), p23 = pair(2), p45 = pair(4), p67 = pair(6);
        const __m128d s01 = _mm_add_pd(_mm_unpacklo_pd(p01, p23), _mm_unpackhi_pd(p01, p23));
        const __m128d s23 = _mm_add_pd(_mm_unpacklo_pd(p45, p67), _mm_unpackhi_pd(p45, p67));
        const __m128d t = _mm_add_pd(_mm_unpacklo_pd(s01, s23), _mm_unpackhi_pd(s01, s23));
        b[i] = load[i] + _mm_cvtsd_f64(_mm_add_sd(t, _mm_unpackhi_pd(t, t)));
#else
        const double s0 = val[0] * fa[col[0]] + val[1] * fa[col[1]];
        const double s1 = val[2] * fa[col[2]] + val[3] * fa[col[3]];
        const double s2 = val[4] * fa[col[4]] + val[5] * fa[col[5]];
        const double s3 = val[6] * fa[col[6]] + val[7] * fa[col[7]];
        b[i] = load[i] + ((s0 + s1) + (s2 + s3));
#endif
    }
    for (size_t p = 0; p < ExtraRow.size(); ++p)
        b[ExtraRow[p]] += ExtraVal[p] * fa[ExtraCol[p]];
}

std::span<const double> T2DTriangleTransient::TSolveCache::SolveMid(bool AnyQGW)
{
    const size_t n = NodeOf.size();
    const bool symmetric = Symmetric();
    const size_t free = symmetric ? System.FreeNodes().size() : n;
    ProductAndLoads(free);
    double* b = NewB.data();
    // Flows come before the groundwater load; a prescribed temperature
    // takes no load and stands in its row.
    for (const int i : BoundaryRows)
        if (Fixed[static_cast<size_t>(i)])
            b[i] = Value[static_cast<size_t>(i)];
        else
            b[i] += Value[static_cast<size_t>(i)];
    if (AnyQGW)
        for (size_t i = 0; i < free; ++i)
            if (!Fixed[i]) b[i] += QGW[i];
    if (!symmetric) {
        System.Solve(NewB, NewMid);
        return {NewMid.data(), n};
    }
    // Extrapolate checks the solution with the values it makes from it.
    return System.SolveFree({b, free}, std::span<const double>(Value).subspan(free), false);
}

void T2DTriangleTransient::TSolveCache::Extrapolate(double Theta, std::span<const double> X)
{
    const size_t n = NodeOf.size();
    const size_t solved = X.size();
    const double scale = 1 / (1 - Theta);
    double* mid = NewMid.data();
    double* newF = NewF.data();
    const double* x = X.data();
    const double* fa = FA.data();
    // Without a branch per value: f − f is NaN for an infinity or a NaN, and
    // a sum of zeros stays zero unless one of them is NaN. With SSE2 two
    // values at a time, the same operations in the same order.
    size_t i = 0;
    double check = 0;
#if defined(__SSE2__)
    const __m128d s = _mm_set1_pd(scale);
    __m128d sum = _mm_setzero_pd();
    for (; i + 2 <= solved; i += 2) {
        const __m128d xv = _mm_loadu_pd(x + i), av = _mm_loadu_pd(fa + i);
        _mm_storeu_pd(mid + i, xv);
        const __m128d f = _mm_add_pd(av, _mm_mul_pd(_mm_sub_pd(xv, av), s));
        _mm_storeu_pd(newF + i, f);
        sum = _mm_add_pd(sum, _mm_sub_pd(f, f));
    }
    check = _mm_cvtsd_f64(_mm_add_sd(sum, _mm_unpackhi_pd(sum, sum)));
#endif
    for (; i < solved; ++i) {
        mid[i] = x[i];
        const double f = fa[i] + (x[i] - fa[i]) * scale;
        newF[i] = f;
        check += f - f;
    }
    bool finite = check == 0;
    // A fixed-value node keeps its value exactly, whatever its FA. Every
    // fixed row is a boundary row, the rows after the solved ones included.
    for (const int i : BoundaryRows)
        if (Fixed[static_cast<size_t>(i)]) {
            const double v = Value[static_cast<size_t>(i)];
            mid[i] = NewF[static_cast<size_t>(i)] = v;
            finite &= v - v == 0;
        }
    if (finite) return;
    // The solve left its check of the solution to this one.
    for (const double v : X)
        if (!std::isfinite(v)) RaiseNoFiniteSolution(static_cast<long>(solved));
    for (size_t i = 0; i < n; ++i)
        if (!std::isfinite(NewF[i]))
            throw EKPError(
                QStringLiteral("Die Berechnung des Temperaturfelds ergab am Knoten %1 keine gültige "
                               "Temperatur.")
                    .arg(NodeOf[i] + 1));
}

void T2DTriangleTransient::TSolveCache::WriteBack()
{
    // The nodes read FA from now on, which is what the next step reads.
    FA.swap(NewF);
    B.swap(NewB);
    Mid.swap(NewMid);
    ResultsPending = true;
    Values = FA.data();
    if (GPendingStepResult == this) return;
    WritePendingStepResult();
    GPendingStepResult = this;
}

void T2DTriangleTransient::TSolveCache::WriteIntoNodes()
{
    const size_t n = NodeOf.size();
    for (size_t i = 0; i < n; ++i) Nodes[i]->StoreStepResult(FA[i]);
}

void T2DTriangleTransient::TSolveCache::Flush(TVec& Load, TVec& Temperature)
{
    if (!ResultsPending) return;
    const auto n = static_cast<Eigen::Index>(NodeOf.size());
    Load.resize(n);
    Temperature.resize(n);
    for (Eigen::Index i = 0; i < n; ++i) {
        Load[NodeOf[static_cast<size_t>(i)]] = B[i];
        Temperature[NodeOf[static_cast<size_t>(i)]] = Mid[i];
    }
    ResultsPending = false;
}
