#pragma once

#include <string>
#include <vector>

namespace tri {

// Largest minimum angle (degrees) for which Delaunay refinement is guaranteed to
// terminate: sin^2(angle) = 1/8, about 20.7 degrees.
double maxGuaranteedAngle();

struct Options {
  bool poly = false;              // p: read <base>.poly
  bool quality = false;           // q: refine to a minimum angle
  double minAngle = 20.0;         // degrees, already clamped
  bool regionalArea = false;      // a alone: maximum areas from the region list
  double maxArea = 0.0;           // a<area>: global maximum area (> 0 when given)
  bool regionAttributes = false;  // A: one regional attribute per triangle
  bool quiet = false;             // Q
  bool verbose = false;           // V
  std::string switches;           // the switch arguments as given, for messages
  std::string base;               // input name without .poly/.node
  std::vector<std::string> warnings;

  // Points are added only with q or a.
  bool refine() const { return quality || regionalArea || maxArea > 0.0; }
  std::string polyFile() const { return base + ".poly"; }
  std::string nodeFile() const { return base + ".node"; }
  std::string outNodeFile() const { return base + ".1.node"; }
  std::string outEleFile() const { return base + ".1.ele"; }
};

// Finds the base name among the arguments (the one argument that does not begin
// with '-'); empty when there is none or more than one. Used to clean up after errors.
std::string findBaseName(const std::vector<std::string>& args);

// Parses `<switches> <base>`; throws tri::Error on an unknown switch, a bad number
// or a missing base name.
Options parseOptions(const std::vector<std::string>& args);

std::string usageText();

}  // namespace tri
