#pragma once

// Repeated solves with a sparse L·D·Lᵀ factor (L unit lower triangular).
//
// A transient run solves with one factor hundreds of thousands of times, so
// the factor is copied once into a layout made for the solve: consecutive
// columns whose patterns nest (column j's rows below the diagonal are j + 1
// and the rows of column j + 1) form a block, stored as a small dense lower
// triangle and a dense rectangle of its common rows, row by row. A block
// reads one row index per row instead of one per entry and updates or sums
// its columns side by side, and a single column's sum runs in four partial
// sums, so that no step waits on one long chain of additions.

#include <span>
#include <vector>

class TLdlSolve
{
public:
    // The factor's columns as Build reads them.
    struct TColumns;

    // Copies the factor of an N × N matrix given by its columns: column j
    // holds Count[j] entries from Start[j] on, the first its diagonal D_jj,
    // then the entries of L below the diagonal in any order of rows. Raises
    // EKPError for a row outside the lower triangle or a count beyond the
    // arrays.
    void Build(int N, std::span<const int> Start, std::span<const int> Count, std::span<const int> Rows,
               std::span<const double> Values);
    void Clear();
    bool Empty() const { return FInvD.empty(); }
    int Size() const { return static_cast<int>(FInvD.size()); }
    // Columns per block, for the benchmarks: the more, the faster.
    double MeanBlockWidth() const;

    // X := (L·D·Lᵀ)⁻¹·X, in the factor's order.
    void Solve(std::span<double> X) const;

private:
    struct TBlock {
        int First = 0;   // first column
        int Width = 0;   // columns
        int RowStart = 0; // its rows below the block: FRows[RowStart, RowStart + RowCount)
        int RowCount = 0;
        size_t Triangle = 0;  // the strictly lower triangle, row by row, in FValues
        size_t Rectangle = 0; // RowCount × Width, row by row, in FValues
    };
    void BuildBlocks(const TColumns& C, int N);
    static int BlockWidth(const TColumns& C, int First, int N);
    void AddBlock(const TColumns& C, int First, int Width, std::vector<int>& Position);
    void Forward(double* X) const;
    void Backward(double* X) const;

    std::vector<TBlock> FBlocks;
    std::vector<int> FRows;
    std::vector<double> FValues;
    std::vector<double> FInvD;
};
