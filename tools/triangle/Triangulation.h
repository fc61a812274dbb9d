#pragma once

#include "Cdt.h"
#include "InputFiles.h"

#include <vector>

namespace tri {

// Inserts the input vertices (each one a vertex of its own: coincident vertices are
// an error) and the segments as constraints (crossing segments are an error). When
// the input has no segments, the convex hull edges become the constraints, so the
// domain is the convex hull. Returns the vertex handle of every input vertex.
std::vector<VertexHandle> buildTriangulation(Cdt& cdt, const MeshInput& in);

// True when the domain is the convex hull of the vertices (no segments given).
bool domainIsConvexHull(const MeshInput& in);

}  // namespace tri
