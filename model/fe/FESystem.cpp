#include "model/fe/FESystem.h"

#include "model/base/KPError.h"

#include <algorithm>
#include <cmath>

namespace {

// Entries of A and Aᵀ this close count as equal. The element matrices are
// symmetric to the last bit and summed in the same order in both triangles;
// the tolerance only admits what another summation order would change.
constexpr double SymmetryTolerance = 1e-12;

} // namespace

TFESystem::TFESystem()
{
    // The storage term makes every transient system well conditioned: the
    // plain LU solve meets the heat balance to 1e-9, and refinement would
    // double the cost of a solve.
    FGeneral.SetRefinementSteps(0);
}

TFESystem::~TFESystem() = default;

void TFESystem::Clear()
{
    FMethod = TMethod::None;
    FFreeOf.clear();
    FFreeNodes.clear();
    FFixedNodes.clear();
    FCholmod.Clear();
    FGeneral.Clear();
}

void TFESystem::Factorize(const TSparseMtx& A, std::span<const char> Fixed)
{
    Clear();
    const int n = A.Rows();
    if (A.Cols() != n || Fixed.size() != static_cast<size_t>(n))
        throw EKPError(
            QStringLiteral("Das Gleichungssystem kann nicht gelöst werden: die Matrix hat %1 Zeilen und "
                           "%2 Spalten für %3 Knoten.")
                .arg(n)
                .arg(A.Cols())
                .arg(Fixed.size()));
    if (n == 0)
        throw EKPError(
            QStringLiteral("Das Gleichungssystem kann nicht gelöst werden: es hat keine Unbekannten."));
    FFreeOf.assign(static_cast<size_t>(n), -1);
    for (int k = 0; k < n; ++k) {
        if (Fixed[static_cast<size_t>(k)]) {
            FFixedNodes.push_back(k);
            continue;
        }
        FFreeOf[static_cast<size_t>(k)] = static_cast<int>(FFreeNodes.size());
        FFreeNodes.push_back(k);
    }
    const int free = static_cast<int>(FFreeNodes.size());
    FRhs.assign(static_cast<size_t>(free), 0);
    if (FAllowSymmetric) {
        BuildFreeBlock(A);
        if (free == 0 || (FreeBlockSymmetric() && FCholmod.Factorize(free, FUp, FUi, FUx))) {
            AdoptFactorOrder();
            FMethod = TMethod::Symmetric;
            return;
        }
    }
    FactorizeGeneral(A, Fixed);
    FMethod = TMethod::General;
}

void TFESystem::BuildFreeBlock(const TSparseMtx& A)
{
    const std::span<const int> ap = A.ColumnStarts(), ai = A.RowIndices();
    const std::span<const double> ax = A.Values();
    FBp.assign(1, 0);
    FUp.assign(1, 0);
    FBi.clear();
    FBx.clear();
    FUi.clear();
    FUx.clear();
    FCp.assign(1, 0);
    FCi.clear();
    FCx.clear();
    // Free rows keep their ascending order: the numbering is monotone.
    for (const int c : FFreeNodes) {
        const int cc = FFreeOf[static_cast<size_t>(c)];
        for (int p = ap[static_cast<size_t>(c)]; p < ap[static_cast<size_t>(c) + 1]; ++p) {
            const int rr = FFreeOf[static_cast<size_t>(ai[static_cast<size_t>(p)])];
            if (rr < 0) continue;
            FBi.push_back(rr);
            FBx.push_back(ax[static_cast<size_t>(p)]);
            if (rr > cc) continue;
            FUi.push_back(rr);
            FUx.push_back(ax[static_cast<size_t>(p)]);
        }
        FBp.push_back(static_cast<int>(FBi.size()));
        FUp.push_back(static_cast<int>(FUi.size()));
    }
    for (const int c : FFixedNodes) {
        for (int p = ap[static_cast<size_t>(c)]; p < ap[static_cast<size_t>(c) + 1]; ++p) {
            const int rr = FFreeOf[static_cast<size_t>(ai[static_cast<size_t>(p)])];
            if (rr < 0) continue;
            FCi.push_back(rr);
            FCx.push_back(ax[static_cast<size_t>(p)]);
        }
        FCp.push_back(static_cast<int>(FCi.size()));
    }
}

void TFESystem::AdoptFactorOrder()
{
    const std::span<const int> perm = FCholmod.Permutation();
    if (perm.empty()) return;
    const size_t m = FFreeNodes.size();
    std::vector<int> nodes(m), rowOf(m);
    for (size_t i = 0; i < m; ++i) {
        const size_t old = static_cast<size_t>(perm[i]);
        nodes[i] = FFreeNodes[old];
        rowOf[old] = static_cast<int>(i);
    }
    FFreeNodes.swap(nodes);
    for (size_t i = 0; i < m; ++i) FFreeOf[static_cast<size_t>(FFreeNodes[i])] = static_cast<int>(i);
    for (int& r : FCi) r = rowOf[static_cast<size_t>(r)];
}

bool TFESystem::FreeBlockSymmetric() const
{
    // The transpose by a counting sort over the rows has ascending rows per
    // column too, so A = Aᵀ compares entry by entry.
    const size_t m = FFreeNodes.size();
    std::vector<int> tp(m + 1, 0);
    for (const int r : FBi) ++tp[static_cast<size_t>(r) + 1];
    for (size_t c = 0; c < m; ++c) tp[c + 1] += tp[c];
    if (tp != FBp) return false;
    std::vector<int> next(tp.begin(), tp.end() - 1);
    std::vector<int> ti(FBi.size());
    std::vector<double> tx(FBx.size());
    for (size_t c = 0; c < m; ++c)
        for (int p = FBp[c]; p < FBp[c + 1]; ++p) {
            const int q = next[static_cast<size_t>(FBi[static_cast<size_t>(p)])]++;
            ti[static_cast<size_t>(q)] = static_cast<int>(c);
            tx[static_cast<size_t>(q)] = FBx[static_cast<size_t>(p)];
        }
    if (ti != FBi) return false;
    for (size_t p = 0; p < tx.size(); ++p) {
        const double a = FBx[p], b = tx[p];
        if (std::fabs(a - b) > SymmetryTolerance * std::max(std::fabs(a), std::fabs(b))) return false;
    }
    return true;
}

void TFESystem::FactorizeGeneral(const TSparseMtx& A, std::span<const char> Fixed)
{
    const std::span<const int> ap = A.ColumnStarts(), ai = A.RowIndices();
    const std::span<const double> ax = A.Values();
    const int n = A.Rows();
    FGeneral.Clear();
    for (int c = 0; c < n; ++c) {
        for (int p = ap[static_cast<size_t>(c)]; p < ap[static_cast<size_t>(c) + 1]; ++p) {
            const int r = ai[static_cast<size_t>(p)];
            if (!Fixed[static_cast<size_t>(r)]) FGeneral.SetValue(r, c, ax[static_cast<size_t>(p)]);
        }
        if (Fixed[static_cast<size_t>(c)]) FGeneral.SetValue(c, c, 1.0);
    }
    FGeneral.TripletsToSparseAndFlush();
    FGeneral.SetCols(n);
    FGeneral.SetRows(n);
    FGeneral.Factorize();
}

void TFESystem::Solve(const Eigen::VectorXd& B, Eigen::VectorXd& X)
{
    const int n = Size();
    if (FMethod == TMethod::None) throw EKPError(QStringLiteral("Das Gleichungssystem ist nicht zerlegt."));
    if (B.size() != n)
        throw EKPError(QStringLiteral("Die rechte Seite hat %1 Einträge, das Gleichungssystem %2.")
                           .arg(B.size())
                           .arg(n));
    if (FMethod == TMethod::General) {
        FGeneral.Solve(B, X);
        // The LU's scaling may round an identity row; a prescribed value is exact.
        for (const int k : FFixedNodes) X[k] = B[k];
        return;
    }
    for (size_t i = 0; i < FFreeNodes.size(); ++i) FRhs[i] = B[FFreeNodes[i]];
    FFixedValues.resize(FFixedNodes.size());
    for (size_t j = 0; j < FFixedNodes.size(); ++j) FFixedValues[j] = B[FFixedNodes[j]];
    const std::span<const double> x = SolveFree(FRhs, FFixedValues);
    X.resize(n);
    for (size_t i = 0; i < FFreeNodes.size(); ++i) X[FFreeNodes[i]] = x[i];
    for (const int k : FFixedNodes) X[k] = B[k];
}

std::span<const double> TFESystem::SolveFree(std::span<const double> FreeRhs,
                                             std::span<const double> FixedValues, bool CheckFinite)
{
    if (FMethod != TMethod::Symmetric)
        throw EKPError(QStringLiteral("Das Gleichungssystem ist nicht symmetrisch zerlegt."));
    if (FreeRhs.size() != FFreeNodes.size() || FixedValues.size() != FFixedNodes.size())
        throw EKPError(QStringLiteral("Das Gleichungssystem hat %1 Unbekannte und %2 feste Werte, erhalten %3 "
                                      "und %4.")
                           .arg(FFreeNodes.size())
                           .arg(FFixedNodes.size())
                           .arg(FreeRhs.size())
                           .arg(FixedValues.size()));
    if (FFreeNodes.empty()) return {};
    // The right-hand side is made where the solver reads it.
    const std::span<double> rhs = FCholmod.RhsBuffer();
    std::copy(FreeRhs.begin(), FreeRhs.end(), rhs.begin());
    for (size_t j = 0; j < FFixedNodes.size(); ++j) {
        const double value = FixedValues[j];
        if (!std::isfinite(value)) RaiseNoFiniteSolution(Size());
        for (int p = FCp[j]; p < FCp[j + 1]; ++p)
            rhs[static_cast<size_t>(FCi[static_cast<size_t>(p)])] -= FCx[static_cast<size_t>(p)] * value;
    }
    return FCholmod.SolveRhsBuffer(CheckFinite);
}
