#pragma once

#include "Cdt.h"
#include "InputFiles.h"
#include "Regions.h"

#include <cstddef>

namespace tri {

// Maximum triangle area at a place: the global bound (a<area>) and, with the switch
// a alone, the maximum area of the region the place lies in.
class AreaBounds {
public:
  AreaBounds(double globalMaxArea, bool regional, const MeshInput& in, const ComponentLocator& locator)
    : global_(globalMaxArea), regional_(regional), in_(in), locator_(locator)
  {
  }

  // +infinity when nothing limits the area.
  double forComponent(const Component& c) const;
  // Bound for a face of the refined mesh, found through its centroid.
  double at(const Point& centroid) const;
  bool limited() const;

private:
  double global_;  // <= 0: none
  bool regional_;
  const MeshInput& in_;
  const ComponentLocator& locator_;
};

// Refines the in-domain faces of cdt (whose in-domain flags must be set) with CGAL's
// Delaunay mesher until every in-domain triangle has a minimum angle of at least
// minAngle degrees (0: no angle criterion; at most about 20.7) and an area within
// its bound. Throws tri::Error when more than maxAdded points would be needed or
// the work takes longer than maxSeconds. Returns the number of points added.
std::size_t refineMesh(Cdt& cdt, double minAngle, const AreaBounds& bounds, std::size_t maxAdded,
                       double maxSeconds);

}  // namespace tri
