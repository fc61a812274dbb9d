#pragma once

#include "InputFiles.h"
#include "OutputFiles.h"

namespace tri {

// Map coordinates run to millions of metres while a probe field spans tens:
// meshed there, every added point carries the rounding of the large numbers,
// and the same field meshes differently at different places. The input is
// therefore meshed relative to an origin of its own and moved back on output.
// The origin is only taken where moving there and back is exact for every
// input vertex, so vertices come out bit for bit as they went in.
struct LocalOrigin {
  double x = 0.0, y = 0.0;
};

// The origin for in: the lower left of its vertices' extent, or (0, 0) where
// the move would not be exact (input that lies about the origin already).
LocalOrigin chooseLocalOrigin(const MeshInput& in);

// Vertices, holes and region seeds moved by -origin.
void toLocal(MeshInput& in, const LocalOrigin& origin);

// Vertices moved by +origin.
void fromLocal(MeshOutput& out, const LocalOrigin& origin);

}  // namespace tri
