// The plan: one full paint of a probe field with its default mesh, isotherms on and
// the mesh pictures warm, and one mouse move with its hover search. P probes 6 m
// apart, meshed by our generator.

#include "bench/BenchFields.h"

#include "gfx/Direct2DCanvas.h"
#include "model/fe/NumNodes.h"
#include "model/project/ProjectObj.h"
#include "model/project/StreamClasses.h"
#include "model/settings/KPSettings.h"
#include "plan/PlanView.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <cmath>
#include <memory>

namespace {

struct TPlanBench {
    QTemporaryDir Work;
    TProject Project;
    std::unique_ptr<TPlanView> View;
    bool Meshed = false;

    explicit TPlanBench(int P)
    {
        RegisterStreamClasses();
        ProgramSettings();
        TempDir = Work.path();
        TriangleLocation = BenchGeneratorPath();
        TThermModel& m = *Project.Model();
        for (const TDblPoint& p : SquareProbeField(P, 6)) {
            TBHE* b = m.AddBHE();
            b->SetX(p.X());
            b->SetY(p.Y());
            b->SetName(QStringLiteral("EWS %1").arg(m.BHEs().Count()));
        }
        try {
            m.GridGenerate(nullptr, false);
            Meshed = m.FieldModel()->ElementCount() > 0;
        } catch (...) {
            Meshed = false;
        }
        // A temperature field with a trough at every probe, for the isotherms.
        T2DTriangleTransient& fe = *m.FieldModel();
        for (int k = 0; k < fe.NodeCount(); ++k) {
            TNode& n = *fe.GetNodes(k);
            n.SetFCustom(10 - 3 * std::cos(n.X() / 3) * std::cos(n.Y() / 3));
        }
        View = std::make_unique<TPlanView>(nullptr);
        View->SetProject(&Project);
        View->ListViewMapItemChecked(plContours, true);
        // The mesh in the middle of the view at 4 DIPs per metre.
        View->Mapping().SetTransform(QTransform::fromScale(0.4, 0.4) * QTransform::fromTranslate(300, 500));
    }
};

void Paint(TPlanView& View, QImage& Image)
{
    QPainter painter(&Image);
    TDirect2DCanvas canvas;
    canvas.BeginDraw(painter);
    View.MVPaintBoxD2Paint(canvas);
    canvas.EndDraw();
}

void BM_PlanPaint(benchmark::State& State)
{
    TPlanBench bench(static_cast<int>(State.range(0)));
    QImage image(1280, 800, QImage::Format_ARGB32_Premultiplied);
    Paint(*bench.View, image);  // warm: items, mesh pictures, contours
    for (auto _ : State) {
        Paint(*bench.View, image);
        benchmark::ClobberMemory();
    }
    State.counters["elements"] = bench.Project.Model()->FieldModel()->ElementCount();
    State.counters["generator"] = bench.Meshed ? 1 : 0;
}
BENCHMARK(BM_PlanPaint)->Arg(25)->Arg(400)->Unit(benchmark::kMillisecond);

// A paint after the view moved by one pixel, as while panning: the isotherm layer is
// drawn again (only the mesh pictures stay warm).
void BM_PlanPanPaint(benchmark::State& State)
{
    TPlanBench bench(static_cast<int>(State.range(0)));
    QImage image(1280, 800, QImage::Format_ARGB32_Premultiplied);
    Paint(*bench.View, image);
    int step = 1;
    for (auto _ : State) {
        bench.View->Mapping().Pan(QPointF(step, 0));
        step = -step;
        Paint(*bench.View, image);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PlanPanPaint)->Arg(25)->Arg(400)->Unit(benchmark::kMillisecond);

void BM_PlanHover(benchmark::State& State)
{
    TPlanBench bench(static_cast<int>(State.range(0)));
    int i = 0;
    for (auto _ : State) {
        // Across the mesh and back, so that the hovered item keeps changing.
        const int x = 300 + (i * 37) % 600, y = 500 - (i * 23) % 400;
        bench.View->MVPaintBoxD2MouseMove({}, x, y);
        ++i;
        benchmark::DoNotOptimize(bench.View->D2HoveredObj());
    }
    State.counters["elements"] = bench.Project.Model()->FieldModel()->ElementCount();
}
BENCHMARK(BM_PlanHover)->Arg(25)->Arg(400)->Unit(benchmark::kMicrosecond);

}  // namespace
