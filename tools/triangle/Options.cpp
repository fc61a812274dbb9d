#include "Options.h"

#include "Errors.h"
#include "NumberText.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <numbers>

namespace tri {

namespace {

bool endsWith(const std::string& s, const std::string& suffix)
{
  return s.size() > suffix.size() && s.compare(s.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::string stripInputExtension(std::string name)
{
  for (const char* ext : {".poly", ".node"}) {
    if (endsWith(name, ext)) {
      name.resize(name.size() - std::char_traits<char>::length(ext));
      break;
    }
  }
  return name;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Reads the number that follows a switch letter at text[pos] (digits, '.', and an
// exponent); advances pos. Empty when no number follows.
std::string takeNumber(const std::string& text, std::size_t& pos)
{
  const std::size_t start = pos;
  if (pos >= text.size() || !(isDigit(text[pos]) || text[pos] == '.'))
    return {};
  while (pos < text.size() && (isDigit(text[pos]) || text[pos] == '.'))
    ++pos;
  if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
    std::size_t p = pos + 1;
    if (p < text.size() && (text[p] == '+' || text[p] == '-'))
      ++p;
    if (p < text.size() && isDigit(text[p])) {
      while (p < text.size() && isDigit(text[p]))
        ++p;
      pos = p;
    }
  }
  return text.substr(start, pos - start);
}

double switchNumber(char letter, const std::string& text)
{
  double value = 0.0;
  if (!parseDouble(text, value) || !std::isfinite(value))
    throw Error(std::string("the number \"") + text + "\" after the switch '" + letter + "' is not valid");
  return value;
}

}  // namespace

double maxGuaranteedAngle()
{
  return std::asin(std::sqrt(0.125)) * 180.0 / std::numbers::pi;
}

std::string findBaseName(const std::vector<std::string>& args)
{
  std::string base;
  int count = 0;
  for (const std::string& a : args) {
    if (!a.empty() && a[0] != '-') {
      base = a;
      ++count;
    }
  }
  return count == 1 ? stripInputExtension(base) : std::string();
}

Options parseOptions(const std::vector<std::string>& args)
{
  Options o;
  int bases = 0;
  for (const std::string& a : args) {
    if (a.empty())
      throw Error("an empty argument is not allowed");
    if (a[0] != '-') {
      o.base = stripInputExtension(a);
      ++bases;
      continue;
    }
    if (!o.switches.empty())
      o.switches += ' ';
    o.switches += a;
    std::size_t pos = 1;
    while (pos < a.size()) {
      const char c = a[pos++];
      switch (c) {
      case 'p':
        o.poly = true;
        break;
      case 'q': {
        o.quality = true;
        const std::string number = takeNumber(a, pos);
        if (!number.empty())
          o.minAngle = switchNumber('q', number);
        break;
      }
      case 'a': {
        const std::string number = takeNumber(a, pos);
        if (number.empty()) {
          o.regionalArea = true;
        } else {
          const double area = switchNumber('a', number);
          if (!(area > 0.0))
            throw Error("the maximum area after the switch 'a' must be greater than 0, not " + number);
          o.maxArea = o.maxArea > 0.0 ? std::min(o.maxArea, area) : area;
        }
        break;
      }
      case 'A':
        o.regionAttributes = true;
        break;
      case 'Q':
        o.quiet = true;
        break;
      case 'V':
        o.verbose = true;
        break;
      default: {
        std::string shown(1, c);
        if (!std::isprint(static_cast<unsigned char>(c)))
          shown = "\\x" + std::to_string(static_cast<unsigned char>(c));
        throw Error("unknown or unsupported switch '" + shown + "' in \"" + a +
                    "\" (supported: p, q[angle], a, a<area>, A, Q, V)");
      }
      }
    }
  }
  if (bases == 0)
    throw Error("no input file given\n" + usageText());
  if (bases > 1)
    throw Error("more than one input file given\n" + usageText());

  const double limit = maxGuaranteedAngle();
  if (o.quality && o.minAngle > limit) {
    o.warnings.push_back("minimum angle " + formatDouble(o.minAngle) +
                         " degrees is above 20.7 degrees, for which refinement is not "
                         "guaranteed to terminate; using " + formatDouble(limit) + " degrees");
    o.minAngle = limit;
  }
  return o;
}

std::string usageText()
{
  return "usage: triangle -[p][q[angle]][a][a<area>][A][Q][V] <base>\n"
         "  reads <base>.poly (with p) or <base>.node, writes <base>.1.node and <base>.1.ele";
}

}  // namespace tri
