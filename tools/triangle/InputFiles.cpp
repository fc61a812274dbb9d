#include "InputFiles.h"

#include "Errors.h"
#include "NumberText.h"
#include "Resident.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string_view>
#include <sys/stat.h>

namespace tri {

namespace {

// A text file read line by line; blank lines and comments ('#' to the end of the
// line) are skipped, fields are separated by blanks or tabs.
class TextFile {
public:
  explicit TextFile(std::string path) : path_(std::move(path))
  {
    // One read into a buffer of the file's size: a stream copy grows and copies the
    // text several times.
    std::FILE* in = std::fopen(path_.c_str(), "rb");
    if (in == nullptr)
      throw Error("cannot open the input file \"" + path_ + "\"");
    struct stat st {};
    if (::fstat(::fileno(in), &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0) {
      text_.reserve(static_cast<std::size_t>(st.st_size));
      populate(text_.data(), text_.capacity());
    }
    char chunk[1 << 16];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, in)) > 0)
      text_.append(chunk, got);
    const bool failed = std::ferror(in) != 0;
    std::fclose(in);
    if (failed)
      throw Error("cannot read the input file \"" + path_ + "\"");
  }

  // Tokens of the next line that holds anything; false at the end of the file.
  bool next(std::vector<std::string_view>& tokens)
  {
    tokens.clear();
    while (tokens.empty()) {
      if (pos_ >= text_.size())
        return false;
      std::size_t end = text_.find('\n', pos_);
      if (end == std::string::npos)
        end = text_.size();
      std::string_view line(text_.data() + pos_, end - pos_);
      pos_ = end + 1;
      ++line_;
      const std::size_t hash = line.find('#');
      if (hash != std::string_view::npos)
        line = line.substr(0, hash);
      std::size_t i = 0;
      while (i < line.size()) {
        while (i < line.size() && isBlank(line[i]))
          ++i;
        const std::size_t start = i;
        while (i < line.size() && !isBlank(line[i]))
          ++i;
        if (i > start)
          tokens.push_back(line.substr(start, i - start));
      }
    }
    return true;
  }

  // Like next(), but the end of the file is an error.
  void require(std::vector<std::string_view>& tokens, const std::string& what)
  {
    if (!next(tokens))
      throw Error(path_ + ": unexpected end of file, expected " + what);
  }

  // Line i (zero-based) of a list of count "<item> line"s; the message is only
  // composed when the line is missing, not once per line.
  void requireItem(std::vector<std::string_view>& tokens, const char* item, long long i, long long count)
  {
    if (!next(tokens))
      require(tokens, std::string(item) + " line " + std::to_string(i + 1) + " of " + std::to_string(count));
  }

  [[noreturn]] void fail(const std::string& message) const
  {
    throw Error(path_ + ":" + std::to_string(line_) + ": " + message);
  }

  double number(std::string_view token, const char* what) const
  {
    double v = 0.0;
    if (!parseDouble(token, v))
      fail(std::string("\"") + std::string(token) + "\" is not a number (" + what + ")");
    if (!std::isfinite(v))
      fail(std::string("the ") + what + " \"" + std::string(token) + "\" is not a finite number");
    return v;
  }

  // A whole number in [lo, hi], possibly written as a real ("3.00000000000000E+0000").
  long long integer(std::string_view token, const char* what, long long lo, long long hi) const
  {
    const double v = number(token, what);
    if (v != std::floor(v))
      fail(std::string("the ") + what + " \"" + std::string(token) + "\" is not a whole number");
    if (v < static_cast<double>(lo) || v > static_cast<double>(hi))
      fail(std::string("the ") + what + " " + std::string(token) + " is out of range (" + std::to_string(lo) +
           " to " + std::to_string(hi) + ")");
    return static_cast<long long>(v);
  }

  void expectFields(const std::vector<std::string_view>& tokens, std::size_t expected, const char* what) const
  {
    if (tokens.size() < expected)
      fail(std::string("the ") + what + " line is too short: " + std::to_string(tokens.size()) +
           " numbers, expected " + std::to_string(expected));
    if (tokens.size() > expected)
      fail(std::string("the ") + what + " line has " + std::to_string(tokens.size()) +
           " numbers, expected " + std::to_string(expected));
  }

  const std::string& path() const { return path_; }

private:
  static bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v'; }

  std::string path_;
  std::string text_;
  std::size_t pos_ = 0;
  int line_ = 0;
};

constexpr long long kMaxCount = 100'000'000;
constexpr long long kMaxMarker = std::numeric_limits<int>::max();

// Reads a vertex section: header "<#vertices> [2 [<#attributes> [<0|1 markers>]]]"
// and its lines. Returns false (nothing read) when the count is 0 and zeroAllowed.
bool readVertexSection(TextFile& f, MeshInput& in, bool zeroAllowed)
{
  std::vector<std::string_view> t;
  f.require(t, "the vertex header");
  if (t.size() > 4)
    f.fail("the vertex header has " + std::to_string(t.size()) + " numbers, expected at most 4");
  const long long count = f.integer(t[0], "vertex count", 0, kMaxCount);
  if (t.size() > 1 && f.integer(t[1], "dimension", 0, 1000) != 2)
    f.fail("the dimension must be 2");
  const long long attributes = t.size() > 2 ? f.integer(t[2], "attribute count", 0, 1000) : 0;
  const long long markerFlag = t.size() > 3 ? f.integer(t[3], "marker flag", 0, 1) : 0;
  if (count == 0 && zeroAllowed)
    return false;
  if (count < 3)
    f.fail("at least three vertices are needed, the file has " + std::to_string(count));

  in.numAttributes = static_cast<int>(attributes);
  // The count is not trusted for memory before the lines are there.
  const std::size_t expected = static_cast<std::size_t>(std::min<long long>(count, 1 << 20));
  in.vertices.reserve(expected);
  in.attributes.reserve(expected * static_cast<std::size_t>(attributes));
  in.markers.reserve(expected);
  const std::size_t fields = 3 + static_cast<std::size_t>(attributes) + static_cast<std::size_t>(markerFlag);
  for (long long i = 0; i < count; ++i) {
    f.requireItem(t, "vertex", i, count);
    f.expectFields(t, fields, "vertex");
    const long long number = f.integer(t[0], "vertex number", -kMaxCount, kMaxCount);
    if (i == 0) {
      if (number != 0 && number != 1)
        f.fail("the first vertex must be numbered 0 or 1, not " + std::to_string(number));
      in.firstIndex = static_cast<int>(number);
    } else if (number != in.firstIndex + i) {
      f.fail("vertex number " + std::to_string(number) + " out of sequence, expected " +
             std::to_string(in.firstIndex + i));
    }
    in.vertices.push_back({f.number(t[1], "x coordinate"), f.number(t[2], "y coordinate")});
    for (long long k = 0; k < attributes; ++k)
      in.attributes.push_back(f.number(t[3 + k], "vertex attribute"));
    in.markers.push_back(markerFlag ? static_cast<int>(f.integer(t[fields - 1], "boundary marker", -kMaxMarker, kMaxMarker)) : 0);
  }
  return true;
}

void readSegments(TextFile& f, MeshInput& in)
{
  std::vector<std::string_view> t;
  f.require(t, "the segment header");
  if (t.size() > 2)
    f.fail("the segment header has " + std::to_string(t.size()) + " numbers, expected at most 2");
  const long long count = f.integer(t[0], "segment count", 0, kMaxCount);
  const long long markerFlag = t.size() > 1 ? f.integer(t[1], "marker flag", 0, 1) : 0;
  const long long first = in.firstIndex;
  const long long last = in.firstIndex + in.vertexCount() - 1;
  in.segments.reserve(static_cast<std::size_t>(std::min<long long>(count, 1 << 20)));
  for (long long i = 0; i < count; ++i) {
    f.requireItem(t, "segment", i, count);
    f.expectFields(t, 3 + static_cast<std::size_t>(markerFlag), "segment");
    f.number(t[0], "segment number");
    MeshInput::Segment s;
    for (int k = 0; k < 2; ++k) {
      const double v = f.number(t[1 + k], "segment end");
      if (v != std::floor(v))
        f.fail("the segment end \"" + std::string(t[1 + k]) + "\" is not a whole number");
      if (v < static_cast<double>(first) || v > static_cast<double>(last))
        f.fail("the segment refers to vertex " + std::string(t[1 + k]) + ", which does not exist (vertices " +
               std::to_string(first) + " to " + std::to_string(last) + ")");
      (k == 0 ? s.a : s.b) = static_cast<int>(static_cast<long long>(v) - first);
    }
    if (s.a == s.b)
      f.fail("the segment joins vertex " + std::to_string(s.a + first) + " to itself");
    s.marker = markerFlag ? static_cast<int>(f.integer(t[3], "boundary marker", -kMaxMarker, kMaxMarker)) : 0;
    in.segments.push_back(s);
  }
}

void readHoles(TextFile& f, MeshInput& in)
{
  std::vector<std::string_view> t;
  f.require(t, "the hole header");
  f.expectFields(t, 1, "hole header");
  const long long count = f.integer(t[0], "hole count", 0, kMaxCount);
  for (long long i = 0; i < count; ++i) {
    f.requireItem(t, "hole", i, count);
    f.expectFields(t, 3, "hole");
    f.number(t[0], "hole number");
    in.holes.push_back({f.number(t[1], "hole x coordinate"), f.number(t[2], "hole y coordinate")});
  }
}

void readRegions(TextFile& f, MeshInput& in)
{
  std::vector<std::string_view> t;
  if (!f.next(t))
    return;  // the region list is optional
  f.expectFields(t, 1, "region header");
  const long long count = f.integer(t[0], "region count", 0, kMaxCount);
  for (long long i = 0; i < count; ++i) {
    f.requireItem(t, "region", i, count);
    f.expectFields(t, 5, "region");
    f.number(t[0], "region number");
    MeshInput::Region r;
    r.x = f.number(t[1], "region x coordinate");
    r.y = f.number(t[2], "region y coordinate");
    r.attribute = f.number(t[3], "regional attribute");
    r.maxArea = f.number(t[4], "regional maximum area");
    in.regions.push_back(r);
  }
}

void expectEnd(TextFile& f, const char* after)
{
  std::vector<std::string_view> t;
  if (f.next(t))
    f.fail(std::string("unexpected data after ") + after + " (is a count in a header too small?)");
}

}  // namespace

MeshInput readPolyFile(const std::string& polyFile, const std::string& nodeFile)
{
  TextFile f(polyFile);
  MeshInput in;
  in.fromPoly = true;
  if (!readVertexSection(f, in, true)) {
    // Triangle's convention: no vertices in the .poly means they are in the .node file.
    TextFile nodes(nodeFile);
    readVertexSection(nodes, in, false);
    expectEnd(nodes, "the vertex list");
  }
  readSegments(f, in);
  readHoles(f, in);
  readRegions(f, in);
  expectEnd(f, "the region list");
  return in;
}

MeshInput readNodeFile(const std::string& nodeFile)
{
  TextFile f(nodeFile);
  MeshInput in;
  readVertexSection(f, in, false);
  expectEnd(f, "the vertex list");
  return in;
}

}  // namespace tri
