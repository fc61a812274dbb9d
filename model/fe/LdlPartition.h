#pragma once

// Splitting a factor's columns into two independent parts and the columns
// both depend on, for a solve on two threads.
//
// In the elimination tree of a factor (column j's parent is its first row
// below the diagonal) the columns of two disjoint subtrees never update each
// other: only their common ancestors. The split takes the subtrees hanging
// below a few top columns and deals them into two parts of about equal work;
// the top columns, few in a mesh's factor, are solved between the parts.

#include <vector>

// Column j belongs to part Part[j]: 0 or 1, or Top for the columns above
// both. Empty when no useful split exists (a chain, too much on top, the
// parts far from equal, or too little work to share).
enum : signed char { TopPart = 2 };
std::vector<signed char> PartitionColumns(const std::vector<int>& Parent, const std::vector<long>& Work,
                                          long MinWork);
