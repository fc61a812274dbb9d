#include "Triangulation.h"

#include "Errors.h"

#include <CGAL/Spatial_sort_traits_adapter_2.h>
#include <CGAL/hilbert_sort.h>
#include <CGAL/property_map.h>

#include <numeric>
#include <utility>

namespace tri {

bool domainIsConvexHull(const MeshInput& in)
{
  return in.segments.empty();
}

std::vector<VertexHandle> buildTriangulation(Cdt& cdt, const MeshInput& in)
{
  const int n = in.vertexCount();
  std::vector<Point> points;
  points.reserve(n);
  for (const MeshInput::Point& p : in.vertices)
    points.emplace_back(p.x, p.y);

  // Insert in Hilbert order (fast point location); the order is deterministic.
  std::vector<std::size_t> order(static_cast<std::size_t>(n));
  std::iota(order.begin(), order.end(), 0);
  using PointMap = CGAL::Pointer_property_map<Point>::type;
  using SortTraits = CGAL::Spatial_sort_traits_adapter_2<K, PointMap>;
  CGAL::hilbert_sort(order.begin(), order.end(), SortTraits(CGAL::make_property_map(points)));

  std::vector<VertexHandle> handles(n);
  FaceHandle hint;
  for (const std::size_t i : order) {
    const VertexHandle v = cdt.insert(points[i], hint);
    if (v->info().id != -1) {
      const int j = v->info().id;
      throw Error("vertices " + std::to_string(std::min<std::size_t>(i, static_cast<std::size_t>(j)) + static_cast<std::size_t>(in.firstIndex)) + " and " +
                  std::to_string(std::max<std::size_t>(i, static_cast<std::size_t>(j)) + static_cast<std::size_t>(in.firstIndex)) + " have the same coordinates");
    }
    v->info().id = static_cast<int>(i);
    handles[i] = v;
    hint = v->face();
  }
  if (cdt.dimension() < 2)
    throw Error("all vertices lie on one line: there is nothing to triangulate");

  for (std::size_t k = 0; k < in.segments.size(); ++k) {
    const MeshInput::Segment& s = in.segments[k];
    try {
      cdt.insert_constraint(handles[s.a], handles[s.b]);
    } catch (const Cdt::Intersection_of_constraints_exception&) {
      throw Error("segment " + std::to_string(k + in.firstIndex) + " (vertices " + std::to_string(s.a + in.firstIndex) +
                  " to " + std::to_string(s.b + in.firstIndex) + ") crosses another segment");
    }
  }

  if (domainIsConvexHull(in)) {
    std::vector<std::pair<VertexHandle, VertexHandle>> hull;
    const VertexHandle inf = cdt.infinite_vertex();
    for (auto f = cdt.all_faces_begin(); f != cdt.all_faces_end(); ++f) {
      if (!f->has_vertex(inf))
        continue;
      const int i = f->index(inf);
      hull.emplace_back(f->vertex(Cdt::cw(i)), f->vertex(Cdt::ccw(i)));
    }
    for (const auto& [a, b] : hull)
      cdt.insert_constraint(a, b);
  }
  return handles;
}

}  // namespace tri
