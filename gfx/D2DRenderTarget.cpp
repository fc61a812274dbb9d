#include "gfx/D2DRenderTarget.h"

#include <QPixmap>
#include <algorithm>
#include <cmath>

namespace {

// The device's size in painter units (QImage and QPixmap count pixels, widgets do not).
QSizeF LogicalSize(const QPaintDevice* device) {
  switch (device->devType()) {
    case QInternal::Image:
      return static_cast<const QImage*>(device)->deviceIndependentSize();
    case QInternal::Pixmap:
      return static_cast<const QPixmap*>(device)->deviceIndependentSize();
    default:
      return QSizeF(device->width(), device->height());
  }
}

}  // namespace

TD2RenderTarget::TD2RenderTarget(float dpiX, float dpiY) { SetDpi(dpiX, dpiY); }

TD2RenderTarget::~TD2RenderTarget() = default;

void TD2RenderTarget::SetDpi(float dpiX, float dpiY) {
  FDpiX = dpiX > 0 ? dpiX : 96;
  FDpiY = dpiY > 0 ? dpiY : 96;
}

void TD2RenderTarget::GetDpi(float& dpiX, float& dpiY) const {
  dpiX = FDpiX;
  dpiY = FDpiY;
}

void TD2RenderTarget::BeginDraw(QPainter& painter) {
  if (FPainter || !painter.isActive()) {
    FFailed = true;
    return;
  }
  FPainter = &painter;
  FFailed = false;
  FClipDepth = 0;
  painter.save();
  const qreal ratio = painter.device()->devicePixelRatioF();
  const qreal sx = FDpiX / 96.0 / ratio, sy = FDpiY / 96.0 / ratio;
  FOuter = painter.transform();
  FBase = QTransform::fromScale(sx, sy) * FOuter;
  const QSizeF logical = LogicalSize(painter.device());
  FSize = D2D_SIZE_F{static_cast<float>(logical.width() / sx), static_cast<float>(logical.height() / sy)};
}

bool TD2RenderTarget::EndDraw() {
  if (!FPainter) return false;
  bool ok = !FFailed && FClipDepth == 0;
  for (; FClipDepth > 0; --FClipDepth) FPainter->restore();
  FPainter->restore();
  FPainter = nullptr;
  return ok;
}

bool TD2RenderTarget::Prepare() {
  if (!FPainter) {
    FFailed = true;
    return false;
  }
  FPainter->setTransform(ToQTransform(FTransform) * FBase);
  FPainter->setRenderHint(QPainter::Antialiasing, FAntialiasMode == TD2AntialiasMode::PerPrimitive);
  FPainter->setRenderHint(QPainter::TextAntialiasing, true);
  FPainter->setOpacity(1);
  FPainter->setCompositionMode(QPainter::CompositionMode_SourceOver);
  return true;
}

bool TD2RenderTarget::MayBeVisible(const QRectF& rect, double pad, double devicePad) const {
  const QRectF device(QPointF(0, 0), LogicalSize(FPainter->device()));
  const QRectF mapped = FPainter->transform().mapRect(rect.adjusted(-pad, -pad, pad, pad));
  // Comparisons that see NaN fail: such a primitive is drawn as before.
  return !(mapped.right() + devicePad < device.left() || mapped.left() - devicePad > device.right() ||
           mapped.bottom() + devicePad < device.top() || mapped.top() - devicePad > device.bottom());
}

QPen TD2RenderTarget::StrokePen(const TD2BrushPtr& brush, float strokeWidth,
                                const TD2StrokeStylePtr& strokeStyle) const {
  QPen pen(brush->EffectiveColor());
  pen.setWidthF(std::max(0.0f, strokeWidth));
  pen.setCapStyle(Qt::FlatCap);
  pen.setJoinStyle(Qt::MiterJoin);
  pen.setMiterLimit(10);
  if (strokeStyle) strokeStyle->ApplyTo(pen);
  return pen;
}

void TD2RenderTarget::StrokePath(const QPainterPath& path, const TD2BrushPtr& brush, float strokeWidth,
                                 const TD2StrokeStylePtr& strokeStyle) {
  if (!brush || !Prepare()) return;
  const QPen pen = StrokePen(brush, strokeWidth, strokeStyle);
  // A miter reaches at most miterLimit half-widths beyond a corner; a cosmetic pen's
  // width counts in painter pixels.
  const double reach = std::max(1.0, pen.widthF()) * std::max(1.0, pen.miterLimit());
  const bool cosmetic = pen.isCosmetic();
  if (!MayBeVisible(path.controlPointRect(), cosmetic ? 0 : reach, cosmetic ? reach + 2 : 2)) return;
  FPainter->strokePath(path, pen);
}

void TD2RenderTarget::FillPath(const QPainterPath& path, const TD2BrushPtr& brush) {
  if (!brush || !Prepare()) return;
  if (!MayBeVisible(path.controlPointRect(), 0)) return;
  FPainter->fillPath(path, brush->EffectiveColor());
}

void TD2RenderTarget::Clear(const D2D_COLOR_F& color) {
  if (!Prepare()) return;
  FPainter->setTransform(QTransform());
  FPainter->setCompositionMode(QPainter::CompositionMode_Source);
  FPainter->fillRect(QRectF(QPointF(0, 0), LogicalSize(FPainter->device())), ToQColor(color));
}

void TD2RenderTarget::DrawLine(D2D_POINT_2F p0, D2D_POINT_2F p1, const TD2BrushPtr& brush, float strokeWidth,
                               const TD2StrokeStylePtr& strokeStyle) {
  QPainterPath path(ToQPointF(p0));
  path.lineTo(ToQPointF(p1));
  StrokePath(path, brush, strokeWidth, strokeStyle);
}

void TD2RenderTarget::DrawRectangle(const D2D_RECT_F& rect, const TD2BrushPtr& brush, float strokeWidth,
                                    const TD2StrokeStylePtr& strokeStyle) {
  StrokePath(TD2RectangleGeometry::Create(rect)->StrokePath(), brush, strokeWidth, strokeStyle);
}

void TD2RenderTarget::FillRectangle(const D2D_RECT_F& rect, const TD2BrushPtr& brush) {
  QPainterPath path;
  path.addRect(ToQRectF(rect));
  FillPath(path, brush);
}

void TD2RenderTarget::DrawRoundedRectangle(const D2D1_ROUNDED_RECT& rect, const TD2BrushPtr& brush, float strokeWidth,
                                           const TD2StrokeStylePtr& strokeStyle) {
  StrokePath(TD2RoundedRectangleGeometry::Create(rect)->StrokePath(), brush, strokeWidth, strokeStyle);
}

void TD2RenderTarget::FillRoundedRectangle(const D2D1_ROUNDED_RECT& rect, const TD2BrushPtr& brush) {
  FillPath(TD2RoundedRectangleGeometry::Create(rect)->FillPath(), brush);
}

void TD2RenderTarget::DrawEllipse(const D2D1_ELLIPSE& ellipse, const TD2BrushPtr& brush, float strokeWidth,
                                  const TD2StrokeStylePtr& strokeStyle) {
  StrokePath(TD2EllipseGeometry::Create(ellipse)->StrokePath(), brush, strokeWidth, strokeStyle);
}

void TD2RenderTarget::FillEllipse(const D2D1_ELLIPSE& ellipse, const TD2BrushPtr& brush) {
  FillPath(TD2EllipseGeometry::Create(ellipse)->FillPath(), brush);
}

void TD2RenderTarget::DrawGeometry(const TD2GeometryPtr& geometry, const TD2BrushPtr& brush, float strokeWidth,
                                   const TD2StrokeStylePtr& strokeStyle) {
  if (geometry) StrokePath(geometry->StrokePath(), brush, strokeWidth, strokeStyle);
}

void TD2RenderTarget::FillGeometry(const TD2GeometryPtr& geometry, const TD2BrushPtr& brush) {
  if (geometry) FillPath(geometry->FillPath(), brush);
}

void TD2RenderTarget::DrawBitmap(const TD2BitmapPtr& bitmap, const D2D_RECT_F* destination, float opacity,
                                 TD2InterpolationMode interpolation, const D2D_RECT_F* source) {
  if (!bitmap || !Prepare()) return;
  const D2D_SIZE_F size = bitmap->GetSize();
  const QRectF target = destination ? ToQRectF(*destination) : QRectF(0, 0, size.width, size.height);
  QRectF pixels(QPointF(0, 0), QSizeF(bitmap->GetPixelSize()));
  if (source) {
    float dpiX, dpiY;
    bitmap->GetDpi(dpiX, dpiY);
    const QRectF s = ToQRectF(*source);
    pixels = QRectF(s.left() * dpiX / 96, s.top() * dpiY / 96, s.width() * dpiX / 96, s.height() * dpiY / 96);
  }
  if (!MayBeVisible(target, 0)) return;
  FPainter->setOpacity(std::clamp(opacity, 0.0f, 1.0f));
  FPainter->setRenderHint(QPainter::SmoothPixmapTransform, interpolation == TD2InterpolationMode::Linear);
  FPainter->drawImage(target, bitmap->Image(), pixels);
}

void TD2RenderTarget::DrawTextLayout(D2D_POINT_2F origin, const TD2TextLayoutPtr& layout,
                                     const TD2BrushPtr& brush) {
  if (!layout || !brush || !Prepare()) return;
  // Glyphs may overhang the laid-out box (italics, accents): a font size around it.
  const TD2TextMetrics m = layout->GetMetrics();
  const QRectF box(origin.x + m.left, origin.y + m.top, m.width, m.height);
  if (!MayBeVisible(box, layout->FontSize())) return;
  layout->Draw(*FPainter, origin, brush->EffectiveColor());
}

void TD2RenderTarget::DrawText(const QString& text, const TD2TextFormatPtr& format, const D2D_RECT_F& layoutRect,
                               const TD2BrushPtr& brush) {
  if (!format) return;
  const QRectF box = ToQRectF(layoutRect);
  DrawTextLayout(D2D1PointF(static_cast<float>(box.left()), static_cast<float>(box.top())),
                 TD2TextLayout::Create(text, *format, static_cast<float>(box.width()),
                                       static_cast<float>(box.height())),
                 brush);
}

void TD2RenderTarget::PushAxisAlignedClip(const D2D_RECT_F& rect, TD2AntialiasMode) {
  if (!Prepare()) return;
  const QRectF device = (ToQTransform(FTransform) * FBase).mapRect(ToQRectF(rect));
  FPainter->save();
  ++FClipDepth;
  FPainter->setTransform(QTransform());
  FPainter->setClipRect(device, FPainter->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
}

void TD2RenderTarget::PopAxisAlignedClip() {
  if (!FPainter || FClipDepth == 0) {
    FFailed = true;
    return;
  }
  --FClipDepth;
  FPainter->restore();
}

TD2RenderTarget::TDeviceLayerInfo TD2RenderTarget::DeviceLayerInfo() const {
  if (!FPainter) return {};
  const QPaintDevice* device = FPainter->device();
  const qreal ratio = device->devicePixelRatioF();
  const QSizeF logical = LogicalSize(device);
  return {QSize(qRound(logical.width() * ratio), qRound(logical.height() * ratio)), ratio, FOuter};
}

void TD2RenderTarget::DrawDeviceLayer(const QImage& layer) {
  if (!Prepare()) return;
  const TDeviceLayerInfo info = DeviceLayerInfo();
  if (layer.size() != info.Pixels || layer.devicePixelRatio() != info.Ratio) return;
  // The layer already holds the device's pixels: no transform, no resampling.
  FPainter->setTransform(QTransform());
  FPainter->drawImage(QPointF(0, 0), layer);
}

TD2BrushPtr TD2RenderTarget::CreateSolidColorBrush(const D2D_COLOR_F& color, float opacity) const {
  return ::CreateSolidColorBrush(color, opacity);
}

TD2BitmapPtr TD2RenderTarget::CreateBitmap(const QImage& image) const {
  return std::make_shared<TD2Bitmap>(image, FDpiX, FDpiY);
}

std::unique_ptr<TD2BitmapRenderTarget> TD2RenderTarget::CreateCompatibleRenderTarget(D2D_SIZE_F desiredSize) const {
  return std::make_unique<TD2BitmapRenderTarget>(desiredSize, FDpiX, FDpiY);
}

// ---- off-screen target ----

TD2BitmapRenderTarget::TD2BitmapRenderTarget(D2D_SIZE_F size, float dpiX, float dpiY) : TD2RenderTarget(dpiX, dpiY) {
  float x, y;
  GetDpi(x, y);
  const int w = std::max(1, static_cast<int>(std::ceil(std::max(0.0f, size.width) * x / 96)));
  const int h = std::max(1, static_cast<int>(std::ceil(std::max(0.0f, size.height) * y / 96)));
  FImage = QImage(w, h, QImage::Format_ARGB32_Premultiplied);
  FImage.fill(Qt::transparent);
  Resize(size);
}

TD2BitmapRenderTarget::~TD2BitmapRenderTarget() {
  if (FOwnPainter) EndDraw();
}

void TD2BitmapRenderTarget::BeginDraw() {
  if (IsDrawing()) {
    TD2RenderTarget::BeginDraw(*Painter());  // records the misuse
    return;
  }
  FOwnPainter = std::make_unique<QPainter>(&FImage);
  TD2RenderTarget::BeginDraw(*FOwnPainter);
}

bool TD2BitmapRenderTarget::EndDraw() {
  const bool ok = TD2RenderTarget::EndDraw();
  if (FOwnPainter) {
    FOwnPainter->end();
    FOwnPainter.reset();
  }
  return ok;
}

TD2BitmapPtr TD2BitmapRenderTarget::GetBitmap() const { return CreateBitmap(FImage); }
