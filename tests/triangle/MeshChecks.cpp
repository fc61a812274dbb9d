#include "MeshChecks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <sstream>

namespace {

using LD = long double;

class Failures {
public:
  void add(const std::string& kind, const std::string& message)
  {
    int& count = counts_[kind];
    if (++count <= 3)
      ADD_FAILURE() << kind << ": " << message;
  }
  ~Failures()
  {
    for (const auto& [kind, count] : counts_)
      if (count > 3)
        ADD_FAILURE() << kind << ": " << count << " failures in all";
  }

private:
  std::map<std::string, int> counts_;
};

LD cross(Pt o, Pt a, Pt b)
{
  return (static_cast<LD>(a[0]) - o[0]) * (static_cast<LD>(b[1]) - o[1]) -
         (static_cast<LD>(a[1]) - o[1]) * (static_cast<LD>(b[0]) - o[0]);
}

bool inPolygon(const std::vector<Pt>& poly, Pt p)
{
  bool inside = false;
  for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
    const Pt& a = poly[i];
    const Pt& b = poly[j];
    if ((a[1] > p[1]) != (b[1] > p[1])) {
      const LD x = a[0] + (static_cast<LD>(p[1]) - a[1]) * (static_cast<LD>(b[0]) - a[0]) / (static_cast<LD>(b[1]) - a[1]);
      if (p[0] < x)
        inside = !inside;
    }
  }
  return inside;
}

LD distanceToSegment(Pt p, Pt a, Pt b)
{
  const LD dx = static_cast<LD>(b[0]) - a[0], dy = static_cast<LD>(b[1]) - a[1];
  const LD px = static_cast<LD>(p[0]) - a[0], py = static_cast<LD>(p[1]) - a[1];
  LD t = (px * dx + py * dy) / (dx * dx + dy * dy);
  t = std::clamp<LD>(t, 0, 1);
  return std::hypot(px - t * dx, py - t * dy);
}

std::string str(Pt p)
{
  std::ostringstream s;
  s.precision(17);
  s << "(" << p[0] << ", " << p[1] << ")";
  return s.str();
}

}  // namespace

double smallestAngle(Pt a, Pt b, Pt c)
{
  auto angle = [](Pt p, Pt q, Pt r) {
    const LD ux = static_cast<LD>(q[0]) - p[0], uy = static_cast<LD>(q[1]) - p[1];
    const LD vx = static_cast<LD>(r[0]) - p[0], vy = static_cast<LD>(r[1]) - p[1];
    return std::atan2(std::abs(ux * vy - uy * vx), ux * vx + uy * vy);
  };
  return static_cast<double>(std::min({angle(a, b, c), angle(b, c, a), angle(c, a, b)}) * 180.0L / 3.14159265358979323846264338327950288L);
}

void checkMesh(const Fixture& f, const NodeOutput& n, const EleOutput& e, const Expect& x)
{
  Failures fail;
  const std::size_t inputCount = f.vertices.size();

  // Headers and numbering.
  EXPECT_EQ(n.dim, 2);
  EXPECT_EQ(n.numAttributes, f.numAttributes);
  EXPECT_EQ(n.markerFlag, 1);
  EXPECT_EQ(e.corners, 3);
  EXPECT_EQ(e.numAttributes, x.regionAttributes ? 1 : 0);
  ASSERT_GE(n.id.size(), inputCount);
  ASSERT_FALSE(e.id.empty());
  EXPECT_EQ(n.id.front(), f.firstIndex);
  EXPECT_EQ(e.id.front(), f.firstIndex);
  if (!x.pointsAdded) {
    EXPECT_EQ(n.id.size(), inputCount) << "points were added without q or a";
  }

  // Input vertices first, unchanged bit for bit.
  for (std::size_t i = 0; i < inputCount; ++i) {
    const Fixture::Vertex& v = f.vertices[i];
    if (std::bit_cast<std::uint64_t>(v.x) != std::bit_cast<std::uint64_t>(n.x[i]) ||
        std::bit_cast<std::uint64_t>(v.y) != std::bit_cast<std::uint64_t>(n.y[i]))
      fail.add("input vertex moved", "vertex " + std::to_string(i) + " " + str({v.x, v.y}) + " written as " +
                                       str({n.x[i], n.y[i]}));
    for (int k = 0; k < f.numAttributes; ++k)
      if (std::bit_cast<std::uint64_t>(v.attr[static_cast<std::size_t>(k)]) !=
          std::bit_cast<std::uint64_t>(n.attr[i][static_cast<std::size_t>(k)]))
        fail.add("input attribute changed", "vertex " + std::to_string(i));
  }

  // Attributes of all vertices follow the linear function the fixture defines.
  if (x.attribute) {
    for (std::size_t i = 0; i < n.x.size(); ++i)
      for (int k = 0; k < f.numAttributes; ++k) {
        const double want = x.attribute(k, n.x[i], n.y[i]);
        const double got = n.attr[i][static_cast<std::size_t>(k)];
        if (std::abs(want - got) > 1e-6 * (1 + std::abs(want)))
          fail.add("interpolated attribute", "vertex " + std::to_string(i) + " attribute " + std::to_string(k) +
                                               ": " + std::to_string(got) + ", expected " + std::to_string(want));
      }
  }

  // Triangles.
  std::vector<char> used(n.x.size(), 0);
  const long long first = f.firstIndex;
  const long long last = first + static_cast<long long>(n.x.size()) - 1;
  for (std::size_t t = 0; t < e.tri.size(); ++t) {
    std::array<Pt, 3> p{};
    bool valid = true;
    for (int c = 0; c < 3; ++c) {
      const long long v = e.tri[t][static_cast<std::size_t>(c)];
      if (v < first || v > last) {
        fail.add("node reference out of range", "triangle " + std::to_string(t) + " refers to " + std::to_string(v));
        valid = false;
        continue;
      }
      used[static_cast<std::size_t>(v - first)] = 1;
      p[static_cast<std::size_t>(c)] = {n.x[static_cast<std::size_t>(v - first)], n.y[static_cast<std::size_t>(v - first)]};
    }
    if (!valid)
      continue;
    const LD twiceArea = cross(p[0], p[1], p[2]);
    if (!(twiceArea > 0)) {
      fail.add("not counter-clockwise or degenerate", "triangle " + std::to_string(t));
      continue;
    }
    const Pt centroid{(p[0][0] + p[1][0] + p[2][0]) / 3, (p[0][1] + p[1][1] + p[2][1]) / 3};
    const Fixture::Zone* zone = nullptr;
    for (const Fixture::Zone& z : f.zones)
      if (inPolygon(z.polygon, centroid)) {
        zone = &z;
        break;
      }
    if (zone == nullptr) {
      fail.add("triangle outside the domain", "triangle " + std::to_string(t) + " at " + str(centroid));
      continue;
    }
    if (!zone->meshed) {
      fail.add("triangle in a hole", "triangle " + std::to_string(t) + " at " + str(centroid));
      continue;
    }
    if (x.minAngle > 0) {
      const double angle = smallestAngle(p[0], p[1], p[2]);
      if (angle < x.minAngle - 1e-6)
        fail.add("angle too small", "triangle " + std::to_string(t) + " at " + str(centroid) + ": " +
                                      std::to_string(angle) + " degrees");
    }
    double bound = std::numeric_limits<double>::infinity();
    if (x.globalMaxArea > 0)
      bound = x.globalMaxArea;
    if (x.regionalAreas && zone->maxArea > 0)
      bound = std::min(bound, zone->maxArea);
    const double area = static_cast<double>(twiceArea / 2);
    if (area > bound * (1 + 1e-9))
      fail.add("area too large", "triangle " + std::to_string(t) + " at " + str(centroid) + ": " +
                                   std::to_string(area) + " > " + std::to_string(bound));
    if (x.regionAttributes && e.attr[t] != zone->attribute)
      fail.add("regional attribute", "triangle " + std::to_string(t) + " at " + str(centroid) + ": " +
                                       std::to_string(e.attr[t]) + ", expected " + std::to_string(zone->attribute));
  }
  for (std::size_t i = 0; i < used.size(); ++i)
    if (!used[i])
      fail.add("node not used", "node " + std::to_string(i + static_cast<std::size_t>(first)));

  // Markers.
  for (std::size_t i = 0; i < n.x.size(); ++i) {
    const Pt p{n.x[i], n.y[i]};
    int segmentMarker = 0;
    bool onBoundary = false;
    for (const Fixture::Segment& s : f.segments) {
      const Fixture::Vertex& a = f.vertices[static_cast<std::size_t>(s.a)];
      const Fixture::Vertex& b = f.vertices[static_cast<std::size_t>(s.b)];
      if (distanceToSegment(p, {a.x, a.y}, {b.x, b.y}) <= 1e-6) {
        if (segmentMarker == 0)
          segmentMarker = s.marker;
        onBoundary = onBoundary || s.boundary;
      }
    }
    int expected = i < inputCount ? f.vertices[i].marker : 0;
    if (expected == 0)
      expected = segmentMarker;
    if (expected == 0 && onBoundary)
      expected = 1;
    if (n.marker[i] != expected)
      fail.add(i < inputCount ? "marker of an input vertex" : "marker of an added point",
               "node " + std::to_string(i + static_cast<std::size_t>(first)) + " at " + str(p) + ": " +
                 std::to_string(n.marker[i]) + ", expected " + std::to_string(expected));
  }
}
