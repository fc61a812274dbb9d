#pragma once

#include "gfx/D2DTypes.h"
#include "gfx/FigureList.h"
#include "gfx/GeometrySink.h"
#include "gfx/GeometryTypes.h"

#include <QPainterPath>
#include <memory>

class TD2StrokeStyle;

// A geometry in plan coordinates (DIPs). Geometries do not depend on a render
// target, never change once built, and are shared by reference like the platform's
// interface pointers. The flattening tolerances are accepted for the callers' sake;
// curves are flattened finely enough for any tolerance they pass.
class TD2Geometry {
public:
  virtual ~TD2Geometry() = default;

  // The figures in the geometry's own coordinates.
  const TFigureList& Figures() const { return FFigures; }
  // What filling paints: filled figures only, implicitly closed.
  const QPainterPath& FillPath() const { return FFill; }
  // What outlining draws: every figure, open ones left open.
  const QPainterPath& StrokePath() const { return FStroke; }

  // Bounds of the geometry under the transform; an empty geometry gives a
  // rectangle whose left lies right of its right.
  D2D_RECT_F GetBounds(const D2D_MATRIX_3X2_F* worldTransform = nullptr) const;
  bool FillContainsPoint(D2D_POINT_2F point, const D2D_MATRIX_3X2_F& worldTransform = {},
                         float flatteningTolerance = D2DefaultFlatteningTolerance) const;
  // The stroke is widened in the geometry's own coordinates and transformed with it.
  bool StrokeContainsPoint(D2D_POINT_2F point, float strokeWidth, const TD2StrokeStyle* strokeStyle = nullptr,
                           const D2D_MATRIX_3X2_F& worldTransform = {},
                           float flatteningTolerance = D2DefaultFlatteningTolerance) const;
  // Relation of this geometry to input, which is placed by inputTransform first.
  TGeometryRelation CompareWithGeometry(const TD2Geometry& input, const D2D_MATRIX_3X2_F& inputTransform = {},
                                        float flatteningTolerance = D2DefaultFlatteningTolerance) const;
  // Writes the combined region into sink as closed straight-line figures; the sink
  // is not closed (the caller closes it, as with any sink it opened).
  void CombineWithGeometry(const TD2Geometry& input, TCombineMode mode, const D2D_MATRIX_3X2_F& inputTransform,
                           float flatteningTolerance, ISimplifiedGeometrySink& sink) const;
  double ComputeArea(const D2D_MATRIX_3X2_F& worldTransform = {},
                     float flatteningTolerance = D2DefaultFlatteningTolerance) const;
  // Writes the figures, transformed, into sink; the sink is not closed.
  void Simplify(TGeometrySimplification option, const D2D_MATRIX_3X2_F* worldTransform, float flatteningTolerance,
                ISimplifiedGeometrySink& sink) const;

protected:
  void SetFigures(TFigureList figures);

private:
  TFigureList FFigures;
  QPainterPath FFill;
  QPainterPath FStroke;
};

using TD2GeometryPtr = std::shared_ptr<TD2Geometry>;

class TD2PathGeometry;

// Builds the figures of a path geometry. Double-precision points are accepted, so a
// combination can be written into it directly. Misuse (a line outside a figure, a
// second figure begun before the first ended) makes Close fail and leaves the path empty.
class TD2GeometrySink : public ISimplifiedGeometrySink {
public:
  void SetFillMode(int fillMode) override;
  void SetSegmentFlags(int flags) override;
  void BeginFigure(TPointD startPoint, bool filled) override;
  void AddLines(const TPointD* points, unsigned count) override;
  void AddBeziers(const TPointD* points, unsigned count) override;
  void EndFigure(bool closed) override;
  bool Close() override;

  void BeginFigure(D2D_POINT_2F startPoint, bool filled);
  void AddLine(D2D_POINT_2F point);
  void AddBezier(D2D_POINT_2F control1, D2D_POINT_2F control2, D2D_POINT_2F end);

private:
  friend class TD2PathGeometry;
  explicit TD2GeometrySink(TD2PathGeometry& owner) : FOwner(owner) {}

  TD2PathGeometry& FOwner;
  TFigureList FFigures;
  TPathFigure FCurrent;
  bool FInFigure = false;
  bool FFailed = false;
  bool FClosed = false;
};

class TD2PathGeometry : public TD2Geometry {
public:
  static std::shared_ptr<TD2PathGeometry> Create();
  ~TD2PathGeometry() override;

  // The sink stays valid until Close or until the geometry is freed. A path can be
  // opened only once; a second call throws EGfxError.
  TD2GeometrySink& Open();
  unsigned GetFigureCount() const { return static_cast<unsigned>(Figures().Figures.size()); }
  unsigned GetSegmentCount() const { return Figures().SegmentCount(); }

private:
  friend class TD2GeometrySink;
  TD2PathGeometry() = default;
  void Finish(TFigureList figures) { SetFigures(std::move(figures)); }

  std::unique_ptr<TD2GeometrySink> FSink;
  bool FOpened = false;
};

using TD2PathGeometryPtr = std::shared_ptr<TD2PathGeometry>;

class TD2RectangleGeometry : public TD2Geometry {
public:
  static std::shared_ptr<TD2RectangleGeometry> Create(const D2D_RECT_F& rect);
  D2D_RECT_F GetRect() const { return FRect; }

private:
  explicit TD2RectangleGeometry(const D2D_RECT_F& rect);
  D2D_RECT_F FRect;
};

class TD2RoundedRectangleGeometry : public TD2Geometry {
public:
  static std::shared_ptr<TD2RoundedRectangleGeometry> Create(const D2D1_ROUNDED_RECT& rect);
  D2D1_ROUNDED_RECT GetRoundedRect() const { return FRect; }

private:
  explicit TD2RoundedRectangleGeometry(const D2D1_ROUNDED_RECT& rect);
  D2D1_ROUNDED_RECT FRect;
};

class TD2EllipseGeometry : public TD2Geometry {
public:
  static std::shared_ptr<TD2EllipseGeometry> Create(const D2D1_ELLIPSE& ellipse);
  D2D1_ELLIPSE GetEllipse() const { return FEllipse; }

private:
  explicit TD2EllipseGeometry(const D2D1_ELLIPSE& ellipse);
  D2D1_ELLIPSE FEllipse;
};

class TD2TransformedGeometry : public TD2Geometry {
public:
  static std::shared_ptr<TD2TransformedGeometry> Create(const TD2GeometryPtr& source,
                                                        const D2D_MATRIX_3X2_F& transform);
  const TD2GeometryPtr& GetSourceGeometry() const { return FSource; }
  D2D_MATRIX_3X2_F GetTransform() const { return FTransform; }

private:
  TD2TransformedGeometry(const TD2GeometryPtr& source, const D2D_MATRIX_3X2_F& transform);
  TD2GeometryPtr FSource;
  D2D_MATRIX_3X2_F FTransform;
};
