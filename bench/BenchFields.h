#pragma once

// Probe fields, the mesh generator and the bare system matrix shared by the
// benchmarks.
#include "model/base/KPError.h"
#include "model/fe/CholmodSolver.h"
#include "model/fe/NumModel.h"
#include "model/mesh/MeshGeometry.h"
#include "model/mesh/TriangleComp.h"

#include <QString>
#include <cmath>
#include <vector>

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

// The transient matrix K + L + R/Δt of a model without fixed-value nodes, the
// system a step solves, for timing the bare solve.
inline void FillTransientMatrix(const T2DTriangleTransient& Model, TSparseMtx& A)
{
    const double scale = 1 / Model.DeltaTime();
    for (int e = 0; e < Model.ElementCount(); ++e) {
        const auto* t = static_cast<const TTransientTriangle*>(Model.GetElement(e));
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j)
                A.SetValue(t->NodeIndices(i), t->NodeIndices(j),
                           t->Mtx()(i, j) + t->LeakyMtx()(i, j) + t->RMtx()(i, j) * scale);
    }
    for (int k = 0; k < Model.NodeCount(); ++k)
        if (Model.GetNodes(k)->BorderCondition() == bc3SemiPervious) A.SetValue(k, k, Model.GetNodes(k)->Alpha());
    A.TripletsToSparseAndFlush();
}

// Factorises the symmetric A with CHOLMOD from its upper triangle.
inline void FactorizeSymmetric(const TSparseMtx& A, TCholmodSolver& Solver)
{
    std::vector<int> p{0}, i;
    std::vector<double> x;
    for (int c = 0; c < A.Cols(); ++c) {
        for (int k = A.ColumnStarts()[c]; k < A.ColumnStarts()[c + 1]; ++k)
            if (A.RowIndices()[k] <= c) {
                i.push_back(A.RowIndices()[k]);
                x.push_back(A.Values()[k]);
            }
        p.push_back(static_cast<int>(i.size()));
    }
    if (!Solver.Factorize(A.Cols(), p, i, x)) throw EKPError(QStringLiteral("not positive definite"));
}
