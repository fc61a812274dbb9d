#include "Refinement.h"

#include "Errors.h"
#include "NumberText.h"

#include <CGAL/Delaunay_mesher_2.h>
#include <CGAL/Mesh_2/Face_badness.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <numbers>
#include <utility>

namespace tri {

double AreaBounds::forComponent(const Component& c) const
{
  double bound = global_ > 0.0 ? global_ : std::numeric_limits<double>::infinity();
  if (regional_ && c.region >= 0) {
    const double regionArea = in_.regions[static_cast<std::size_t>(c.region)].maxArea;
    if (regionArea > 0.0)
      bound = std::min(bound, regionArea);
  }
  return bound;
}

double AreaBounds::at(const Point& centroid) const
{
  const double bound = global_ > 0.0 ? global_ : std::numeric_limits<double>::infinity();
  if (!regional_ || in_.regions.empty())
    return bound;
  const int c = locator_.at(centroid);
  if (c < 0)
    return bound;
  return forComponent(locator_.components()[static_cast<std::size_t>(c)]);
}

bool AreaBounds::limited() const
{
  if (global_ > 0.0)
    return true;
  if (!regional_)
    return false;
  return std::any_of(in_.regions.begin(), in_.regions.end(), [](const MeshInput::Region& r) { return r.maxArea > 0.0; });
}

namespace {

// Mesh criteria for CGAL::Delaunay_mesher_2: the minimum-angle test of CGAL's own
// criteria, and a maximum area per face that depends on the region the face lies in.
// A face above its area bound is "imperatively bad" (refined even next to small
// input angles), one with too small an angle is "bad".
class RegionCriteria {
public:
  using Face_handle = FaceHandle;

  // first: squared sine of the smallest angle; second: area / area bound.
  struct Quality : public std::pair<double, double> {
    Quality() : std::pair<double, double>(0.0, 0.0) {}
    Quality(double sine, double size) : std::pair<double, double>(sine, size) {}
    double sine() const { return first; }
    double size() const { return second; }
    // q1 < q2: q1 is refined first (the largest oversize, then the smallest angle).
    bool operator<(const Quality& q) const
    {
      if (size() > 1.0)
        return q.size() > 1.0 ? size() > q.size() : true;
      if (q.size() > 1.0)
        return false;
      return sine() < q.sine();
    }
  };

  class Is_bad {
  public:
    Is_bad(double sineBound, const AreaBounds* bounds) : sineBound_(sineBound), bounds_(bounds) {}

    CGAL::Mesh_2::Face_badness operator()(const Quality& q) const
    {
      if (q.size() > 1.0)
        return CGAL::Mesh_2::IMPERATIVELY_BAD;
      if (q.sine() < sineBound_)
        return CGAL::Mesh_2::BAD;
      return CGAL::Mesh_2::NOT_BAD;
    }

    CGAL::Mesh_2::Face_badness operator()(const Face_handle& fh, Quality& q) const
    {
      const Point& pa = fh->vertex(0)->point();
      const Point& pb = fh->vertex(1)->point();
      const Point& pc = fh->vertex(2)->point();
      const double area = CGAL::area(pa, pb, pc);

      q.second = 0.0;
      const double bound = bounds_->at(CGAL::centroid(pa, pb, pc));
      if (std::isfinite(bound)) {
        q.second = area / bound;
        if (q.size() > 1.0) {
          q.first = 1.0;
          return CGAL::Mesh_2::IMPERATIVELY_BAD;
        }
      }

      // Squared sine of the smallest angle, opposite the shortest edge.
      const double a = CGAL::squared_distance(pb, pc);
      const double b = CGAL::squared_distance(pc, pa);
      const double c = CGAL::squared_distance(pa, pb);
      double longest = 0.0, second = 0.0;
      if (a <= b && a <= c) {
        longest = b;
        second = c;
      } else if (b <= a && b <= c) {
        longest = a;
        second = c;
      } else {
        longest = a;
        second = b;
      }
      const double twiceArea = 2.0 * area;
      q.first = (twiceArea * twiceArea) / (longest * second);
      return operator()(q);
    }

  private:
    double sineBound_;
    const AreaBounds* bounds_;
  };

  RegionCriteria(double sineBound, const AreaBounds* bounds) : sineBound_(sineBound), bounds_(bounds) {}

  Is_bad is_bad_object() const { return Is_bad(sineBound_, bounds_); }

private:
  double sineBound_;
  const AreaBounds* bounds_;
};

}  // namespace

std::size_t refineMesh(Cdt& cdt, double minAngle, const AreaBounds& bounds, std::size_t maxAdded,
                       double maxSeconds)
{
  const auto start = std::chrono::steady_clock::now();
  double sineBound = 0.0;
  if (minAngle > 0.0) {
    const double s = std::sin(minAngle * std::numbers::pi / 180.0);
    sineBound = std::min(s * s, 0.125);  // 0.125: the bound for which termination is proven
  }
  const RegionCriteria criteria(sineBound, &bounds);
  CGAL::Delaunay_mesher_2<Cdt, RegionCriteria> mesher(cdt, criteria);
  mesher.init(true);  // the domain is marked by the caller

  const std::size_t first = cdt.number_of_vertices();
  const std::size_t maxSteps = 4 * maxAdded + 1000;
  const std::size_t maxIdleSteps = 100'000;  // steps in a row that insert no point
  std::size_t steps = 0, idle = 0, lastCount = first;
  while (!mesher.is_refinement_done()) {
    mesher.step_by_step_refine_mesh();
    ++steps;
    const std::size_t count = cdt.number_of_vertices();
    idle = count == lastCount ? idle + 1 : 0;
    lastCount = count;
    if (idle > maxIdleSteps)
      throw Error("refinement makes no progress (the input is too fine for double precision)");
    if (count - first > maxAdded || steps > maxSteps)
      throw Error("refinement stopped after adding " + std::to_string(cdt.number_of_vertices() - first) +
                  " points (the limit is " + std::to_string(maxAdded) +
                  "): the maximum area is too small for the domain or the input is too fine");
    // The clock is read rarely: a step costs far less than reading it.
    if (steps % 1024 == 0) {
      const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      if (seconds > maxSeconds)
        throw Error("refinement stopped after " + formatDouble(std::round(seconds)) + " s (the limit is " +
                    formatDouble(maxSeconds) + " s) having added " +
                    std::to_string(cdt.number_of_vertices() - first) +
                    " points: the maximum area is too small for the domain or the input is too fine");
    }
  }
  return cdt.number_of_vertices() - first;
}

}  // namespace tri
