// Splitting an elimination tree into two parts of about equal work below a
// few top columns.

#include "model/fe/LdlPartition.h"
#include "model/fe/SolveWorker.h"

#include <gtest/gtest.h>

#include <atomic>
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

TEST(SolveWorker, RunsTheSecondHalfOnAnotherThreadAndWaitsForIt)
{
    TSolveWorker worker;
    struct TContext {
        std::thread::id Thread[2];
        std::atomic<int> Done{0};
    } context;
    for (int k = 0; k < 1000; ++k)
        worker.RunPair(
            [](void* C, int Part) {
                auto& c = *static_cast<TContext*>(C);
                c.Thread[Part] = std::this_thread::get_id();
                c.Done.fetch_add(1);
            },
            &context);
    EXPECT_EQ(context.Done.load(), 2000);
    EXPECT_EQ(context.Thread[0], std::this_thread::get_id());
    EXPECT_NE(context.Thread[1], std::this_thread::get_id());
    // Two threads at once: one of them runs both halves itself.
    std::atomic<int> total{0};
    const auto use = [&] {
        for (int k = 0; k < 2000; ++k)
            worker.RunPair([](void* C, int) { static_cast<std::atomic<int>*>(C)->fetch_add(1); }, &total);
    };
    std::thread other(use);
    use();
    other.join();
    EXPECT_EQ(total.load(), 8000);
}
