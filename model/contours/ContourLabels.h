#pragma once

// Where the labels of a contour line go. Both layouts walk the polyline and
// put a label on the segment at which the length gathered since the last
// label reaches the label distance; the first label comes earlier. The last
// segment of a line never carries a label.

#include "gfx/D2DTypes.h"
#include "gfx/WinTypes.h"

#include <span>
#include <vector>

// A label on the plan: centred on the middle of segment Segment (points
// Segment and Segment + 1), turned by Angle degrees clockwise on the screen
// so that it never stands on its head.
struct TD2LabelPlace {
    int Segment = 0;
    D2D_POINT_2F Center;
    float Angle = 0;
};

// Plan labels: Dist in the target's units; the first label after half of it.
std::vector<TD2LabelPlace> LayoutD2Labels(std::span<const D2D_POINT_2F> Points, float Dist);

// The turn of a label on the segment A-B in degrees: the segment's direction
// clockwise on the screen in (−180, 180], then half a turn more when the text
// would read from right to left.
float D2LabelAngle(D2D_POINT_2F A, D2D_POINT_2F B);

// The first label of a printed line comes after this many pixels of line,
// whatever its label distance.
inline constexpr double FirstGDILabelLength = 250;

// Printed labels: the segments that carry one. LabelDistance in pixels.
std::vector<int> LayoutGDILabels(std::span<const TPoint> Points, int LabelDistance);
