// Saving and loading a project file: a field of 100 probes on a mesh of
// some six thousand nodes, with run data and monitored probes. The mesh is a
// regular one written here, so the case does not depend on the generator.
#include "model/project/ProjectObj.h"
#include "model/project/StreamClasses.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

constexpr double Spacing = 2;  // m between mesh nodes
constexpr int Cells = 77;      // per side: -50 m … 104 m
constexpr double Origin = -50;

// Generator files of a square grid, each cell cut into two triangles; the
// outer nodes carry the boundary marker of the mesh input.
QString WriteGridMesh(const QString& Dir)
{
    const int n = Cells + 1;
    const QString base = Dir + QStringLiteral("/grid.1");
    QFile node(base + QStringLiteral(".node"));
    node.open(QIODevice::WriteOnly);
    QTextStream nodes(&node);
    nodes << n * n << " 2 3 1\n";
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i) {
            const bool edge = i == 0 || j == 0 || i == Cells || j == Cells;
            nodes << j * n + i + 1 << ' ' << Origin + Spacing * i << ' ' << Origin + Spacing * j << " 0 0 0 "
                  << (edge ? 3 : 0) << '\n';
        }
    nodes.flush();
    QFile ele(base + QStringLiteral(".ele"));
    ele.open(QIODevice::WriteOnly);
    QTextStream elements(&ele);
    elements << 2 * Cells * Cells << " 3 0\n";
    int id = 1;
    for (int j = 0; j < Cells; ++j)
        for (int i = 0; i < Cells; ++i) {
            const int a = j * n + i + 1, b = a + 1, c = a + n + 1, d = a + n;
            elements << id++ << ' ' << a << ' ' << b << ' ' << c << '\n';
            elements << id++ << ' ' << a << ' ' << c << ' ' << d << '\n';
        }
    elements.flush();
    return base + QStringLiteral(".node");
}

void BM_ProjectSaveLoad(benchmark::State& State)
{
    RegisterStreamClasses();
    QTemporaryDir dir;
    TProject project;
    TThermModel& model = *project.Model();
    model.ImportMesh(WriteGridMesh(dir.path()));
    for (int i = 0; i < 10; ++i)
        for (int j = 0; j < 10; ++j) {
            TBHE* bhe = model.AddBHE();
            bhe->SetName(QStringLiteral("EWS %1").arg(10 * i + j + 1));
            bhe->SetX(6.0 * i);
            bhe->SetY(6.0 * j);
        }
    model.InitModel();
    model.InitMonitoring();
    const QString file = dir.filePath(QStringLiteral("feld.kpm"));
    for (auto _ : State) {
        project.Save(file);
        TProject loaded;
        loaded.Load(file);
        benchmark::DoNotOptimize(loaded.Model());
    }
    State.counters["nodes"] = model.FieldModel()->NodeCount();
    State.counters["bytes"] = static_cast<double>(QFile(file).size());
}

}  // namespace

BENCHMARK(BM_ProjectSaveLoad)->Unit(benchmark::kMillisecond);
