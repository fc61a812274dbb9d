#pragma once

#include "InputFiles.h"
#include "Options.h"
#include "OutputFiles.h"
#include "PhaseTimes.h"

#include <cstddef>
#include <string>
#include <vector>

namespace tri {

struct MeshReport {
  std::size_t inputVertices = 0;
  std::size_t addedVertices = 0;  // written points that are not input vertices
  std::size_t triangles = 0;
  std::size_t ignoredRegionSeeds = 0;
  double minAngle = 0.0;  // smallest angle of a written triangle, degrees
  PhaseTimes phases;
};

// Default limits of refinement: added points and seconds; refinement that needs
// more fails, and work estimated to need more is refused before it starts.
constexpr std::size_t kDefaultMaxAddedPoints = 3'000'000;
constexpr double kDefaultMaxSeconds = 120.0;

struct Limits {
  std::size_t maxAdded = kDefaultMaxAddedPoints;
  double maxSeconds = kDefaultMaxSeconds;
};

// Triangulates (and with q or a refines) the domain of the input and returns the
// mesh to write. Throws tri::Error for input that cannot be meshed.
MeshOutput makeMesh(const MeshInput& in, const Options& options, const Limits& limits, MeshReport& report);

}  // namespace tri
