#pragma once

// Splitting a factor's columns into independent parts and the columns they
// depend on, for a solve on several threads.
//
// In the elimination tree of a factor (column j's parent is its first row
// below the diagonal) the columns of two disjoint subtrees never update each
// other: only their common ancestors. The split takes the subtrees hanging
// below a few top columns and deals them into two parts of about equal work;
// the top columns, few in a mesh's factor, are solved between the parts.

#include <vector>

// Column j belongs to part Part[j]: 0 or 1, or Top for the columns above
// both. Empty when no useful split exists (a chain, more than MaxTop of
// the work on top, where one thread works, the parts far from equal, or too
// little work to share).
enum : signed char { TopPart = 2 };
constexpr double MaxTopShare = 0.2;
std::vector<signed char> PartitionColumns(const std::vector<int>& Parent, const std::vector<long>& Work,
                                          long MinWork, double MaxTop = MaxTopShare);

// The columns as a tree of tasks, split in two again and again, at most
// MaxLevels deep: task 0 holds the top columns of the first split, tasks 1
// and 2 its parts, and in general task t's parts are tasks 2t + 1 and
// 2t + 2 and t keeps the columns above them. A level is split wholly or not
// at all, so that every leaf lies on the deepest level. Levels is 1 (every
// column in task 0) when not even the first split is useful.
std::vector<signed char> SplitColumnsInLevels(const std::vector<int>& Parent, const std::vector<long>& Work,
                                              long MinWork, int MaxLevels, int& Levels);
