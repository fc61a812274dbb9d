#pragma once

// The mesh generator's ".poly" input for a probe field: an outer box with
// the boundary marker 3, every probe as a node (nodes 5 ... 4 + n, which the
// thermal model relies on), optional rings of twelve nodes around each probe
// and an inner region around the field, meshed finer than the outer one.

#include "model/mesh/MeshGeometry.h"

#include <QString>

// Writes AFilename from the probe positions in Points (which may be
// reordered: the nodes follow the order Points has at the end). True when the
// file was written; False, with nothing written, when the probes give no
// inner polygon. Bad parameters and bad probe layouts raise EKPError before
// anything is built.
bool GeneratePolyFile(TDblPointList& Points, double ScaleFactor, double DeltaBorder, double InnerArea,
                      double OuterArea, double NodeBHERadialDist, const QString& AFilename);
