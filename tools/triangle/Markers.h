#pragma once

#include "Cdt.h"
#include "InputFiles.h"
#include "Regions.h"

#include <map>
#include <utility>
#include <vector>

namespace tri {

// Which input segments every input vertex lies on, and the segment marker of every
// piece of a segment between two input vertices (a segment through an input vertex
// is split there).
class SegmentMarkers {
public:
  explicit SegmentMarkers(const MeshInput& in);

  // First non-zero marker of a segment the input vertex lies on (as end or inside), else 0.
  int vertexMarker(int vertex) const { return vertexMarker_[static_cast<std::size_t>(vertex)]; }

  // Marker of the segment piece between input vertices a and b; false when no
  // segment has that piece.
  bool pieceMarker(int a, int b, int& marker) const;

private:
  std::vector<int> vertexMarker_;
  std::map<std::pair<int, int>, int> pieceMarker_;
};

// For every written vertex (in output order): the input vertices at the ends of the
// segment piece the vertex lies on, when it is a point added on a segment; else {-1, -1}.
// onConstraint (by output position) tells the vertices at a constrained edge; only
// those can lie on a segment.
std::vector<std::pair<int, int>> segmentPieceEnds(const Cdt& cdt, const std::vector<VertexHandle>& written,
                                                  const std::vector<char>& onConstraint);

// Boundary markers of the written vertices:
//  - an input vertex keeps its non-zero marker, else takes the first non-zero marker
//    of a segment it lies on;
//  - a point added on a segment takes the segment's non-zero marker;
//  - otherwise 1 on the boundary of the domain (onBoundary, by output position), 0 elsewhere.
std::vector<int> computeMarkers(const MeshInput& in, const SegmentMarkers& segments,
                                const std::vector<VertexHandle>& written,
                                const std::vector<std::pair<int, int>>& pieceEnds, const std::vector<char>& onBoundary);

// Attributes of the written vertices: input vertices keep theirs; added points get
// them interpolated linearly (along their segment piece, or in the triangle of the
// unrefined triangulation they lie in).
std::vector<double> computeAttributes(const MeshInput& in, const ComponentLocator& original,
                                      const std::vector<VertexHandle>& written,
                                      const std::vector<std::pair<int, int>>& pieceEnds);

}  // namespace tri
