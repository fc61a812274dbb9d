#include "model/contours/ContourLabels.h"

#include <cmath>

namespace {

constexpr double DegreesPerRadian = 57.29577951308232;

}  // namespace

float D2LabelAngle(D2D_POINT_2F A, D2D_POINT_2F B)
{
    float theta = static_cast<float>(-std::atan2(static_cast<double>(A.y) - B.y, static_cast<double>(B.x) - A.x) *
                                     DegreesPerRadian);
    theta = std::fmod(theta, 360.0f);
    if (theta > 180) theta -= 360;
    if (theta <= -180) theta += 360;
    if (std::fabs(theta) > 90 && std::fabs(theta) < 270) theta += 180;
    return theta;
}

std::vector<TD2LabelPlace> LayoutD2Labels(std::span<const D2D_POINT_2F> Points, float Dist)
{
    std::vector<TD2LabelPlace> places;
    float acc = 0;
    bool first = true;
    for (size_t i = 0; i + 2 < Points.size(); ++i) {
        const D2D_POINT_2F a = Points[i], b = Points[i + 1];
        acc += static_cast<float>(std::hypot(static_cast<double>(b.x) - a.x, static_cast<double>(b.y) - a.y));
        if (!(acc >= Dist || (first && acc >= Dist / 2))) continue;
        first = false;
        places.push_back(TD2LabelPlace{static_cast<int>(i), D2D_POINT_2F{(a.x + b.x) / 2, (a.y + b.y) / 2},
                                       D2LabelAngle(a, b)});
        acc = 0;
    }
    return places;
}

std::vector<int> LayoutGDILabels(std::span<const TPoint> Points, int LabelDistance)
{
    std::vector<int> segments;
    double acc = 0;
    bool first = true;
    for (size_t i = 0; i + 2 < Points.size(); ++i) {
        const double dx = static_cast<double>(Points[i + 1].X) - Points[i].X;
        const double dy = static_cast<double>(Points[i + 1].Y) - Points[i].Y;
        acc += std::sqrt(dx * dx + dy * dy);
        if (!((first && acc >= FirstGDILabelLength) || acc >= LabelDistance)) continue;
        segments.push_back(static_cast<int>(i));
        first = false;
        acc = 0;
    }
    return segments;
}
