#include "chart/ChartClip.h"

#include <cmath>

bool ClipSegment(double& X1, double& Y1, double& X2, double& Y2, double Left, double Top, double Right,
                 double Bottom)
{
    const double dx = X2 - X1, dy = Y2 - Y1;
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {X1 - Left, Right - X1, Y1 - Top, Bottom - Y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) {
            if (t > t1) return false;
            if (t > t0) t0 = t;
        } else {
            if (t < t0) return false;
            if (t < t1) t1 = t;
        }
    }
    const double x1 = X1 + t0 * dx, y1 = Y1 + t0 * dy;
    X2 = X1 + t1 * dx;
    Y2 = Y1 + t1 * dy;
    X1 = x1;
    Y1 = y1;
    return std::isfinite(X1) && std::isfinite(Y1) && std::isfinite(X2) && std::isfinite(Y2);
}
