#include "NumberText.h"

#include <charconv>
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

std::string formatDouble(double value)
{
  char buffer[64];
  const auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  if (ec != std::errc())
    return "nan";  // cannot happen with a buffer of this size
  return std::string(buffer, ptr);
}

}  // namespace tri
