#pragma once

#include <chrono>

namespace tri {

// Wall-clock seconds of the generator's phases, printed with -V: they show where a
// run goes besides CGAL's mesher.
struct PhaseTimes {
  double read = 0.0;         // input file
  double triangulate = 0.0;  // constrained Delaunay triangulation of the input
  double regions = 0.0;      // flood fill of components, seeds, domain, input checks, work estimate
  double refine = 0.0;       // CGAL's mesher
  double markers = 0.0;      // boundary markers and attributes of the written points
  double sort = 0.0;         // pass over the mesh's faces, numbering of added points and triangles
  double write = 0.0;        // output files
};

// Seconds since the last lap (or since construction).
class Stopwatch {
public:
  double lap()
  {
    const auto now = std::chrono::steady_clock::now();
    const double s = std::chrono::duration<double>(now - last_).count();
    last_ = now;
    return s;
  }

private:
  std::chrono::steady_clock::time_point last_ = std::chrono::steady_clock::now();
};

}  // namespace tri
