#pragma once

#include "gfx/Canvas.h"
#include "gfx/ControlEvents.h"
#include "gfx/D2DTypes.h"
#include "gfx/Direct2DCanvas.h"
#include "gfx/Graphics.h"
#include "gfx/WinTypes.h"

#include <QWidget>
#include <memory>

// The plan view: a paint box whose paints run inside the begin and end of drawing on
// its Direct2D-style canvas. The canvas is made when the control is first shown (or
// when HandleNeeded asks for it); until then, and whenever it could not be made, the
// control paints through a GDI-style canvas instead.
//
// Coordinates: Qt's widget coordinates already are device-independent pixels, so
// the mouse events report them unchanged, and the render target draws in them.
// DeviceToDIP converts physical device pixels (FdpiX = 96 x device-pixel ratio).
class TMVPaintBoxD2D : public QWidget {
  Q_OBJECT

public:
  explicit TMVPaintBoxD2D(QWidget* AOwner = nullptr);
  ~TMVPaintBoxD2D() override;

  TControlNotifyEvent OnPaint;
  TControlNotifyEvent AfterD2CanvasCreate;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TControlNotifyEvent OnMouseLeave;
  TMouseWheelEvent OnMouseWheel;
  TDragOverEvent OnDragOver;
  TDragDropEvent OnDragDrop;
  TControlNotifyEvent OnDblClick;

  bool Accelerated() const { return FUseD2D; }
  void SetAccelerated(bool Value);
  TDirect2DCanvas* D2DCanvas() const { return FD2DCanvas.get(); }
  // The canvas of the current paint: the Direct2D canvas when accelerated, else the
  // GDI canvas, which exists only while a paint runs.
  TCustomCanvas* Canvas() const;
  TCanvas* GDICanvas() const { return FUseD2D ? nullptr : FGDICanvas; }

  // The control's font and colour, handed to the active canvas at every paint.
  TFont& Font() { return FFont; }
  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; }

  float dpiX() const { return FdpiX; }
  float dpiY() const { return FdpiY; }
  virtual D2D_POINT_2F DeviceToDIP(TPoint APoint) const;

  bool HandleAllocated() const { return FHandleAllocated; }
  // Runs the window creation now if it has not run yet.
  void HandleNeeded();

protected:
  // Decides the drawing path once the control's window exists.
  virtual void CreateWnd();
  bool CreateD2DCanvas();
  // Prepares the active canvas and fires OnPaint.
  virtual void Paint();

  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dragLeaveEvent(QDragLeaveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

  bool FUseD2D = false;
  std::unique_ptr<TDirect2DCanvas> FD2DCanvas;
  float FdpiX = 96;
  float FdpiY = 96;

private:
  void PaintAccelerated(QPainter& painter);
  void PaintGDI(QPainter& painter);
  void MouseButtonEvent(QMouseEvent* event, const TMouseEvent& handler, TShiftState extra);
  bool DragOver(QDropEvent* event, TDragState state);

  TCanvas* FGDICanvas = nullptr;
  QObject* FDragSource = nullptr;
  QPoint FDragPos;
  TFont FFont;
  TColor FColor = clBtnFace;
  bool FHandleAllocated = false;
};
