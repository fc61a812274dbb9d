#include "model/fe/LdlPartition.h"

#include <algorithm>
#include <numeric>

namespace {

// At most this share of the work may sit on top, where one thread works.
constexpr double MaxTopShare = 0.2;
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
                                          long MinWork)
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
        if (static_cast<double>(top) > MaxTopShare * static_cast<double>(total)) return {};
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
