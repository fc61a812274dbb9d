#pragma once

#include <array>
#include <string>
#include <vector>

namespace tri {

// The mesh as it is written: vertices in output order (input vertices first),
// triangles as zero-based vertex indices, counter-clockwise.
struct MeshOutput {
  struct Triangle {
    std::array<int, 3> v;
    int region = -1;  // index into regionAttributes, -1: attribute 0
  };

  int firstIndex = 1;
  int numAttributes = 0;
  std::vector<double> x, y;
  std::vector<double> attributes;  // numAttributes per vertex
  std::vector<int> markers;
  std::vector<Triangle> triangles;
  bool triangleAttributes = false;  // switch A: the region attributes are written
  std::vector<double> regionAttributes;

  double regionAttribute(const Triangle& t) const
  {
    return t.region >= 0 ? regionAttributes[static_cast<std::size_t>(t.region)] : 0.0;
  }

  std::size_t vertexCount() const { return x.size(); }
};

// Writes the .node and .ele files. Each is written to a temporary file next to it and
// renamed, so a file is either complete or absent; on failure neither is left.
void writeMesh(const MeshOutput& mesh, const std::string& nodeFile, const std::string& eleFile);

// Removes the output files of an earlier run (after a failure), ignoring errors.
void removeOutputs(const std::string& nodeFile, const std::string& eleFile);

}  // namespace tri
