#pragma once

#include "MeshFiles.h"

#include <functional>
#include <string>

// What a mesh of a fixture must satisfy besides the general contract.
struct Expect {
  double minAngle = 0;          // degrees; 0: not checked
  double globalMaxArea = 0;     // switch a<area>; 0: none
  bool regionalAreas = true;    // switch a: the zones' maximum areas apply
  bool regionAttributes = true; // switch A: one attribute per triangle, the zone's
  bool pointsAdded = true;      // false: exactly the input vertices are written
  // When set: the expected attribute j of a vertex at (x, y) (a linear function,
  // which interpolation reproduces).
  std::function<double(int j, double x, double y)> attribute;
};

// Checks the output against the fixture: headers, input vertices first and
// bit-identical, every node used, counter-clockwise non-degenerate triangles inside
// the meshed zones, minimum angle, maximum areas, regional attributes and markers.
// Reports through GoogleTest (at most a few messages per kind of failure).
void checkMesh(const Fixture& f, const NodeOutput& n, const EleOutput& e, const Expect& x);

// Smallest angle of a triangle in degrees.
double smallestAngle(Pt a, Pt b, Pt c);
