// The run page's run control with a small real model: the checks before a
// run, the counter grid's layout, the log and the load-step label, and Run,
// Pause and Stop clicked from inside a running step.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSpinBox>

#include "RunTestSupport.h"
#include "model/base/KPError.h"
#include "model/control/ModelUISet.h"
#include "model/probes/BHEObj.h"
#include "ui/common/Prompter.h"
#include "ui/mainwindow/CounterGridModel.h"
#include "ui/mainwindow/MainActions.h"
#include "ui/mainwindow/MainRunDisplay.h"

using RunPage = RunFixture;

#define REQUIRE_MESH(...)                                                                                              \
    if (!MakeMeshedProject(__VA_ARGS__)) GTEST_SKIP() << "no mesh generator"

TEST_F(RunPage, FailedChecksShowTheirMessageFocusTheSettingAndStartNothing)
{
    REQUIRE_MESH(2);
    struct TCase {
        const char* Name;
        std::function<void(RunPage&)> Prepare;
        QString Message;
        std::function<QWidget*(TSimulationCard&)> Focus;
    };
    const QString missing = Path(QStringLiteral("fehlt"));
    const std::vector<TCase> cases = {
        {"duration", [](RunPage& t) { t.Card().EditDuration->setText(QStringLiteral("x")); },
         QStringLiteral("Bitte eine gültig Dauer eingeben."), [](TSimulationCard& c) { return c.EditDuration; }},
        {"dt text", [](RunPage& t) { t.Card().EdtDeltaTime->setText(QStringLiteral("x")); },
         QStringLiteral("Bitte geben Sie einen gültigen Wert für den Zeitschritt an"),
         [](TSimulationCard& c) { return c.EdtDeltaTime; }},
        {"dt zero", [](RunPage& t) { t.Card().EdtDeltaTime->setText(QStringLiteral("0")); },
         QStringLiteral("Bitte geben Sie einen Wert>0 für den Zeitschritt an"),
         [](TSimulationCard& c) { return c.EdtDeltaTime; }},
        {"folder",
         [missing](RunPage& t) {
             t.Card().ListMonthSave->item(0)->setCheckState(Qt::Checked);
             t.Card().EdtDataDir->setText(missing);
         },
         QStringLiteral("Bitte geben Sie ein Verzeichnis zum Abspeichern des Felds an."),
         [](TSimulationCard& c) { return c.EdtDataDir; }},
        {"stem",
         [](RunPage& t) {
             t.Card().ListMonthSave->item(0)->setCheckState(Qt::Checked);
             t.Card().EdtDataDir->setText(t.Path(QString()));
             t.Card().EdtDataFile->clear();
         },
         QStringLiteral("Bitte geben Sie ein Dateinamen zum Abspeichern des Felds an."),
         [](TSimulationCard& c) { return c.EdtDataFile; }},
        {"second probe without profile",
         [](RunPage& t) { t.Window().Control().Model()->BHE(1)->SetLoadProfilIndex(-1); },
         QStringLiteral("Der Sonde \"%1\" ist kein Lastprofil zugeordnet."), nullptr},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TSimulationCard& card = Card();
        card.EditDuration->setText(QStringLiteral("2"));
        card.EdtDeltaTime->setText(QStringLiteral("60"));
        card.EdtDataFile->setText(QStringLiteral("feld"));
        card.EdtDataDir->setText(Path(QString()));
        for (int i = 0; i < 12; ++i) card.ListMonthSave->item(i)->setCheckState(Qt::Unchecked);
        Window().Control().Model()->BHE(1)->SetLoadProfilIndex(0);
        c.Prepare(*this);
        ScriptedPrompter().Reset();
        Run().ModelRun->trigger();
        const auto& asked = ScriptedPrompter().Asked();
        ASSERT_EQ(asked.size(), 1u);
        const QString expected =
            c.Message.contains(QStringLiteral("%1")) ? c.Message.arg(Window().Control().Model()->BHE(1)->Name())
                                                     : c.Message;
        EXPECT_TRUE(asked[0].Text.contains(expected)) << asked[0].Text.toStdString();
        if (c.Focus) {
            EXPECT_EQ(card.focusWidget(), c.Focus(card));
        }
        EXPECT_EQ(Step(), 0);
        EXPECT_TRUE(card.MemoLog->toPlainText().isEmpty());
        EXPECT_TRUE(Run().ModelRun->isEnabled());
    }
}

TEST_F(RunPage, NoMonthAsksAbortOrIgnore)
{
    REQUIRE_MESH(1, ltConstant, QStringLiteral("0,25"));
    WarnOnEmptyAutosave = true;
    ScriptedPrompter().QueueButton(QMessageBox::Abort);
    Run().ModelRun->trigger();
    EXPECT_EQ(Step(), 0);
    ScriptedPrompter().QueueButton(QMessageBox::Ignore);
    Run().ModelRun->trigger();
    EXPECT_EQ(ScriptedPrompter().Asked().size(), 2u);
    EXPECT_TRUE(Engine().Finished());
    EXPECT_GT(Step(), 0);
}

TEST_F(RunPage, ARunWithoutMeshIsRefusedClearly)
{
    TFormLoad& w = Window();
    w.NewProject();
    w.Control().AddProbe(nullptr, 0, 0);
    w.SetActiveCard(mcMonitoring);
    Run().ModelRun->trigger();
    ASSERT_EQ(ScriptedPrompter().Asked().size(), 1u);
    EXPECT_TRUE(ScriptedPrompter().Asked()[0].Text.contains(QStringLiteral("Netz")));
}

TEST_F(RunPage, CounterGridHeadersAndRows)
{
    REQUIRE_MESH(2, ltYearProfile);
    const TCounterGridModel& g = Run().CounterGrid();
    const QString p0 = Window().Control().Model()->BHE(0)->Name();
    EXPECT_EQ(g.columnCount(), 6 + 4 * 2);
    EXPECT_EQ(g.headerData(5, Qt::Horizontal).toString(), QStringLiteral("Erdwärmeanteil [%]"));
    EXPECT_EQ(g.headerData(6, Qt::Horizontal).toString(), p0 + QStringLiteral(" Energie [kWh]"));
    Window().Control().Project()->LoadProfile()->SetLoadType(ltConstant);
    const struct {
        QString Days;
        int Rows;
    } rows[] = {{QStringLiteral("365"), 366}, {QStringLiteral("365,5"), 367}};
    for (const auto& r : rows) {
        Card().EditDuration->setText(r.Days);
        Run().SetupCounterGrid();
        EXPECT_EQ(g.GridRowCount(), r.Rows);
    }
    EXPECT_EQ(g.columnCount(), 4 + 2 * 2);
    EXPECT_EQ(g.headerData(3, Qt::Horizontal).toString(), QStringLiteral("Sondenleistung [kW]"));
    EXPECT_EQ(g.headerData(7, Qt::Horizontal).toString(),
              Window().Control().Model()->BHE(1)->Name() + QStringLiteral(" ϑ max [°C]"));
}

TEST_F(RunPage, FreshStartLogsNineLinesAndTheLoadStepLabelUsesAComma)
{
    REQUIRE_MESH(1, ltConstant, QStringLiteral("0,125"));
    Run().ModelRun->trigger();
    const QStringList log = Card().MemoLog->toPlainText().split(QLatin1Char('\n'));
    ASSERT_GE(log.size(), 9);
    EXPECT_EQ(log[0], QStringLiteral("Simulation started"));
    EXPECT_TRUE(log[1].startsWith(QStringLiteral("#Nodes: ")));
    EXPECT_TRUE(log[8].startsWith(QStringLiteral("Schnittfläche letzte Reihe [m²]: ")));
    Card().EdtDeltaTime->setText(QStringLiteral("30"));
    Card().SpinEditTimeMulti->setValue(4);
    EXPECT_EQ(Card().LblTimestepLoad->text(), QStringLiteral("7,5 min"));
}

TEST_F(RunPage, PauseThenRunContinuesWithoutResettingAndNeverNests)
{
    REQUIRE_MESH(2);
    bool runEnabledInside = true;
    int nested = 0;
    AtStep(5, [&] {
        runEnabledInside = Run().ModelRun->isEnabled();
        // A second run command from a queued click must do nothing.
        Run().ModelRunExecute();
        nested = Step();
        Card().BtnPause->click();
    });
    Card().BtnRun->click();
    EXPECT_FALSE(runEnabledInside);
    EXPECT_EQ(nested, 5);
    EXPECT_EQ(Window().Control().RunState(), TRunState::Paused);
    const int paused = Step();
    EXPECT_GE(paused, 5);
    EXPECT_FALSE(Card().EditDuration->isEnabled());
    EXPECT_FALSE(Card().EdtDeltaTime->isEnabled());
    EXPECT_TRUE(Card().EdtDataFile->isEnabled());
    EXPECT_TRUE(Run().ModelRun->isEnabled());
    EXPECT_EQ(Run().RunDisplay().CounterUpdateDepth(), 0);
    Card().BtnRun->click();
    EXPECT_EQ(Window().Control().RunState(), TRunState::Idle);
    EXPECT_EQ(Step(), Engine().TotalNumberOfTimeSteps());
    EXPECT_TRUE(SmartMessageShown());
    EXPECT_EQ(Card().LblCalcDuration->text(), QStringLiteral("Simulation beendet"));
    EXPECT_TRUE(Card().EditDuration->isEnabled());
}

TEST_F(RunPage, StopEndsOnceAndLeavesTheProgramIdle)
{
    REQUIRE_MESH(1);
    enum { AtFive, InLastStep, PauseThenStop };
    for (int mode : {AtFive, InLastStep, PauseThenStop}) {
        SCOPED_TRACE(mode);
        int finished = 0;
        TProjectControl& c = Window().Control();
        auto old = c.OnSimulationFinished;
        c.OnSimulationFinished = [&, old] {
            ++finished;
            old();
        };
        const int last = 48;
        AtStep(mode == InLastStep ? last : 5, [&] {
            if (mode == PauseThenStop) Card().BtnPause->click();
            else Card().BtnStop->click();
        });
        Card().BtnRun->click();
        if (mode == PauseThenStop) {
            EXPECT_EQ(finished, 0);
            Card().BtnStop->click();
        }
        EXPECT_EQ(finished, 1);
        EXPECT_EQ(c.RunState(), TRunState::Idle);
        EXPECT_EQ(Run().RunDisplay().CounterUpdateDepth(), 0);
        EXPECT_TRUE(Run().ModelRun->isEnabled());
        EXPECT_FALSE(Run().ModelStop->isEnabled());
        c.OnSimulationFinished = old;
    }
}

TEST_F(RunPage, ProjectCommandsAreRefusedWhileRunning)
{
    REQUIRE_MESH(1);
    TMainActions& a = *Window().Actions();
    bool newEnabled = true, openEnabled = true, settingsEnabled = true;
    bool deleteRefused = false;
    AtStep(5, [&] {
        a.UpdateActions();
        newEnabled = a.FileNew->isEnabled();
        openEnabled = a.FileOpenModel->isEnabled();
        settingsEnabled = Card().EditDuration->isEnabled() || Card().CBoxUseGW->isEnabled();
        Card().BtnPause->click();
    });
    Card().BtnRun->click();
    EXPECT_FALSE(newEnabled);
    EXPECT_FALSE(openEnabled);
    EXPECT_FALSE(settingsEnabled);
    // Paused: the probe the run uses cannot go.
    try {
        Window().Control().DeleteProbe(Window().Control().Model()->BHE(0));
    } catch (const EKPError&) {
        deleteRefused = true;
    }
    EXPECT_TRUE(deleteRefused);
    EXPECT_EQ(Window().Control().Model()->BHEs().Count(), 1);
    Card().BtnStop->click();
}

namespace {

// The window's display, failing at one step as a broken model would.
class TFailingDisplay : public TRunDisplay
{
public:
    TFailingDisplay(TRunDisplay& Inner, TTimeEngine& E, int At) : FInner(Inner), FEngine(E), FAt(At) {}
    void ProcessMessages() override
    {
        if (FEngine.NumTimeStep() == FAt) throw EKPError(QStringLiteral("Fehler im Schritt"));
        FInner.ProcessMessages();
    }
    void BeginCounterUpdate() override { FInner.BeginCounterUpdate(); }
    void EndCounterUpdate(const TCounterTable& T) override { FInner.EndCounterUpdate(T); }
    void AddLogLine(const QString& L) override { FInner.AddLogLine(L); }

private:
    TRunDisplay& FInner;
    TTimeEngine& FEngine;
    int FAt;
};

} // namespace

TEST_F(RunPage, AnErrorInsideTheRunIsShownOnceThenAFreshRunWorks)
{
    REQUIRE_MESH(1);
    TPromptsBridge prompts;
    TFailingDisplay failing(Run().RunDisplay(), Engine(), 7);
    {
        TModelUISet set = TModelUISet::Installed();
        set.Prompts = &prompts;
        set.RunDisplay = &failing;
        const TModelUISetScope scope(set);
        Card().BtnRun->click();
        EXPECT_EQ(ScriptedPrompter().Messages(), QStringList{QStringLiteral("Fehler im Schritt")});
        EXPECT_EQ(Window().Control().RunState(), TRunState::Idle);
        EXPECT_TRUE(Run().ModelRun->isEnabled());
        EXPECT_FALSE(SmartMessageShown());
    }
    Card().BtnRun->click();
    EXPECT_TRUE(Engine().Finished());
    EXPECT_EQ(Step(), Engine().TotalNumberOfTimeSteps());
    EXPECT_EQ(ScriptedPrompter().Messages().size(), 1);
}

TEST_F(RunPage, ClosingTheWindowInsideAStepClosesAfterTheLoopUnwound)
{
    REQUIRE_MESH(1);
    ScriptedPrompter().QueueButton(QMessageBox::No);
    AtStep(5, [&] { Window().close(); });
    Card().BtnRun->click();
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    EXPECT_FALSE(Window().isVisible());
    EXPECT_EQ(Window().Control().RunState(), TRunState::Idle);
}

TEST_F(RunPage, AStrayStopAfterBindingReportsNoEnd)
{
    REQUIRE_MESH(1);
    Run().ModelStopExecute();
    EXPECT_FALSE(SmartMessageShown());
    EXPECT_FALSE(Run().ModelStop->isEnabled());
}
