#pragma once

#include "gfx/FigureList.h"
#include "gfx/GeometrySink.h"
#include "gfx/GeometryTypes.h"

#include <vector>

// A closed polygon in world coordinates (metres, double precision), for the
// groundwater cells and mesh triangles of the model. Combinations are computed near
// the origin so that georeferenced coordinates of several million metres keep well
// below a millimetre.
class TPolygonGeometry {
public:
  TPolygonGeometry() = default;
  explicit TPolygonGeometry(const std::vector<TPointD>& points);
  TPolygonGeometry(const TPointD* points, unsigned count);

  const std::vector<TPointD>& Points() const { return FPoints; }

  // Emits every figure of the result: BeginFigure at its start point, one AddLines
  // with the rest of its points, EndFigure(closed). The sink is not closed. An empty
  // result emits nothing.
  void CombineWithGeometry(const TPolygonGeometry& other, TCombineMode mode, ISimplifiedGeometrySink& sink) const;
  TGeometryRelation CompareWithGeometry(const TPolygonGeometry& other) const;
  double ComputeArea() const;
  bool FillContainsPoint(TPointD point) const;

private:
  std::vector<TPointD> FPoints;
  QPainterPath FFill;
};
