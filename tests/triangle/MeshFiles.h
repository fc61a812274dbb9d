#pragma once

#include <array>
#include <string>
#include <vector>

using Pt = std::array<double, 2>;

// An input of the generator, with what the checks expect of the mesh.
struct Fixture {
  struct Vertex {
    double x = 0, y = 0;
    std::vector<double> attr;
    int marker = 0;
  };
  struct Segment {
    int a = 0, b = 0;  // zero-based vertex indices
    int marker = 0;
    bool boundary = false;  // lies on the boundary of the domain
  };
  struct Region {
    double x = 0, y = 0, attribute = 0, maxArea = 0;
  };
  // Where a triangle's centroid lies decides what it must satisfy; the first zone
  // whose polygon holds the centroid applies.
  struct Zone {
    std::vector<Pt> polygon;
    double attribute = 0;
    double maxArea = 0;  // <= 0: no limit
    bool meshed = true;  // false: a hole, no triangle may lie there
  };

  int firstIndex = 1;
  int numAttributes = 0;
  bool withMarkers = true;
  std::vector<Vertex> vertices;
  std::vector<Segment> segments;
  std::vector<Pt> holes;
  std::vector<Region> regions;
  std::vector<Zone> zones;

  int addVertex(double x, double y, int marker = 0);
  void addSegment(int a, int b, int marker, bool boundary);
  // Closed polygon of the given vertices.
  void addLoop(const std::vector<int>& vertices, int marker, bool boundary);
};

enum class Style {
  Builder,  // as the mesh input builder writes: reals like " 3.00000000000000E+0000", 3 blanks, CR LF
  Plain,    // shortest round-trip numbers, one blank, LF
};

// Value that a real written in the given style reads back as.
double asWritten(double v, Style style);

std::string polyText(const Fixture& f, Style style);
std::string nodeText(const Fixture& f, Style style);

// The builder's mesh input for probes (simplified: the inner polygon is
// a circle of 12 points around the centre of the probes with the given radius): outer
// box (marker 3) with border, probes, rings of 12 points (radius ringRadius), the
// inner polygon (marker 0), region 1 at the first probe (innerArea, attribute 1),
// region 2 in the border (outerArea, attribute 2). Coordinates as written.
Fixture probeFixture(const std::vector<Pt>& probes, double polygonRadius, double border, double innerArea,
                     double outerArea, double ringRadius, Style style);

// The generator's output read back; throws std::runtime_error on any format violation
// (tab, blank line, CR, comment, bad number, wrong count, non-consecutive numbering).
struct NodeOutput {
  long long count = 0, dim = 0, numAttributes = 0, markerFlag = 0;
  std::vector<long long> id;
  std::vector<double> x, y;
  std::vector<std::vector<double>> attr;
  std::vector<long long> marker;
};
struct EleOutput {
  long long count = 0, corners = 0, numAttributes = 0;
  std::vector<long long> id;
  std::vector<std::array<long long, 3>> tri;
  std::vector<double> attr;
};
NodeOutput parseNodeOutput(const std::string& text);
EleOutput parseEleOutput(const std::string& text);
