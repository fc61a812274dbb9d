// The status window with its gauges and scaling dialog, the dashboard, the
// time graph and the lifetime of the result windows around a running run.
#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QToolButton>
#include <QtCharts/QLineSeries>

#include "ScriptedPrompter.h"
#include "model/base/ModelUI.h"
#include "model/monitoring/MonitoringList.h"
#include "model/settings/KPSettings.h"
#include "ui/dialogs/DlgFrameOKCancel.h"
#include "ui/results/FormConceptAndValues.h"
#include "ui/results/FormDashScaling.h"
#include "ui/results/FormDashboard.h"
#include "ui/results/FormGraph.h"
#include "ui/results/ResultWindows.h"
#include "ui/results/LEDDisplay.h"
#include "ui/results/SmoothGauge.h"

namespace {

class DashScaling : public ::testing::Test {
protected:
    // The scaling is stored: every case starts from the built-in scale, also
    // when an earlier case in this process stored another.
    DashScaling() { ForgetStoredScaling(); }
    void SetUp() override { ScriptedPrompter().Reset(); }
    void TearDown() override { ForgetStoredScaling(); }

    static void ForgetStoredScaling()
    {
        for (auto scope : {QSettings::UserScope, QSettings::SystemScope})
            QSettings(scope, QStringLiteral("Mirvatek"), QStringLiteral("KP")).remove(QStringLiteral("2.0/Dashboard"));
        ResetProgramSettings();
        ProgramSettings();
    }

    // Runs the scaling command with the dialog's COP edits set; the result of
    // the OK click is the dialog's.
    void Scale(const QString& MaxCOP, const QString& SecCOP)
    {
        ScriptedPrompter().QueueDialog([&](QDialog& d) {
            auto& dlg = dynamic_cast<TFormDashScaling&>(d);
            dlg.MaxCOP->setText(MaxCOP);
            dlg.SecCOP->setText(SecCOP);
            dlg.FrameOKCancel1->BtnOK->click();
            return dlg.result();
        });
        Window.ImageSetupClick();
    }

    TFormConceptAndValues Window;
};

} // namespace

TEST_F(DashScaling, AcceptsValidValuesAndKeepsTextThatIsNoNumber)
{
    Scale(QStringLiteral("12"), QStringLiteral("6"));
    EXPECT_EQ(Window.GaugeCOP->Minimum(), 3);
    EXPECT_EQ(Window.GaugeCOP->Maximum(), 12);
    EXPECT_EQ(Window.GaugeCOP->Divisions(), 6);
    EXPECT_EQ(DashCOPMax, 12);

    Scale(QStringLiteral("abc"), QStringLiteral("x"));
    EXPECT_EQ(Window.GaugeCOP->Maximum(), 12);
    EXPECT_EQ(Window.GaugeCOP->Divisions(), 6);
    EXPECT_TRUE(ScriptedPrompter().Messages().isEmpty());
}

TEST_F(DashScaling, RefusesMaximumNotAboveMinimumAndFewerThanOneSegment)
{
    const struct {
        const char* Max;
        const char* Seg;
        const char* Message;
    } cases[] = {
        {"3", "5", "Wärmepumpe COP: das Maximum muss größer als 3 sein."},
        {"2,5", "5", "Wärmepumpe COP: das Maximum muss größer als 3 sein."},
        {"9", "0", "Wärmepumpe COP: die Zahl der Segmente muss mindestens 1 sein."},
        {"9", "-2", "Wärmepumpe COP: die Zahl der Segmente muss mindestens 1 sein."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Max);
        ScriptedPrompter().Reset();
        Scale(QString::fromUtf8(c.Max), QString::fromUtf8(c.Seg));
        EXPECT_EQ(ScriptedPrompter().Messages(), QStringList{QString::fromUtf8(c.Message)});
        EXPECT_EQ(Window.GaugeCOP->Maximum(), 8);
        EXPECT_EQ(Window.GaugeCOP->Divisions(), 5);
        EXPECT_EQ(DashCOPMax, 8);
    }
}

TEST(SmoothGauge, NeedleSweepsTheScaleAndStopsAtItsEnds)
{
    TSmoothGauge g(QStringLiteral("COP"), 3, 8);
    const struct {
        double Value;
        double Angle;
    } cases[] = {{3, 225}, {8, -45}, {5.5, 90}, {-100, 225}, {100, -45}, {std::nan(""), 225}};
    for (const auto& c : cases) EXPECT_DOUBLE_EQ(g.AngleOf(c.Value), c.Angle) << c.Value;
    g.SetValue(4.256);
    EXPECT_EQ(g.ValueText(), QStringLiteral("04,26"));
}

TEST(FormConceptAndValues, ShowsTheRunsValuesAndHidesProbeGaugesOnRequest)
{
    TFormConceptAndValues w;
    w.show();
    TGaugeValues v;
    v.LblDateTime = QStringLiteral("12:00:00 01.02.2024");
    v.GaugeCOP = 4.5;
    v.GaugeHeatpumpIn = 2.25;
    v.LEDDisplayAnnualEnergy = QStringLiteral("12345 kWh");
    v.WorstGaugesVisible = false;
    w.ShowValues(v);
    EXPECT_EQ(w.LblDateTime->text(), v.LblDateTime);
    EXPECT_EQ(w.GaugeCOP->Value(), 4.5);
    EXPECT_EQ(w.GaugeHeatpumpIn->Value(), 2.25);
    EXPECT_EQ(w.LEDDisplayAnnualEnergy->Text(), v.LEDDisplayAnnualEnergy);
    EXPECT_TRUE(w.GaugeBHEBestT->isVisible());
    EXPECT_FALSE(w.GaugeBHEWorstT->isVisible());
    EXPECT_FALSE(w.GaugeBHEWorstP->isVisible());
}

TEST(FormDashboard, GridHasItsTitlesAndTakesTheRunsCounters)
{
    TFormDashboard d;
    EXPECT_EQ(d.GridEnergyCounter->columnCount(), 5);
    EXPECT_EQ(d.GridEnergyCounter->rowCount(), 10);
    EXPECT_EQ(d.Cell(0, 0), QStringLiteral("Energy [kWh]"));
    EXPECT_EQ(d.Cell(4, 0), QStringLiteral("Sum"));
    EXPECT_EQ(d.Cell(0, 4), QStringLiteral("Enthalphie of thermal model"));
    EXPECT_EQ(d.Cell(0, 7), QStringLiteral("ΔH (since t=0)"));
    EXPECT_EQ(d.Cell(0, 8), QString());
    TDashboardValues v;
    v.Counters[1][2] = QStringLiteral("-12,50");
    v.DeltaQuantity = QStringLiteral("3,00");
    d.ShowValues(v);
    EXPECT_EQ(d.Cell(3, 2), QStringLiteral("-12,50"));
    EXPECT_EQ(d.Cell(3, 7), QStringLiteral("3,00"));
}

TEST(FormGraph, SeriesSkipMissingValuesAndDeleteAllEmptiesTheChart)
{
    TFormGraph g;
    g.BtnDeleteAll->click();  // on an empty chart: nothing happens
    EXPECT_EQ(g.SeriesCount(), 0);
    const TDateTime day = EncodeDate(2024, 3, 1);
    QLineSeries* s = g.AddSeries(QStringLiteral("T"), {{day, 1}, {day + 1, std::nan("")}, {day + 2, 3}});
    ASSERT_NE(s, nullptr);
    ASSERT_EQ(s->count(), 2);
    EXPECT_EQ(s->at(1).y(), 3);
    EXPECT_EQ(QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(s->at(0).x())),
              QDateTime(QDate(2024, 3, 1), QTime(0, 0)));
    g.AddSeries(QStringLiteral("U"), {});
    EXPECT_EQ(g.SeriesCount(), 2);
    g.BtnDeleteAll->click();
    EXPECT_EQ(g.SeriesCount(), 0);
}

TEST(ResultWindows, ReleaseWaitsForTheRunOnTheStackAndCloseTellsTheEngineOnce)
{
    TResultWindows w;
    w.InstallHooks(true);
    ASSERT_NE(TModelHooks<TDashboardHooks>::Installed(), nullptr);
    int closed = 0;
    ModelUI<TDashboardHooks>().ShowDashboard([&] { ++closed; });
    EXPECT_TRUE(ModelUI<TDashboardHooks>().IsDashboardVisible());
    w.FormConceptAndValues()->close();
    w.FormConceptAndValues()->close();
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(ModelUI<TDashboardHooks>().IsDashboardVisible());
    {
        TResultWindows::TRunOnStack outer(w);
        {
            TResultWindows::TRunOnStack inner(w);
            w.ReleaseWindows();
        }
        EXPECT_FALSE(w.Released());  // the outer run still uses them
        EXPECT_NE(w.FormConceptAndValues(), nullptr);
    }
    EXPECT_TRUE(w.Released());
    EXPECT_EQ(TModelHooks<TDashboardHooks>::Installed(), nullptr);
    EXPECT_EQ(TModelHooks<TMonitoringWindow>::Installed(), nullptr);
}
