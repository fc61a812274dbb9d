#include "gfx/PolygonGeometry.h"

TPolygonGeometry::TPolygonGeometry(const std::vector<TPointD>& points)
    : TPolygonGeometry(points.data(), static_cast<unsigned>(points.size())) {}

TPolygonGeometry::TPolygonGeometry(const TPointD* points, unsigned count) : FPoints(points, points + count) {
  std::vector<QPointF> ring;
  ring.reserve(count);
  for (const TPointD& p : FPoints) ring.emplace_back(p.x, p.y);
  FFill = FigureListFromPolygon(ring, true, true).FillPath();
}

void TPolygonGeometry::CombineWithGeometry(const TPolygonGeometry& other, TCombineMode mode,
                                           ISimplifiedGeometrySink& sink) const {
  FigureOps::Combine(FFill, other.FFill, mode).EmitTo(sink, true);
}

TGeometryRelation TPolygonGeometry::CompareWithGeometry(const TPolygonGeometry& other) const {
  return FigureOps::Compare(FFill, other.FFill);
}

double TPolygonGeometry::ComputeArea() const { return FigureOps::FillArea(FFill); }

bool TPolygonGeometry::FillContainsPoint(TPointD point) const {
  if (FFill.isEmpty()) return false;
  // Tested relative to the first vertex for the same reason as the combinations.
  const QPointF origin(FFill.elementAt(0).x, FFill.elementAt(0).y);
  return FFill.translated(-origin).contains(QPointF(point.x, point.y) - origin);
}
