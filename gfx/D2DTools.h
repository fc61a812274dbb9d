#pragma once

#include "gfx/D2DRenderTarget.h"
#include "gfx/D2DTypes.h"
#include "gfx/Direct2DCanvas.h"
#include "gfx/WinTypes.h"

#include <QString>
#include <span>
#include <vector>

// Drawing helpers shared by the plan items, the handles, the paint layers and the
// contour labels, and the plan's shared brushes. They live in the drawing layer so
// that the model's contour map can draw its labels with them as well.

using TD2Pointslist = std::vector<D2D_POINT_2F>;

// The shared solid brushes; null until CreateD2Brushes ran.
extern TD2BrushPtr D2BlackBrush;           // $000000
extern TD2BrushPtr D2WhiteBrush;           // $FFFFFF
extern TD2BrushPtr D2SandyBrownBrush;      // $60A4F4, opacity 0.5
extern TD2BrushPtr D2GainsboroBrush;       // $DCDCDC
extern TD2BrushPtr D2DodgerBlueHalfBrush;  // $FF901E, opacity 0.5
extern TD2BrushPtr D2DodgerBlueBrush;      // $FF901E
extern TD2BrushPtr D2CrimsonBrush;         // $3C14DC
extern TD2BrushPtr D2GoldBrush;            // $00D7FF, opacity 0.5

// Makes the shared brushes on the canvas, replacing earlier ones.
void CreateD2Brushes(TDirect2DCanvas& Canvas);
// Drops the shared brushes (they would otherwise last until the program ends).
void ReleaseD2Brushes();

// A text format from the canvas font: its name, bold and italic, size -Height in DIPs,
// locale "en-us". Null when the font's height gives no positive size.
TD2TextFormatPtr CreateTextFormat(TDirect2DCanvas& Canvas);

// Draws Text about Position in the canvas font and its colour. HAlign: 0 leading,
// 1 trailing, 2 centre; VAlign: 0 top, 1 bottom, 2 centre. Returns the rectangle the
// text covers; an empty text or an unusable font draws nothing and gives (0, 0, 0, 0).
D2D_RECT_F DrawTextAligned(TDirect2DCanvas& Canvas, D2D_POINT_2F Position, const QString& Text, int HAlign,
                           int VAlign);

// An open, hollow polyline through the points, drawn at once with the brush, stroke
// width and stroke style (which may be null), and returned for later use. No points
// give an empty path and draw nothing.
TD2PathGeometryPtr CreatePathGeometry(TD2RenderTarget& RenderTarget, std::span<const D2D_POINT_2F> Points,
                                      float StrokeWidth, const TD2BrushPtr& Brush,
                                      const TD2StrokeStylePtr& StrokeStyle);

inline D2D_POINT_2F RectCenter(const D2D_RECT_F& R) {
  return D2D1PointF((R.left + R.right) / 2, (R.top + R.bottom) / 2);
}
inline float RectWidth(const D2D_RECT_F& R) { return R.right - R.left; }
inline float RectHeight(const D2D_RECT_F& R) { return R.bottom - R.top; }

// Both coordinates rounded to the nearest integer, halves to the even neighbour.
TPoint RoundD2Point(D2D_POINT_2F P);
