// A simulated year of a square field of 25 probes (6 m apart, constant load,
// hourly steps, the thermal model's default mesh by our generator) run from
// the main window with the run page, its counter grid and surface and the
// status window shown, beside the same project run headless. Their ratio is
// the cost of the display; BM_RunYear/25 of kp_bench is the model alone.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QSpinBox>
#include <QTemporaryDir>

#include "model/base/ModelUI.h"
#include "model/control/ProjectControl.h"
#include "model/loads/LoadObject.h"
#include "model/model/MainModelObj.h"
#include "model/project/ProjectObj.h"
#include "model/project/StreamClasses.h"
#include "model/run/MainLoopObj.h"
#include "model/run/RunDisplay.h"
#include "model/settings/KPSettings.h"
#include "ui/mainwindow/FormLoad.h"
#include "ui/mainwindow/MainActions.h"
#include "ui/mainwindow/RunControl.h"
#include "ui/mainwindow/SimulationCard.h"
#include "ui/results/FormConceptAndValues.h"
#include "ui/results/ResultWindows.h"

#include <clocale>
#include <cmath>
#include <memory>

namespace {

constexpr double Spacing = 6;

bool MakeField(TProjectControl& C, int Probes)
{
    C.NewProject();
    TProject& p = *C.Project();
    p.LoadProfile()->SetLoadType(ltConstant);
    p.LoadProfile()->SetConstantLoad(3.0 * Probes);
    const int side = int(std::ceil(std::sqrt(double(Probes))));
    for (int i = 0; i < Probes; ++i) C.AddProbe(nullptr, Spacing * (i % side), Spacing * (i / side));
#ifdef KP_TRIANGLE_EXE
    TriangleLocation = QStringLiteral(KP_TRIANGLE_EXE);
#endif
    return C.GenerateMesh(false);
}

TRunSettings YearSettings()
{
    TRunSettings s;
    s.Duration = QStringLiteral("365");
    s.DeltaTime = QStringLiteral("60");
    s.StartDate = EncodeDate(2026, 1, 1);
    s.Multiplier = 1;
    s.IgnoreNoMonths = true;
    return s;
}

void BM_RunYearDisplayed(benchmark::State& State)
{
    QTemporaryDir temp;
    TempDir = temp.path();
    WarnOnEmptyAutosave = false;
    TFormLoad w;
    w.resize(1200, 800);
    w.show();
    if (!MakeField(w.Control(), int(State.range(0)))) {
        State.SkipWithError("no mesh generator");
        return;
    }
    w.BindProjectToView();
    w.SetActiveCard(mcMonitoring);
    TSimulationCard& card = *w.SimulationCard();
    card.EditDuration->setText(QStringLiteral("365"));
    card.EdtDeltaTime->setText(QStringLiteral("60"));
    card.SpinEditTimeMulti->setValue(1);
    w.RunControl()->ResultWindows().FormConceptAndValues()->show();
    QApplication::processEvents();
    std::int64_t steps = 0;
    for (auto _ : State) {
        w.RunControl()->ModelRunExecute();
        steps += w.Control().Model()->MainLoop()->TimeEngine().NumTimeStep();
    }
    State.counters["steps"] = double(steps) / double(State.iterations());
    w.Control().SetIsChanged(false);
    w.RunControl()->ResultWindows().FormConceptAndValues()->hide();
}

void BM_RunYearHeadless(benchmark::State& State)
{
    QTemporaryDir temp;
    TempDir = temp.path();
    TProjectControl c;
    if (!MakeField(c, int(State.range(0)))) {
        State.SkipWithError("no mesh generator");
        return;
    }
    for (auto _ : State) c.Start(YearSettings());
}

} // namespace

BENCHMARK(BM_RunYearDisplayed)->Arg(25)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_RunYearHeadless)->Arg(25)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    InitProgramSettings();
    RegisterStreamClasses();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
