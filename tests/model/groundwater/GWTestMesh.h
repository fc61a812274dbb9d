#pragma once

#include "model/fe/NumModel.h"

// A rectangle of Nx × Ny squares of Size metres from (X0, Y0), each square
// split into two triangles along its rising diagonal.
inline void BuildRectMesh(T2DTriangleTransient& M, double X0, double Y0, int Nx, int Ny, double Size,
                          double Storage)
{
    for (int j = 0; j <= Ny; ++j)
        for (int i = 0; i <= Nx; ++i) M.NodesList().Add(new TNode(X0 + i * Size, Y0 + j * Size));
    auto n = [&](int i, int j) { return M.Nodes(j * (Nx + 1) + i); };
    for (int j = 0; j < Ny; ++j)
        for (int i = 0; i < Nx; ++i) {
            M.ElementsList().Add(new TTransientTriangle(n(i, j), n(i + 1, j), n(i + 1, j + 1), 1, 0, 1e30, Storage));
            M.ElementsList().Add(new TTransientTriangle(n(i, j), n(i + 1, j + 1), n(i, j + 1), 1, 0, 1e30, Storage));
        }
}
