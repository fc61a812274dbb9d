#include "gfx/Canvas.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>

namespace {

TDeviceMetrics MetricsOf(const QPaintDevice* device) {
  TDeviceMetrics m;
  if (device->devType() == QInternal::Image) {
    const auto* image = static_cast<const QImage*>(device);
    const QSizeF logical = image->deviceIndependentSize();
    m.HorzRes = static_cast<int>(std::lround(logical.width()));
    m.VertRes = static_cast<int>(std::lround(logical.height()));
    const double dpmX = image->dotsPerMeterX() > 0 ? image->dotsPerMeterX() : 96 / 0.0254;
    const double dpmY = image->dotsPerMeterY() > 0 ? image->dotsPerMeterY() : 96 / 0.0254;
    m.HorzSizeMM = image->width() * 1000.0 / dpmX;
    m.VertSizeMM = image->height() * 1000.0 / dpmY;
  } else {
    m.HorzRes = device->width();
    m.VertRes = device->height();
    m.HorzSizeMM = device->widthMM() > 0 ? device->widthMM() : device->width() * 25.4 / 96;
    m.VertSizeMM = device->heightMM() > 0 ? device->heightMM() : device->height() * 25.4 / 96;
  }
  return m;
}

int RoundDevice(double v) { return static_cast<int>(std::floor(v + 0.5)); }

QPainter::CompositionMode CompositionOf(TPenMode mode) {
  switch (mode) {
    case pmNotXor:
      return QPainter::RasterOp_NotSourceXorDestination;
    case pmXor:
      return QPainter::RasterOp_SourceXorDestination;
    case pmNot:
      return QPainter::RasterOp_NotDestination;
    case pmNotCopy:
      return QPainter::RasterOp_NotSource;
    case pmMask:
      return QPainter::RasterOp_SourceAndDestination;
    case pmMerge:
      return QPainter::RasterOp_SourceOrDestination;
    default:
      return QPainter::CompositionMode_SourceOver;
  }
}

Qt::BrushStyle PatternOf(TBrushStyle style) {
  switch (style) {
    case bsSolid:
      return Qt::SolidPattern;
    case bsClear:
      return Qt::NoBrush;
    case bsHorizontal:
      return Qt::HorPattern;
    case bsVertical:
      return Qt::VerPattern;
    case bsFDiagonal:
      return Qt::BDiagPattern;  // "/" lines, as the platform's forward diagonal
    case bsBDiagonal:
      return Qt::FDiagPattern;
    case bsCross:
      return Qt::CrossPattern;
    case bsDiagCross:
      return Qt::DiagCrossPattern;
  }
  return Qt::SolidPattern;
}

// Dash patterns of one-pixel pens, in pixels.
QList<qreal> DashesOf(TPenStyle style) {
  switch (style) {
    case psDash:
      return {18, 6};
    case psDot:
      return {3, 3};
    case psDashDot:
      return {9, 6, 3, 6};
    case psDashDotDot:
      return {9, 3, 3, 3, 3, 3};
    default:
      return {};
  }
}

}  // namespace

TCanvas::TCanvas(QPaintDevice* device)
    : FOwnPainter(std::make_unique<QPainter>(device)), FPainter(FOwnPainter.get()) {
  Init();
}

TCanvas::TCanvas(QPainter& painter) : FPainter(&painter) { Init(); }

TCanvas::~TCanvas() {
  if (FOwnPainter && FOwnPainter->isActive()) FOwnPainter->end();
}

void TCanvas::Init() {
  if (const QPaintDevice* device = FPainter->device()) {
    FMetrics = MetricsOf(device);
    FLogPixelsX = device->logicalDpiX();
    FLogPixelsY = device->logicalDpiY();
  }
  FMapping = TCanvasMapping(FMetrics);
  Font().SetPixelsPerInch(FLogPixelsY);
}

int TCanvas::GetDeviceCaps(int index) const {
  switch (index) {
    case HORZSIZE:
      return static_cast<int>(std::lround(FMetrics.HorzSizeMM));
    case VERTSIZE:
      return static_cast<int>(std::lround(FMetrics.VertSizeMM));
    case HORZRES:
      return FMetrics.HorzRes;
    case VERTRES:
      return FMetrics.VertRes;
    case LOGPIXELSX:
      return FLogPixelsX;
    case LOGPIXELSY:
      return FLogPixelsY;
    default:
      return 0;
  }
}

QPoint TCanvas::Dev(int x, int y) const {
  const QPointF d = FMapping.ToDevice(QPointF(x, y));
  return QPoint(RoundDevice(d.x()), RoundDevice(d.y()));
}

QRect TCanvas::DevRect(int x1, int y1, int x2, int y2) const {
  const QPoint a = Dev(x1, y1), b = Dev(x2, y2);
  return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
               QSize(std::abs(b.x() - a.x()), std::abs(b.y() - a.y())));
}

TPoint TCanvas::LPtoDP(TPoint logical) const { return FromQPoint(Dev(logical.X, logical.Y)); }

TPoint TCanvas::DPtoLP(TPoint device) const {
  const QPointF l = FMapping.ToLogical(QPointF(device.X, device.Y));
  return TPoint{RoundDevice(l.x()), RoundDevice(l.y())};
}

void TCanvas::SelectClipRect(const TRect& deviceRect) { FPainter->setClipRect(ToQRect(deviceRect)); }

void TCanvas::RemoveClip() { FPainter->setClipping(false); }

TRect TCanvas::ClipRect() const {
  const QRect device = FPainter->hasClipping() ? FPainter->clipBoundingRect().toAlignedRect()
                                               : QRect(0, 0, FMetrics.HorzRes, FMetrics.VertRes);
  const TPoint a = DPtoLP(TPoint{device.left(), device.top()});
  const TPoint b = DPtoLP(TPoint{device.left() + device.width(), device.top() + device.height()});
  return TRect{std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

QPen TCanvas::DevicePen() const {
  if (Pen().Style() == psClear) return QPen(Qt::NoPen);
  const int width = std::max(1, RoundDevice(Pen().Width() * std::abs(FMapping.ScaleX())));
  QPen pen(ColorToQColor(Pen().Color()));
  pen.setWidth(width);
  if (width == 1) {
    // Thin pens leave out the last pixel of a line and may be dashed; wider pens are
    // solid with round ends, as on the platform.
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    const QList<qreal> dashes = DashesOf(Pen().Style());
    if (!dashes.isEmpty()) pen.setDashPattern(dashes);
  } else {
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
  }
  return pen;
}

QBrush TCanvas::DeviceBrush() const {
  const Qt::BrushStyle pattern = PatternOf(Brush().Style());
  return pattern == Qt::NoBrush ? QBrush(Qt::NoBrush) : QBrush(ColorToQColor(Brush().Color()), pattern);
}

void TCanvas::PrepareShape() {
  FPainter->setRenderHint(QPainter::Antialiasing, false);
  FPainter->setCompositionMode(CompositionOf(Pen().Mode()));
  FPainter->setPen(DevicePen());
  FPainter->setBrush(DeviceBrush());
}

void TCanvas::LineTo(int x, int y) {
  PrepareShape();
  FPainter->drawLine(Dev(PenPos().X, PenPos().Y), Dev(x, y));
  MoveTo(x, y);
}

void TCanvas::Polyline(std::span<const TPoint> points) {
  if (points.size() < 2) return;
  PrepareShape();
  QPolygon polygon;
  for (const TPoint& p : points) polygon << Dev(p.X, p.Y);
  FPainter->drawPolyline(polygon);
}

void TCanvas::Polygon(std::span<const TPoint> points) {
  if (points.size() < 2) return;
  PrepareShape();
  QPolygon polygon;
  for (const TPoint& p : points) polygon << Dev(p.X, p.Y);
  FPainter->drawPolygon(polygon, Qt::OddEvenFill);
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  const QRect r = DevRect(x1, y1, x2, y2);
  if (r.isEmpty()) return;
  PrepareShape();
  const QBrush brush = DeviceBrush();
  if (brush.style() != Qt::NoBrush) FPainter->fillRect(r, brush);
  FPainter->setBrush(Qt::NoBrush);
  FPainter->drawRect(r.adjusted(0, 0, -1, -1));
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight) {
  const QRect r = DevRect(x1, y1, x2, y2);
  if (r.isEmpty()) return;
  PrepareShape();
  const double rx = std::abs(cornerWidth * FMapping.ScaleX()) / 2;
  const double ry = std::abs(cornerHeight * FMapping.ScaleY()) / 2;
  FPainter->drawRoundedRect(QRectF(r.adjusted(0, 0, -1, -1)), rx, ry);
}

void TCanvas::FillRect(const TRect& rect) {
  const QRect r = DevRect(rect.Left, rect.Top, rect.Right, rect.Bottom);
  if (r.isEmpty()) return;
  FPainter->setCompositionMode(QPainter::CompositionMode_SourceOver);
  FPainter->fillRect(r, DeviceBrush());
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  const QRect r = DevRect(x1, y1, x2, y2);
  if (r.isEmpty()) return;
  PrepareShape();
  FPainter->drawEllipse(r.adjusted(0, 0, -1, -1));
}

QFont TCanvas::DeviceFont() const {
  QFont font(Font().Name());
  const TFontStyles style = Font().Style();
  font.setBold(style.Contains(fsBold));
  font.setItalic(style.Contains(fsItalic));
  font.setUnderline(style.Contains(fsUnderline));
  font.setStrikeOut(style.Contains(fsStrikeOut));
  const int height = Font().Height() != 0 ? Font().Height() : -MulDiv(8, FLogPixelsY, 72);
  double pixels = std::abs(height * FMapping.ScaleY());
  if (height > 0) {
    // A cell height: take off the internal leading, as the font's own metrics give it.
    QFont probe = font;
    probe.setPixelSize(1000);
    pixels *= 1000 / QFontMetricsF(probe).height();
  }
  font.setPixelSize(std::max(1, RoundDevice(pixels)));
  return font;
}

void TCanvas::TextOut(int x, int y, const QString& text) {
  if (text.isEmpty()) return;
  const QFont font = DeviceFont();
  const QFontMetricsF metrics(font, FPainter->device());
  FPainter->save();
  FPainter->setCompositionMode(QPainter::CompositionMode_SourceOver);
  FPainter->setRenderHint(QPainter::TextAntialiasing, true);
  FPainter->translate(Dev(x, y));
  FPainter->rotate(-Font().Orientation() / 10.0);  // counter-clockwise on the screen
  if (Brush().Style() != bsClear)  // the cell in whole pixels, as TextExtent measures it
    FPainter->fillRect(QRectF(0, 0, std::ceil(metrics.horizontalAdvance(text)), std::ceil(metrics.height())),
                       ColorToQColor(Brush().Color()));
  FPainter->setFont(font);
  FPainter->setPen(ColorToQColor(Font().Color()));
  FPainter->drawText(QPointF(0, metrics.ascent()), text);
  FPainter->restore();
}

TSize TCanvas::TextExtent(const QString& text) {
  const QFontMetricsF metrics(DeviceFont(), FPainter->device());
  const double width = text.isEmpty() ? 0 : std::ceil(metrics.horizontalAdvance(text));
  const double height = std::ceil(metrics.height());
  return TSize{RoundDevice(width / std::abs(FMapping.ScaleX())), RoundDevice(height / std::abs(FMapping.ScaleY()))};
}

void TCanvas::StretchDraw(const TRect& rect, const QImage& image) {
  const QPoint a = Dev(rect.Left, rect.Top), b = Dev(rect.Right, rect.Bottom);
  if (image.isNull() || a.x() == b.x() || a.y() == b.y()) return;
  // A flipped axis (y upwards) must not flip the picture.
  const QRect target(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                     QSize(std::abs(b.x() - a.x()), std::abs(b.y() - a.y())));
  FPainter->setCompositionMode(QPainter::CompositionMode_SourceOver);
  FPainter->setRenderHint(QPainter::SmoothPixmapTransform, false);
  FPainter->drawImage(target, image);
}
