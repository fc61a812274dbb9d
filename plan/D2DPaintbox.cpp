#include "plan/D2DPaintbox.h"

#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <cmath>
#include <exception>

namespace {

// Nothing may throw through Qt's event loop; a failing handler is reported and the
// event ends there.
template <typename F>
void Guarded(const char* what, F&& f) {
  try {
    f();
  } catch (const std::exception& e) {
    qWarning("TMVPaintBoxD2D %s: %s", what, e.what());
  } catch (...) {
    qWarning("TMVPaintBoxD2D %s: unknown error", what);
  }
}

bool ButtonOf(Qt::MouseButton button, TMouseButton& result) {
  switch (button) {
    case Qt::LeftButton:
      result = mbLeft;
      return true;
    case Qt::RightButton:
      result = mbRight;
      return true;
    case Qt::MiddleButton:
      result = mbMiddle;
      return true;
    default:
      return false;
  }
}

QPoint Floor(const QPointF& p) {
  return QPoint(static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y())));
}

// Clears the pointer to a canvas that lives only during one paint.
struct TPaintCanvasScope {
  TCanvas*& Slot;
  TPaintCanvasScope(TCanvas*& slot, TCanvas* canvas) : Slot(slot) { Slot = canvas; }
  ~TPaintCanvasScope() { Slot = nullptr; }
};

}  // namespace

TMVPaintBoxD2D::TMVPaintBoxD2D(QWidget* AOwner) : QWidget(AOwner) {
  FdpiX = 96;
  FdpiY = 96;
  setMouseTracking(true);
  setAcceptDrops(true);
}

TMVPaintBoxD2D::~TMVPaintBoxD2D() = default;

void TMVPaintBoxD2D::SetAccelerated(bool Value) {
  if (Value == FUseD2D) return;
  if (Value) {
    if (!FD2DCanvas) return;
    FUseD2D = true;
  } else {
    FUseD2D = false;
  }
  update();
}

TCustomCanvas* TMVPaintBoxD2D::Canvas() const {
  if (FUseD2D) return FD2DCanvas.get();
  return FGDICanvas;
}

D2D_POINT_2F TMVPaintBoxD2D::DeviceToDIP(TPoint APoint) const {
  return D2D1PointF(static_cast<float>(APoint.X / FdpiX * 96.0f), static_cast<float>(APoint.Y / FdpiY * 96.0f));
}

void TMVPaintBoxD2D::HandleNeeded() {
  if (!FHandleAllocated) CreateWnd();
}

void TMVPaintBoxD2D::CreateWnd() {
  FHandleAllocated = true;
  FUseD2D = CreateD2DCanvas();
}

bool TMVPaintBoxD2D::CreateD2DCanvas() {
  try {
    const float dpi = static_cast<float>(96.0 * devicePixelRatioF());
    FD2DCanvas = std::make_unique<TDirect2DCanvas>(dpi, dpi);
    FdpiX = dpi;
    FdpiY = dpi;
    FD2DCanvas->RenderTarget().Resize(D2D1SizeF(static_cast<float>(width()), static_cast<float>(height())));
    if (AfterD2CanvasCreate) AfterD2CanvasCreate(this);
    return true;
  } catch (const std::exception& e) {
    qWarning("TMVPaintBoxD2D: no accelerated canvas: %s", e.what());
  } catch (...) {
    qWarning("TMVPaintBoxD2D: no accelerated canvas");
  }
  // A half-made canvas is not kept: without one the control paints the GDI way.
  FD2DCanvas.reset();
  FdpiX = FdpiY = 96;
  return false;
}

void TMVPaintBoxD2D::Paint() {
  if (TCustomCanvas* canvas = Canvas()) {
    canvas->Font().Assign(FFont);
    canvas->Brush().SetColor(FColor);
  }
  if (OnPaint) OnPaint(this);
}

void TMVPaintBoxD2D::PaintAccelerated(QPainter& painter) {
  FD2DCanvas->BeginDraw(painter);
  try {
    Paint();
  } catch (...) {
    FD2DCanvas->EndDraw();
    throw;
  }
  FD2DCanvas->EndDraw();
}

void TMVPaintBoxD2D::PaintGDI(QPainter& painter) {
  TCanvas canvas(painter);
  TPaintCanvasScope scope(FGDICanvas, &canvas);
  Paint();
}

void TMVPaintBoxD2D::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  Guarded("paint", [&] {
    if (FUseD2D && FD2DCanvas)
      PaintAccelerated(painter);
    else
      PaintGDI(painter);
  });
}

void TMVPaintBoxD2D::showEvent(QShowEvent* event) {
  if (!FHandleAllocated) CreateWnd();
  QWidget::showEvent(event);
}

void TMVPaintBoxD2D::resizeEvent(QResizeEvent* event) {
  if (FD2DCanvas)
    FD2DCanvas->RenderTarget().Resize(D2D1SizeF(static_cast<float>(width()), static_cast<float>(height())));
  QWidget::resizeEvent(event);
}

void TMVPaintBoxD2D::MouseButtonEvent(QMouseEvent* event, const TMouseEvent& handler, TShiftState extra) {
  TMouseButton button;
  if (!handler || !ButtonOf(event->button(), button)) return;
  const QPoint p = Floor(event->position());
  const TShiftState shift = ShiftStateOf(event->modifiers(), event->buttons()) + extra;
  Guarded("mouse button", [&] { handler(this, button, shift, p.x(), p.y()); });
}

void TMVPaintBoxD2D::mousePressEvent(QMouseEvent* event) { MouseButtonEvent(event, OnMouseDown, {}); }

void TMVPaintBoxD2D::mouseReleaseEvent(QMouseEvent* event) { MouseButtonEvent(event, OnMouseUp, {}); }

// As on the platform, a double click reports the click first, then a button press
// marked double.
void TMVPaintBoxD2D::mouseDoubleClickEvent(QMouseEvent* event) {
  if (OnDblClick) Guarded("double click", [&] { OnDblClick(this); });
  MouseButtonEvent(event, OnMouseDown, {ssDouble});
}

void TMVPaintBoxD2D::mouseMoveEvent(QMouseEvent* event) {
  if (!OnMouseMove) return;
  const QPoint p = Floor(event->position());
  const TShiftState shift = ShiftStateOf(event->modifiers(), event->buttons());
  Guarded("mouse move", [&] { OnMouseMove(this, shift, p.x(), p.y()); });
}

void TMVPaintBoxD2D::leaveEvent(QEvent* event) {
  if (OnMouseLeave) Guarded("mouse leave", [&] { OnMouseLeave(this); });
  QWidget::leaveEvent(event);
}

void TMVPaintBoxD2D::wheelEvent(QWheelEvent* event) {
  bool handled = false;
  if (OnMouseWheel) {
    const TShiftState shift = ShiftStateOf(event->modifiers(), event->buttons());
    const QPoint p = Floor(event->position());
    Guarded("mouse wheel", [&] { OnMouseWheel(this, shift, event->angleDelta().y(), p, handled); });
  }
  event->setAccepted(handled);
}

bool TMVPaintBoxD2D::DragOver(QDropEvent* event, TDragState state) {
  FDragSource = event->source();
  FDragPos = Floor(event->position());
  bool accept = false;
  if (OnDragOver)
    Guarded("drag over", [&] { OnDragOver(this, FDragSource, FDragPos.x(), FDragPos.y(), state, accept); });
  if (accept)
    event->acceptProposedAction();
  else
    event->ignore();
  return accept;
}

void TMVPaintBoxD2D::dragEnterEvent(QDragEnterEvent* event) { DragOver(event, dsDragEnter); }

void TMVPaintBoxD2D::dragMoveEvent(QDragMoveEvent* event) { DragOver(event, dsDragMove); }

void TMVPaintBoxD2D::dragLeaveEvent(QDragLeaveEvent* event) {
  bool accept = false;
  if (OnDragOver)
    Guarded("drag leave", [&] { OnDragOver(this, FDragSource, FDragPos.x(), FDragPos.y(), dsDragLeave, accept); });
  FDragSource = nullptr;
  QWidget::dragLeaveEvent(event);
}

void TMVPaintBoxD2D::dropEvent(QDropEvent* event) {
  // Qt delivers a drop only where the last drag over accepted it.
  FDragSource = nullptr;
  if (!OnDragDrop) {
    event->ignore();
    return;
  }
  event->acceptProposedAction();
  const QPoint p = Floor(event->position());
  Guarded("drag drop", [&] { OnDragDrop(this, event->source(), p.x(), p.y()); });
}
