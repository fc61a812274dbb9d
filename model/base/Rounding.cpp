#include "model/base/Rounding.h"

#include "gfx/WinTypes.h"

#include <cmath>
#include <limits>

namespace {

template <typename Int>
Int Clamped(double X)
{
    if (std::isnan(X)) return 0;
    constexpr double lo = static_cast<double>(std::numeric_limits<Int>::min());
    constexpr double hi = static_cast<double>(std::numeric_limits<Int>::max());
    if (X <= lo) return std::numeric_limits<Int>::min();
    if (X >= hi) return std::numeric_limits<Int>::max();
    return static_cast<Int>(X);
}

}  // namespace

std::int64_t RoundEven64(double X)
{
    // nearbyint honours the default rounding mode, which is to-nearest-even.
    return Clamped<std::int64_t>(std::nearbyint(X));
}

// One rounding rule for the whole program: the drawing layer owns it.
int RoundEven(double X) { return RoundHalfEvenToInt(X); }
int TruncInt(double X) { return Clamped<int>(std::trunc(X)); }
std::int64_t Trunc64(double X) { return Clamped<std::int64_t>(std::trunc(X)); }
int FloorInt(double X) { return Clamped<int>(std::floor(X)); }
int CeilInt(double X) { return Clamped<int>(std::ceil(X)); }

bool FitsInt(double X)
{
    if (!std::isfinite(X)) return false;
    const double r = std::nearbyint(X);
    return r >= std::numeric_limits<int>::min() && r <= std::numeric_limits<int>::max();
}
