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
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <cmath>

namespace {

// The count in the header line of a generator output file.
double HeaderCount(const QString& FileName)
{
    const QStringList Lines = Nodes::LoadLinesFromFile(FileName);
    return Lines.isEmpty() ? 0 : Lines[0].split(QLatin1Char(' '), Qt::SkipEmptyParts).value(0).toDouble();
}

// Seconds per phase of one verbose generator run (its "phases (s):" line);
// empty when the line is missing.
QMap<QString, double> GeneratorPhases(const QString& Exe, const QString& Base)
{
    QProcess P;
    P.start(Exe, {QStringLiteral("-pqaV"), Base});
    QMap<QString, double> Phases;
    if (!P.waitForFinished(600'000) || P.exitCode() != 0) return Phases;
    for (const QString& Line : QString::fromUtf8(P.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        const qsizetype At = Line.indexOf(QLatin1String("phases (s):"));
        if (At < 0) continue;
        for (const QString& Item : Line.mid(At + 11).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const QStringList Parts = Item.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            if (Parts.size() == 2) Phases[Parts[0]] = Parts[1].toDouble();
        }
    }
    return Phases;
}

// The phases as counters in milliseconds, and the share of the run spent
// outside CGAL's triangulation and mesher (reading, regions, markers, sorting,
// writing).
void ReportPhases(benchmark::State& State, const QMap<QString, double>& Phases)
{
    const double Total = Phases.value(QStringLiteral("total"));
    if (Total <= 0) return;
    for (auto It = Phases.begin(); It != Phases.end(); ++It)
        State.counters[(It.key() + QStringLiteral("_ms")).toStdString()] = 1000 * It.value();
    const double Cgal = Phases.value(QStringLiteral("refine")) + Phases.value(QStringLiteral("triangulate"));
    State.counters["outside_share"] = (Total - Cgal) / Total;
    State.counters["outside_mesher_share"] = (Total - Phases.value(QStringLiteral("refine"))) / Total;
}

void BM_MeshField(benchmark::State& State)
{
    const TDblPointList Probes = SquareProbeField(static_cast<int>(State.range(0)), 6.0);
    QTemporaryDir Dir;
    TTriangleWrapper W;
    // KP_TRIANGLE measures another build of the generator against this one.
    W.SetPathToExe(qEnvironmentVariable("KP_TRIANGLE", BenchGeneratorPath()));
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
        ReportPhases(State, GeneratorPhases(W.PathToExe(), Dir.filePath(QStringLiteral("KPMOD"))));
    } catch (const EKPError& E) {
        State.SkipWithError(E.what());
    }
}

}  // namespace

BENCHMARK(BM_MeshField)->Arg(1)->Arg(25)->Arg(100)->Arg(400)->Unit(benchmark::kMillisecond)->UseRealTime();
