#include "model/fe/SparseMtx.h"

#include "model/base/KPError.h"
#include "model/fe/CholmodSolver.h"

#include <umfpack.h>

#include <algorithm>
#include <cmath>

namespace {

// Pivot ratios below this mean a matrix that is singular to rounding.
constexpr double SingularRcond = 1e-14;

}  // namespace

TSparseMtx::TSparseMtx() = default;

TSparseMtx::~TSparseMtx()
{
    FreeFactors();
}

void TSparseMtx::FreeFactors()
{
    if (FNumeric) umfpack_di_free_numeric(&FNumeric);
    if (FSymbolic) umfpack_di_free_symbolic(&FSymbolic);
    FNumeric = nullptr;
    FSymbolic = nullptr;
}

void TSparseMtx::Clear()
{
    FreeFactors();
    FRows = FCols = 0;
    FTripletRows.clear();
    FTripletCols.clear();
    FTripletValues.clear();
    FAp.assign(1, 0);
    FAi.clear();
    FAx.clear();
}

void TSparseMtx::SetValue(int Row, int Col, double Value)
{
    if (Row < 0 || Col < 0)
        throw EKPError(QStringLiteral("Ungültige Position (%1, %2) in der dünn besetzten Matrix.").arg(Row).arg(Col));
    FTripletRows.push_back(Row);
    FTripletCols.push_back(Col);
    FTripletValues.push_back(Value);
}

void TSparseMtx::TripletsToSparseAndFlush()
{
    FreeFactors();
    const size_t n = FTripletValues.size();
    int rows = FRows, cols = FCols;
    for (size_t k = 0; k < n; ++k) {
        rows = std::max(rows, FTripletRows[k] + 1);
        cols = std::max(cols, FTripletCols[k] + 1);
    }
    // Counting sort by column keeps the triplets of a column in their order,
    // so duplicates are always summed in the order they were appended.
    std::vector<int> start(static_cast<size_t>(cols) + 1, 0);
    for (size_t k = 0; k < n; ++k) ++start[static_cast<size_t>(FTripletCols[k]) + 1];
    for (int c = 0; c < cols; ++c) start[static_cast<size_t>(c) + 1] += start[static_cast<size_t>(c)];
    std::vector<int> rowOf(n);
    std::vector<double> valueOf(n);
    std::vector<int> next(start.begin(), start.end() - 1);
    for (size_t k = 0; k < n; ++k) {
        const int pos = next[static_cast<size_t>(FTripletCols[k])]++;
        rowOf[static_cast<size_t>(pos)] = FTripletRows[k];
        valueOf[static_cast<size_t>(pos)] = FTripletValues[k];
    }
    FAp.assign(static_cast<size_t>(cols) + 1, 0);
    FAi.clear();
    FAx.clear();
    FAi.reserve(n);
    FAx.reserve(n);
    std::vector<std::pair<int, int>> column;  // (row, position), stable by position
    for (int c = 0; c < cols; ++c) {
        column.clear();
        for (int p = start[static_cast<size_t>(c)]; p < start[static_cast<size_t>(c) + 1]; ++p)
            column.emplace_back(rowOf[static_cast<size_t>(p)], p);
        std::sort(column.begin(), column.end());
        for (size_t k = 0; k < column.size(); ++k) {
            const double v = valueOf[static_cast<size_t>(column[k].second)];
            if (k > 0 && column[k].first == column[k - 1].first)
                FAx.back() += v;
            else {
                FAi.push_back(column[k].first);
                FAx.push_back(v);
            }
        }
        FAp[static_cast<size_t>(c) + 1] = static_cast<int>(FAx.size());
    }
    FRows = rows;
    FCols = cols;
    FTripletRows.clear();
    FTripletCols.clear();
    FTripletValues.clear();
}

void TSparseMtx::SetRows(int V)
{
    for (int r : FAi)
        if (r >= V) throw EKPError(QStringLiteral("Die Matrix hat Einträge in Zeile %1, mehr als %2 Zeilen.").arg(r + 1).arg(V));
    if (V < 0) V = 0;
    if (V != FRows) FreeFactors();
    FRows = V;
}

void TSparseMtx::SetCols(int V)
{
    if (V < 0) V = 0;
    if (V < FCols && FAp[static_cast<size_t>(V)] != FAp.back())
        throw EKPError(QStringLiteral("Die Matrix hat Einträge in Spalten über %1.").arg(V));
    if (V != FCols) FreeFactors();
    FAp.resize(static_cast<size_t>(V) + 1, FAp.back());
    FCols = V;
}

double TSparseMtx::Value(int Row, int Col) const
{
    if (Col < 0 || Col >= FCols) return 0;
    for (int p = FAp[static_cast<size_t>(Col)]; p < FAp[static_cast<size_t>(Col) + 1]; ++p)
        if (FAi[static_cast<size_t>(p)] == Row) return FAx[static_cast<size_t>(p)];
    return 0;
}

void TSparseMtx::MultiplyAdd(const double* X, double* Y) const
{
    for (int c = 0; c < FCols; ++c) {
        const double x = X[c];
        for (int p = FAp[static_cast<size_t>(c)]; p < FAp[static_cast<size_t>(c) + 1]; ++p)
            Y[FAi[static_cast<size_t>(p)]] += FAx[static_cast<size_t>(p)] * x;
    }
}

void TSparseMtx::TransposeMultiplyAdd(const double* X, double* Y) const
{
    const int* ap = FAp.data();
    const int* ai = FAi.data();
    const double* ax = FAx.data();
    for (int c = 0; c < FCols; ++c) {
        double y = Y[c];
        for (int p = ap[c]; p < ap[c + 1]; ++p) y += ax[p] * X[ai[p]];
        Y[c] = y;
    }
}

QString UmfpackStatusText(int Status)
{
    switch (Status) {
    case UMFPACK_OK: return QStringLiteral("kein Fehler");
    case UMFPACK_WARNING_singular_matrix: return QStringLiteral("die Matrix ist singulär");
    case UMFPACK_ERROR_out_of_memory: return QStringLiteral("nicht genügend Speicher");
    case UMFPACK_ERROR_invalid_Numeric_object: return QStringLiteral("ungültige numerische Zerlegung");
    case UMFPACK_ERROR_invalid_Symbolic_object: return QStringLiteral("ungültige symbolische Zerlegung");
    case UMFPACK_ERROR_argument_missing: return QStringLiteral("fehlendes Argument");
    case UMFPACK_ERROR_n_nonpositive: return QStringLiteral("die Matrix hat keine Zeilen");
    case UMFPACK_ERROR_invalid_matrix: return QStringLiteral("die Matrix ist ungültig");
    case UMFPACK_ERROR_different_pattern: return QStringLiteral("die Besetzungsstruktur hat sich geändert");
    case UMFPACK_ERROR_invalid_system: return QStringLiteral("ungültiges System");
    case UMFPACK_ERROR_invalid_permutation: return QStringLiteral("ungültige Permutation");
    default: return QStringLiteral("unbekannter Fehler");
    }
}

void TSparseMtx::Fail(int Status) const
{
    throw EKPError(QStringLiteral("Das Gleichungssystem (%1 Unbekannte) kann nicht gelöst werden: %2 (UMFPACK-Status %3).")
                       .arg(FRows)
                       .arg(UmfpackStatusText(Status))
                       .arg(Status));
}

void TSparseMtx::Factorize()
{
    FreeFactors();
    if (!FTripletValues.empty()) TripletsToSparseAndFlush();
    if (FRows != FCols)
        throw EKPError(QStringLiteral("Das Gleichungssystem kann nicht gelöst werden: die Matrix hat %1 Zeilen und %2 Spalten.")
                           .arg(FRows)
                           .arg(FCols));
    if (FRows == 0) Fail(UMFPACK_ERROR_n_nonpositive);
    double control[UMFPACK_CONTROL];
    umfpack_di_defaults(control);
    int status = umfpack_di_symbolic(FRows, FCols, FAp.data(), FAi.data(), FAx.data(), &FSymbolic, control, nullptr);
    if (status != UMFPACK_OK) {
        FreeFactors();
        Fail(status);
    }
    double info[UMFPACK_INFO];
    status = umfpack_di_numeric(FAp.data(), FAi.data(), FAx.data(), FSymbolic, &FNumeric, control, info);
    // A singular matrix is only a warning to UMFPACK; its solution is
    // worthless. So is one singular to rounding, whose pivots only differ
    // from 0 by rounding errors (the ratio of the smallest to the largest).
    if (status == UMFPACK_OK && !(info[UMFPACK_RCOND] > SingularRcond)) status = UMFPACK_WARNING_singular_matrix;
    if (status != UMFPACK_OK) {
        FreeFactors();
        Fail(status);
    }
}

void TSparseMtx::Solve(const Eigen::VectorXd& B, Eigen::VectorXd& X)
{
    if (!FTripletValues.empty()) TripletsToSparseAndFlush();
    if (!FNumeric) Factorize();
    if (B.size() != FRows)
        throw EKPError(QStringLiteral("Die rechte Seite hat %1 Einträge, das Gleichungssystem %2.").arg(B.size()).arg(FRows));
    double control[UMFPACK_CONTROL];
    umfpack_di_defaults(control);
    control[UMFPACK_IRSTEP] = FRefinementSteps;
    FSolution.resize(FRows);
    FWi.resize(static_cast<size_t>(FRows));
    FW.resize(static_cast<size_t>(FRefinementSteps > 0 ? 5 : 1) * static_cast<size_t>(FRows));
    const int status = umfpack_di_wsolve(UMFPACK_A, FAp.data(), FAi.data(), FAx.data(), FSolution.data(), B.data(),
                                         FNumeric, control, nullptr, FWi.data(), FW.data());
    if (status != UMFPACK_OK) Fail(status);
    if (!FSolution.allFinite()) RaiseNoFiniteSolution(FRows);
    // Swapping hands the solution over without a copy; the old X becomes the
    // next solve's buffer.
    X.swap(FSolution);
}
