#pragma once

#include <array>
#include <string>
#include <vector>

namespace tri {

// The mesh as it is written: vertices in output order (input vertices first),
// triangles as zero-based vertex indices, counter-clockwise.
struct MeshOutput {
  int firstIndex = 1;
  int numAttributes = 0;
  std::vector<double> x, y;
  std::vector<double> attributes;  // numAttributes per vertex
  std::vector<int> markers;
  std::vector<std::array<int, 3>> triangles;
  bool triangleAttributes = false;  // switch A
  std::vector<double> regionAttribute;  // one per triangle

  std::size_t vertexCount() const { return x.size(); }
};

// Writes the .node and .ele files. Each is written to a temporary file next to it and
// renamed, so a file is either complete or absent; on failure neither is left.
void writeMesh(const MeshOutput& mesh, const std::string& nodeFile, const std::string& eleFile);

// Removes the output files of an earlier run (after a failure), ignoring errors.
void removeOutputs(const std::string& nodeFile, const std::string& eleFile);

}  // namespace tri
