#include "model/fe/LdlPartition.h"

#include <algorithm>
#include <numeric>

namespace {

// The smaller part must carry at least this share of the two parts' work.
constexpr double MinSmallerShare = 0.35;

struct TTree {
    std::vector<std::vector<int>> Children;
    std::vector<int> Roots;
    std::vector<long> SubtreeWork;
    std::vector<int> FirstColumn; // the first column of a subtree
};

// Parents lie after their children, as in every elimination tree.
bool MakeTree(const std::vector<int>& Parent, const std::vector<long>& Work, TTree& T)
{
    const int n = static_cast<int>(Parent.size());
    T.Children.assign(static_cast<size_t>(n), {});
    T.SubtreeWork.assign(Work.begin(), Work.end());
    T.FirstColumn.resize(static_cast<size_t>(n));
    std::iota(T.FirstColumn.begin(), T.FirstColumn.end(), 0);
    std::vector<int> size(static_cast<size_t>(n), 1);
    for (int j = 0; j < n; ++j) {
        const int p = Parent[static_cast<size_t>(j)];
        if (p < 0) {
            T.Roots.push_back(j);
            continue;
        }
        if (p <= j || p >= n) return false;
        const auto sj = static_cast<size_t>(j), sp = static_cast<size_t>(p);
        T.Children[sp].push_back(j);
        T.SubtreeWork[sp] += T.SubtreeWork[sj];
        T.FirstColumn[sp] = std::min(T.FirstColumn[sp], T.FirstColumn[sj]);
        size[sp] += size[sj];
    }
    // Every subtree a run of consecutive columns (a postordered tree): a
    // part is then a set of column ranges.
    for (int j = 0; j < n; ++j)
        if (j - T.FirstColumn[static_cast<size_t>(j)] + 1 != size[static_cast<size_t>(j)]) return false;
    return true;
}

} // namespace

std::vector<signed char> PartitionColumns(const std::vector<int>& Parent, const std::vector<long>& Work,
                                          long MinWork, double MaxTop)
{
    const long total = std::accumulate(Work.begin(), Work.end(), 0L);
    TTree tree;
    if (Parent.size() != Work.size() || total < MinWork || !MakeTree(Parent, Work, tree)) return {};
    // Open the heaviest subtree until none outweighs the others together.
    std::vector<int> candidates = tree.Roots;
    long top = 0;
    const auto heavier = [&](int a, int b) {
        return tree.SubtreeWork[static_cast<size_t>(a)] < tree.SubtreeWork[static_cast<size_t>(b)];
    };
    for (;;) {
        if (candidates.empty()) return {};
        const auto heaviest = std::max_element(candidates.begin(), candidates.end(), heavier);
        const int c = *heaviest;
        if (candidates.size() >= 2 && 2 * tree.SubtreeWork[static_cast<size_t>(c)] <= total - top) break;
        top += Work[static_cast<size_t>(c)];
        if (static_cast<double>(top) > MaxTop * static_cast<double>(total)) return {};
        candidates.erase(heaviest);
        const std::vector<int>& children = tree.Children[static_cast<size_t>(c)];
        candidates.insert(candidates.end(), children.begin(), children.end());
        if (candidates.empty()) return {};
    }
    // Heaviest first into the lighter part.
    std::sort(candidates.begin(), candidates.end(), [&](int a, int b) { return heavier(b, a); });
    std::vector<signed char> part(Parent.size(), TopPart);
    long load[2] = {0, 0};
    for (const int c : candidates) {
        const int p = load[0] <= load[1] ? 0 : 1;
        load[p] += tree.SubtreeWork[static_cast<size_t>(c)];
        std::fill(part.begin() + tree.FirstColumn[static_cast<size_t>(c)], part.begin() + c + 1,
                  static_cast<signed char>(p));
    }
    if (static_cast<double>(std::min(load[0], load[1])) < MinSmallerShare * static_cast<double>(load[0] + load[1]))
        return {};
    return part;
}

namespace {

// A split below the first may leave more on its top, which fewer threads
// share than its parts.
constexpr double MaxInnerTopShare = 0.3;

// The columns of one task as a forest of their own: the columns renumbered
// in order, a parent outside the task a root.
void SubForest(const std::vector<int>& Parent, const std::vector<long>& Work, const std::vector<int>& Columns,
               std::vector<int>& SubParent, std::vector<long>& SubWork)
{
    std::vector<int> local(Parent.size(), -1);
    for (size_t k = 0; k < Columns.size(); ++k) local[static_cast<size_t>(Columns[k])] = static_cast<int>(k);
    SubParent.resize(Columns.size());
    SubWork.resize(Columns.size());
    for (size_t k = 0; k < Columns.size(); ++k) {
        const int p = Parent[static_cast<size_t>(Columns[k])];
        SubParent[k] = p < 0 ? -1 : local[static_cast<size_t>(p)];
        SubWork[k] = Work[static_cast<size_t>(Columns[k])];
    }
}

} // namespace

std::vector<signed char> SplitColumnsInLevels(const std::vector<int>& Parent, const std::vector<long>& Work,
                                              long MinWork, int MaxLevels, int& Levels)
{
    // Task numbers must fit the element type.
    constexpr int DeepestLevels = 6;
    Levels = 1;
    std::vector<signed char> task(Parent.size(), 0);
    std::vector<signed char> next;
    std::vector<int> columns, subParent;
    std::vector<long> subWork;
    for (int level = 1; level < std::min(MaxLevels, DeepestLevels); ++level) {
        // Split every task of the deepest level, or keep the levels so far.
        next = task;
        const int firstTask = (1 << (level - 1)) - 1;
        for (int t = firstTask; t < 2 * firstTask + 1; ++t) {
            columns.clear();
            for (size_t j = 0; j < task.size(); ++j)
                if (task[j] == t) columns.push_back(static_cast<int>(j));
            SubForest(Parent, Work, columns, subParent, subWork);
            const bool first = level == 1;
            const std::vector<signed char> part = PartitionColumns(subParent, subWork, first ? MinWork : 0,
                                                                   first ? MaxTopShare : MaxInnerTopShare);
            if (part.empty()) return task;
            for (size_t k = 0; k < columns.size(); ++k)
                if (part[k] != TopPart)
                    next[static_cast<size_t>(columns[k])] = static_cast<signed char>(2 * t + 1 + part[k]);
        }
        task.swap(next);
        Levels = level + 1;
    }
    return task;
}
