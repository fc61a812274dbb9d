// Meshing a square probe field the way the thermal model does: the builder's
// input with the default mesh parameters, then our generator. Real time: the
// work happens in the generator process.
#include "model/base/KPError.h"
#include "model/mesh/MeshInputBuilder.h"
#include "model/mesh/TriangleComp.h"
#include "model/meshfiles/Nodes.h"

#include "bench/BenchFields.h"

#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QTemporaryDir>
#include <cmath>

namespace {

// The count in the header line of a generator output file.
double HeaderCount(const QString& FileName)
{
    const QStringList Lines = Nodes::LoadLinesFromFile(FileName);
    return Lines.isEmpty() ? 0 : Lines[0].split(QLatin1Char(' '), Qt::SkipEmptyParts).value(0).toDouble();
}

void BM_MeshField(benchmark::State& State)
{
    const TDblPointList Probes = SquareProbeField(static_cast<int>(State.range(0)), 6.0);
    QTemporaryDir Dir;
    TTriangleWrapper W;
    W.SetPathToExe(BenchGeneratorPath());
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
