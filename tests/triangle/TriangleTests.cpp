// Tests of the mesh generator `triangle` (tools/triangle): the program is run on small
// fixtures in a temporary folder and its .node/.ele output is checked.

#include "MeshChecks.h"
#include "MeshFiles.h"
#include "Workspace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <ostream>

namespace {

struct Mesh {
  NodeOutput nodes;
  EleOutput elements;
};

// Runs the generator and reads its output; fails the test when it does not succeed.
Mesh runOk(const Workspace& ws, const std::string& switches, const std::string& base = "mesh")
{
  const Workspace::Result r = ws.run(switches, base);
  EXPECT_EQ(r.exitCode, 0) << r.err;
  Mesh m;
  try {
    m.nodes = parseNodeOutput(ws.read(base + ".1.node"));
    m.elements = parseEleOutput(ws.read(base + ".1.ele"));
  } catch (const std::exception& e) {
    ADD_FAILURE() << "output of " << switches << ": " << e.what();
  }
  return m;
}

// One probe with a ring inside a 12-gon of radius 15, box with a 50 m border:
// the mesh input builder's one-probe example.
Fixture singleProbe(Style style = Style::Builder)
{
  return probeFixture({{0.0, 0.0}}, 15.0, 50.0, 5.0, 50.0, 1.0, style);
}

// Nine georeferenced probes 5 m apart with rings of 1 m.
Fixture georeferencedField()
{
  std::vector<Pt> probes;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      probes.push_back({3512345.25 + 5.0 * i, 5401234.75 + 5.0 * j});
  return probeFixture(probes, 25.0, 20.0, 5.0, 50.0, 1.0, Style::Builder);
}

// A 4 x 3 rectangle as .node input (no segments): the domain is the convex hull.
Fixture rectangleNodes()
{
  Fixture f;
  const int a = f.addVertex(0, 0), b = f.addVertex(4, 0), c = f.addVertex(4, 3), d = f.addVertex(0, 3);
  f.addVertex(1.5, 1.25, 9);
  // Hull edges, for the marker check only (not written to a .node file).
  f.addLoop({a, b, c, d}, 0, true);
  f.zones.push_back({{{0, 0}, {4, 0}, {4, 3}, {0, 3}}, 0, 0, true});
  return f;
}

}  // namespace

TEST(Triangle, ProbeMeshKeepsTheContract)
{
  Workspace ws;
  Fixture f = singleProbe();
  // Non-zero vertex attributes, linear in x and y, to check interpolation.
  auto attribute = [](int j, double x, double y) { return j == 0 ? 0.5 * x + 2.0 * y + 1.0 : j == 1 ? 7.0 : -3.25; };
  for (Fixture::Vertex& v : f.vertices)
    for (int j = 0; j < 3; ++j)
      v.attr[static_cast<std::size_t>(j)] = asWritten(attribute(j, v.x, v.y), Style::Builder);
  ws.write("mesh.poly", polyText(f, Style::Builder));

  const Mesh m = runOk(ws, "-pqaAQ");
  Expect x;
  x.minAngle = 20.0;
  x.attribute = attribute;
  checkMesh(f, m.nodes, m.elements, x);
  EXPECT_GT(m.nodes.id.size(), f.vertices.size());
  EXPECT_EQ(ws.files(), (std::vector<std::string>{"mesh.1.ele", "mesh.1.node", "mesh.poly"}));
}

// Zero attributes, some of them negative zeros, interpolate to exactly +0 at every
// added point (the file never holds a "-0" or a "nan" there).
TEST(Triangle, ZeroAttributesInterpolateToPlusZero)
{
  Workspace ws;
  Fixture f = singleProbe(Style::Plain);
  for (Fixture::Vertex& v : f.vertices)
    v.attr = {0.0, -0.0, 0.0};
  ws.write("mesh.poly", polyText(f, Style::Plain));

  const Mesh m = runOk(ws, "-pqaAQ");
  Expect x;
  x.minAngle = 20.0;
  x.attribute = [](int, double, double) { return 0.0; };
  checkMesh(f, m.nodes, m.elements, x);
  ASSERT_GT(m.nodes.attr.size(), f.vertices.size());
  for (std::size_t i = f.vertices.size(); i < m.nodes.attr.size(); ++i)
    for (const double a : m.nodes.attr[i])
      ASSERT_EQ(std::bit_cast<std::uint64_t>(a), 0u) << "added vertex " << i;
}

TEST(Triangle, AngleAboveTheGuaranteeIsClampedWithAWarning)
{
  Workspace ws;
  const Fixture f = singleProbe();
  ws.write("mesh.poly", polyText(f, Style::Builder));
  const Workspace::Result r = ws.run("-pq30aAQ", "mesh");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.err.find("warning"), std::string::npos);
  EXPECT_NE(r.err.find("20.7"), std::string::npos) << r.err;
  const Mesh m = runOk(ws, "-pq30aAQ");
  Expect x;
  x.minAngle = 20.7;
  checkMesh(f, m.nodes, m.elements, x);
}

TEST(Triangle, GeoreferencedProbeFieldIsMeshedDeterministically)
{
  Workspace ws;
  const Fixture f = georeferencedField();
  ws.write("mesh.poly", polyText(f, Style::Builder));
  const Mesh m = runOk(ws, "-pq20aAQ");
  Expect x;
  x.minAngle = 20.0;
  checkMesh(f, m.nodes, m.elements, x);

  const std::string node = ws.read("mesh.1.node"), ele = ws.read("mesh.1.ele");
  runOk(ws, "-pq20aAQ");
  EXPECT_EQ(ws.read("mesh.1.node"), node);
  EXPECT_EQ(ws.read("mesh.1.ele"), ele);
}

// The same field at the origin and at map coordinates, the copy moved by an
// offset that keeps every number exact: meshed relative to its own corner,
// the copy gets the same mesh, moved, point for point.
TEST(Triangle, FieldAtMapCoordinatesMeshesAsAtTheOrigin)
{
  std::vector<Pt> probes;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      probes.push_back({5.1 * i, 5.1 * j});
  Fixture origin = probeFixture(probes, 25.0, 20.0, 5.0, 50.0, 1.0, Style::Plain);
  // Sixteen bits below the metre: the moved copy holds every vertex exactly.
  auto grid = [](double& v) { v = std::round(v * 65536.0) / 65536.0; };
  for (Fixture::Vertex& v : origin.vertices)
    grid(v.x), grid(v.y);
  for (Fixture::Region& r : origin.regions)
    grid(r.x), grid(r.y);
  const double dx = 3512320.0, dy = 5401216.0;
  Fixture moved = origin;
  for (Fixture::Vertex& v : moved.vertices)
    v.x += dx, v.y += dy;
  for (Fixture::Region& r : moved.regions)
    r.x += dx, r.y += dy;

  Workspace ws;
  ws.write("origin.poly", polyText(origin, Style::Plain));
  ws.write("moved.poly", polyText(moved, Style::Plain));
  const Mesh a = runOk(ws, "-pq20aAQ", "origin");
  const Mesh b = runOk(ws, "-pq20aAQ", "moved");
  ASSERT_EQ(b.nodes.x.size(), a.nodes.x.size());
  ASSERT_EQ(b.elements.tri.size(), a.elements.tri.size());
  for (std::size_t i = 0; i < origin.vertices.size(); ++i) {
    EXPECT_EQ(b.nodes.x[i], moved.vertices[i].x) << "vertex " << i;
    EXPECT_EQ(b.nodes.y[i], moved.vertices[i].y) << "vertex " << i;
  }
  for (std::size_t i = 0; i < a.nodes.x.size(); ++i) {
    EXPECT_NEAR(b.nodes.x[i] - dx, a.nodes.x[i], 1e-9) << "node " << i;
    EXPECT_NEAR(b.nodes.y[i] - dy, a.nodes.y[i], 1e-9) << "node " << i;
  }
}

TEST(Triangle, GlobalAndRegionalAreasTheSmallerApplies)
{
  Workspace ws;
  const Fixture f = singleProbe(Style::Plain);
  ws.write("mesh.poly", polyText(f, Style::Plain));
  struct Case {
    std::string switches;
    double global;
    bool regional;
  };
  for (const Case& c : {Case{"-pqa20AQ", 20.0, false}, Case{"-pqa20aAQ", 20.0, true}, Case{"-pa10aAQ", 10.0, true},
                        Case{"-pqaa30AQ", 30.0, true}}) {
    SCOPED_TRACE(c.switches);
    const Mesh m = runOk(ws, c.switches);
    Expect x;
    x.minAngle = c.switches.find('q') != std::string::npos ? 20.0 : 0.0;
    x.globalMaxArea = c.global;
    x.regionalAreas = c.regional;
    checkMesh(f, m.nodes, m.elements, x);
  }
}

TEST(Triangle, SegmentMarkersPropagateToAddedPoints)
{
  // Square 0..10 with marked sides (5 below, 0 right: the boundary default 1 applies,
  // 3 above and left), an input vertex on the lower side without marker of its own,
  // and an inner triangle whose segments carry marker 7.
  Fixture f;
  const int a = f.addVertex(0, 0), b = f.addVertex(10, 0), c = f.addVertex(10, 10), d = f.addVertex(0, 10, 4);
  const int mid = f.addVertex(6, 0);
  const int t1 = f.addVertex(3, 3), t2 = f.addVertex(7, 3), t3 = f.addVertex(5, 7);
  f.addSegment(a, b, 5, true);  // through `mid`
  f.addSegment(b, c, 0, true);
  f.addSegment(c, d, 3, true);
  f.addSegment(d, a, 3, true);
  f.addLoop({t1, t2, t3}, 7, false);
  f.regions.push_back({5, 4, 11, 0.5});
  f.zones.push_back({{{3, 3}, {7, 3}, {5, 7}}, 11, 0.5, true});
  f.zones.push_back({{{0, 0}, {10, 0}, {10, 10}, {0, 10}}, 0, 0, true});
  Workspace ws;
  ws.write("mesh.poly", polyText(f, Style::Plain));
  const Mesh m = runOk(ws, "-pqa4aAQ");
  Expect x;
  x.minAngle = 20.0;
  x.globalMaxArea = 4.0;
  checkMesh(f, m.nodes, m.elements, x);
  ASSERT_GT(m.nodes.marker.size(), 5u);
  EXPECT_EQ(m.nodes.marker[static_cast<std::size_t>(mid)], 5);
  EXPECT_EQ(m.nodes.marker[static_cast<std::size_t>(d)], 4);  // its own marker wins
  // Every kind of added point occurs.
  std::vector<int> seen;
  for (std::size_t i = f.vertices.size(); i < m.nodes.marker.size(); ++i)
    seen.push_back(static_cast<int>(m.nodes.marker[i]));
  for (const int want : {0, 1, 3, 5, 7})
    EXPECT_NE(std::find(seen.begin(), seen.end(), want), seen.end()) << "no added point with marker " << want;
}

TEST(Triangle, RegionWithoutSeedHasAttributeZeroAndNoAreaLimit)
{
  Fixture f = singleProbe(Style::Plain);
  f.regions.pop_back();  // no seed in the outer region
  f.zones.back().attribute = 0;
  f.zones.back().maxArea = 0;
  Workspace ws;
  ws.write("mesh.poly", polyText(f, Style::Plain));
  const Mesh m = runOk(ws, "-pqaAQ");
  Expect x;
  x.minAngle = 20.0;
  checkMesh(f, m.nodes, m.elements, x);
}

TEST(Triangle, HolesAreNotMeshed)
{
  Fixture f;
  f.addLoop({f.addVertex(0, 0), f.addVertex(20, 0), f.addVertex(20, 20), f.addVertex(0, 20)}, 2, true);
  f.addLoop({f.addVertex(8, 8), f.addVertex(12, 8), f.addVertex(12, 12), f.addVertex(8, 12)}, 0, true);
  f.holes.push_back({10, 10});
  f.zones.push_back({{{8, 8}, {12, 8}, {12, 12}, {8, 12}}, 0, 0, false});
  f.zones.push_back({{{0, 0}, {20, 0}, {20, 20}, {0, 20}}, 0, 3, true});
  Workspace ws;
  ws.write("mesh.poly", polyText(f, Style::Plain));
  for (const std::string switches : {"-pQ", "-pqa3Q"}) {
    SCOPED_TRACE(switches);
    const Mesh m = runOk(ws, switches);
    Expect x;
    x.regionAttributes = false;
    x.pointsAdded = switches != "-pQ";
    x.minAngle = x.pointsAdded ? 20.0 : 0.0;
    x.globalMaxArea = x.pointsAdded ? 3.0 : 0.0;
    x.regionalAreas = false;
    checkMesh(f, m.nodes, m.elements, x);
  }
}

TEST(Triangle, WithoutQualityOrAreaNoPointsAreAdded)
{
  Workspace ws;
  const Fixture f = singleProbe();
  ws.write("mesh.poly", polyText(f, Style::Builder));
  for (const std::string switches : {"-p", "-pA", "-pQ", "-pV"}) {
    SCOPED_TRACE(switches);
    const Mesh m = runOk(ws, switches);
    Expect x;
    x.pointsAdded = false;
    x.regionalAreas = false;
    x.regionAttributes = switches == "-pA";
    checkMesh(f, m.nodes, m.elements, x);
  }
}

TEST(Triangle, SwitchPChoosesPolyOverNode)
{
  Workspace ws;
  const Fixture poly = singleProbe();
  const Fixture node = rectangleNodes();
  ws.write("mesh.poly", polyText(poly, Style::Builder));
  ws.write("mesh.node", nodeText(node, Style::Plain));

  Mesh m = runOk(ws, "-Q");
  Expect x;
  x.pointsAdded = false;
  x.regionAttributes = false;
  x.regionalAreas = false;
  checkMesh(node, m.nodes, m.elements, x);
  EXPECT_EQ(m.nodes.id.size(), node.vertices.size());

  m = runOk(ws, "-pQ");
  checkMesh(poly, m.nodes, m.elements, x);
  EXPECT_EQ(m.nodes.id.size(), poly.vertices.size());
}

TEST(Triangle, NodeInputIsRefinedInItsConvexHull)
{
  Workspace ws;
  const Fixture f = rectangleNodes();
  ws.write("mesh.node", nodeText(f, Style::Plain));
  const Mesh m = runOk(ws, "-qa0.2AQ");
  Expect x;
  x.minAngle = 20.0;
  x.globalMaxArea = 0.2;
  checkMesh(f, m.nodes, m.elements, x);
}

TEST(Triangle, PolyWithoutVerticesTakesThemFromTheNodeFile)
{
  Workspace ws;
  const Fixture f = singleProbe(Style::Plain);
  std::string poly = polyText(f, Style::Plain);
  poly = "0 2 3 1\n" + poly.substr(poly.find("16 1\n"));  // vertex section emptied
  ws.write("mesh.poly", poly);
  ws.write("mesh.node", nodeText(f, Style::Plain));
  const Mesh m = runOk(ws, "-pqaAQ");
  Expect x;
  x.minAngle = 20.0;
  checkMesh(f, m.nodes, m.elements, x);
}

TEST(Triangle, NumberingFollowsTheInputFromZero)
{
  Workspace ws;
  Fixture f = singleProbe(Style::Plain);
  f.firstIndex = 0;
  ws.write("mesh.poly", polyText(f, Style::Plain));
  const Mesh m = runOk(ws, "-pqaAQ");
  Expect x;
  x.minAngle = 20.0;
  checkMesh(f, m.nodes, m.elements, x);
}

TEST(Triangle, CommentsBlankLinesAndTabsAreAccepted)
{
  Workspace ws;
  const Fixture f = rectangleNodes();
  ws.write("plain.node", nodeText(f, Style::Plain));
  ws.write("commented.node",
           "# a comment line\n\n  5\t2 0 1   # vertices\n1 0 0 0\n\n# between\n2 4 0 0\n3\t4\t3\t0\n4 0 3 0 #end\n"
           "5 1.5 1.25 9\n\n# trailing comment\n");
  runOk(ws, "-qQ", "plain");
  runOk(ws, "-qQ", "commented");
  EXPECT_EQ(ws.read("commented.1.node"), ws.read("plain.1.node"));
  EXPECT_EQ(ws.read("commented.1.ele"), ws.read("plain.1.ele"));
}

TEST(Triangle, ExtensionOfTheInputNameIsIgnored)
{
  Workspace ws;
  ws.write("mesh.poly", polyText(singleProbe(), Style::Builder));
  const Workspace::Result r = ws.runArgs({"-pQ", ws.path("mesh.poly")});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(ws.exists("mesh.1.node"));
  EXPECT_TRUE(ws.exists("mesh.1.ele"));
}

TEST(Triangle, SmallInputAngleStillTerminates)
{
  // A thin wedge (about 6 degrees at the origin) inside a box.
  Fixture f;
  const int o = f.addVertex(0, 0), p = f.addVertex(10, 0), q = f.addVertex(10, 1), r = f.addVertex(10, 10),
            s = f.addVertex(0, 10);
  f.addLoop({o, p, q, r, s}, 1, true);
  f.addSegment(o, q, 2, false);
  f.zones.push_back({{{0, 0}, {10, 0}, {10, 10}, {0, 10}}, 0, 1, true});
  Workspace ws;
  ws.write("mesh.poly", polyText(f, Style::Plain));
  const Mesh m = runOk(ws, "-pqa1Q");
  Expect x;
  x.globalMaxArea = 1;
  x.regionalAreas = false;
  x.regionAttributes = false;
  checkMesh(f, m.nodes, m.elements, x);
  // Away from the small angle (3 m around its apex) the angle bound holds.
  for (const auto& t : m.elements.tri) {
    std::array<Pt, 3> pt{};
    bool nearApex = false;
    for (int c = 0; c < 3; ++c) {
      const std::size_t i = static_cast<std::size_t>(t[static_cast<std::size_t>(c)] - 1);
      pt[static_cast<std::size_t>(c)] = {m.nodes.x[i], m.nodes.y[i]};
      nearApex = nearApex || std::hypot(m.nodes.x[i], m.nodes.y[i]) < 3.0;
    }
    if (!nearApex) {
      EXPECT_GE(smallestAngle(pt[0], pt[1], pt[2]), 20.0 - 1e-6);
    }
  }
}

// ---- refused input -------------------------------------------------------------

namespace {

struct BadCase {
  const char* name;
  const char* switches;
  const char* poly;  // nullptr: no .poly file
  const char* node;  // nullptr: no .node file
};

// Shown in the test names instead of the bytes of the case.
void PrintTo(const BadCase& c, std::ostream* os) { *os << c.name; }

const char* const kSquare = "4 2 0 1\n1 0 0 1\n2 1 0 1\n3 1 1 1\n4 0 1 1\n"
                            "4 1\n1 1 2 1\n2 2 3 1\n3 3 4 1\n4 4 1 1\n0\n";

}  // namespace

class RefusedInput : public ::testing::TestWithParam<BadCase> {};

TEST_P(RefusedInput, GivesAnErrorAndNoOutput)
{
  const BadCase& c = GetParam();
  Workspace ws;
  if (c.poly)
    ws.write("mesh.poly", c.poly);
  if (c.node)
    ws.write("mesh.node", c.node);
  // Output of an earlier run must not survive a failed one.
  ws.write("mesh.1.node", "stale");
  ws.write("mesh.1.ele", "stale");
  const std::vector<std::string> before = [&] {
    std::vector<std::string> v;
    if (c.node)
      v.push_back("mesh.node");
    if (c.poly)
      v.push_back("mesh.poly");
    return v;
  }();

  const Workspace::Result r = ws.run(c.switches, "mesh");
  EXPECT_NE(r.exitCode, 0);
  EXPECT_NE(r.err.find("error"), std::string::npos) << "stderr: " << r.err;
  EXPECT_EQ(ws.files(), before) << "stderr: " << r.err;
}

INSTANTIATE_TEST_SUITE_P(
  Triangle, RefusedInput,
  ::testing::Values(
    BadCase{"missing_poly", "-pQ", nullptr, nullptr},
    BadCase{"missing_node", "-Q", kSquare, nullptr},
    BadCase{"empty_file", "-pQ", "", nullptr},
    BadCase{"too_few_vertex_lines", "-pQ", "5 2 0 1\n1 0 0 1\n2 1 0 1\n3 1 1 1\n4 0 1 1\n4 1\n1 1 2 1\n2 2 3 1\n3 3 4 1\n4 4 1 1\n0\n", nullptr},
    BadCase{"too_many_segments_declared", "-pQ", "4 2 0 1\n1 0 0 1\n2 1 0 1\n3 1 1 1\n4 0 1 1\n5 1\n1 1 2 1\n2 2 3 1\n3 3 4 1\n4 4 1 1\n0\n", nullptr},
    BadCase{"count_too_small", "-pQ", "3 2 0 1\n1 0 0 1\n2 1 0 1\n3 1 1 1\n4 0 1 1\n3 1\n1 1 2 1\n2 2 3 1\n3 3 1 1\n0\n", nullptr},
    BadCase{"nan_coordinate", "-pQ", "4 2 0 1\n1 0 0 1\n2 nan 0 1\n3 1 1 1\n4 0 1 1\n4 1\n1 1 2 1\n2 2 3 1\n3 3 4 1\n4 4 1 1\n0\n", nullptr},
    BadCase{"infinite_coordinate", "-pQ", "4 2 0 1\n1 0 0 1\n2 1 inf 1\n3 1 1 1\n4 0 1 1\n4 1\n1 1 2 1\n2 2 3 1\n3 3 4 1\n4 4 1 1\n0\n", nullptr},
    BadCase{"overflowing_coordinate", "-pQ", "4 2 0 1\n1 0 0 1\n2 1e999 0 1\n3 1 1 1\n4 0 1 1\n4 1\n1 1 2 1\n2 2 3 1\n3 3 4 1\n4 4 1 1\n0\n", nullptr},
    BadCase{"word_not_a_number", "-pQ", "4 2 0 1\n1 0 0 1\n2 1 0 1\n3 1 x1 1\n4 0 1 1\n4 1\n1 1 2 1\n2 2 3 1\n3 3 4 1\n4 4 1 1\n0\n", nullptr},
    BadCase{"decimal_comma", "-pQ", "4 2 0 1\n1 0 0 1\n2 1,5 0 1\n3 1 1 1\n4 0 1 1\n4 1\n1 1 2 1\n2 2 3 1\n3 3 4 1\n4 4 1 1\n0\n", nullptr},
    BadCase{"segment_to_missing_node", "-pQ", "4 2 0 1\n1 0 0 1\n2 1 0 1\n3 1 1 1\n4 0 1 1\n4 1\n1 1 2 1\n2 2 3 1\n3 3 9 1\n4 4 1 1\n0\n", nullptr},
    BadCase{"segment_to_node_zero", "-pQ", "4 2 0 1\n1 0 0 1\n2 1 0 1\n3 1 1 1\n4 0 1 1\n4 1\n1 1 2 1\n2 2 3 1\n3 3 4 1\n4 4 0 1\n0\n", nullptr},
    BadCase{"two_vertices", "-pQ", "2 2 0 1\n1 0 0 1\n2 1 0 1\n1 1\n1 1 2 1\n0\n", nullptr},
    BadCase{"two_vertices_node", "-Q", nullptr, "2 2 0 0\n1 0 0\n2 1 0\n"},
    BadCase{"short_vertex_line", "-pQ", "4 2 0 1\n1 0 0 1\n2 1 0\n3 1 1 1\n4 0 1 1\n4 1\n1 1 2 1\n2 2 3 1\n3 3 4 1\n4 4 1 1\n0\n", nullptr},
    BadCase{"short_segment_line", "-pQ", "4 2 0 1\n1 0 0 1\n2 1 0 1\n3 1 1 1\n4 0 1 1\n4 1\n1 1 2 1\n2 2 3\n3 3 4 1\n4 4 1 1\n0\n", nullptr},
    BadCase{"short_region_line", "-pQ", "4 2 0 1\n1 0 0 1\n2 1 0 1\n3 1 1 1\n4 0 1 1\n4 1\n1 1 2 1\n2 2 3 1\n3 3 4 1\n4 4 1 1\n0\n1\n1 0.5 0.5 1\n", nullptr},
    BadCase{"missing_segment_section", "-pQ", "4 2 0 1\n1 0 0 1\n2 1 0 1\n3 1 1 1\n4 0 1 1\n", nullptr},
    BadCase{"vertex_numbers_out_of_sequence", "-pQ", "4 2 0 1\n1 0 0 1\n3 1 0 1\n2 1 1 1\n4 0 1 1\n4 1\n1 1 2 1\n2 2 3 1\n3 3 4 1\n4 4 1 1\n0\n", nullptr},
    BadCase{"duplicate_vertices", "-pQ", "5 2 0 1\n1 0 0 1\n2 1 0 1\n3 1 1 1\n4 0 1 1\n5 1 0 0\n4 1\n1 1 2 1\n2 2 3 1\n3 3 4 1\n4 4 1 1\n0\n", nullptr},
    BadCase{"crossing_segments", "-pQ", "4 2 0 1\n1 0 0 1\n2 1 0 1\n3 1 1 1\n4 0 1 1\n6 1\n1 1 2 1\n2 2 3 1\n3 3 4 1\n4 4 1 1\n5 1 3 0\n6 2 4 0\n0\n", nullptr},
    BadCase{"vertex_outside_the_boundary", "-pQ", "5 2 0 1\n1 0 0 1\n2 1 0 1\n3 1 1 1\n4 0 1 1\n5 2 2 0\n4 1\n1 1 2 1\n2 2 3 1\n3 3 4 1\n4 4 1 1\n0\n", nullptr},
    BadCase{"open_boundary", "-pQ", "4 2 0 1\n1 0 0 1\n2 1 0 1\n3 1 1 1\n4 0 1 1\n3 1\n1 1 2 1\n2 2 3 1\n3 3 4 1\n0\n", nullptr},
    BadCase{"collinear_vertices", "-Q", nullptr, "3 2 0 0\n1 0 0\n2 1 1\n3 2 2\n"},
    BadCase{"fractional_marker", "-pQ", "4 2 0 1\n1 0 0 1.5\n2 1 0 1\n3 1 1 1\n4 0 1 1\n4 1\n1 1 2 1\n2 2 3 1\n3 3 4 1\n4 4 1 1\n0\n", nullptr},
    BadCase{"data_after_the_regions", "-pQ", "4 2 0 1\n1 0 0 1\n2 1 0 1\n3 1 1 1\n4 0 1 1\n4 1\n1 1 2 1\n2 2 3 1\n3 3 4 1\n4 4 1 1\n0\n0\n7\n", nullptr},
    BadCase{"empty_poly_without_node", "-pQ", "0 2 0 1\n4 1\n1 1 2 1\n2 2 3 1\n3 3 4 1\n4 4 1 1\n0\n", nullptr},
    BadCase{"unknown_switch", "-pXQ", kSquare, nullptr},
    BadCase{"refinement_switch_r", "-prQ", kSquare, nullptr},
    BadCase{"bad_angle_number", "-pq1.2.3Q", kSquare, nullptr},
    BadCase{"zero_global_area", "-pa0Q", kSquare, nullptr}),
  [](const ::testing::TestParamInfo<BadCase>& info) { return std::string(info.param.name); });

TEST(Triangle, ArgumentsWithoutOneInputNameAreRefused)
{
  Workspace ws;
  ws.write("a.poly", kSquare);
  ws.write("b.poly", kSquare);
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{}, std::vector<std::string>{"-pQ"},
        std::vector<std::string>{"-pQ", ws.path("a"), ws.path("b")}}) {
    const Workspace::Result r = ws.runArgs(args);
    EXPECT_NE(r.exitCode, 0);
    EXPECT_FALSE(r.err.empty());
  }
  EXPECT_EQ(ws.files(), (std::vector<std::string>{"a.poly", "b.poly"}));
}

TEST(Triangle, RefinementThatNeedsTooManyPointsStops)
{
  Workspace ws;
  ws.write("mesh.poly", kSquare);
  const Workspace::Result r = ws.run("-pqa0.00001Q", "mesh", "KP_TRIANGLE_MAX_ADDED=500");
  EXPECT_NE(r.exitCode, 0);
  EXPECT_NE(r.err.find("limit"), std::string::npos) << r.err;
  EXPECT_EQ(ws.files(), (std::vector<std::string>{"mesh.poly"}));
}

// ---- hostile input: each once crashed the program or ran for minutes -------------

namespace {

struct HostileCase {
  const char* name;
  const char* switches;
  const char* poly;
  const char* expected;  // part of the message
};

void PrintTo(const HostileCase& c, std::ostream* os) { *os << c.name; }

}  // namespace

class HostileInput : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostileInput, IsRefusedAtOnceWithAMessageOfItsOwn)
{
  const HostileCase& c = GetParam();
  Workspace ws;
  ws.write("mesh.poly", c.poly);
  const auto start = std::chrono::steady_clock::now();
  // The limits are those of a normal run; the point limit is lowered only so that
  // a regression fails quickly instead of filling the memory.
  const Workspace::Result r = ws.run(c.switches, "mesh", "KP_TRIANGLE_MAX_SECONDS=20");
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_NE(r.exitCode, 0);
  EXPECT_NE(r.err.find(c.expected), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("CGAL"), std::string::npos) << r.err;
  EXPECT_EQ(ws.files(), (std::vector<std::string>{"mesh.poly"})) << r.err;
  EXPECT_LT(seconds, 15.0) << "the input was not refused before refinement";
}

INSTANTIATE_TEST_SUITE_P(
  Triangle, HostileInput,
  ::testing::Values(
    // A triangle 4.3e9 long and 1 wide: a quality mesh needs hundreds of millions of points.
    HostileCase{"thin_triangle_with_a_huge_coordinate", "-pqaQ",
                "3 2 0 0\n1 4294967297 0\n2 1 0\n3 0 1\n3 0\n1 1 2\n2 2 3\n3 3 1\n0\n", "would need at least"},
    // The corner (21e60, 20) makes a segment nearly collinear with its neighbours.
    HostileCase{"corner_far_out_makes_segments_nearly_collinear", "-pqaQ",
                "4 2 0 0\n1 0 0\n2 20 0\n3 21e60 20\n4 0 20\n4 0\n1 1 2\n2 2 3\n3 3 4\n4 4 1\n0\n", "degenerate"},
    HostileCase{"point_far_out_with_area_switch", "-paQ",
                "3 2 0 0\n1 0 0\n2 1 1e15\n3 0 1\n3 0\n1 1 2\n2 2 3\n3 3 1\n0\n", "degenerate"},
    HostileCase{"area_bound_far_below_the_domain", "-pa1e-12Q",
                "4 2 0 0\n1 0 0\n2 1000 0\n3 1000 1000\n4 0 1000\n4 0\n1 1 2\n2 2 3\n3 3 4\n4 4 1\n0\n",
                "would need at least"},
    HostileCase{"vertex_almost_on_a_segment", "-pqQ",
                "5 2 0 0\n1 0 0\n2 1000 0\n3 1000 1000\n4 0 1000\n5 500 1e-9\n4 0\n1 1 2\n2 2 3\n3 3 4\n4 4 1\n0\n",
                "almost on the line"}),
  [](const ::testing::TestParamInfo<HostileCase>& info) { return std::string(info.param.name); });

TEST(Triangle, RefinementStopsAtItsTimeLimit)
{
  Workspace ws;
  ws.write("mesh.poly", kSquare);
  // Within the point estimate, but more work than a zero time limit allows.
  const Workspace::Result r = ws.run("-pqa0.00002Q", "mesh", "KP_TRIANGLE_MAX_SECONDS=0");
  EXPECT_NE(r.exitCode, 0);
  EXPECT_NE(r.err.find("limit is 0 s"), std::string::npos) << r.err;
  EXPECT_EQ(ws.files(), (std::vector<std::string>{"mesh.poly"}));
}
