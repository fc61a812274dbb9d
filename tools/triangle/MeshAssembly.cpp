#include "MeshAssembly.h"

#include "Cdt.h"
#include "Errors.h"
#include "InputChecks.h"
#include "Markers.h"
#include "MeshNumbering.h"
#include "Refinement.h"
#include "Regions.h"
#include "Triangulation.h"

#include <string>
#include <utility>

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

  const AreaBounds* checkedBounds = options.refine() && bounds.limited() ? &bounds : nullptr;
  NumberedMesh numbered = numberMesh(*mesh, comps, in, checkedBounds);
  const std::vector<VertexHandle>& written = numbered.written;
  report.phases.sort = clock.lap();

  MeshOutput out;
  out.firstIndex = in.firstIndex;
  out.numAttributes = in.numAttributes;
  const std::size_t n = in.vertices.size();
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
  const std::vector<std::pair<int, int>> pieceEnds = segmentPieceEnds(*mesh, written, numbered.onConstraint);
  out.markers = computeMarkers(in, segments, written, pieceEnds, numbered.onBoundary);
  out.attributes = computeAttributes(in, locator, written, pieceEnds);
  report.phases.markers = clock.lap();

  out.triangleAttributes = options.regionAttributes;
  for (const MeshInput::Region& r : in.regions)
    out.regionAttributes.push_back(r.attribute);
  out.triangles = std::move(numbered.triangles);
  report.addedVertices = numbered.added;
  report.triangles = out.triangles.size();
  report.minAngle = numbered.minAngle;
  return out;
}

}  // namespace tri
