#pragma once

#include "gfx/WinTypes.h"

#include <Eigen/Core>

class TCustomCanvas;

// Arrowheads on the segments of a data series.

// n x 2 rows of points.
using TPointRows = Eigen::Matrix<double, Eigen::Dynamic, 2>;

// Turns every row (x, y) about (CX, CY) by Angle radians; on a screen with y growing
// downward a positive angle turns clockwise.
void RotatePointsAbout(TPointRows& Points, double Angle, double CX, double CY);
// A filled triangle in the middle of P1 -> P2 pointing towards P2, outlined with a black
// pen of width 1 and filled with the canvas's brush; nothing for P1 = P2.
void DrawArrowHead(TCustomCanvas& ACanvas, TPoint P1, TPoint P2, int Size);
