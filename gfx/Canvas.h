#pragma once

#include "gfx/CanvasMapping.h"
#include "gfx/CustomCanvas.h"

#include <QFont>
#include <QPainter>
#include <memory>

enum TDeviceCap : int { HORZSIZE = 4, VERTSIZE = 6, HORZRES = 8, VERTRES = 10, LOGPIXELSX = 88, LOGPIXELSY = 90 };

// A GDI-style canvas over a QPainter: integer logical coordinates turned into device
// units by a mapping mode (MM_TEXT, the metric modes, isotropic or anisotropic with
// window and viewport origin and extent), pens at least one pixel wide, fonts sized
// in logical units and turned by their orientation about the text cell's top-left
// corner. "Device units" are the painter's own coordinates when the canvas is made
// (pixels of an image, DIPs of a widget, whatever scale a borrowed painter had).
class TCanvas : public TCustomCanvas {
public:
  // Draws on the device with a painter of its own, ended with the canvas.
  explicit TCanvas(QPaintDevice* device);
  // Draws through a painter that someone else began and ends.
  explicit TCanvas(QPainter& painter);
  ~TCanvas() override;
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  QPainter& Painter() { return *FPainter; }

  int GetDeviceCaps(int index) const;
  int SetMapMode(int mode) { return FMapping.SetMapMode(mode); }
  int GetMapMode() const { return FMapping.MapMode(); }
  bool SetWindowExtEx(int cx, int cy) { return FMapping.SetWindowExt(cx, cy); }
  bool SetViewportExtEx(int cx, int cy) { return FMapping.SetViewportExt(cx, cy); }
  void SetWindowOrgEx(int x, int y) { FMapping.SetWindowOrg(x, y); }
  void SetViewportOrgEx(int x, int y) { FMapping.SetViewportOrg(x, y); }
  const TCanvasMapping& Mapping() const { return FMapping; }
  TPoint LPtoDP(TPoint logical) const;
  TPoint DPtoLP(TPoint device) const;

  // Clip to a rectangle in device units, or not at all.
  void SelectClipRect(const TRect& deviceRect);
  void RemoveClip();
  // The clip (or the whole device) in logical units.
  TRect ClipRect() const;

  void LineTo(int x, int y) override;
  void Polyline(std::span<const TPoint> points) override;
  void Polygon(std::span<const TPoint> points) override;
  void Rectangle(int x1, int y1, int x2, int y2) override;
  using TCustomCanvas::Rectangle;
  void RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight);
  void FillRect(const TRect& r) override;
  void Ellipse(int x1, int y1, int x2, int y2) override;
  using TCustomCanvas::Ellipse;
  void TextOut(int x, int y, const QString& text) override;
  TSize TextExtent(const QString& text) override;
  void StretchDraw(const TRect& rect, const QImage& image) override;

  // The font as it is drawn: its height mapped to device units.
  QFont DeviceFont() const;

private:
  void Init();
  QPoint Dev(int x, int y) const;
  QRect DevRect(int x1, int y1, int x2, int y2) const;
  QPen DevicePen() const;
  QBrush DeviceBrush() const;
  void PrepareShape();

  std::unique_ptr<QPainter> FOwnPainter;
  QPainter* FPainter;
  TCanvasMapping FMapping;
  TDeviceMetrics FMetrics;
  int FLogPixelsX = 96;
  int FLogPixelsY = 96;
};
