// Pictures of the status window, the dashboard, a time graph, the surface and
// the monitoring list with realistic content, written into KP_SCREENSHOT_DIR
// (scripts/screenshots.sh); skipped without it.
#include <gtest/gtest.h>

#include "RunTestSupport.h"
#include "Screenshot.h"

#include <QApplication>
#include <QDir>

#include "model/base/ModelUI.h"
#include "model/fe/NumNodes.h"
#include "model/monitoring/MonitoringList.h"
#include "model/run/RunDisplay.h"
#include "model/settings/KPSettings.h"
#include "ui/mainwindow/MainActions.h"
#include "ui/mainwindow/ProbesCard.h"
#include "ui/mainwindow/ResultCommands.h"
#include "ui/monitoring/FormMonitoring.h"
#include "ui/results/ResultWindows.h"
#include "ui/results/FormConceptAndValues.h"
#include "ui/results/FormDashboard.h"
#include "ui/results/FormGraph.h"
#include "ui/results/SurfaceForm.h"
#include "ui/results/SurfaceView.h"

#include <cmath>

namespace {

// Ground temperature around four probes after a heating season: 10 °C far
// away, cooled towards each probe (a logarithmic line-source shape).
double FieldTemperature(double X, double Y)
{
    double t = 10;
    for (const auto& [px, py] : {std::pair{20.0, 20.0}, {28.0, 20.0}, {20.0, 28.0}, {28.0, 28.0}}) {
        const double r = std::max(0.2, std::hypot(X - px, Y - py));
        t -= 1.1 * std::max(0.0, std::log(15 / r));
    }
    return t;
}

} // namespace

TEST(Screenshots, StatusWindowWithGauges)
{
    SkipWithoutScreenshotDir();
    ResetProgramSettings();
    TFormConceptAndValues w;
    TGaugeValues v;
    v.LblDateTime = QStringLiteral("14:00:00 15.01.2025");
    v.LblDuration = QStringLiteral("Dauer: 45 Tage");
    v.GaugeHeatpumpPower = 11.8;
    v.GaugeElectricity = 2.7;
    v.GaugeCOP = 4.37;
    v.GaugeHeatpumpIn = 3.4;
    v.GaugeHeatpumpOut = 0.6;
    v.GaugeBHEBestT = 4.1;
    v.GaugeBHEWorstT = 2.6;
    v.GaugeBHEAverageP = 2.3;
    v.GaugeBHEBestP = 2.6;
    v.GaugeBHEWorstP = 2.0;
    v.StatusHeatpump = QStringLiteral("Heating");
    v.StatusHeatpumpColor = 0x0000FF;
    v.LblHeatpumpSpecs = QStringLiteral("Sole/Wasser 12 kW, B0/W35");
    v.LblFluidFlux = QStringLiteral("Durchfluss 2,9 m³/h");
    v.LblBest = QStringLiteral("Beste: EWS 1");
    v.LblWorst = QStringLiteral("Schlechteste: EWS 4");
    v.LEDDisplayElectricity = QStringLiteral("41,2 kWh");
    v.LEDDisplayEnergyYear = QStringLiteral("1873 kWh");
    v.LEDDisplayEnergy = QStringLiteral("180,4 kWh");
    v.LEDDisplayDuration = QStringLiteral("15,3 h");
    v.LEDDisplayAnnualEnergy = QStringLiteral("8194 kWh");
    v.LEDDisplayAnnualHeating = QStringLiteral("8194 kWh");
    v.LEDDisplayAnnualCooling = QStringLiteral("0 kWh");
    v.LEDDisplayAnnualOpTime = QStringLiteral("702 h");
    v.LEDDisplayGeothermalAnnualHeating = QStringLiteral("6321 kWh");
    v.LEDDisplayGeothermalAnnualCooling = QStringLiteral("0 kWh");
    w.ShowValues(v);
    SaveScreenshot(w, QStringLiteral("result_status_window.png"));
}

TEST(Screenshots, DashboardAndTimeGraph)
{
    SkipWithoutScreenshotDir();
    TFormDashboard d;
    TDashboardValues v;
    v.LblElapsedTime = QStringLiteral("Zeit seit Simuationsbeginn: 45 Tage 14:00");
    const double cells[3][4] = {{8194.2, 0, 8194.2, 8194.2}, {6321.5, 0, -6321.5, 6321.5}, {1872.7, 0, 1872.7, 1872.7}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c) v.Counters[r][c] = QString::number(cells[r][c], 'f', 2).replace(u'.', u',');
    v.InitialQuantity = QStringLiteral("1523487,12");
    v.CurrentQuantity = QStringLiteral("1517165,62");
    v.DeltaQuantity = QStringLiteral("-6321,50");
    d.ShowValues(v);
    SaveScreenshot(d, QStringLiteral("result_dashboard.png"));

    TFormGraph g;
    std::vector<TFormGraph::TPoint> a, b;
    const TDateTime start = EncodeDate(2024, 10, 1);
    for (int day = 0; day < 180; ++day) {
        const double season = std::sin(day / 180.0 * 3.14159);
        a.push_back({start + day, 10 - 6 * season + 0.4 * std::sin(day * 0.7)});
        b.push_back({start + day, 10 - 3.5 * season});
    }
    g.AddSeries(QStringLiteral("ϑ [°C] [°C] Node (x=24,00; y=24,00)"), a);
    g.AddSeries(QStringLiteral("ϑ [°C] [°C] Node (x=40,00; y=24,00)"), b);
    SaveScreenshot(g, QStringLiteral("result_time_graph.png"));
}

TEST(Screenshots, TemperatureSurface)
{
    SkipWithoutScreenshotDir();
    TSurfaceForm f;
    std::vector<TSurfacePoint> pts;
    for (int i = 0; i <= 24; ++i)
        for (int j = 0; j <= 24; ++j) {
            const double x = i * 2, y = j * 2;
            pts.push_back({x, FieldTemperature(x, y), y});
        }
    f.ChartSurface->SetPoints(pts);
    SaveScreenshot(f, QStringLiteral("result_surface.png"));
}

TEST(Screenshots, MonitoringList)
{
    SkipWithoutScreenshotDir();
    TFormMonitoring form;
    TModelUIScope<TMonitoringWindow> scope(&form);
    std::vector<std::unique_ptr<TNode>> nodes;
    TMonitoringList list;
    for (auto [x, y] : {std::pair{24.0, 24.0}, {40.0, 24.0}, {12.5, 30.25}}) {
        nodes.push_back(std::make_unique<TNode>(x, y));
        list.AddObsPoint(nodes.back().get());
    }
    list.ShowItemsDlg();
    SaveScreenshot(form, QStringLiteral("result_monitoring_list.png"));
    list.DeleteAllItems();
}

// The run page of the real main window during a run (paused half way) and
// after it, and the status window the run fills.
using ScreenshotsRunPage = RunFixture;

TEST_F(ScreenshotsRunPage, DuringAndAfterARun)
{
    SkipWithoutScreenshotDir();
    if (!MakeMeshedProject(4, ltConstant, QStringLiteral("20"))) GTEST_SKIP() << "no mesh generator";
    TFormLoad& w = Window();
    w.resize(1300, 820);
    Card().ListMonthSave->item(0)->setCheckState(Qt::Checked);
    Card().ListMonthSave->item(1)->setCheckState(Qt::Checked);
    Card().EdtDataFile->setText(QStringLiteral("feld"));
    Card().EdtDataDir->setText(Path(QString()));
    w.Control().Model()->SetDataFileDir(Path(QString()));
    w.Actions()->UpdateActions();
    w.Actions()->ActionShowDashboard->trigger();
    AtStep(240, [&] { Card().BtnPause->click(); });
    Card().BtnRun->click();
    Run().RunDisplay().Flush();
    Settle();
    SaveScreenshot(w, QStringLiteral("run_page_paused.png"));
    Card().BtnRun->click();
    Settle();
    SaveScreenshot(w, QStringLiteral("run_page_finished.png"));
    TFormConceptAndValues& status = *Run().ResultWindows().FormConceptAndValues();
    status.show();
    Settle();
    SaveScreenshot(status, QStringLiteral("run_status_window.png"));
    status.hide();
    w.SetActiveCard(mcMap);
    Settle();
    w.ProbesCard()->FitToScreen();
    Settle();
    SaveScreenshot(w, QStringLiteral("run_probes_isotherms.png"));
    w.Control().SetIsChanged(false);
}
