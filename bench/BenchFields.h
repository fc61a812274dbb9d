#pragma once

// Probe fields and the mesh generator shared by the benchmarks.
#include "model/mesh/MeshGeometry.h"
#include "model/mesh/TriangleComp.h"

#include <QString>
#include <cmath>

// Our generator: the build's own, else $KP_TRIANGLE, else next to the program.
inline QString BenchGeneratorPath()
{
#ifdef KP_TRIANGLE_EXE
    return QStringLiteral(KP_TRIANGLE_EXE);
#else
    const QString Env = qEnvironmentVariable("KP_TRIANGLE");
    return Env.isEmpty() ? TTriangleWrapper::DefaultPathToExe() : Env;
#endif
}

// P probes on a square grid, Spacing metres apart.
inline TDblPointList SquareProbeField(int P, double Spacing)
{
    const int Side = static_cast<int>(std::lround(std::sqrt(P)));
    TDblPointList Points;
    for (int i = 0; i < Side; ++i)
        for (int j = 0; j < Side; ++j) Points.emplace_back(Spacing * i, Spacing * j);
    return Points;
}
