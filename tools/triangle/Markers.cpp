#include "Markers.h"

#include "Errors.h"

#include <CGAL/Spatial_sort_traits_adapter_2.h>
#include <CGAL/hilbert_sort.h>
#include <CGAL/property_map.h>

#include <algorithm>
#include <array>
#include <cmath>

namespace tri {

namespace {

Point inputPoint(const MeshInput& in, int i)
{
  const MeshInput::Point& p = in.vertices[static_cast<std::size_t>(i)];
  return Point(p.x, p.y);
}

std::pair<int, int> ordered(int a, int b) { return a < b ? std::make_pair(a, b) : std::make_pair(b, a); }

// Neighbours of v across constrained edges.
std::vector<VertexHandle> constrainedNeighbours(const Cdt& cdt, VertexHandle v)
{
  std::vector<VertexHandle> result;
  auto ec = cdt.incident_edges(v), end = ec;
  if (ec == nullptr)
    return result;
  do {
    if (!cdt.is_infinite(*ec) && cdt.is_constrained(*ec)) {
      const FaceHandle f = ec->first;
      const int i = ec->second;
      const VertexHandle a = f->vertex(Cdt::cw(i));
      const VertexHandle b = f->vertex(Cdt::ccw(i));
      result.push_back(a == v ? b : a);
    }
  } while (++ec != end);
  return result;
}

// True when every attribute is zero and the coordinates are small enough that no
// area of three points of the domain overflows: barycentric weights are then
// finite and every interpolated attribute is exactly +0.
bool interpolatesToZero(const MeshInput& in)
{
  constexpr double kSafeCoordinate = 1e150;
  return std::all_of(in.attributes.begin(), in.attributes.end(), [](double a) { return a == 0.0; }) &&
         std::all_of(in.vertices.begin(), in.vertices.end(), [](const MeshInput::Point& p) {
           return std::abs(p.x) <= kSafeCoordinate && std::abs(p.y) <= kSafeCoordinate;
         });
}

}  // namespace

SegmentMarkers::SegmentMarkers(const MeshInput& in) : vertexMarker_(in.vertices.size(), 0)
{
  const int n = in.vertexCount();
  for (const MeshInput::Segment& s : in.segments) {
    const Point pa = inputPoint(in, s.a);
    const Point pb = inputPoint(in, s.b);
    const double xmin = std::min(pa.x(), pb.x()), xmax = std::max(pa.x(), pb.x());
    const double ymin = std::min(pa.y(), pb.y()), ymax = std::max(pa.y(), pb.y());
    // Input vertices on the segment, ordered from a to b.
    std::vector<std::pair<double, int>> on{{0.0, s.a}};
    for (int r = 0; r < n; ++r) {
      if (r == s.a || r == s.b)
        continue;
      const MeshInput::Point& q = in.vertices[static_cast<std::size_t>(r)];
      if (q.x < xmin || q.x > xmax || q.y < ymin || q.y > ymax)
        continue;
      const Point pr(q.x, q.y);
      if (CGAL::collinear_are_strictly_ordered_along_line(pa, pr, pb))
        on.emplace_back(CGAL::squared_distance(pa, pr), r);
    }
    on.emplace_back(CGAL::squared_distance(pa, pb), s.b);
    std::sort(on.begin(), on.end());
    for (std::size_t k = 0; k < on.size(); ++k) {
      int& vm = vertexMarker_[static_cast<std::size_t>(on[k].second)];
      if (vm == 0)
        vm = s.marker;
      if (k + 1 < on.size()) {
        const auto key = ordered(on[k].second, on[k + 1].second);
        const auto it = pieceMarker_.find(key);
        if (it == pieceMarker_.end())
          pieceMarker_.emplace(key, s.marker);
        else if (it->second == 0)
          it->second = s.marker;
      }
    }
  }
}

bool SegmentMarkers::pieceMarker(int a, int b, int& marker) const
{
  const auto it = pieceMarker_.find(ordered(a, b));
  if (it == pieceMarker_.end())
    return false;
  marker = it->second;
  return true;
}

std::vector<std::pair<int, int>> segmentPieceEnds(const Cdt& cdt, const std::vector<VertexHandle>& written,
                                                  const std::vector<char>& onConstraint)
{
  std::vector<std::pair<int, int>> ends(written.size(), {-1, -1});
  std::vector<char> done(written.size(), 0);
  for (std::size_t k = 0; k < written.size(); ++k) {
    const VertexHandle v = written[k];
    if (done[k] || !onConstraint[k] || v->info().id >= 0)
      continue;
    done[k] = 1;
    const std::vector<VertexHandle> next = constrainedNeighbours(cdt, v);
    if (next.size() != 2)
      continue;  // not on a segment
    // Walk along the constrained edges in both directions to the input vertices.
    std::vector<VertexHandle> chain{v};
    std::array<int, 2> endIds{-1, -1};
    for (int dir = 0; dir < 2; ++dir) {
      VertexHandle prev = v, cur = next[static_cast<std::size_t>(dir)];
      std::size_t guard = 0;
      while (cur->info().id < 0 && guard++ < written.size() + 2) {
        chain.push_back(cur);
        std::vector<VertexHandle> nn = constrainedNeighbours(cdt, cur);
        nn.erase(std::remove(nn.begin(), nn.end(), prev), nn.end());
        if (nn.size() != 1)
          break;
        prev = cur;
        cur = nn.front();
      }
      endIds[static_cast<std::size_t>(dir)] = cur->info().id;
    }
    const std::pair<int, int> e =
      endIds[0] >= 0 && endIds[1] >= 0 ? std::make_pair(endIds[0], endIds[1]) : std::make_pair(-1, -1);
    for (const VertexHandle& c : chain) {
      const int out = c->info().out;
      if (out >= 0 && c->info().id < 0) {
        ends[static_cast<std::size_t>(out)] = e;
        done[static_cast<std::size_t>(out)] = 1;
      }
    }
  }
  return ends;
}

std::vector<int> computeMarkers(const MeshInput& in, const SegmentMarkers& segments,
                                const std::vector<VertexHandle>& written,
                                const std::vector<std::pair<int, int>>& pieceEnds, const std::vector<char>& onBoundary)
{
  std::vector<int> markers(written.size(), 0);
  for (std::size_t k = 0; k < written.size(); ++k) {
    const VertexHandle v = written[k];
    const int id = v->info().id;
    int m = 0;
    if (id >= 0) {
      m = in.markers[static_cast<std::size_t>(id)];
      if (m == 0)
        m = segments.vertexMarker(id);
    } else if (pieceEnds[k].first >= 0) {
      segments.pieceMarker(pieceEnds[k].first, pieceEnds[k].second, m);
    }
    if (m == 0 && onBoundary[k])
      m = 1;
    markers[k] = m;
  }
  return markers;
}

std::vector<double> computeAttributes(const MeshInput& in, const ComponentLocator& original,
                                      const std::vector<VertexHandle>& written,
                                      const std::vector<std::pair<int, int>>& pieceEnds)
{
  const std::size_t na = static_cast<std::size_t>(in.numAttributes);
  std::vector<double> result(written.size() * na, 0.0);
  if (na == 0)
    return result;
  auto attr = [&](int vertex, std::size_t j) { return in.attributes[static_cast<std::size_t>(vertex) * na + j]; };

  // Points inside the domain are located in the unrefined triangulation in Hilbert
  // order: each walk then starts next to its point instead of across the field.
  // Without a non-zero attribute they need not be: their weights are finite, so
  // every sum is zero, which an unlocated point gets.
  const bool locate = !interpolatesToZero(in);
  std::vector<std::size_t> order;
  std::vector<Point> points(locate ? written.size() : 0, Point(0.0, 0.0));
  for (std::size_t k = 0; k < written.size() && locate; ++k)
    if (written[k]->info().id < 0 && pieceEnds[k].first < 0) {
      order.push_back(k);
      points[k] = written[k]->point();
    }
  using PointMap = CGAL::Pointer_property_map<Point>::type;
  using SortTraits = CGAL::Spatial_sort_traits_adapter_2<K, PointMap>;
  CGAL::hilbert_sort(order.begin(), order.end(), SortTraits(CGAL::make_property_map(points)));
  std::vector<FaceHandle> located(locate ? written.size() : 0, nullptr);
  for (const std::size_t k : order) {
    Cdt::Locate_type lt;
    int li = 0;
    located[k] = original.face(points[k], lt, li);
  }

  for (std::size_t k = 0; k < written.size(); ++k) {
    const VertexHandle v = written[k];
    double* out = &result[k * na];
    const int id = v->info().id;
    if (id >= 0) {
      for (std::size_t j = 0; j < na; ++j)
        out[j] = attr(id, j);
      continue;
    }
    const Point& p = v->point();
    std::array<int, 3> ids{-1, -1, -1};
    std::array<double, 3> w{0.0, 0.0, 0.0};
    if (pieceEnds[k].first >= 0) {
      const Point a = inputPoint(in, pieceEnds[k].first);
      const Point b = inputPoint(in, pieceEnds[k].second);
      const double len2 = CGAL::squared_distance(a, b);
      double t = ((p.x() - a.x()) * (b.x() - a.x()) + (p.y() - a.y()) * (b.y() - a.y())) / len2;
      t = std::clamp(t, 0.0, 1.0);
      ids = {pieceEnds[k].first, pieceEnds[k].second, -1};
      w = {1.0 - t, t, 0.0};
    } else {
      const FaceHandle f = locate ? located[k] : nullptr;
      if (f == nullptr || original.triangulation().is_infinite(f))
        continue;  // cannot happen for a point of the domain; attributes stay 0
      const Point& p0 = f->vertex(0)->point();
      const Point& p1 = f->vertex(1)->point();
      const Point& p2 = f->vertex(2)->point();
      w = {std::max(0.0, CGAL::area(p, p1, p2)), std::max(0.0, CGAL::area(p0, p, p2)),
           std::max(0.0, CGAL::area(p0, p1, p))};
      const double sum = w[0] + w[1] + w[2];
      if (!(sum > 0.0))
        w = {1.0, 0.0, 0.0};
      else
        for (double& x : w)
          x /= sum;
      ids = {f->vertex(0)->info().id, f->vertex(1)->info().id, f->vertex(2)->info().id};
    }
    for (std::size_t j = 0; j < na; ++j) {
      double value = 0.0;
      for (int c = 0; c < 3; ++c)
        if (ids[static_cast<std::size_t>(c)] >= 0)
          value += w[static_cast<std::size_t>(c)] * attr(ids[static_cast<std::size_t>(c)], j);
      out[j] = value + 0.0;  // no "-0" in the file
    }
  }
  return result;
}

}  // namespace tri
