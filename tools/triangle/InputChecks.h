#pragma once

#include "Cdt.h"
#include "InputFiles.h"
#include "Refinement.h"
#include "Regions.h"

#include <cstddef>

namespace tri {

// Smallest feature the mesher is given, relative to the extent of the input: below
// it the mesher's constructions in double precision lose the geometry, and CGAL's
// own checks fail or refinement never ends. Georeferenced probe fields stay many
// orders of magnitude above it.
constexpr double kMinRelativeFeature = 1e-10;

// Refuses, before refinement, input that is degenerate relative to its extent:
// vertices almost on top of each other, a vertex almost on (or almost collinear
// with) a segment of a triangle of the domain, a domain too far from the origin for
// its size. cdt is the unrefined triangulation with its components.
void checkGeometryForRefinement(const Cdt& cdt, const std::vector<Component>& comps, const MeshInput& in);

// A lower estimate of the points refinement will add: every triangle within its
// area bound, and with a minimum angle (degrees, 0: none) every triangle enclosed
// by three segments filled with triangles of that quality. Infinite when the
// bounds cannot be met at all.
double estimateAddedPoints(const Cdt& cdt, const std::vector<Component>& comps, const AreaBounds& bounds,
                           double minAngle);

// Throws tri::Error when the estimate exceeds maxAdded.
void checkRefinementWork(const Cdt& cdt, const std::vector<Component>& comps, const AreaBounds& bounds,
                         double minAngle, std::size_t maxAdded);

}  // namespace tri
