// Splitting an elimination tree into parts of about equal work below a few
// top columns, and the threads that run the parts.

#include "model/fe/LdlPartition.h"
#include "model/fe/SolveWorker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

// Two equal chains of Half columns below a chain of Top columns.
std::vector<int> TwoChainsBelowATop(int Half, int Top)
{
    std::vector<int> parent;
    for (int side = 0; side < 2; ++side)
        for (int k = 0; k < Half; ++k) parent.push_back(k + 1 < Half ? static_cast<int>(parent.size()) + 1 : 2 * Half);
    for (int k = 0; k < Top; ++k) parent.push_back(k + 1 < Top ? 2 * Half + k + 1 : -1);
    return parent;
}

// Two copies of Tree side by side below a chain of Top columns.
std::vector<int> TwoBelowATop(const std::vector<int>& Tree, int Top)
{
    const int m = static_cast<int>(Tree.size());
    std::vector<int> parent;
    for (int side = 0; side < 2; ++side)
        for (const int p : Tree) parent.push_back(p < 0 ? 2 * m : p + side * m);
    for (int k = 0; k < Top; ++k) parent.push_back(k + 1 < Top ? 2 * m + k + 1 : -1);
    return parent;
}

} // namespace

TEST(LdlPartition, SplitsOnlyWhereTwoThreadsGain)
{
    struct TCase {
        const char* name;
        std::vector<int> parent;
        long minWork;
        std::vector<signed char> want; // empty: no split
    };
    const TCase cases[] = {
        {"two chains below a top", TwoChainsBelowATop(3, 1), 0, {0, 0, 0, 1, 1, 1, TopPart}},
        {"a forest needs no top", {-1, -1, -1, -1}, 0, {0, 1, 0, 1}},
        {"a chain", {1, 2, 3, -1}, 0, {}},
        {"too much on top", TwoChainsBelowATop(2, 3), 0, {}},
        {"one side far heavier", {1, 2, 3, 4, 5, 7, 7, -1}, 0, {}},
        {"too little work", TwoChainsBelowATop(3, 1), 100, {}},
        {"not postordered", {3, 3, 4, 4, -1}, 0, {}},
        {"a parent before its child", {-1, 0}, 0, {}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<long> work(c.parent.size(), 1);
        EXPECT_EQ(PartitionColumns(c.parent, work, c.minWork), c.want);
    }
}

// Tasks numbered level by level: 0 the top, 1 and 2 its parts, 3 … 6 theirs.
TEST(LdlPartition, SplitsInLevelsWhereEveryPartSplitsAgain)
{
    const std::vector<int> twoChains = TwoChainsBelowATop(3, 1); // 7 columns
    const std::vector<int> chain = {1, 2, 3, 4, 5, 6, -1};
    struct TCase {
        const char* name;
        std::vector<int> parent;
        int maxLevels;
        int wantLevels;
        std::vector<signed char> want;
    };
    const TCase cases[] = {
        {"two levels asked for", TwoBelowATop(twoChains, 1), 2, 2,
         {1, 1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 2, 2, 0}},
        {"three levels", TwoBelowATop(twoChains, 1), 3, 3,
         {3, 3, 3, 4, 4, 4, 1, 5, 5, 5, 6, 6, 6, 2, 0}},
        {"more levels than the tree has", TwoBelowATop(twoChains, 1), 6, 3,
         {3, 3, 3, 4, 4, 4, 1, 5, 5, 5, 6, 6, 6, 2, 0}},
        {"the parts are chains: two levels", TwoBelowATop(chain, 1), 3, 2,
         {1, 1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 2, 2, 0}},
        {"one level asked for", TwoBelowATop(twoChains, 1), 1, 1, std::vector<signed char>(15, 0)},
        {"a chain", chain, 3, 1, std::vector<signed char>(7, 0)},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<long> work(c.parent.size(), 1);
        int levels = 0;
        EXPECT_EQ(SplitColumnsInLevels(c.parent, work, 0, c.maxLevels, levels), c.want);
        EXPECT_EQ(levels, c.wantLevels);
    }
}

TEST(SolveWorker, RunsEveryPartOnceAndWaitsForThem)
{
    struct TContext {
        std::thread::id Caller = std::this_thread::get_id();
        std::atomic<int> Runs[6] = {};
        std::atomic<int> ElsewhereRuns{0};
        std::atomic<int> CallersPartElsewhere{0};
        int Threads = 1;
        bool WaitForAHelper = true;
    };
    // Part p on thread p mod threads, thread 0 the caller; a part a helper
    // has not taken up when the caller is done with its own, the caller
    // runs, so only the caller's own parts are sure to run on it.
    for (const int helpers : {1, 3}) {
        SCOPED_TRACE(helpers);
        TSolveWorker worker(helpers);
        EXPECT_EQ(worker.Threads(), helpers + 1);
        for (const int parts : {2, 6}) {
            TContext context;
            context.Threads = worker.Threads();
            for (int k = 0; k < 500; ++k, context.WaitForAHelper = false)
                worker.Run(
                    [](void* C, int Part) {
                        auto& c = *static_cast<TContext*>(C);
                        c.Runs[Part].fetch_add(1);
                        // In the first job the caller gives the helpers time to take up theirs.
                        const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(200);
                        if (std::this_thread::get_id() == c.Caller) {
                            while (c.WaitForAHelper && c.ElsewhereRuns.load() == 0 &&
                                   std::chrono::steady_clock::now() < until)
                                std::this_thread::yield();
                            return;
                        }
                        c.ElsewhereRuns.fetch_add(1);
                        if (Part % c.Threads == 0) c.CallersPartElsewhere.fetch_add(1);
                    },
                    &context, parts);
            for (int p = 0; p < parts; ++p) EXPECT_EQ(context.Runs[p].load(), 500) << p;
            EXPECT_GT(context.ElsewhereRuns.load(), 0);
            EXPECT_EQ(context.CallersPartElsewhere.load(), 0);
        }
    }
    // Two threads at once: one of them runs every part itself.
    TSolveWorker worker(2);
    std::atomic<int> total{0};
    const auto use = [&] {
        for (int k = 0; k < 2000; ++k)
            worker.Run([](void* C, int) { static_cast<std::atomic<int>*>(C)->fetch_add(1); }, &total, 3);
    };
    std::thread other(use);
    use();
    other.join();
    EXPECT_EQ(total.load(), 12000);
}
