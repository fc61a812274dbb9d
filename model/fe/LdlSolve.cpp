#include "model/fe/LdlSolve.h"

#include "model/base/KPError.h"
#include "model/fe/LdlPartition.h"
#include "model/fe/SolveWorker.h"

#include <algorithm>
#include <thread>
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

// Columns from First on that form a block: joined, in the same part, with
// few zeros.
int BlockWidth(const TColumns& C, int First, const std::vector<signed char>& Part)
{
    const int n = static_cast<int>(Part.size());
    int width = 1;
    long entries = C.Length(First);
    while (width < MaxLdlBlockWidth && First + width < n && CanJoin(C, First + width - 1) &&
           Part[static_cast<size_t>(First + width)] == Part[static_cast<size_t>(First)]) {
        const int last = First + width;
        const long joined = entries + C.Length(last);
        const long dense = static_cast<long>(width + 1) * width / 2 + static_cast<long>(width + 1) * C.Length(last);
        if (static_cast<double>(dense - joined) > MaxZeroShare * static_cast<double>(dense)) break;
        entries = joined;
        ++width;
    }
    return width;
}

std::vector<signed char> SplitInTasks(const TColumns& C, int N, long SplitFrom, int MaxLevels, int& Levels)
{
    std::vector<int> parent(static_cast<size_t>(N));
    std::vector<long> work(static_cast<size_t>(N));
    for (int j = 0; j < N; ++j) {
        parent[static_cast<size_t>(j)] = C.Length(j) > 0 ? C.RowsOf(j)[0] : -1;
        work[static_cast<size_t>(j)] = C.Length(j) + 1;
    }
    return SplitColumnsInLevels(parent, work, SplitFrom, MaxLevels, Levels);
}

// The tasks Depth levels below Task.
struct TRange {
    int From, To;
};
TRange Descendants(int Task, int Depth)
{
    return {((Task + 1) << Depth) - 1, ((Task + 2) << Depth) - 1};
}

int LevelOf(int Task)
{
    int level = 0;
    while (Task > 0) {
        Task = (Task - 1) / 2;
        ++level;
    }
    return level;
}

// The I-th task of a level runs on thread I mod threads; with the bits of I
// reversed, a task and its first part run on the same thread.
int TaskOfLevel(int Level, int I)
{
    int reversed = 0;
    for (int b = 0; b < Level; ++b) reversed |= ((I >> b) & 1) << (Level - 1 - b);
    return (1 << Level) - 1 + reversed;
}

} // namespace

TLdlSolve::TLdlSolve() = default;

TLdlSolve::~TLdlSolve() = default;

void TLdlSolve::Clear()
{
    FN = 0;
    FTopShare = 1;
    FLevels = 1;
    FInner = 0;
    FBlocks.clear();
    FTaskEnd.clear();
    FRows.clear();
    FValues.clear();
    FInvD.clear();
    FTop.clear();
    FTopEnd.clear();
    FWork.clear();
    FUnits.reset();
}

void TLdlSolve::Build(int N, std::span<const int> Start, std::span<const int> Count, std::span<const int> Rows,
                      std::span<const double> Values, long SplitFrom, int MaxLevels)
{
    Clear();
    try {
        const TColumns c = SortedColumns(N, Start, Count, Rows, Values);
        int levels = 1;
        const std::vector<signed char> task = SplitInTasks(c, N, SplitFrom, MaxLevels, levels);
        BuildBlocks(c, task, levels);
    } catch (...) {
        Clear();
        throw;
    }
}

void TLdlSolve::BuildBlocks(const TColumns& C, const std::vector<signed char>& Task, int Levels)
{
    const int n = static_cast<int>(Task.size());
    FInvD.resize(static_cast<size_t>(n));
    for (int j = 0; j < n; ++j) {
        const double d = C.Diagonal[static_cast<size_t>(j)];
        if (!(d != 0)) FailColumn(j, "hat keine Diagonale ungleich null");
        FInvD[static_cast<size_t>(j)] = 1 / d;
    }
    const int tasks = (1 << Levels) - 1;
    FLevels = Levels;
    FInner = (1 << (Levels - 1)) - 1;
    std::vector<int> topIndex(static_cast<size_t>(n), -1);
    for (int t = 0; t < FInner; ++t) {
        for (int j = 0; j < n; ++j)
            if (Task[static_cast<size_t>(j)] == t) {
                topIndex[static_cast<size_t>(j)] = static_cast<int>(FTop.size());
                FTop.push_back(j);
            }
        FTopEnd.push_back(FTop.size());
    }
    FN = n;
    const int top = static_cast<int>(FTop.size());
    std::vector<int> position(static_cast<size_t>(n), -1);
    long innerWork = 0, allWork = 0;
    for (int t = 0; t < tasks; ++t) {
        for (int first = 0; first < n;) {
            if (Task[static_cast<size_t>(first)] != t) {
                ++first;
                continue;
            }
            const int width = BlockWidth(C, first, Task);
            const size_t rowsFrom = FRows.size();
            AddBlock(C, first, width, position);
            // A task's updates of the rows of the tasks above it go to its
            // own copy of them.
            for (size_t q = rowsFrom; q < FRows.size(); ++q) {
                const int row = FRows[q];
                const int s = topIndex[static_cast<size_t>(row)];
                if (s >= 0 && Task[static_cast<size_t>(row)] != t) FRows[q] = n + (t - 1) * top + s;
            }
            for (int k = 0; k < width; ++k) {
                const long w = C.Length(first + k) + 1;
                allWork += w;
                if (t < FInner || Levels == 1) innerWork += w;
            }
            first += width;
        }
        FTaskEnd.push_back(FBlocks.size());
    }
    FTopShare = allWork > 0 ? static_cast<double>(innerWork) / static_cast<double>(allWork) : 1;
    FWork.assign(static_cast<size_t>(n) + static_cast<size_t>(tasks - 1) * FTop.size(), 0.0);
    FUnits = std::make_unique<TSolveWorker::TSlot[]>(static_cast<size_t>(2 * tasks - 1));
}

void TLdlSolve::AddBlock(const TColumns& C, int First, int Width, std::vector<int>& Position)
{
    TLdlBlock b;
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
    return FBlocks.empty() ? 0 : static_cast<double>(FN) / static_cast<double>(FBlocks.size());
}

void TLdlSolve::Solve(std::span<double> X)
{
    if (X.size() != static_cast<size_t>(FN))
        throw EKPError(QStringLiteral("Die rechte Seite hat %1 Einträge, die Zerlegung %2.").arg(X.size()).arg(FN));
    std::copy(X.begin(), X.end(), FWork.begin());
    SolveWorkspace();
    std::copy(FWork.begin(), FWork.begin() + FN, X.begin());
}

std::span<const TLdlBlock> TLdlSolve::TaskBlocks(int Task) const
{
    const size_t from = Task == 0 ? 0 : FTaskEnd[static_cast<size_t>(Task) - 1];
    return std::span<const TLdlBlock>(FBlocks).subspan(from, FTaskEnd[static_cast<size_t>(Task)] - from);
}

std::pair<size_t, size_t> TLdlSolve::TopRows(int Task) const
{
    return {Task == 0 ? 0 : FTopEnd[static_cast<size_t>(Task) - 1], FTopEnd[static_cast<size_t>(Task)]};
}

template <class TFn>
void TLdlSolve::ForRowsAbove(int Task, TFn Fn) const
{
    for (int a = Task; a > 0;) {
        a = (a - 1) / 2;
        const auto [from, to] = TopRows(a);
        Fn(from, to);
    }
}

void TLdlSolve::Forward(int Task)
{
    double* x = FWork.data();
    // Only the rows of the tasks above are written into the copy.
    double* copy = Task > 0 ? Copy(Task) : nullptr;
    ForRowsAbove(Task, [copy](size_t From, size_t To) { std::fill(copy + From, copy + To, 0.0); });
    if (Task < FInner) {
        // The task's rows take its parts' updates, in a fixed order.
        const auto [from, to] = TopRows(Task);
        const int depth = FLevels - 1 - LevelOf(Task);
        for (size_t s = from; s < to; ++s) {
            double sum = 0;
            for (int d = 1; d <= depth; ++d) {
                const TRange r = Descendants(Task, d);
                for (int q = r.From; q < r.To; ++q) sum += Copy(q)[s];
            }
            x[FTop[s]] += sum;
        }
    }
    ForwardBlocks(x, TaskBlocks(Task), FRows.data(), FValues.data(), FInvD.data());
}

void TLdlSolve::Backward(int Task)
{
    double* x = FWork.data();
    double* copy = Task > 0 ? Copy(Task) : nullptr;
    ForRowsAbove(Task, [&](size_t From, size_t To) {
        for (size_t s = From; s < To; ++s) copy[s] = x[FTop[s]];
    });
    BackwardBlocks(x, TaskBlocks(Task), FRows.data(), FValues.data());
}

bool TLdlSolve::TryRun(int Unit)
{
    return TSolveWorker::RunOnce(FUnits[static_cast<size_t>(Unit)], FSolves, [this, Unit] { RunUnit(Unit); });
}

void TLdlSolve::WaitFor(int Unit)
{
    // A unit that is not done after many times the length of a solve waits
    // for a thread the system stopped: then the core is given up to it.
    constexpr int PausesBeforeYield = 4096;
    const std::atomic<std::uint64_t>& done = FUnits[static_cast<size_t>(Unit)].Done;
    for (int pauses = 0; done.load(std::memory_order_acquire) != FSolves;) {
        if (TryRun(Unit)) return;
        if (++pauses < PausesBeforeYield)
            TSolveWorker::Pause();
        else
            std::this_thread::yield();
    }
}

void TLdlSolve::RunUnit(int Unit)
{
    if (Unit == 0) {
        WaitFor(1);
        WaitFor(2);
        Forward(0);
        Backward(0);
    } else if (Unit < Tasks()) {
        if (Unit < FInner) {
            WaitFor(2 * Unit + 1);
            WaitFor(2 * Unit + 2);
        }
        Forward(Unit);
    } else {
        const int task = Unit - Tasks() + 1;
        WaitFor(BackwardUnit((task - 1) / 2));
        Backward(task);
    }
}

void TLdlSolve::RunPart(void* Self, int Part)
{
    TLdlSolve& s = *static_cast<TLdlSolve*>(Self);
    for (int level = s.FLevels - 1; level > 0; --level)
        for (int q = Part; q < (1 << level); q += s.FThreads) s.TryRun(TaskOfLevel(level, q));
    if (Part == 0) s.TryRun(0);
    for (int level = 1; level < s.FLevels; ++level)
        for (int q = Part; q < (1 << level); q += s.FThreads) s.TryRun(s.BackwardUnit(TaskOfLevel(level, q)));
    // The solve is done when every unit is, whichever thread ran it.
    if (Part == 0)
        for (int u = 0; u < 2 * s.Tasks() - 1; ++u) s.WaitFor(u);
}

void TLdlSolve::SolveWorkspace()
{
    if (FTaskEnd.empty()) return;
    if (FLevels == 1) {
        Forward(0);
        Backward(0);
        return;
    }
    ++FSolves;
    TSolveWorker* worker = TSolveWorker::Shared();
    FThreads = worker ? std::min(worker->Threads(), 1 << (FLevels - 1)) : 1;
    if (FThreads > 1)
        worker->Run(&TLdlSolve::RunPart, this, FThreads);
    else
        RunPart(this, 0);
}

int TLdlSolve::DefaultLevels()
{
    return TSolveWorker::SharedThreads() >= 4 ? 3 : 2;
}
