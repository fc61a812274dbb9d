#pragma once

// The zoom of the plan control: steps about the control's centre and fitting
// a world extent into it. Pure functions of the mapping and the control's
// size, so they are tested without a window.

#include <QSize>

class TPlanMapping;

// One zoom step in or out.
inline constexpr double ZoomStep = 1.1;

// The view transform followed by a scaling by Factor about the centre of a
// control of ControlSize (device pixels).
void ZoomAboutCentre(TPlanMapping& Mapping, double Factor, QSize ControlSize);

// Shows the world extent X1..X2 × Y1..Y2 (m) as large as a control of
// ControlSize allows with a margin of 10 DIP, centred. Returns the zoom (the
// view's scale); 0 and nothing changed for an extent without size or with
// bounds that are no numbers.
double ZoomToExtent(TPlanMapping& Mapping, QSize ControlSize, double X1, double X2, double Y1, double Y2);

// The hint line after fitting: "Scale " and the zoom with up to two decimals.
QString ZoomScaleLine(double Zoom);
