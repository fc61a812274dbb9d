#pragma once

#include <array>
#include <vector>

// Delaunay triangulation of scattered plan points (Bowyer–Watson). The
// triangles index Xs/Ys and run counter-clockwise (0, 1, 2 turn left).
// A point that repeats an earlier one (within a millionth of the extent) is
// left out; fewer than three distinct points, or points on one line, give no
// triangle. Non-finite coordinates are left out as well.
using TTriangle = std::array<int, 3>;
std::vector<TTriangle> DelaunayTriangulate(const std::vector<double>& Xs, const std::vector<double>& Ys);
