#include "model/fe/LdlSolve.h"

#include "model/base/KPError.h"

#include <algorithm>
#include <utility>

// The rows below the diagonal of every column, ascending, with their values.
struct TLdlSolve::TColumns {
    std::vector<int> Start;
    std::vector<int> Rows;
    std::vector<double> Values;
    std::vector<double> Diagonal;

    int Length(int J) const { return Start[static_cast<size_t>(J) + 1] - Start[static_cast<size_t>(J)]; }
    const int* RowsOf(int J) const { return Rows.data() + Start[static_cast<size_t>(J)]; }
    const double* ValuesOf(int J) const { return Values.data() + Start[static_cast<size_t>(J)]; }
};


namespace {

using TColumns = TLdlSolve::TColumns;

// Wider blocks are split (a part of a block is a block): every width has a
// kernel of its own with the sums of its columns side by side in registers.
constexpr int MaxWidth = 8;

[[noreturn]] void FailColumn(int Column, const char* What)
{
    throw EKPError(QStringLiteral("Die Zerlegung ist ungültig: Spalte %1 %2.")
                       .arg(Column + 1)
                       .arg(QString::fromUtf8(What)));
}

TColumns SortedColumns(int N, std::span<const int> Start, std::span<const int> Count, std::span<const int> Rows,
                       std::span<const double> Values)
{
    if (N < 0 || Start.size() < static_cast<size_t>(N) || Count.size() < static_cast<size_t>(N))
        throw EKPError(QStringLiteral("Die Zerlegung ist ungültig: sie hat %1 Spalten.").arg(N));
    TColumns c;
    c.Start.assign(1, 0);
    c.Diagonal.resize(static_cast<size_t>(N));
    std::vector<std::pair<int, double>> column;
    for (int j = 0; j < N; ++j) {
        const long first = Start[static_cast<size_t>(j)], count = Count[static_cast<size_t>(j)];
        if (first < 0 || count < 1 || static_cast<size_t>(first + count) > Rows.size() ||
            static_cast<size_t>(first + count) > Values.size())
            FailColumn(j, "liegt außerhalb der Felder");
        if (Rows[static_cast<size_t>(first)] != j) FailColumn(j, "beginnt nicht mit der Diagonale");
        c.Diagonal[static_cast<size_t>(j)] = Values[static_cast<size_t>(first)];
        column.clear();
        for (long p = first + 1; p < first + count; ++p) {
            const int row = Rows[static_cast<size_t>(p)];
            if (row <= j || row >= N) FailColumn(j, "hat eine Zeile außerhalb des unteren Dreiecks");
            column.emplace_back(row, Values[static_cast<size_t>(p)]);
        }
        std::sort(column.begin(), column.end());
        for (const auto& [row, value] : column) {
            c.Rows.push_back(row);
            c.Values.push_back(value);
        }
        c.Start.push_back(static_cast<int>(c.Rows.size()));
    }
    return c;
}

// Whether the rows of column J below the diagonal are J + 1 and rows of
// column J + 1: then J + 1 can join J's block, with zeros where J lacks a
// row of J + 1. (In a Cholesky factor this holds whenever J + 1 is J's
// first row below the diagonal; it is checked all the same.)
bool CanJoin(const TColumns& C, int J)
{
    const int length = C.Length(J);
    if (length < 1 || C.RowsOf(J)[0] != J + 1) return false;
    return std::includes(C.RowsOf(J + 1), C.RowsOf(J + 1) + C.Length(J + 1), C.RowsOf(J) + 1, C.RowsOf(J) + length);
}

// Zeros a block may hold, as a share of its entries: a few zeros are cheaper
// than the wait at a block's border.
constexpr double MaxZeroShare = 0.3;

template <int W>
void ForwardBlock(double* X, int First, const int* Rows, int RowCount, const double* Tri, const double* Rect,
                  const double* InvD)
{
    double y[W];
    for (int m = 0; m < W; ++m) {
        double s = X[First + m];
        for (int k = 0; k < m; ++k) s -= Tri[m * (m - 1) / 2 + k] * y[k];
        y[m] = s;
    }
    for (int q = 0; q < RowCount; ++q, Rect += W) {
        double s = 0;
        for (int k = 0; k < W; ++k) s += Rect[k] * y[k];
        X[Rows[q]] -= s;
    }
    for (int m = 0; m < W; ++m) X[First + m] = y[m] * InvD[First + m];
}

// Narrow blocks sum two rows at a time into two sets of sums.
template <int W>
void BackwardBlock(double* X, int First, const int* Rows, int RowCount, const double* Tri, const double* Rect)
{
    constexpr int Sets = W <= 4 ? 2 : 1;
    double acc[Sets][W] = {};
    int q = 0;
    for (; q + Sets <= RowCount; q += Sets, Rect += Sets * W)
        for (int t = 0; t < Sets; ++t) {
            const double x = X[Rows[q + t]];
            for (int k = 0; k < W; ++k) acc[t][k] += Rect[t * W + k] * x;
        }
    for (; q < RowCount; ++q, Rect += W) {
        const double x = X[Rows[q]];
        for (int k = 0; k < W; ++k) acc[0][k] += Rect[k] * x;
    }
    double y[W];
    for (int k = W - 1; k >= 0; --k) {
        double s = X[First + k] - (Sets == 2 ? acc[0][k] + acc[Sets - 1][k] : acc[0][k]);
        for (int m = k + 1; m < W; ++m) s -= Tri[m * (m - 1) / 2 + k] * y[m];
        y[k] = s;
    }
    for (int k = 0; k < W; ++k) X[First + k] = y[k];
}

// A single column: the update is a scatter, its sum four partial sums.
void BackwardColumn(double* X, int First, const int* Rows, int RowCount, const double* Rect)
{
    double s0 = 0, s1 = 0, s2 = 0, s3 = 0;
    int q = 0;
    for (; q + 4 <= RowCount; q += 4) {
        s0 += Rect[q] * X[Rows[q]];
        s1 += Rect[q + 1] * X[Rows[q + 1]];
        s2 += Rect[q + 2] * X[Rows[q + 2]];
        s3 += Rect[q + 3] * X[Rows[q + 3]];
    }
    for (; q < RowCount; ++q) s0 += Rect[q] * X[Rows[q]];
    X[First] -= (s0 + s1) + (s2 + s3);
}

} // namespace

void TLdlSolve::Clear()
{
    FBlocks.clear();
    FRows.clear();
    FValues.clear();
    FInvD.clear();
}

void TLdlSolve::Build(int N, std::span<const int> Start, std::span<const int> Count, std::span<const int> Rows,
                      std::span<const double> Values)
{
    Clear();
    try {
        BuildBlocks(SortedColumns(N, Start, Count, Rows, Values), N);
    } catch (...) {
        Clear();
        throw;
    }
}

void TLdlSolve::BuildBlocks(const TColumns& c, int N)
{
    FInvD.resize(static_cast<size_t>(N));
    for (int j = 0; j < N; ++j) {
        const double d = c.Diagonal[static_cast<size_t>(j)];
        if (!(d != 0)) FailColumn(j, "hat keine Diagonale ungleich null");
        FInvD[static_cast<size_t>(j)] = 1 / d;
    }
    std::vector<int> position(static_cast<size_t>(N), -1);
    for (int first = 0; first < N;) {
        const int width = BlockWidth(c, first, N);
        AddBlock(c, first, width, position);
        first += width;
    }
}

int TLdlSolve::BlockWidth(const TColumns& C, int First, int N)
{
    int width = 1;
    long entries = C.Length(First);
    while (width < MaxWidth && First + width < N && CanJoin(C, First + width - 1)) {
        const int last = First + width;
        const long joined = entries + C.Length(last);
        const long dense = static_cast<long>(width + 1) * width / 2 + static_cast<long>(width + 1) * C.Length(last);
        if (static_cast<double>(dense - joined) > MaxZeroShare * static_cast<double>(dense)) break;
        entries = joined;
        ++width;
    }
    return width;
}

void TLdlSolve::AddBlock(const TColumns& C, int First, int Width, std::vector<int>& Position)
{
    TBlock b;
    b.First = First;
    b.Width = Width;
    const int last = First + Width - 1;
    b.RowStart = static_cast<int>(FRows.size());
    b.RowCount = C.Length(last);
    FRows.insert(FRows.end(), C.RowsOf(last), C.RowsOf(last) + b.RowCount);
    // The block's own rows first + 1 … last, then its common rows: where
    // each entry of a column goes, zeros where it has none.
    for (int m = 1; m < Width; ++m) Position[static_cast<size_t>(First + m)] = m;
    for (int q = 0; q < b.RowCount; ++q) Position[static_cast<size_t>(C.RowsOf(last)[q])] = Width + q;
    b.Triangle = FValues.size();
    b.Rectangle = b.Triangle + static_cast<size_t>(Width) * (Width - 1) / 2;
    FValues.resize(b.Rectangle + static_cast<size_t>(b.RowCount) * Width, 0.0);
    for (int k = 0; k < Width; ++k)
        for (int p = 0; p < C.Length(First + k); ++p) {
            const int at = Position[static_cast<size_t>(C.RowsOf(First + k)[p])];
            const double value = C.ValuesOf(First + k)[p];
            if (at < Width)
                FValues[b.Triangle + static_cast<size_t>(at) * (at - 1) / 2 + static_cast<size_t>(k)] = value;
            else
                FValues[b.Rectangle + static_cast<size_t>(at - Width) * Width + static_cast<size_t>(k)] = value;
        }
    FBlocks.push_back(b);
}

double TLdlSolve::MeanBlockWidth() const
{
    return FBlocks.empty() ? 0 : static_cast<double>(FInvD.size()) / static_cast<double>(FBlocks.size());
}

void TLdlSolve::Solve(std::span<double> X) const
{
    if (X.size() != FInvD.size())
        throw EKPError(QStringLiteral("Die rechte Seite hat %1 Einträge, die Zerlegung %2.")
                           .arg(X.size())
                           .arg(FInvD.size()));
    Forward(X.data());
    Backward(X.data());
}

void TLdlSolve::Forward(double* X) const
{
    const double* v = FValues.data();
    const int* rows = FRows.data();
    const double* invD = FInvD.data();
    for (const TBlock& b : FBlocks) {
        const int* r = rows + b.RowStart;
        const double* tri = v + b.Triangle;
        const double* rect = v + b.Rectangle;
        switch (b.Width) {
        case 1: {
            const double y = X[b.First];
            for (int q = 0; q < b.RowCount; ++q) X[r[q]] -= rect[q] * y;
            X[b.First] = y * invD[b.First];
            break;
        }
        case 2: ForwardBlock<2>(X, b.First, r, b.RowCount, tri, rect, invD); break;
        case 3: ForwardBlock<3>(X, b.First, r, b.RowCount, tri, rect, invD); break;
        case 4: ForwardBlock<4>(X, b.First, r, b.RowCount, tri, rect, invD); break;
        case 5: ForwardBlock<5>(X, b.First, r, b.RowCount, tri, rect, invD); break;
        case 6: ForwardBlock<6>(X, b.First, r, b.RowCount, tri, rect, invD); break;
        case 7: ForwardBlock<7>(X, b.First, r, b.RowCount, tri, rect, invD); break;
        default: ForwardBlock<8>(X, b.First, r, b.RowCount, tri, rect, invD); break;
        }
    }
}

void TLdlSolve::Backward(double* X) const
{
    const double* v = FValues.data();
    const int* rows = FRows.data();
    for (auto it = FBlocks.rbegin(); it != FBlocks.rend(); ++it) {
        const TBlock& b = *it;
        const int* r = rows + b.RowStart;
        const double* tri = v + b.Triangle;
        const double* rect = v + b.Rectangle;
        switch (b.Width) {
        case 1: BackwardColumn(X, b.First, r, b.RowCount, rect); break;
        case 2: BackwardBlock<2>(X, b.First, r, b.RowCount, tri, rect); break;
        case 3: BackwardBlock<3>(X, b.First, r, b.RowCount, tri, rect); break;
        case 4: BackwardBlock<4>(X, b.First, r, b.RowCount, tri, rect); break;
        case 5: BackwardBlock<5>(X, b.First, r, b.RowCount, tri, rect); break;
        case 6: BackwardBlock<6>(X, b.First, r, b.RowCount, tri, rect); break;
        case 7: BackwardBlock<7>(X, b.First, r, b.RowCount, tri, rect); break;
        default: BackwardBlock<8>(X, b.First, r, b.RowCount, tri, rect); break;
        }
    }
}
