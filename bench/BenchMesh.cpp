// Meshing a square probe field the way the thermal model does: the builder's
// input with the default mesh parameters, then our generator. Real time: the
// work happens in the generator process.
#include "model/base/KPError.h"
#include "model/mesh/MeshInputBuilder.h"
#include "model/mesh/TriangleComp.h"
#include "model/meshfiles/Nodes.h"

#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QTemporaryDir>
#include <cmath>

namespace {

QString GeneratorPath()
{
#ifdef KP_TRIANGLE_EXE
    return QStringLiteral(KP_TRIANGLE_EXE);
#else
    const QString Env = qEnvironmentVariable("KP_TRIANGLE");
    return Env.isEmpty() ? TTriangleWrapper::DefaultPathToExe() : Env;
#endif
}

// The count in the header line of a generator output file.
double HeaderCount(const QString& FileName)
{
    const QStringList Lines = Nodes::LoadLinesFromFile(FileName);
    return Lines.isEmpty() ? 0 : Lines[0].split(QLatin1Char(' '), Qt::SkipEmptyParts).value(0).toDouble();
}

// P probes on a square grid, 6 m apart.
TDblPointList SquareField(int P)
{
    const int Side = static_cast<int>(std::lround(std::sqrt(P)));
    TDblPointList Points;
    for (int i = 0; i < Side; ++i)
        for (int j = 0; j < Side; ++j) Points.emplace_back(6.0 * i, 6.0 * j);
    return Points;
}

void BM_MeshField(benchmark::State& State)
{
    const TDblPointList Probes = SquareField(static_cast<int>(State.range(0)));
    QTemporaryDir Dir;
    TTriangleWrapper W;
    W.SetPathToExe(GeneratorPath());
    W.SetCommandLineParams(QStringLiteral("-pqa"));
    W.SetInputFile(Dir.filePath(QStringLiteral("KPMOD.poly")));
    if (!QFileInfo(W.PathToExe()).isFile()) {
        State.SkipWithError("mesh generator not found (set KP_TRIANGLE)");
        return;
    }
    try {
        for (auto _ : State) {
            TDblPointList Points = Probes;
            GeneratePolyFile(Points, 3, 50, 5, 50, 1, W.InputFile());
            if (W.Execute() != TTriangleWrapper::mrOk) throw EKPError(QStringLiteral("generator did not run"));
        }
        State.counters["nodes"] = HeaderCount(W.OutputNodeFile());
        State.counters["triangles"] = HeaderCount(W.OutputEleFile());
    } catch (const EKPError& E) {
        State.SkipWithError(E.what());
    }
}

}  // namespace

BENCHMARK(BM_MeshField)->Arg(1)->Arg(25)->Arg(100)->Arg(400)->Unit(benchmark::kMillisecond)->UseRealTime();
