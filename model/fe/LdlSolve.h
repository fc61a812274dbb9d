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
// A large factor is split into a tree of tasks (LdlPartition.h): parts
// solved side by side, split again where more threads help, and the columns
// above them, which wait for their parts. The tasks of one level run at
// once. Each task writes its updates of the rows of the tasks above it into
// a copy of its own and reads them from there, so no two tasks touch the
// same value; the result does not depend on how many threads help.

#include "model/fe/LdlBlocks.h"
#include "model/fe/SolveWorker.h"

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

class TLdlSolve
{
public:
    // The factor's columns as Build reads them.
    struct TColumns;

    // Work (entries of the factor) from which a factor is split.
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
               std::span<const double> Values, long SplitFrom = DefaultSplitFrom,
               int MaxLevels = DefaultLevels());
    // Levels of tasks worth it on this machine: two, or three where four
    // threads share a solve.
    static int DefaultLevels();
    void Clear();
    bool Empty() const { return FN == 0; }
    int Size() const { return FN; }
    // Columns per block, the levels of tasks, and the share of the work
    // above the leaf tasks (1 when not split): for the benchmarks.
    double MeanBlockWidth() const;
    int Levels() const { return FLevels; }
    double TopShare() const { return FTopShare; }

    // The right-hand side goes into the first Size() entries, and
    // SolveWorkspace turns it into the solution: no copy on either side.
    std::span<double> Workspace() { return {FWork.data(), static_cast<size_t>(FN)}; }
    void SolveWorkspace();
    // X := (L·D·Lᵀ)⁻¹·X, in the factor's order.
    void Solve(std::span<double> X);

private:
    void BuildBlocks(const TColumns& C, const std::vector<signed char>& Task, int Levels);
    void AddBlock(const TColumns& C, int First, int Width, std::vector<int>& Position);
    std::span<const TLdlBlock> TaskBlocks(int Task) const;
    // Task's columns' range in FTop, and Fn(from, to) for the ranges of
    // every task above it.
    std::pair<size_t, size_t> TopRows(int Task) const;
    template <class TFn>
    void ForRowsAbove(int Task, TFn Fn) const;
    double* Copy(int Task) { return FWork.data() + FN + static_cast<size_t>(Task - 1) * FTop.size(); }
    void Forward(int Task);
    void Backward(int Task);
    // A solve of a split factor is one job of the workers. Its units are
    // the forward pass of each task, the top (task 0 both ways), and the
    // backward pass of each task below the top; a unit runs on the first
    // thread that claims it, once the units it needs are done. Thread p
    // claims the units of the parts p, p + threads, … of every level, and a
    // thread waiting for a unit that no thread has taken up runs it itself,
    // so that a helper the system does not let run stalls nothing.
    int Tasks() const { return static_cast<int>(FTaskEnd.size()); }
    int BackwardUnit(int Task) const { return Task == 0 ? 0 : Tasks() + Task - 1; }
    bool TryRun(int Unit);
    void WaitFor(int Unit);
    void RunUnit(int Unit);
    static void RunPart(void* Self, int Part);

    int FN = 0;
    double FTopShare = 1;
    // Task t's parts are 2t + 1 and 2t + 2; the leaves are the tasks from
    // FInner on. Without a split, task 0 is the whole factor.
    int FLevels = 1;
    int FInner = 0;
    // The blocks of task 0, 1, …; FTaskEnd[t] is where task t's end.
    std::vector<TLdlBlock> FBlocks;
    std::vector<size_t> FTaskEnd;
    std::vector<int> FRows;
    std::vector<double> FValues;
    std::vector<double> FInvD;
    // The columns of the tasks above the leaves, task by task (task t's end
    // at FTopEnd[t]); a task t > 0 keeps its copy of value s at Copy(t)[s].
    std::vector<int> FTop;
    std::vector<size_t> FTopEnd;
    std::vector<double> FWork;
    // Per unit, the last solve that claimed it and the last that finished
    // it; the solves so far, and the threads of the solve under way.
    std::unique_ptr<TSolveWorker::TSlot[]> FUnits;
    std::uint64_t FSolves = 0;
    int FThreads = 1;
};
