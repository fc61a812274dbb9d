// Simulated years in hourly steps for a square probe field with a constant
// load and no display. The mesh is the one the thermal model makes by default
// (the builder's input with the default mesh parameters, meshed by our
// generator); without the generator a structured mesh of 3 m squares with
// the same 50 m border stands in, and the counter "generator" reads 0.

#include "model/base/KPError.h"
#include "model/fe/NumModel.h"
#include "model/loads/LoadObject.h"
#include "model/mesh/MeshInputBuilder.h"
#include "model/mesh/TriangleComp.h"
#include "model/probes/BHEObj.h"
#include "model/run/MainLoopObj.h"
#include "model/settings/ModelDefaults.h"

#include "bench/BenchFields.h"

#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QTemporaryDir>
#include <cmath>
#include <chrono>
#include <memory>

namespace {

constexpr double ProbeSpacing = 6;
constexpr double ProbeKW = 3;

// The thermal model's meshing: builder input, generator, read-back.
bool GeneratorMesh(T2DTriangleTransient& Model, TDblPointList& Probes)
{
    TTriangleWrapper w;
    w.SetPathToExe(BenchGeneratorPath());
    if (!QFileInfo(w.PathToExe()).isFile()) return false;
    QTemporaryDir dir;
    w.SetCommandLineParams(QStringLiteral("-pqa"));
    w.SetInputFile(dir.filePath(QStringLiteral("KPMOD.poly")));
    GeneratePolyFile(Probes, DefaultGridScaleFactor, DefaultGridDeltaBorder, DefaultGridInnerArea,
                     DefaultGridOuterArea, NodeBHERadialDist0, w.InputFile());
    if (w.Execute() != TTriangleWrapper::mrOk) return false;
    Model.GenerateGridFromTriangle(w.OutputNodeFile());
    return true;
}

void StructuredMesh(T2DTriangleTransient& Model, const TDblPointList& Probes)
{
    const double h = 3;
    double extent = 0;
    for (const TDblPoint& p : Probes) extent = std::max(extent, p.X());
    // The probes, 6 m apart from 0, fall on nodes.
    const double x0 = -h * std::ceil(DefaultGridDeltaBorder / h);
    const int n = static_cast<int>(std::lround((extent - 2 * x0) / h));
    for (int j = 0; j <= n; ++j)
        for (int i = 0; i <= n; ++i) Model.NodesList().Add(std::make_unique<TNode>(x0 + i * h, x0 + j * h));
    const int row = n + 1;
    auto add = [&](int a, int b, int c) {
        const int index[3] = {a, b, c};
        auto e = std::make_unique<TTransientTriangle>(Model.GetNodes(a), Model.GetNodes(b), Model.GetNodes(c), 1, 0,
                                                      1e30, 1);
        e->PresetNodeIndices(index);
        e->UpdateNodeIndices(&Model.NodesList());
        Model.ElementsList().Add(std::move(e));
    };
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i) {
            const int n0 = j * row + i;
            add(n0, n0 + 1, n0 + row + 1);
            add(n0, n0 + row + 1, n0 + row);
        }
}

struct TBenchField {
    T2DTriangleTransient Model;
    TMVObjectList BHEs;
    TMVObjectList Data;
    TMVObjectList Profiles;
    TMainLoop Loop;
    bool FromGenerator = false;

    // Multiplier 0 keeps the loop's default; the model's Δt spans the steps
    // of one solve.
    TBenchField(int P, int Multiplier, int Years)
    {
        TDblPointList probes = SquareProbeField(P, ProbeSpacing);
        FromGenerator = GeneratorMesh(Model, probes);
        if (!FromGenerator) StructuredMesh(Model, probes);
        Model.InitElementParams(DefaultThickness * DefaultLambda0, DefaultQEarth, 1e30,
                                DefaultRhoCP0 * 1e6 * DefaultThickness, DefaultThickness);
        auto* profile = Profiles.Add(std::make_unique<TLoadObj>());
        profile->SetLoadType(ltConstant);
        profile->SetConstantLoad(ProbeKW * static_cast<double>(probes.size()));
        for (const TDblPoint& p : probes) {
            auto* bhe = BHEs.Add(std::make_unique<TBHE>());
            bhe->SetX(p.X());
            bhe->SetY(p.Y());
            bhe->SetLoadProfilIndex(0);
            auto* w = Data.Add(std::make_unique<TBHEDataWrapper>(bhe));
            w->SetNodeIndex(Model.FindNode(p.X(), p.Y()));
            if (w->NodeIndex() < 0) throw EKPError(QStringLiteral("probe off the mesh"));
            Model.GetNodes(w->NodeIndex())->SetBorderCondition(bc2FixedFlow);
        }
        Loop.SetFieldModel(&Model);
        Loop.SetBHEDataList(&Data);
        Loop.SetLoadProfils(&Profiles);
        Loop.SetLoadProfile(profile);
        if (Multiplier > 0) Loop.SetFieldMultiplier(Multiplier);
        TTimeEngine& e = Loop.TimeEngine();
        e.SetRealStartTime(EncodeDate(2021, 1, 1));
        e.SetStartTime(0);
        e.SetTimeStep(3600);
        e.SetEndtime(Years * 365 * 86400.0);
        Model.SetDeltaTime(3600.0 * Loop.FieldMultiplier());
    }

    void Reset()
    {
        Model.InitNodeParams(DefaultFA, DefaultAirTemperature);
        Loop.ResetCounters();
    }

    // Runs once; returns the wall-clock seconds of the run.
    double TimedRun()
    {
        const auto t0 = std::chrono::steady_clock::now();
        Loop.Run();
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    }
};

// The bare symmetric solve of the field's step matrix with a kept factor, µs:
// the model's own, or CHOLMOD's routine on the same factor. Also gives the
// entries of the factor.
double BareSolveMicroseconds(const T2DTriangleTransient& Model, bool CholmodsOwn, long& FactorNonzeros)
{
    TSparseMtx a;
    FillTransientMatrix(Model, a);
    TCholmodSolver solver;
    solver.SetCopyFactor(!CholmodsOwn);
    FactorizeSymmetric(a, solver);
    FactorNonzeros = solver.FactorNonzeros();
    Eigen::VectorXd b = Eigen::VectorXd::Constant(Model.NodeCount(), 1.0), x(Model.NodeCount());
    solver.Solve(b.data(), x.data());
    constexpr int Repeats = 2000;
    const auto t0 = std::chrono::steady_clock::now();
    for (int k = 0; k < Repeats; ++k) {
        solver.Solve(b.data(), x.data());
        benchmark::DoNotOptimize(x.data());
    }
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count() / Repeats;
}

void SetRunCounters(benchmark::State& State, const TBenchField& Field, double Seconds, std::int64_t Steps)
{
    const double solves = static_cast<double>(Steps / Field.Loop.FieldMultiplier());
    State.counters["us/step"] = Seconds * 1e6 / static_cast<double>(Steps);
    State.counters["us/solve"] = solves > 0 ? Seconds * 1e6 / solves : 0;
    State.counters["multiplier"] = Field.Loop.FieldMultiplier();
    State.counters["nodes"] = Field.Model.NodeCount();
    State.counters["generator"] = Field.FromGenerator ? 1 : 0;
    State.counters["reused"] = Field.Model.LastSolveReusedFactorization();
}

// Arguments: probes, multiplier. Also times the bare solve of the step's
// matrix, the floor a step's cost is measured against.
void BM_RunYear(benchmark::State& State)
{
    try {
        TBenchField field(static_cast<int>(State.range(0)), static_cast<int>(State.range(1)), 1);
        std::int64_t steps = 0;
        double seconds = 0;
        for (auto _ : State) {
            State.PauseTiming();
            field.Reset();
            State.ResumeTiming();
            seconds += field.TimedRun();
            steps += field.Loop.TimeEngine().NumTimeStep();
        }
        SetRunCounters(State, field, seconds, steps);
        long factorNonzeros = 0;
        const double bare = BareSolveMicroseconds(field.Model, false, factorNonzeros);
        const double cholmod = BareSolveMicroseconds(field.Model, true, factorNonzeros);
        State.counters["nnzL"] = static_cast<double>(factorNonzeros);
        State.counters["us/baresolve"] = bare;
        State.counters["solve/baresolve"] = State.counters["us/solve"].value / bare;
        State.counters["us/cholmodsolve"] = cholmod;
        State.counters["solve/cholmodsolve"] = State.counters["us/solve"].value / cholmod;
    } catch (const EKPError& E) {
        State.SkipWithError(E.what());
    }
}

// 20 years hourly; the multiplier (solves every M-th step) is 1 by default.
void Run20Years(benchmark::State& State, int Multiplier)
{
    try {
        TBenchField field(static_cast<int>(State.range(0)), Multiplier, 20);
        std::int64_t steps = 0;
        double seconds = 0;
        for (auto _ : State) {
            State.PauseTiming();
            field.Reset();
            State.ResumeTiming();
            seconds += field.TimedRun();
            steps += field.Loop.TimeEngine().NumTimeStep();
        }
        SetRunCounters(State, field, seconds, steps);
    } catch (const EKPError& E) {
        State.SkipWithError(E.what());
    }
}

void BM_Run20Years(benchmark::State& State)
{
    Run20Years(State, 1);
}

// The same with the loop's default multiplier.
void BM_Run20YearsDefaultMultiplier(benchmark::State& State)
{
    Run20Years(State, 0);
}

}  // namespace

BENCHMARK(BM_RunYear)->Args({1, 1})->Args({1, 3})->Args({25, 1})->Args({25, 3})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Run20Years)->Arg(25)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Run20YearsDefaultMultiplier)->Arg(25)->Iterations(1)->Unit(benchmark::kMillisecond);
