#include "MeshAssembly.h"

#include "Cdt.h"
#include "Errors.h"
#include "InputChecks.h"
#include "Markers.h"
#include "Refinement.h"
#include "Regions.h"
#include "Triangulation.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>
#include <tuple>

namespace tri {

namespace {

// The triangulation of the input with its components, holes, regions and domain.
struct Prepared {
  std::vector<VertexHandle> handles;
  std::vector<Component> comps;
  std::size_t ignoredSeeds = 0;
};

void label(Cdt& cdt, const MeshInput& in, Prepared& p)
{
  p.comps = labelComponents(cdt);
  p.ignoredSeeds = static_cast<std::size_t>(applySeeds(cdt, p.comps, in));
  markDomain(cdt, p.comps);
}

bool faceInDomain(const Cdt& cdt, const std::vector<Component>& comps, FaceHandle f)
{
  const int c = f->info().component;
  return !cdt.is_infinite(f) && c >= 0 && comps[static_cast<std::size_t>(c)].inDomain();
}

// Every input vertex must be a corner of a triangle of the domain.
void checkVerticesInDomain(const Cdt& cdt, const Prepared& p, const MeshInput& in)
{
  bool any = false;
  for (auto f = cdt.finite_faces_begin(); f != cdt.finite_faces_end() && !any; ++f)
    any = faceInDomain(cdt, p.comps, f);
  if (!any)
    throw Error("the segments enclose no area: there is no triangle inside the outer boundary");
  for (std::size_t i = 0; i < p.handles.size(); ++i) {
    bool used = false;
    auto fc = cdt.incident_faces(p.handles[i]), end = fc;
    do {
      used = faceInDomain(cdt, p.comps, fc);
    } while (!used && ++fc != end);
    if (!used)
      throw Error("vertex " + std::to_string(i + static_cast<std::size_t>(in.firstIndex)) +
                  " lies outside the domain (outside the outer boundary or in a hole); every vertex must belong to the mesh");
  }
}

// The smallest angle of a mesh, found without an arc tangent per triangle: the
// sharpest corner of a triangle has the largest cotangent (dot product over the
// cross product's magnitude), so only the winner's angle is computed.
class SharpestCorner {
public:
  void add(const Point& a, const Point& b, const Point& c)
  {
    corner(a, b, c);
    corner(b, c, a);
    corner(c, a, b);
  }
  double degrees() const { return found_ ? std::atan2(cross_, dot_) * 180.0 / std::numbers::pi : 180.0; }

private:
  void corner(const Point& p, const Point& q, const Point& r)
  {
    const double ux = q.x() - p.x(), uy = q.y() - p.y(), vx = r.x() - p.x(), vy = r.y() - p.y();
    const double cross = std::abs(ux * vy - uy * vx), dot = ux * vx + uy * vy;
    // dot/cross > dot_/cross_, without dividing (both crosses are positive in a valid triangle).
    if (!found_ || dot * cross_ > dot_ * cross) {
      found_ = true;
      cross_ = cross;
      dot_ = dot;
    }
  }
  bool found_ = false;
  double cross_ = 0.0, dot_ = 0.0;
};

}  // namespace

MeshOutput makeMesh(const MeshInput& in, const Options& options, const Limits& limits, MeshReport& report)
{
  Stopwatch clock;
  // The unrefined triangulation: checks, and the reference for regions and attributes.
  Cdt original;
  Prepared orig;
  orig.handles = buildTriangulation(original, in);
  report.phases.triangulate = clock.lap();
  label(original, in, orig);
  checkVerticesInDomain(original, orig, in);
  const ComponentLocator locator(original, orig.comps);
  report.ignoredRegionSeeds = orig.ignoredSeeds;
  report.inputVertices = in.vertices.size();

  const AreaBounds bounds(options.maxArea, options.regionalArea, in, locator);
  const double minAngle = options.quality ? options.minAngle : 0.0;
  if (options.refine()) {
    // Refused here, input never reaches CGAL's mesher in a state it cannot handle.
    checkGeometryForRefinement(original, orig.comps, in);
    checkRefinementWork(original, orig.comps, bounds, minAngle, limits.maxAdded);
  }
  report.phases.regions = clock.lap();

  Cdt refined;
  Cdt* mesh = &original;
  std::vector<Component> comps = orig.comps;
  if (options.refine()) {
    // A copy keeps the constraints, the domain flags and the vertex numbers.
    refined = original;
    report.phases.triangulate += clock.lap();
    refineMesh(refined, minAngle, bounds, limits.maxAdded, limits.maxSeconds);
    report.phases.refine = clock.lap();
    comps = transferComponents(refined, locator);
    for (auto f = refined.finite_faces_begin(); f != refined.finite_faces_end(); ++f)
      if (f->is_in_domain() != faceInDomain(refined, comps, f))
        throw Error("internal error: the refined domain does not match the input domain");
    mesh = &refined;
    report.phases.regions += clock.lap();
  }

  // Written vertices: input vertices in input order, then the used added points
  // sorted by coordinates (a deterministic order).
  const std::size_t n = in.vertices.size();
  std::vector<VertexHandle> written(n);
  std::vector<VertexHandle> added;
  for (auto v = mesh->finite_vertices_begin(); v != mesh->finite_vertices_end(); ++v) {
    v->info().out = -1;
    if (v->info().id >= 0)
      written[static_cast<std::size_t>(v->info().id)] = v;
  }
  for (auto f = mesh->finite_faces_begin(); f != mesh->finite_faces_end(); ++f) {
    if (!faceInDomain(*mesh, comps, f))
      continue;
    for (int i = 0; i < 3; ++i) {
      const VertexHandle v = f->vertex(i);
      if (v->info().out == -1) {
        v->info().out = -2;  // used
        if (v->info().id < 0)
          added.push_back(v);
      }
    }
  }
  for (std::size_t i = 0; i < n; ++i) {
    if (written[i] == nullptr || written[i]->info().out != -2)
      throw Error("internal error: input vertex " + std::to_string(i + static_cast<std::size_t>(in.firstIndex)) +
                  " is not part of the mesh");
    written[i]->info().out = static_cast<int>(i);
  }
  {
    // Sorting copies of the coordinates keeps the comparisons off the scattered vertices.
    struct Key {
      double x, y;
      VertexHandle v;
    };
    std::vector<Key> keys;
    keys.reserve(added.size());
    for (const VertexHandle& v : added)
      keys.push_back({v->point().x(), v->point().y(), v});
    std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) { return a.x < b.x || (a.x == b.x && a.y < b.y); });
    written.reserve(n + keys.size());
    for (std::size_t k = 0; k < keys.size(); ++k) {
      added[k] = keys[k].v;
      added[k]->info().out = static_cast<int>(written.size());
      written.push_back(added[k]);
    }
  }

  report.phases.sort = clock.lap();

  MeshOutput out;
  out.firstIndex = in.firstIndex;
  out.numAttributes = in.numAttributes;
  out.x.reserve(written.size());
  out.y.reserve(written.size());
  for (std::size_t k = 0; k < written.size(); ++k) {
    if (k < n) {  // bit for bit as read
      out.x.push_back(in.vertices[k].x);
      out.y.push_back(in.vertices[k].y);
    } else {
      out.x.push_back(written[k]->point().x());
      out.y.push_back(written[k]->point().y());
    }
  }
  const SegmentMarkers segments(in);
  const std::vector<std::pair<int, int>> pieceEnds = segmentPieceEnds(*mesh, written);
  out.markers = computeMarkers(*mesh, comps, in, segments, written, pieceEnds);
  out.attributes = computeAttributes(in, locator, written, pieceEnds);
  report.phases.markers = clock.lap();

  // Triangles, counter-clockwise, each starting at its lowest vertex, sorted.
  struct Tri {
    std::array<int, 3> v;
    double attribute;
  };
  std::vector<Tri> tris;
  tris.reserve(2 * written.size());
  SharpestCorner sharpest;
  const bool checkArea = options.refine() && bounds.limited();
  for (auto f = mesh->finite_faces_begin(); f != mesh->finite_faces_end(); ++f) {
    if (!faceInDomain(*mesh, comps, f))
      continue;
    const Point& a = f->vertex(0)->point();
    const Point& b = f->vertex(1)->point();
    const Point& c = f->vertex(2)->point();
    if (CGAL::orientation(a, b, c) != CGAL::COUNTERCLOCKWISE)
      throw Error("internal error: a triangle of the mesh is degenerate");
    const Component& comp = comps[static_cast<std::size_t>(f->info().component)];
    if (checkArea && CGAL::area(a, b, c) > bounds.forComponent(comp))
      throw Error("internal error: a triangle exceeds the maximum area of its region");
    sharpest.add(a, b, c);
    std::array<int, 3> v{f->vertex(0)->info().out, f->vertex(1)->info().out, f->vertex(2)->info().out};
    std::rotate(v.begin(), std::min_element(v.begin(), v.end()), v.end());
    tris.push_back({v, comp.region >= 0 ? in.regions[static_cast<std::size_t>(comp.region)].attribute : 0.0});
  }
  // Every triangle starts at its lowest vertex: a counting sort by that vertex leaves
  // only the few triangles around each vertex to compare.
  std::vector<std::size_t> start(written.size() + 1, 0);
  for (const Tri& t : tris)
    ++start[static_cast<std::size_t>(t.v[0]) + 1];
  for (std::size_t k = 1; k < start.size(); ++k)
    start[k] += start[k - 1];
  std::vector<Tri> sorted(tris.size());
  {
    std::vector<std::size_t> next(start.begin(), start.end() - 1);
    for (const Tri& t : tris)
      sorted[next[static_cast<std::size_t>(t.v[0])]++] = t;
  }
  for (std::size_t k = 0; k + 1 < start.size(); ++k)
    if (start[k + 1] - start[k] > 1)
      std::sort(sorted.begin() + static_cast<std::ptrdiff_t>(start[k]), sorted.begin() + static_cast<std::ptrdiff_t>(start[k + 1]),
                [](const Tri& x, const Tri& y) { return x.v < y.v; });
  out.triangleAttributes = options.regionAttributes;
  out.triangles.reserve(sorted.size());
  out.regionAttribute.reserve(sorted.size());
  for (const Tri& t : sorted) {
    out.triangles.push_back(t.v);
    out.regionAttribute.push_back(t.attribute);
  }

  report.phases.sort += clock.lap();
  report.addedVertices = added.size();
  report.triangles = tris.size();
  report.minAngle = sharpest.degrees();
  return out;
}

}  // namespace tri
