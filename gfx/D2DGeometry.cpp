#include "gfx/D2DGeometry.h"

#include "gfx/D2DResources.h"
#include "gfx/GfxError.h"

#include <QPainterPathStroker>
#include <algorithm>
#include <cfloat>

namespace {

constexpr double Kappa = 0.5522847498307936;  // control distance of a quarter-circle bezier

QTransform Mapping(const D2D_MATRIX_3X2_F* m) { return m ? ToQTransform(*m) : QTransform(); }

// The point in the geometry's own coordinates, when the transform can be undone.
bool LocalPoint(D2D_POINT_2F point, const D2D_MATRIX_3X2_F& transform, QPointF& local) {
  bool invertible = false;
  const QTransform inverse = ToQTransform(transform).inverted(&invertible);
  if (!invertible) return false;
  local = inverse.map(ToQPointF(point));
  return true;
}

TPathSegment Line(double x, double y) { return TPathSegment{false, QPointF(x, y), {}, {}}; }
TPathSegment Bezier(QPointF c1, QPointF c2, QPointF end) { return TPathSegment{true, c1, c2, end}; }

// Quarter arc from a to b around centre c, as one bezier.
TPathSegment Quarter(QPointF c, QPointF a, QPointF b) {
  return Bezier(a + (b - c) * Kappa, b + (a - c) * Kappa, b);
}

}  // namespace

void TD2Geometry::SetFigures(TFigureList figures) {
  FFigures = std::move(figures);
  FFill = FFigures.FillPath();
  FStroke = FFigures.StrokePath();
}

D2D_RECT_F TD2Geometry::GetBounds(const D2D_MATRIX_3X2_F* worldTransform) const {
  if (FStroke.isEmpty()) return D2D_RECT_F{FLT_MAX, FLT_MAX, -FLT_MAX, -FLT_MAX};
  return FromQRectF(Mapping(worldTransform).map(FStroke).boundingRect());
}

bool TD2Geometry::FillContainsPoint(D2D_POINT_2F point, const D2D_MATRIX_3X2_F& worldTransform, float) const {
  QPointF local;
  return LocalPoint(point, worldTransform, local) && FFill.contains(local);
}

bool TD2Geometry::StrokeContainsPoint(D2D_POINT_2F point, float strokeWidth, const TD2StrokeStyle* strokeStyle,
                                      const D2D_MATRIX_3X2_F& worldTransform, float) const {
  QPointF local;
  if (FStroke.isEmpty() || !LocalPoint(point, worldTransform, local)) return false;
  QPainterPathStroker stroker;
  stroker.setWidth(std::max(strokeWidth, 1e-3f));
  stroker.setCapStyle(Qt::FlatCap);
  stroker.setJoinStyle(Qt::MiterJoin);
  if (strokeStyle) strokeStyle->ApplyTo(stroker);
  return stroker.createStroke(FStroke).contains(local);
}

TGeometryRelation TD2Geometry::CompareWithGeometry(const TD2Geometry& input, const D2D_MATRIX_3X2_F& inputTransform,
                                                   float) const {
  return FigureOps::Compare(FFill, ToQTransform(inputTransform).map(input.FFill));
}

void TD2Geometry::CombineWithGeometry(const TD2Geometry& input, TCombineMode mode,
                                      const D2D_MATRIX_3X2_F& inputTransform, float,
                                      ISimplifiedGeometrySink& sink) const {
  FigureOps::Combine(FFill, ToQTransform(inputTransform).map(input.FFill), mode).EmitTo(sink, true);
}

double TD2Geometry::ComputeArea(const D2D_MATRIX_3X2_F& worldTransform, float) const {
  return FigureOps::FillArea(ToQTransform(worldTransform).map(FFill));
}

void TD2Geometry::Simplify(TGeometrySimplification option, const D2D_MATRIX_3X2_F* worldTransform, float,
                           ISimplifiedGeometrySink& sink) const {
  sink.SetFillMode(FFigures.FillMode);
  FFigures.Transformed(Mapping(worldTransform)).EmitTo(sink, option == TGeometrySimplification::Lines);
}

// ---- path geometry and its sink ----

void TD2GeometrySink::SetFillMode(int fillMode) {
  if (!FClosed) FFigures.FillMode = fillMode == fmWinding ? fmWinding : fmAlternate;
}

void TD2GeometrySink::SetSegmentFlags(int) {}

void TD2GeometrySink::BeginFigure(TPointD startPoint, bool filled) {
  if (FClosed || FInFigure) {
    FFailed = true;
    return;
  }
  FCurrent = TPathFigure{QPointF(startPoint.x, startPoint.y), {}, filled, false};
  FInFigure = true;
}

void TD2GeometrySink::AddLines(const TPointD* points, unsigned count) {
  if (FClosed || !FInFigure) {
    FFailed = true;
    return;
  }
  for (unsigned i = 0; i < count; ++i) FCurrent.Segments.push_back(Line(points[i].x, points[i].y));
}

void TD2GeometrySink::AddBeziers(const TPointD* points, unsigned count) {
  if (FClosed || !FInFigure || count % 3 != 0) {
    FFailed = true;
    return;
  }
  for (unsigned i = 0; i < count; i += 3)
    FCurrent.Segments.push_back(Bezier(QPointF(points[i].x, points[i].y), QPointF(points[i + 1].x, points[i + 1].y),
                                       QPointF(points[i + 2].x, points[i + 2].y)));
}

void TD2GeometrySink::EndFigure(bool closed) {
  if (FClosed || !FInFigure) {
    FFailed = true;
    return;
  }
  FCurrent.Closed = closed;
  FFigures.Figures.push_back(std::move(FCurrent));
  FCurrent = TPathFigure{};
  FInFigure = false;
}

bool TD2GeometrySink::Close() {
  if (FClosed) return false;
  FClosed = true;
  if (FInFigure) FFailed = true;
  if (!FFailed) FOwner.Finish(std::move(FFigures));
  return !FFailed;
}

void TD2GeometrySink::BeginFigure(D2D_POINT_2F startPoint, bool filled) {
  BeginFigure(TPointD{startPoint.x, startPoint.y}, filled);
}

void TD2GeometrySink::AddLine(D2D_POINT_2F point) {
  const TPointD p{point.x, point.y};
  AddLines(&p, 1);
}

void TD2GeometrySink::AddBezier(D2D_POINT_2F control1, D2D_POINT_2F control2, D2D_POINT_2F end) {
  const TPointD p[3] = {{control1.x, control1.y}, {control2.x, control2.y}, {end.x, end.y}};
  AddBeziers(p, 3);
}

std::shared_ptr<TD2PathGeometry> TD2PathGeometry::Create() {
  return std::shared_ptr<TD2PathGeometry>(new TD2PathGeometry());
}

TD2PathGeometry::~TD2PathGeometry() = default;

TD2GeometrySink& TD2PathGeometry::Open() {
  if (FOpened) throw EGfxError(QStringLiteral("Die Pfadgeometrie wurde bereits geöffnet."));
  FOpened = true;
  FSink.reset(new TD2GeometrySink(*this));
  return *FSink;
}

// ---- simple shapes ----

std::shared_ptr<TD2RectangleGeometry> TD2RectangleGeometry::Create(const D2D_RECT_F& rect) {
  return std::shared_ptr<TD2RectangleGeometry>(new TD2RectangleGeometry(rect));
}

TD2RectangleGeometry::TD2RectangleGeometry(const D2D_RECT_F& rect) : FRect(rect) {
  TPathFigure f{QPointF(rect.left, rect.top), {}, true, true};
  f.Segments = {Line(rect.right, rect.top), Line(rect.right, rect.bottom), Line(rect.left, rect.bottom)};
  TFigureList list;
  list.Figures.push_back(std::move(f));
  SetFigures(std::move(list));
}

std::shared_ptr<TD2RoundedRectangleGeometry> TD2RoundedRectangleGeometry::Create(const D2D1_ROUNDED_RECT& rect) {
  return std::shared_ptr<TD2RoundedRectangleGeometry>(new TD2RoundedRectangleGeometry(rect));
}

TD2RoundedRectangleGeometry::TD2RoundedRectangleGeometry(const D2D1_ROUNDED_RECT& rect) : FRect(rect) {
  const QRectF r = ToQRectF(rect.rect);
  const double rx = std::clamp<double>(rect.radiusX, 0, r.width() / 2);
  const double ry = std::clamp<double>(rect.radiusY, 0, r.height() / 2);
  const double l = r.left(), t = r.top(), rr = r.right(), b = r.bottom();
  TPathFigure f{QPointF(l + rx, t), {}, true, true};
  f.Segments = {Line(rr - rx, t), Quarter(QPointF(rr - rx, t + ry), QPointF(rr - rx, t), QPointF(rr, t + ry)),
                Line(rr, b - ry), Quarter(QPointF(rr - rx, b - ry), QPointF(rr, b - ry), QPointF(rr - rx, b)),
                Line(l + rx, b), Quarter(QPointF(l + rx, b - ry), QPointF(l + rx, b), QPointF(l, b - ry)),
                Line(l, t + ry), Quarter(QPointF(l + rx, t + ry), QPointF(l, t + ry), QPointF(l + rx, t))};
  TFigureList list;
  list.Figures.push_back(std::move(f));
  SetFigures(std::move(list));
}

std::shared_ptr<TD2EllipseGeometry> TD2EllipseGeometry::Create(const D2D1_ELLIPSE& ellipse) {
  return std::shared_ptr<TD2EllipseGeometry>(new TD2EllipseGeometry(ellipse));
}

TD2EllipseGeometry::TD2EllipseGeometry(const D2D1_ELLIPSE& e) : FEllipse(e) {
  const QPointF c(e.point.x, e.point.y);
  const QPointF right = c + QPointF(e.radiusX, 0), bottom = c + QPointF(0, e.radiusY);
  const QPointF left = c - QPointF(e.radiusX, 0), top = c - QPointF(0, e.radiusY);
  TPathFigure f{right, {}, true, true};
  f.Segments = {Quarter(c, right, bottom), Quarter(c, bottom, left), Quarter(c, left, top), Quarter(c, top, right)};
  TFigureList list;
  list.Figures.push_back(std::move(f));
  SetFigures(std::move(list));
}

std::shared_ptr<TD2TransformedGeometry> TD2TransformedGeometry::Create(const TD2GeometryPtr& source,
                                                                      const D2D_MATRIX_3X2_F& transform) {
  return std::shared_ptr<TD2TransformedGeometry>(new TD2TransformedGeometry(source, transform));
}

TD2TransformedGeometry::TD2TransformedGeometry(const TD2GeometryPtr& source, const D2D_MATRIX_3X2_F& transform)
    : FSource(source), FTransform(transform) {
  if (FSource) SetFigures(FSource->Figures().Transformed(ToQTransform(transform)));
}
