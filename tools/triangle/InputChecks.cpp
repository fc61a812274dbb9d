#include "InputChecks.h"

#include "Errors.h"
#include "NumberText.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace tri {

namespace {

// Largest width or height of the input's bounding box.
double extentOf(const MeshInput& in, double& largestCoordinate)
{
  double xmin = in.vertices.front().x, xmax = xmin, ymin = in.vertices.front().y, ymax = ymin;
  for (const MeshInput::Point& p : in.vertices) {
    xmin = std::min(xmin, p.x);
    xmax = std::max(xmax, p.x);
    ymin = std::min(ymin, p.y);
    ymax = std::max(ymax, p.y);
  }
  largestCoordinate = std::max({std::abs(xmin), std::abs(xmax), std::abs(ymin), std::abs(ymax)});
  return std::max(xmax - xmin, ymax - ymin);
}

std::string vertexName(const MeshInput& in, VertexHandle v)
{
  return "vertex " + std::to_string(v->info().id + in.firstIndex);
}

bool inDomain(const Cdt& cdt, const std::vector<Component>& comps, FaceHandle f)
{
  const int c = f->info().component;
  return !cdt.is_infinite(f) && c >= 0 && comps[static_cast<std::size_t>(c)].inDomain();
}

double faceArea(FaceHandle f)
{
  return std::abs(CGAL::area(f->vertex(0)->point(), f->vertex(1)->point(), f->vertex(2)->point()));
}

}  // namespace

void checkGeometryForRefinement(const Cdt& cdt, const std::vector<Component>& comps, const MeshInput& in)
{
  double largest = 0.0;
  const double extent = extentOf(in, largest);
  const double tolerance = kMinRelativeFeature * extent;
  const std::string advice = " (the input is too close to degenerate to be refined; the smallest distance "
                             "allowed is " + formatDouble(tolerance) + ", a tenth of a billionth of the extent " +
                             formatDouble(extent) + ")";
  if (!(extent > 0.0) || largest * kMinRelativeFeature > extent)
    throw Error("the input lies too far from the origin for its size (coordinates up to " + formatDouble(largest) +
                ", extent " + formatDouble(extent) + "): move it closer to the origin");
  // A vertex's nearest neighbour is joined to it by an edge, unless a segment
  // passes between them, which the altitude test below catches.
  for (auto e = cdt.finite_edges_begin(); e != cdt.finite_edges_end(); ++e) {
    const VertexHandle a = e->first->vertex(Cdt::cw(e->second));
    const VertexHandle b = e->first->vertex(Cdt::ccw(e->second));
    const double distance = std::sqrt(CGAL::squared_distance(a->point(), b->point()));
    if (distance < tolerance) {
      const auto [lo, hi] = std::minmax(a->info().id, b->info().id);
      throw Error("vertices " + std::to_string(lo + in.firstIndex) + " and " + std::to_string(hi + in.firstIndex) +
                  " are only " + formatDouble(distance) + " apart" + advice);
    }
  }
  for (auto f = cdt.finite_faces_begin(); f != cdt.finite_faces_end(); ++f) {
    if (!inDomain(cdt, comps, f))
      continue;
    for (int i = 0; i < 3; ++i) {
      if (!f->is_constrained(i))
        continue;
      const VertexHandle v = f->vertex(i);
      const VertexHandle a = f->vertex(Cdt::ccw(i));
      const VertexHandle b = f->vertex(Cdt::cw(i));
      const double length = std::sqrt(CGAL::squared_distance(a->point(), b->point()));
      const double altitude = 2.0 * faceArea(f) / length;
      if (altitude < tolerance)
        throw Error(vertexName(in, v) + " lies almost on the line of the segment from " + vertexName(in, a) +
                    " to " + vertexName(in, b) + advice);
    }
  }
}

double estimateAddedPoints(const Cdt& cdt, const std::vector<Component>& comps, const AreaBounds& bounds,
                           double minAngle)
{
  // A triangle whose angles are all at least alpha and whose incircle has radius r
  // has an area of at most 3 cot(alpha/2) r^2; inside a triangle enclosed by
  // segments the incircle of every triangle fits into the enclosing one's.
  const double perIncircle = minAngle > 0.0 ? 3.0 / std::tan(minAngle * std::numbers::pi / 360.0) : 0.0;
  double triangles = 0.0;
  for (auto f = cdt.finite_faces_begin(); f != cdt.finite_faces_end(); ++f) {
    if (!inDomain(cdt, comps, f))
      continue;
    const double area = faceArea(f);
    double needed = 1.0;
    const double bound = bounds.forComponent(comps[static_cast<std::size_t>(f->info().component)]);
    if (std::isfinite(bound))
      needed = std::max(needed, area / bound);
    if (perIncircle > 0.0 && f->is_constrained(0) && f->is_constrained(1) && f->is_constrained(2)) {
      double perimeter = 0.0;
      for (int i = 0; i < 3; ++i)
        perimeter += std::sqrt(CGAL::squared_distance(f->vertex(Cdt::cw(i))->point(), f->vertex(Cdt::ccw(i))->point()));
      const double inradius = 2.0 * area / perimeter;
      needed = std::max(needed, area / (perIncircle * inradius * inradius));
    }
    triangles += needed - 1.0;
  }
  // A planar triangulation has about twice as many triangles as points.
  return triangles / 2.0;
}

void checkRefinementWork(const Cdt& cdt, const std::vector<Component>& comps, const AreaBounds& bounds,
                         double minAngle, std::size_t maxAdded)
{
  const double estimate = estimateAddedPoints(cdt, comps, bounds, minAngle);
  if (!(estimate <= static_cast<double>(maxAdded)))
    throw Error("the mesh would need at least about " + formatDouble(std::round(estimate)) +
                " added points (the limit is " + std::to_string(maxAdded) +
                "): the maximum area is too small for the domain, or the domain is too thin for the "
                "minimum angle");
}

}  // namespace tri
