#pragma once

// Cuts the segment (X1, Y1)-(X2, Y2) to the rectangle [Left, Right] x [Top, Bottom]
// (Liang-Barsky); false when nothing of it lies inside. Lines far outside the chart
// are cut in doubles before they become integer chart units, so no end is clamped
// out of its direction.
bool ClipSegment(double& X1, double& Y1, double& X2, double& Y2, double Left, double Top, double Right,
                 double Bottom);
