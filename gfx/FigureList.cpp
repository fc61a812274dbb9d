#include "gfx/FigureList.h"

#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace {

Qt::FillRule FillRuleOf(TD2FillMode mode) { return mode == fmWinding ? Qt::WindingFill : Qt::OddEvenFill; }

void AppendFigure(QPainterPath& path, const TPathFigure& figure, bool close) {
  path.moveTo(figure.Start);
  for (const TPathSegment& s : figure.Segments) {
    if (s.Bezier)
      path.cubicTo(s.P1, s.P2, s.P3);
    else
      path.lineTo(s.P1);
  }
  if (close) path.closeSubpath();
}

TPointD ToPointD(const QPointF& p) { return TPointD{p.x(), p.y()}; }

// Curves are cut into this many straight pieces: a quarter circle then stays within
// about 0.03 % of its radius, far finer than any flattening tolerance the callers pass.
constexpr int BezierSteps = 32;

QPointF CubicAt(const QPointF& p0, const QPointF& c1, const QPointF& c2, const QPointF& p3, double t) {
  const double u = 1 - t;
  return u * u * u * p0 + 3 * u * u * t * c1 + 3 * u * t * t * c2 + t * t * t * p3;
}

void AppendCubic(std::vector<QPointF>& out, const QPointF& from, const QPointF& c1, const QPointF& c2,
                 const QPointF& to) {
  for (int i = 1; i < BezierSteps; ++i) out.push_back(CubicAt(from, c1, c2, to, static_cast<double>(i) / BezierSteps));
  out.push_back(to);
}

void EmitFlattened(const TPathFigure& figure, ISimplifiedGeometrySink& sink) {
  std::vector<QPointF> points;
  QPointF current = figure.Start;
  for (const TPathSegment& s : figure.Segments) {
    if (s.Bezier) {
      AppendCubic(points, current, s.P1, s.P2, s.P3);
      current = s.P3;
    } else {
      points.push_back(s.P1);
      current = s.P1;
    }
  }
  std::vector<TPointD> out;
  out.reserve(points.size());
  for (const QPointF& p : points) out.push_back(ToPointD(p));
  if (!out.empty()) sink.AddLines(out.data(), static_cast<unsigned>(out.size()));
}

// The same region with every curve replaced by straight pieces.
QPainterPath Flattened(const QPainterPath& path) {
  bool hasCurves = false;
  for (int i = 0; i < path.elementCount() && !hasCurves; ++i) hasCurves = path.elementAt(i).isCurveTo();
  if (!hasCurves) return path;
  QPainterPath flat;
  flat.setFillRule(path.fillRule());
  std::vector<QPointF> points;
  for (int i = 0; i < path.elementCount(); ++i) {
    const QPainterPath::Element& e = path.elementAt(i);
    if (e.isMoveTo()) {
      flat.moveTo(e);
    } else if (e.isLineTo()) {
      flat.lineTo(e);
    } else if (e.isCurveTo() && i + 2 < path.elementCount()) {
      points.clear();
      AppendCubic(points, flat.currentPosition(), e, path.elementAt(i + 1), path.elementAt(i + 2));
      for (const QPointF& p : points) flat.lineTo(p);
      i += 2;
    }
  }
  return flat;
}

void EmitSegments(const TPathFigure& figure, ISimplifiedGeometrySink& sink) {
  std::vector<TPointD> lines;
  std::vector<TPointD> beziers;
  auto flushLines = [&] {
    if (!lines.empty()) sink.AddLines(lines.data(), static_cast<unsigned>(lines.size()));
    lines.clear();
  };
  auto flushBeziers = [&] {
    if (!beziers.empty()) sink.AddBeziers(beziers.data(), static_cast<unsigned>(beziers.size()));
    beziers.clear();
  };
  for (const TPathSegment& s : figure.Segments) {
    if (s.Bezier) {
      flushLines();
      beziers.insert(beziers.end(), {ToPointD(s.P1), ToPointD(s.P2), ToPointD(s.P3)});
    } else {
      flushBeziers();
      lines.push_back(ToPointD(s.P1));
    }
  }
  flushLines();
  flushBeziers();
}

double Cross(const QPointF& u, const QPointF& v) { return u.x() * v.y() - u.y() * v.x(); }
double Length(const QPointF& u) { return std::hypot(u.x(), u.y()); }

// Drops the repeated closing vertex, coincident neighbours and vertices lying on the
// straight line through their neighbours (the clipper splits edges where they cross
// edges of the other operand).
std::vector<QPointF> CleanRing(const QPolygonF& polygon, double minLength) {
  std::vector<QPointF> ring(polygon.begin(), polygon.end());
  while (ring.size() > 1 && Length(ring.back() - ring.front()) <= minLength) ring.pop_back();
  bool changed = true;
  while (changed && ring.size() >= 3) {
    changed = false;
    for (size_t i = 0; i < ring.size() && ring.size() >= 3; ++i) {
      const QPointF& prev = ring[(i + ring.size() - 1) % ring.size()];
      const QPointF& next = ring[(i + 1) % ring.size()];
      const QPointF u = ring[i] - prev;
      const QPointF v = next - ring[i];
      const bool coincident = Length(u) <= minLength;
      const bool straight = std::abs(Cross(u, v)) <= 1e-10 * Length(u) * Length(v) &&
                            (u.x() * v.x() + u.y() * v.y()) > 0;
      if (coincident || straight) {
        ring.erase(ring.begin() + static_cast<std::ptrdiff_t>(i));
        changed = true;
        break;
      }
    }
  }
  return ring;
}

TFigureList FiguresFromRegion(const QPainterPath& region, const QPointF& offset) {
  TFigureList result;
  const QRectF box = region.boundingRect();
  const double minLength = 1e-12 * std::max({1.0, box.width(), box.height()});
  for (const QPolygonF& polygon : region.toSubpathPolygons()) {
    const std::vector<QPointF> ring = CleanRing(polygon, minLength);
    if (ring.size() < 3) continue;
    TPathFigure figure;
    figure.Start = ring.front() + offset;
    figure.Closed = true;
    figure.Filled = true;
    for (size_t i = 1; i < ring.size(); ++i) figure.Segments.push_back(TPathSegment{false, ring[i] + offset, {}, {}});
    result.Figures.push_back(std::move(figure));
  }
  return result;
}

QPointF FirstPoint(const QPainterPath& a, const QPainterPath& b) {
  if (a.elementCount() > 0) return QPointF(a.elementAt(0).x, a.elementAt(0).y);
  if (b.elementCount() > 0) return QPointF(b.elementAt(0).x, b.elementAt(0).y);
  return QPointF();
}

QPainterPath CombineLocal(const QPainterPath& a, const QPainterPath& b, TCombineMode mode) {
  switch (mode) {
    case TCombineMode::Union:
      return a.united(b);
    case TCombineMode::Intersect:
      return a.intersected(b);
    case TCombineMode::Exclude:
      return a.subtracted(b);
    case TCombineMode::Xor: {
      QPainterPath result = a.subtracted(b);
      result.addPath(b.subtracted(a));
      return result;
    }
  }
  return QPainterPath();
}

double SignedArea(const QPolygonF& polygon) {
  double twice = 0;
  for (qsizetype i = 0; i < polygon.size(); ++i) {
    const QPointF& p = polygon[i];
    const QPointF& q = polygon[(i + 1) % polygon.size()];
    twice += Cross(p, q);
  }
  return twice / 2;
}

// Whether figure inner lies inside figure outer; figures of a simplified path do not
// cross, so testing a few edge midpoints and taking the majority settles touching cases.
bool LiesInside(const QPolygonF& inner, const QPolygonF& outer) {
  int inside = 0, tested = 0;
  for (qsizetype i = 0; i + 1 < inner.size() && tested < 3; ++i, ++tested) {
    const QPointF mid = (inner[i] + inner[i + 1]) / 2;
    if (outer.containsPoint(mid, Qt::OddEvenFill)) ++inside;
  }
  return tested > 0 && 2 * inside > tested;
}

bool SegmentsMeet(const QPointF& a, const QPointF& b, const QPointF& c, const QPointF& d) {
  const double d1 = Cross(b - a, c - a), d2 = Cross(b - a, d - a);
  const double d3 = Cross(d - c, a - c), d4 = Cross(d - c, b - c);
  if (((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0))) return true;
  auto onSegment = [](const QPointF& p, const QPointF& q, const QPointF& r) {
    return std::min(p.x(), q.x()) <= r.x() && r.x() <= std::max(p.x(), q.x()) && std::min(p.y(), q.y()) <= r.y() &&
           r.y() <= std::max(p.y(), q.y());
  };
  return (d1 == 0 && onSegment(a, b, c)) || (d2 == 0 && onSegment(a, b, d)) || (d3 == 0 && onSegment(c, d, a)) ||
         (d4 == 0 && onSegment(c, d, b));
}

// Whether no two edges that are not neighbours meet. Only small polygons are checked;
// larger ones count as possibly crossing and take the general way.
bool IsSimpleRing(const QPolygonF& polygon) {
  qsizetype n = polygon.size();
  if (n > 1 && polygon.front() == polygon.back()) --n;
  if (n < 3 || n > 64) return n < 3;
  for (qsizetype i = 0; i < n; ++i)
    for (qsizetype j = i + 2; j < n; ++j) {
      if (i == 0 && j == n - 1) continue;  // neighbours through the closing edge
      if (SegmentsMeet(polygon[i], polygon[(i + 1) % n], polygon[j], polygon[(j + 1) % n])) return false;
    }
  return true;
}

double LocalArea(const QPainterPath& region) {
  const QList<QPolygonF> single = region.toSubpathPolygons();
  if (single.size() == 1 && IsSimpleRing(single.front())) return std::abs(SignedArea(single.front()));
  // Overlapping or crossing figures: the simplified path has neither, and its figures
  // alternate between filled and hole by how deeply they are nested.
  const QList<QPolygonF> polygons = region.simplified().toSubpathPolygons();
  double area = 0;
  for (qsizetype i = 0; i < polygons.size(); ++i) {
    int depth = 0;
    for (qsizetype j = 0; j < polygons.size(); ++j)
      if (j != i && LiesInside(polygons[i], polygons[j])) ++depth;
    const double a = std::abs(SignedArea(polygons[i]));
    area += (depth % 2 == 0) ? a : -a;
  }
  return std::max(0.0, area);
}

}  // namespace

unsigned TFigureList::SegmentCount() const {
  size_t count = 0;
  for (const TPathFigure& f : Figures) count += f.Segments.size();
  return static_cast<unsigned>(count);
}

QPainterPath TFigureList::FillPath() const {
  QPainterPath path;
  path.setFillRule(FillRuleOf(FillMode));
  for (const TPathFigure& f : Figures)
    if (f.Filled) AppendFigure(path, f, true);
  return path;
}

QPainterPath TFigureList::StrokePath() const {
  QPainterPath path;
  path.setFillRule(FillRuleOf(FillMode));
  for (const TPathFigure& f : Figures) AppendFigure(path, f, f.Closed);
  return path;
}

TFigureList TFigureList::Transformed(const QTransform& t) const {
  TFigureList result = *this;
  for (TPathFigure& f : result.Figures) {
    f.Start = t.map(f.Start);
    for (TPathSegment& s : f.Segments) {
      s.P1 = t.map(s.P1);
      s.P2 = t.map(s.P2);
      s.P3 = t.map(s.P3);
    }
  }
  return result;
}

void TFigureList::EmitTo(ISimplifiedGeometrySink& sink, bool linesOnly) const {
  for (const TPathFigure& f : Figures) {
    sink.BeginFigure(ToPointD(f.Start), f.Filled);
    if (linesOnly)
      EmitFlattened(f, sink);
    else
      EmitSegments(f, sink);
    sink.EndFigure(f.Closed);
  }
}

TFigureList FigureListFromPolygon(const std::vector<QPointF>& points, bool closed, bool filled) {
  TFigureList list;
  if (points.empty()) return list;
  TPathFigure figure;
  figure.Start = points.front();
  figure.Closed = closed;
  figure.Filled = filled;
  for (size_t i = 1; i < points.size(); ++i) figure.Segments.push_back(TPathSegment{false, points[i], {}, {}});
  list.Figures.push_back(std::move(figure));
  return list;
}

namespace FigureOps {

TFigureList Combine(const QPainterPath& a, const QPainterPath& b, TCombineMode mode) {
  const QPointF origin = FirstPoint(a, b);
  const QPainterPath region =
      CombineLocal(Flattened(a).translated(-origin), Flattened(b).translated(-origin), mode);
  return FiguresFromRegion(region, origin);
}

TGeometryRelation Compare(const QPainterPath& a, const QPainterPath& b) {
  const QRectF boxA = a.boundingRect(), boxB = b.boundingRect();
  if (a.isEmpty() || b.isEmpty() || !boxA.intersects(boxB)) return TGeometryRelation::Disjoint;
  const QPointF origin = FirstPoint(a, b);
  const QPainterPath la = Flattened(a).translated(-origin), lb = Flattened(b).translated(-origin);
  const double areaA = LocalArea(la), areaB = LocalArea(lb);
  const double common = LocalArea(la.intersected(lb));
  const double eps = 1e-9 * std::max(areaA, areaB);
  if (common <= eps) return TGeometryRelation::Disjoint;
  if (areaA - common <= eps) return TGeometryRelation::IsContained;
  if (areaB - common <= eps) return TGeometryRelation::Contains;
  return TGeometryRelation::Overlap;
}

double FillArea(const QPainterPath& fill) {
  if (fill.isEmpty()) return 0;
  const QPointF origin(fill.elementAt(0).x, fill.elementAt(0).y);
  return LocalArea(Flattened(fill).translated(-origin));
}

}  // namespace FigureOps
