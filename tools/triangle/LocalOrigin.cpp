#include "LocalOrigin.h"

#include <algorithm>
#include <limits>

namespace tri {

namespace {

// True when v - o and its return (v - o) + o are both exact, for every v.
template <class Get>
bool movesExactly(const MeshInput& in, double o, Get coordinate)
{
  for (const MeshInput::Point& p : in.vertices) {
    const double v = coordinate(p);
    const double local = v - o;
    if (local + o != v || v - local != o)
      return false;
  }
  return true;
}

}  // namespace

LocalOrigin chooseLocalOrigin(const MeshInput& in)
{
  LocalOrigin o;
  if (in.vertices.empty())
    return o;
  double minX = std::numeric_limits<double>::infinity(), minY = minX;
  for (const MeshInput::Point& p : in.vertices)
    minX = std::min(minX, p.x), minY = std::min(minY, p.y);
  if (movesExactly(in, minX, [](const MeshInput::Point& p) { return p.x; }))
    o.x = minX;
  if (movesExactly(in, minY, [](const MeshInput::Point& p) { return p.y; }))
    o.y = minY;
  return o;
}

void toLocal(MeshInput& in, const LocalOrigin& origin)
{
  auto move = [&](auto& p) {
    p.x -= origin.x;
    p.y -= origin.y;
  };
  for (MeshInput::Point& p : in.vertices)
    move(p);
  for (MeshInput::Point& p : in.holes)
    move(p);
  for (MeshInput::Region& r : in.regions)
    move(r);
}

void fromLocal(MeshOutput& out, const LocalOrigin& origin)
{
  for (double& x : out.x)
    x += origin.x;
  for (double& y : out.y)
    y += origin.y;
}

}  // namespace tri
