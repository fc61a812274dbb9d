#pragma once

#include "gfx/CustomCanvas.h"
#include "gfx/Graphics.h"
#include "gfx/WinTypes.h"

#include <QString>

// Text at an angle on a GDI-style canvas: the contour labels of printed maps and
// the captions of vertical chart axes.

// Text with the top-left corner of its (unrotated) cell at (X, Y), turned by Angle
// degrees counter-clockwise on the screen about that corner. The font is used for
// this call only; the canvas keeps its own font, text colour and brush.
void TextOutRotated(TCustomCanvas& ACanvas, const TFont& AFont, int X, int Y, int Angle, const QString& Text);

// Direction from P1 to P2 in radians, 0 up to below 2π, measured clockwise on the
// screen (device y grows downwards). Equal points give 0.
double SegmentAngle(TPoint P1, TPoint P2);

// Text turned along the segment P1-P2 and centred on its middle. Without Beside the
// text sits across the line; with Beside it lies next to it, half a text height away.
// The canvas font takes over AFont.
void TextAlongLine(TCustomCanvas& ACanvas, TPoint P1, TPoint P2, const TFont& AFont, const QString& Text,
                   bool Beside);
