#pragma once

#include "InputFiles.h"
#include "Options.h"
#include "OutputFiles.h"

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
};

// Default limit of added points; refinement that needs more fails.
constexpr std::size_t kDefaultMaxAddedPoints = 3'000'000;

// Triangulates (and with q or a refines) the domain of the input and returns the
// mesh to write. Throws tri::Error for input that cannot be meshed.
MeshOutput makeMesh(const MeshInput& in, const Options& options, std::size_t maxAdded, MeshReport& report);

}  // namespace tri
