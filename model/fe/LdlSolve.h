#pragma once

// Repeated solves with a sparse L·D·Lᵀ factor (L unit lower triangular).
//
// A transient run solves with one factor hundreds of thousands of times, so
// the factor is copied once into a layout made for the solve: consecutive
// columns whose patterns nest form a block (TLdlBlock), which reads one row
// index per row instead of one per entry and updates or sums its columns
// side by side; a single column's sum runs in four partial sums, so that no
// step waits on one long chain of additions.
//
// A large factor is split into two parts solved side by side and the top
// columns both depend on (LdlPartition.h). Each part writes its updates of
// top rows into a copy of its own and reads them from there, so the parts
// never touch the same value; the result does not depend on whether a
// second thread helps.

#include "model/fe/LdlBlocks.h"

#include <span>
#include <vector>

class TLdlSolve
{
public:
    // The factor's columns as Build reads them.
    struct TColumns;

    // Work (entries of the factor) from which a factor is split in two.
    static constexpr long DefaultSplitFrom = 20000;

    TLdlSolve();
    ~TLdlSolve();
    TLdlSolve(const TLdlSolve&) = delete;
    TLdlSolve& operator=(const TLdlSolve&) = delete;

    // Copies the factor of an N × N matrix given by its columns: column j
    // holds Count[j] entries from Start[j] on, the first its diagonal D_jj,
    // then the entries of L below the diagonal in any order of rows. Raises
    // EKPError for a row outside the lower triangle, a count beyond the
    // arrays or a zero pivot, holding nothing.
    void Build(int N, std::span<const int> Start, std::span<const int> Count, std::span<const int> Rows,
               std::span<const double> Values, long SplitFrom = DefaultSplitFrom);
    void Clear();
    bool Empty() const { return FN == 0; }
    int Size() const { return FN; }
    // Columns per block, and the share of the work on top of a split factor
    // (1 when not split): for the benchmarks.
    double MeanBlockWidth() const;
    double TopShare() const { return FTopShare; }

    // The right-hand side goes into the first Size() entries, and
    // SolveWorkspace turns it into the solution: no copy on either side.
    std::span<double> Workspace() { return {FWork.data(), static_cast<size_t>(FN)}; }
    void SolveWorkspace();
    // X := (L·D·Lᵀ)⁻¹·X, in the factor's order.
    void Solve(std::span<double> X);

private:
    void BuildBlocks(const TColumns& C, const std::vector<signed char>& Part);
    void AddBlock(const TColumns& C, int First, int Width, std::vector<int>& Position);
    static void RunPart(void* Self, int Part);
    void RunParts();

    int FN = 0;
    double FTopShare = 1;
    // The blocks of part 0, of part 1, then of the top; without a split all
    // are "top". FPartEnd[p] is where part p's blocks end.
    std::vector<TLdlBlock> FBlocks;
    size_t FPartEnd[3] = {0, 0, 0};
    std::vector<int> FRows;
    std::vector<double> FValues;
    std::vector<double> FInvD;
    // The top columns; part p keeps its copy of top value s at
    // FWork[FN + p·top + s].
    std::vector<int> FTop;
    std::vector<double> FWork;
    bool FForward = true;
};
