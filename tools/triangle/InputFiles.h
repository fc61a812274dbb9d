#pragma once

#include <string>
#include <vector>

namespace tri {

// The content of a .poly or .node file, checked: finite numbers, consecutive vertex
// numbers, segment ends that exist, at least three vertices.
struct MeshInput {
  struct Segment {
    int a = 0, b = 0;  // zero-based vertex indices
    int marker = 0;
  };
  struct Point {
    double x = 0.0, y = 0.0;
  };
  struct Region {
    double x = 0.0, y = 0.0;
    double attribute = 0.0;
    double maxArea = 0.0;  // <= 0: no limit
  };

  int firstIndex = 1;  // number of the first vertex in the file (0 or 1); output numbering starts here
  int numAttributes = 0;
  std::vector<Point> vertices;
  std::vector<double> attributes;  // numAttributes per vertex
  std::vector<int> markers;        // one per vertex (0 when the file has none)
  bool fromPoly = false;           // read with -p
  std::vector<Segment> segments;
  std::vector<Point> holes;
  std::vector<Region> regions;

  int vertexCount() const { return static_cast<int>(vertices.size()); }
};

// Reads <polyFile>; when its vertex section is empty, the vertices come from nodeFile.
MeshInput readPolyFile(const std::string& polyFile, const std::string& nodeFile);

// Reads a .node file (vertices only).
MeshInput readNodeFile(const std::string& nodeFile);

}  // namespace tri
