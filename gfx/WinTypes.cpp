#include "gfx/WinTypes.h"

#include <cmath>
#include <cstdint>
#include <limits>

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const int64_t product = static_cast<int64_t>(a) * b;
  int64_t quotient = product / c;
  const int64_t remainder = product % c;
  const int64_t absRemainder = remainder < 0 ? -remainder : remainder;
  const int64_t absDivisor = c < 0 ? -static_cast<int64_t>(c) : c;
  if (2 * absRemainder >= absDivisor) quotient += ((product < 0) != (c < 0)) ? -1 : 1;
  if (quotient > std::numeric_limits<int>::max() || quotient < std::numeric_limits<int>::min()) return -1;
  return static_cast<int>(quotient);
}

int RoundHalfEvenToInt(double value) {
  if (std::isnan(value)) return 0;
  const double rounded = std::nearbyint(value);  // default rounding mode: ties to even
  if (rounded >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
  if (rounded <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
  return static_cast<int>(rounded);
}
