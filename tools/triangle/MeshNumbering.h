#pragma once

#include "Cdt.h"
#include "InputFiles.h"
#include "OutputFiles.h"
#include "Refinement.h"
#include "Regions.h"

#include <cstddef>
#include <vector>

namespace tri {

// The part of a mesh that is written, in output order, found in one pass over its
// faces.
struct NumberedMesh {
    // Input vertices in input order, then the used added points sorted by
    // coordinates (a deterministic order); info().out of each is its position.
    std::vector<VertexHandle> written;
    // The in-domain triangles, counter-clockwise, each starting at its lowest vertex,
    // sorted.
    std::vector<MeshOutput::Triangle> triangles;
    // By output position: the vertex is an end of an edge between the domain and its
    // outside, or of a constrained edge.
    std::vector<char> onBoundary;
    std::vector<char> onConstraint;
    std::size_t added = 0;
    double minAngle = 180.0; // smallest angle of a triangle, degrees
};

// Numbers the vertices and orders the triangles of the domain of mesh. Every
// triangle is checked to be counter-clockwise and, with bounds, within its
// region's maximum area; throws tri::Error (an internal error) when one is not,
// or when an input vertex is not part of the mesh.
NumberedMesh numberMesh(const Cdt& mesh, const std::vector<Component>& comps, const MeshInput& in,
                        const AreaBounds* bounds);

} // namespace tri
