#pragma once

#include "gfx/GeometrySink.h"
#include "gfx/GeometryTypes.h"

#include <QPainterPath>
#include <QPointF>
#include <QTransform>
#include <vector>

// The figures of a geometry in double precision: the common representation behind
// the plan geometries and the world-coordinate polygons. QPainterPath alone cannot
// hold it because it knows neither hollow figures nor open figures that still fill.

struct TPathSegment {
  bool Bezier = false;
  QPointF P1;  // end point of a line, first control point of a bezier
  QPointF P2;  // second control point of a bezier
  QPointF P3;  // end point of a bezier
};

struct TPathFigure {
  QPointF Start;
  std::vector<TPathSegment> Segments;
  bool Filled = true;
  bool Closed = false;
};

struct TFigureList {
  std::vector<TPathFigure> Figures;
  TD2FillMode FillMode = fmAlternate;

  bool Empty() const { return Figures.empty(); }
  unsigned SegmentCount() const;
  // Filled figures only; open ones close implicitly, as filling does.
  QPainterPath FillPath() const;
  // Every figure; only closed figures get their closing edge.
  QPainterPath StrokePath() const;
  TFigureList Transformed(const QTransform& transform) const;
  // Each figure as a polyline (curves flattened); closed figures do not repeat their start.
  void EmitTo(ISimplifiedGeometrySink& sink, bool linesOnly) const;
};

TFigureList FigureListFromPolygon(const std::vector<QPointF>& points, bool closed, bool filled);

namespace FigureOps {

// Boolean combination of two fill regions. The work is done near the origin (both
// inputs shifted by the first point of the first) and shifted back, so that world
// coordinates in the millions keep their centimetres. The result holds closed,
// filled straight-line figures without repeated or collinear vertices.
TFigureList Combine(const QPainterPath& a, const QPainterPath& b, TCombineMode mode);

// How region a relates to region b.
TGeometryRelation Compare(const QPainterPath& a, const QPainterPath& b);

// Area of a fill region, honouring its fill rule and any holes.
double FillArea(const QPainterPath& fill);

}  // namespace FigureOps
