#pragma once

#include "gfx/D2DGeometry.h"
#include "gfx/D2DResources.h"
#include "gfx/D2DText.h"
#include "gfx/D2DTypes.h"

#include <QImage>
#include <QPainter>
#include <QTransform>
#include <memory>

enum class TD2AntialiasMode : uint8_t { PerPrimitive, Aliased };

class TD2BitmapRenderTarget;

// Draws in device-independent pixels (1/96 inch) through a QPainter. Everything is
// drawn between BeginDraw and EndDraw, under the target's transform. The dpi says
// how many painter units one DIP spans: a widget painter already works in DIPs when
// the dpi is 96 times the widget's device-pixel ratio. A missing resource (null
// brush, geometry or bitmap) draws nothing.
class TD2RenderTarget {
public:
  explicit TD2RenderTarget(float dpiX = 96, float dpiY = 96);
  virtual ~TD2RenderTarget();
  TD2RenderTarget(const TD2RenderTarget&) = delete;
  TD2RenderTarget& operator=(const TD2RenderTarget&) = delete;

  // The painter must stay active until EndDraw; its state is restored there.
  void BeginDraw(QPainter& painter);
  // False when drawing was attempted outside BeginDraw/EndDraw or clips were left pushed.
  virtual bool EndDraw();
  bool IsDrawing() const { return FPainter != nullptr; }

  void SetDpi(float dpiX, float dpiY);
  void GetDpi(float& dpiX, float& dpiY) const;
  // Size in DIPs: that of the painter's device while drawing, else the size last set.
  D2D_SIZE_F GetSize() const { return FSize; }
  void Resize(D2D_SIZE_F size) { FSize = size; }

  void SetTransform(const D2D_MATRIX_3X2_F& transform) { FTransform = transform; }
  D2D_MATRIX_3X2_F GetTransform() const { return FTransform; }
  void SetAntialiasMode(TD2AntialiasMode mode) { FAntialiasMode = mode; }
  TD2AntialiasMode GetAntialiasMode() const { return FAntialiasMode; }

  // Fills the whole target (inside the current clip), ignoring the transform.
  void Clear(const D2D_COLOR_F& color);
  void Clear(TColor color) { Clear(D2D1ColorF(color)); }

  void DrawLine(D2D_POINT_2F p0, D2D_POINT_2F p1, const TD2BrushPtr& brush, float strokeWidth = 1,
                const TD2StrokeStylePtr& strokeStyle = nullptr);
  void DrawRectangle(const D2D_RECT_F& rect, const TD2BrushPtr& brush, float strokeWidth = 1,
                     const TD2StrokeStylePtr& strokeStyle = nullptr);
  void FillRectangle(const D2D_RECT_F& rect, const TD2BrushPtr& brush);
  void DrawRoundedRectangle(const D2D1_ROUNDED_RECT& rect, const TD2BrushPtr& brush, float strokeWidth = 1,
                            const TD2StrokeStylePtr& strokeStyle = nullptr);
  void FillRoundedRectangle(const D2D1_ROUNDED_RECT& rect, const TD2BrushPtr& brush);
  void DrawEllipse(const D2D1_ELLIPSE& ellipse, const TD2BrushPtr& brush, float strokeWidth = 1,
                   const TD2StrokeStylePtr& strokeStyle = nullptr);
  void FillEllipse(const D2D1_ELLIPSE& ellipse, const TD2BrushPtr& brush);
  void DrawGeometry(const TD2GeometryPtr& geometry, const TD2BrushPtr& brush, float strokeWidth = 1,
                    const TD2StrokeStylePtr& strokeStyle = nullptr);
  void FillGeometry(const TD2GeometryPtr& geometry, const TD2BrushPtr& brush);
  // Without a destination the bitmap is drawn at (0, 0) in its own size; the source
  // rectangle is in the bitmap's DIPs.
  void DrawBitmap(const TD2BitmapPtr& bitmap, const D2D_RECT_F* destination = nullptr, float opacity = 1,
                  TD2InterpolationMode interpolation = TD2InterpolationMode::Linear,
                  const D2D_RECT_F* source = nullptr);
  void DrawTextLayout(D2D_POINT_2F origin, const TD2TextLayoutPtr& layout, const TD2BrushPtr& brush);
  void DrawText(const QString& text, const TD2TextFormatPtr& format, const D2D_RECT_F& layoutRect,
                const TD2BrushPtr& brush);

  // Clips to the bounds of the rectangle under the current transform until the
  // matching pop.
  void PushAxisAlignedClip(const D2D_RECT_F& rect, TD2AntialiasMode mode = TD2AntialiasMode::PerPrimitive);
  void PopAxisAlignedClip();

  // A layer is a transparent picture of the whole device, pixel for pixel: what is
  // drawn into it once (through a painter on it with Outer as its transform and a
  // target of this dpi) is laid over later paints by DrawDeviceLayer, which looks
  // as if it had been drawn again, at the cost of one blend.
  struct TDeviceLayerInfo {
    QSize Pixels;
    qreal Ratio = 1;
    QTransform Outer;
    bool operator==(const TDeviceLayerInfo&) const = default;
  };
  // Empty pixels outside BeginDraw/EndDraw.
  TDeviceLayerInfo DeviceLayerInfo() const;
  // Composites the layer over the device; a layer of another size draws nothing.
  void DrawDeviceLayer(const QImage& layer);

  TD2BrushPtr CreateSolidColorBrush(const D2D_COLOR_F& color, float opacity = 1) const;
  // The image becomes a bitmap of this target's resolution.
  TD2BitmapPtr CreateBitmap(const QImage& image) const;
  // An off-screen target of the given size in DIPs and this target's resolution.
  std::unique_ptr<TD2BitmapRenderTarget> CreateCompatibleRenderTarget(D2D_SIZE_F desiredSize) const;

protected:
  QPainter* Painter() const { return FPainter; }

private:
  bool Prepare();
  // Whether anything of the rectangle (in the target's current units, widened by pad
  // of those units and devicePad painter pixels) can land on the device. Primitives
  // entirely outside are skipped: a large plan keeps most of its items off the
  // screen, and Qt would stroke, lay out and rasterise them all before clipping.
  bool MayBeVisible(const QRectF& rect, double pad, double devicePad = 2) const;
  QPen StrokePen(const TD2BrushPtr& brush, float strokeWidth, const TD2StrokeStylePtr& strokeStyle) const;
  void StrokePath(const QPainterPath& path, const TD2BrushPtr& brush, float strokeWidth,
                  const TD2StrokeStylePtr& strokeStyle);
  void FillPath(const QPainterPath& path, const TD2BrushPtr& brush);

  QPainter* FPainter = nullptr;
  QTransform FOuter;
  QTransform FBase;
  D2D_MATRIX_3X2_F FTransform;
  TD2AntialiasMode FAntialiasMode = TD2AntialiasMode::PerPrimitive;
  float FDpiX;
  float FDpiY;
  D2D_SIZE_F FSize;
  int FClipDepth = 0;
  bool FFailed = false;
};

// An off-screen render target over a QImage (transparent at creation).
class TD2BitmapRenderTarget : public TD2RenderTarget {
public:
  explicit TD2BitmapRenderTarget(D2D_SIZE_F size, float dpiX = 96, float dpiY = 96);
  ~TD2BitmapRenderTarget() override;

  using TD2RenderTarget::BeginDraw;
  void BeginDraw();
  bool EndDraw() override;
  // The picture drawn so far, as a bitmap of this target's resolution.
  TD2BitmapPtr GetBitmap() const;
  const QImage& Image() const { return FImage; }

private:
  QImage FImage;
  std::unique_ptr<QPainter> FOwnPainter;
};
