#include "NumberText.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace tri {

bool parseDouble(std::string_view token, double& value)
{
  if (!token.empty() && token.front() == '+') {
    token.remove_prefix(1);
    if (!token.empty() && (token.front() == '+' || token.front() == '-'))
      return false;
  }
  if (token.empty())
    return false;
  const char* first = token.data();
  const char* last = token.data() + token.size();
  double v = 0.0;
  const auto [ptr, ec] = std::from_chars(first, last, v, std::chars_format::general);
  if (ec != std::errc() || ptr != last)
    return false;
  value = v;
  return true;
}

char* writeDouble(char* out, double value)
{
  // Zeros and whole numbers (most attributes and input coordinates) skip the
  // shortest-digits search. Below 1e15 a whole double's shortest digits are its
  // integer digits; it is written in fixed notation unless the exponent form is
  // shorter, which needs at least four trailing zeros, so those take the general path.
  if (value == 0.0) {
    if (std::signbit(value))
      *out++ = '-';
    *out++ = '0';
    return out;
  }
  if (std::abs(value) < 1e15) {
    const auto whole = static_cast<long long>(value);
    if (static_cast<double>(whole) == value && whole % 10000 != 0)
      return std::to_chars(out, out + kMaxDoubleChars, whole).ptr;
  }
  const auto [end, ec] = std::to_chars(out, out + kMaxDoubleChars, value);
  if (ec != std::errc()) {  // cannot happen with room for the longest shortest text (24)
    *out++ = '?';
    return out;
  }
  return end;
}

std::string formatDouble(double value)
{
  char buffer[kMaxDoubleChars];
  return std::string(buffer, writeDouble(buffer, value));
}

}  // namespace tri
