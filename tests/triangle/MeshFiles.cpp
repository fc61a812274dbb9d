#include "MeshFiles.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace {

// The fixed real form of the mesh input: sign or blank, one digit, '.', 14 digits, 'E', sign, 4 digits.
std::string rawReal(double v)
{
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.14E", std::abs(v));
  std::string s(buf);
  const std::size_t e = s.find('E');
  const std::string mantissa = s.substr(0, e);
  const char sign = s[e + 1];
  const int exponent = std::stoi(s.substr(e + 2));
  std::snprintf(buf, sizeof buf, "%04d", exponent);
  return std::string(v < 0 ? "-" : " ") + mantissa + "E" + sign + buf;
}

std::string shortest(double v)
{
  char buf[64];
  const auto r = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}

struct Writer {
  Style style;
  std::string text;
  std::string line;
  void real(double v) { field(style == Style::Builder ? rawReal(v) : shortest(v)); }
  void integer(long long v) { field(std::to_string(v)); }
  void field(const std::string& s)
  {
    if (!line.empty())
      line += style == Style::Builder ? "   " : " ";
    line += s;
  }
  void end()
  {
    text += line + (style == Style::Builder ? "\r\n" : "\n");
    line.clear();
  }
};

void writeVertices(const Fixture& f, Writer& w)
{
  w.integer(static_cast<long long>(f.vertices.size()));
  w.integer(2);
  w.integer(f.numAttributes);
  w.integer(f.withMarkers ? 1 : 0);
  w.end();
  for (std::size_t i = 0; i < f.vertices.size(); ++i) {
    const Fixture::Vertex& v = f.vertices[i];
    w.integer(static_cast<long long>(i) + f.firstIndex);
    w.real(v.x);
    w.real(v.y);
    for (int k = 0; k < f.numAttributes; ++k)
      w.real(k < static_cast<int>(v.attr.size()) ? v.attr[static_cast<std::size_t>(k)] : 0.0);
    if (f.withMarkers) {
      // The builder writes markers as reals.
      if (w.style == Style::Builder)
        w.real(v.marker);
      else
        w.integer(v.marker);
    }
    w.end();
  }
}

std::vector<std::string> splitLine(const std::string& line)
{
  std::vector<std::string> t;
  std::size_t i = 0;
  while (i < line.size()) {
    if (line[i] == ' ') {
      ++i;
      continue;
    }
    const std::size_t s = i;
    while (i < line.size() && line[i] != ' ')
      ++i;
    t.push_back(line.substr(s, i - s));
  }
  return t;
}

std::vector<std::vector<std::string>> outputLines(const std::string& text)
{
  if (text.empty() || text.back() != '\n')
    throw std::runtime_error("the file does not end with a line break");
  for (const char c : text)
    if (c == '\t' || c == '\r' || c == '#')
      throw std::runtime_error("the file holds a tab, CR or '#'");
  std::vector<std::vector<std::string>> lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t end = text.find('\n', pos);
    const std::string line = text.substr(pos, end - pos);
    pos = end + 1;
    auto tokens = splitLine(line);
    if (tokens.empty())
      throw std::runtime_error("blank line " + std::to_string(lines.size() + 1));
    lines.push_back(std::move(tokens));
  }
  return lines;
}

double number(const std::string& s)
{
  double v = 0;
  const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
  if (r.ec != std::errc() || r.ptr != s.data() + s.size() || !std::isfinite(v))
    throw std::runtime_error("\"" + s + "\" is not a finite number");
  return v;
}

long long integer(const std::string& s)
{
  long long v = 0;
  const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
  if (r.ec != std::errc() || r.ptr != s.data() + s.size())
    throw std::runtime_error("\"" + s + "\" is not an integer");
  return v;
}

void expectSize(const std::vector<std::string>& t, std::size_t n, const char* what)
{
  if (t.size() != n)
    throw std::runtime_error(std::string(what) + " has " + std::to_string(t.size()) + " fields, expected " +
                             std::to_string(n));
}

}  // namespace

int Fixture::addVertex(double x, double y, int marker)
{
  Vertex v;
  v.x = x;
  v.y = y;
  v.marker = marker;
  v.attr.assign(static_cast<std::size_t>(numAttributes), 0.0);
  vertices.push_back(v);
  return static_cast<int>(vertices.size()) - 1;
}

void Fixture::addSegment(int a, int b, int marker, bool boundary) { segments.push_back({a, b, marker, boundary}); }

void Fixture::addLoop(const std::vector<int>& v, int marker, bool boundary)
{
  for (std::size_t i = 0; i < v.size(); ++i)
    addSegment(v[i], v[(i + 1) % v.size()], marker, boundary);
}

double asWritten(double v, Style style)
{
  const std::string s = style == Style::Builder ? rawReal(v) : shortest(v);
  std::size_t start = 0;
  while (s[start] == ' ')
    ++start;
  return number(s.substr(start));
}

std::string polyText(const Fixture& f, Style style)
{
  Writer w{style, {}, {}};
  writeVertices(f, w);
  w.integer(static_cast<long long>(f.segments.size()));
  w.integer(1);
  w.end();
  for (std::size_t i = 0; i < f.segments.size(); ++i) {
    const Fixture::Segment& s = f.segments[i];
    w.integer(static_cast<long long>(i) + f.firstIndex);
    w.integer(s.a + f.firstIndex);
    w.integer(s.b + f.firstIndex);
    if (style == Style::Builder)
      w.real(s.marker);
    else
      w.integer(s.marker);
    w.end();
  }
  w.integer(static_cast<long long>(f.holes.size()));
  w.end();
  for (std::size_t i = 0; i < f.holes.size(); ++i) {
    w.integer(static_cast<long long>(i) + 1);
    w.real(f.holes[i][0]);
    w.real(f.holes[i][1]);
    w.end();
  }
  w.integer(static_cast<long long>(f.regions.size()));
  w.end();
  for (std::size_t i = 0; i < f.regions.size(); ++i) {
    const Fixture::Region& r = f.regions[i];
    w.integer(static_cast<long long>(i) + 1);
    w.real(r.x);
    w.real(r.y);
    w.real(r.attribute);
    w.real(r.maxArea);
    w.end();
  }
  return w.text;
}

std::string nodeText(const Fixture& f, Style style)
{
  Writer w{style, {}, {}};
  writeVertices(f, w);
  return w.text;
}

Fixture probeFixture(const std::vector<Pt>& probes, double polygonRadius, double border, double innerArea,
                     double outerArea, double ringRadius, Style style)
{
  auto W = [style](double v) { return asWritten(v, style); };
  const double step = (M_PI / 2) / 3;
  double cx = 0, cy = 0;
  for (const Pt& p : probes) {
    cx += p[0] / static_cast<double>(probes.size());
    cy += p[1] / static_cast<double>(probes.size());
  }
  std::vector<Pt> polygon;
  for (double a = 0; a < 2 * M_PI; a += step)
    polygon.push_back({W(cx + polygonRadius * std::sin(a)), W(cy + polygonRadius * std::cos(a))});
  double minX = polygon[0][0], maxX = minX, minY = polygon[0][1], maxY = minY;
  for (const Pt& p : polygon) {
    minX = std::min(minX, p[0]);
    maxX = std::max(maxX, p[0]);
    minY = std::min(minY, p[1]);
    maxY = std::max(maxY, p[1]);
  }
  minX = W(minX - border);
  minY = W(minY - border);
  maxX = W(maxX + border);
  maxY = W(maxY + border);

  Fixture f;
  f.numAttributes = 3;
  const int c1 = f.addVertex(minX, minY, 3);
  const int c2 = f.addVertex(minX, maxY, 3);
  const int c3 = f.addVertex(maxX, maxY, 3);
  const int c4 = f.addVertex(maxX, minY, 3);
  for (const Pt& p : probes)
    f.addVertex(W(p[0]), W(p[1]));
  if (ringRadius > 0)
    for (const Pt& p : probes)
      for (double a = 0; a < 2 * M_PI; a += step)
        f.addVertex(W(p[0] + ringRadius * std::sin(a)), W(p[1] + ringRadius * std::cos(a)));
  std::vector<int> poly;
  for (const Pt& p : polygon)
    poly.push_back(f.addVertex(p[0], p[1]));
  f.addLoop({c1, c2, c3, c4}, 3, true);
  f.addLoop(poly, 0, false);
  f.regions.push_back({W(probes[0][0]), W(probes[0][1]), 1, innerArea});
  f.regions.push_back({W(minX + border / 2), W(minY + border / 2), 2, outerArea});
  f.zones.push_back({polygon, 1, innerArea, true});
  f.zones.push_back({{{minX, minY}, {minX, maxY}, {maxX, maxY}, {maxX, minY}}, 2, outerArea, true});
  return f;
}

NodeOutput parseNodeOutput(const std::string& text)
{
  const auto lines = outputLines(text);
  NodeOutput n;
  expectSize(lines[0], 4, "the .node header");
  n.count = integer(lines[0][0]);
  n.dim = integer(lines[0][1]);
  n.numAttributes = integer(lines[0][2]);
  n.markerFlag = integer(lines[0][3]);
  if (static_cast<long long>(lines.size()) != n.count + 1)
    throw std::runtime_error(".node: header count " + std::to_string(n.count) + ", lines " +
                             std::to_string(lines.size() - 1));
  const std::size_t fields = static_cast<std::size_t>(3 + n.numAttributes + n.markerFlag);
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const auto& t = lines[i];
    expectSize(t, fields, ".node line");
    n.id.push_back(integer(t[0]));
    if (n.id.back() != n.id.front() + static_cast<long long>(i) - 1)
      throw std::runtime_error(".node: numbering not consecutive");
    n.x.push_back(number(t[1]));
    n.y.push_back(number(t[2]));
    std::vector<double> a;
    for (long long k = 0; k < n.numAttributes; ++k)
      a.push_back(number(t[static_cast<std::size_t>(3 + k)]));
    n.attr.push_back(a);
    n.marker.push_back(n.markerFlag ? integer(t.back()) : 0);
  }
  return n;
}

EleOutput parseEleOutput(const std::string& text)
{
  const auto lines = outputLines(text);
  EleOutput e;
  expectSize(lines[0], 3, "the .ele header");
  e.count = integer(lines[0][0]);
  e.corners = integer(lines[0][1]);
  e.numAttributes = integer(lines[0][2]);
  if (static_cast<long long>(lines.size()) != e.count + 1)
    throw std::runtime_error(".ele: header count " + std::to_string(e.count) + ", lines " +
                             std::to_string(lines.size() - 1));
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const auto& t = lines[i];
    expectSize(t, static_cast<std::size_t>(4 + e.numAttributes), ".ele line");
    e.id.push_back(integer(t[0]));
    if (e.id.back() != e.id.front() + static_cast<long long>(i) - 1)
      throw std::runtime_error(".ele: numbering not consecutive");
    e.tri.push_back({integer(t[1]), integer(t[2]), integer(t[3])});
    e.attr.push_back(e.numAttributes > 0 ? number(t[4]) : 0.0);
  }
  return e;
}
