// The run through the controller with a small meshed project: pause and
// continue, stop, an error inside a step, the commands a run refuses, and
// the run's times kept consistent.

#include "ControlTestUtil.h"

#if defined(KP_TRIANGLE_EXE)

#include "model/base/NumberText.h"

#include <cmath>
#include <stdexcept>

using namespace controltest;

namespace {

constexpr int Steps = 24; // one day in hourly steps

class RunControl : public TControlTest
{
protected:
    void SetUp() override
    {
        TControlTest::SetUp();
        MakeProbeField();
        ASSERT_TRUE(Control.GenerateMesh(false));
        States.clear();
    }
    // Temperatures after an uninterrupted run of the same project.
    std::vector<double> Reference()
    {
        TProjectControl other;
        const TModelUISetScope headless{TModelUISet()};
        other.NewProject();
        TProject& p = *other.Project();
        p.LoadProfile()->SetLoadType(ltConstant);
        p.LoadProfile()->SetConstantLoad(12);
        for (int i = 0; i < Control.Model()->BHEs().Count(); ++i)
            other.AddProbe(nullptr, Control.Model()->BHE(i)->X(), Control.Model()->BHE(i)->Y());
        EXPECT_TRUE(other.GenerateMesh(false));
        EXPECT_TRUE(other.RunExecute(Settings()).Ok());
        std::vector<double> t;
        for (int k = 0; k < other.Model()->FieldModel()->NodeCount(); ++k)
            t.push_back(other.Model()->FieldModel()->GetNodes(k)->F());
        return t;
    }
};

TEST_F(RunControl, AFreshRunLogsAndEndsOnce)
{
    EXPECT_TRUE(Control.RunExecute(Settings()).Ok());
    EXPECT_EQ(Starts, 1);
    EXPECT_EQ(Engine().NumTimeStep(), Steps);
    EXPECT_EQ(Finished, 1);
    EXPECT_EQ(Control.RunState(), TRunState::Idle);
    EXPECT_FALSE(Control.IsRunActive());
    EXPECT_EQ(States, (std::vector<TRunState>{TRunState::Running, TRunState::Idle}));
    EXPECT_EQ(Display.Begins, Display.Ends);
    EXPECT_TRUE(Prompts.Errors.isEmpty());
    ASSERT_GE(Display.Log.size(), 9);
    EXPECT_EQ(Display.Log[0], QStringLiteral("Simulation started"));
    EXPECT_EQ(Display.Log[1], QStringLiteral("#Nodes: %1  #Elements:%2")
                                  .arg(Control.Model()->FieldModel()->NodeCount())
                                  .arg(Control.Model()->FieldModel()->ElementCount()));
    EXPECT_EQ(Display.Log[2], QStringLiteral("Thermisches Modell"));
    EXPECT_EQ(Display.Log[4], QStringLiteral("Grundwassermodell"));
    EXPECT_TRUE(Display.Log[8].startsWith(QStringLiteral("Schnittfläche letzte Reihe [m²]: ")));
    // The initial field was kept in the work folder.
    EXPECT_TRUE(QFile::exists(QDir(TempDir).filePath(QStringLiteral("InitTemperatures.kpt"))));
    EXPECT_TRUE(Control.RunTimesConsistent());
}

TEST_F(RunControl, PauseAtStepFiveThenContinueWithoutResetOrNesting)
{
    const std::vector<double> reference = Reference();
    TRunCheck nested;
    Display.OnStep = [&](int Step) {
        if (Step == 5) {
            EXPECT_TRUE(Control.IsRunLoopActive());
            EXPECT_TRUE(Control.Pause());
            // A second Run click in the same batch never enters the loop again.
            nested = Control.RunExecute(Settings());
        }
    };
    ASSERT_TRUE(Control.RunExecute(Settings()).Ok());
    EXPECT_EQ(nested.Kind, TRunCheckKind::Error);
    EXPECT_EQ(nested.Message, QStringLiteral("Die Simulation läuft bereits."));
    EXPECT_EQ(Engine().NumTimeStep(), 5);
    EXPECT_DOUBLE_EQ(Engine().CurrentTime(), 5 * 3600.0);
    EXPECT_EQ(Control.RunState(), TRunState::Paused);
    EXPECT_TRUE(Control.IsRunActive());
    EXPECT_FALSE(Control.IsRunLoopActive());
    EXPECT_EQ(Finished, 0);
    EXPECT_EQ(Display.Begins, Display.Ends);
    EXPECT_FALSE(Control.Pause());

    // Continue: the Δt typed meanwhile is not taken, the clock goes on.
    Display.OnStep = nullptr;
    const int logged = Display.Log.size();
    ASSERT_TRUE(Control.RunExecute(Settings(QStringLiteral("1"), QStringLiteral("30"))).Ok());
    EXPECT_EQ(Starts, 1);
    EXPECT_EQ(Display.Log.size(), logged);
    EXPECT_EQ(Engine().NumTimeStep(), Steps);
    EXPECT_DOUBLE_EQ(Engine().CurrentTime(), Steps * 3600.0);
    EXPECT_DOUBLE_EQ(Control.Model()->FieldModel()->DeltaTime(), 3600.0);
    EXPECT_EQ(Finished, 1);
    EXPECT_EQ(Control.RunState(), TRunState::Idle);
    EXPECT_EQ(Display.Begins, Display.Ends);
    EXPECT_EQ(States, (std::vector<TRunState>{TRunState::Running, TRunState::Paused, TRunState::Running,
                                              TRunState::Idle}));
    EXPECT_EQ(Temperatures(), reference);
}

TEST_F(RunControl, StopEndsTheRunOnce)
{
    struct TCase {
        const char* Name;
        int Step; // 0: stop while paused at step 5
    };
    for (const TCase c :
         {TCase{"at step 5", 5}, TCase{"in the last step", Steps}, TCase{"while paused", 0}}) {
        SCOPED_TRACE(c.Name);
        Finished = 0;
        Display.Begins = Display.Ends = 0;
        Display.OnStep = [&](int Step) {
            if (c.Step == 0 && Step == 5) Control.Pause();
            if (Step == c.Step) Control.Stop();
        };
        ASSERT_TRUE(Control.RunExecute(Settings()).Ok());
        if (c.Step == 0) {
            EXPECT_EQ(Control.RunState(), TRunState::Paused);
            EXPECT_EQ(Finished, 0);
            Control.Stop();
        }
        EXPECT_EQ(Engine().NumTimeStep(), c.Step == 0 ? 5 : c.Step);
        EXPECT_EQ(Finished, 1);
        EXPECT_EQ(Control.RunState(), TRunState::Idle);
        EXPECT_EQ(Display.Begins, Display.Ends);
        // A stray Stop reports nothing.
        Control.Stop();
        EXPECT_EQ(Finished, 1);
    }
    EXPECT_TRUE(Prompts.Errors.isEmpty());
}

TEST_F(RunControl, AnErrorInsideTheRunIsReportedOnceThenAFreshRunWorks)
{
    for (bool domainError : {true, false}) {
        SCOPED_TRACE(domainError);
        Prompts.Errors.clear();
        Finished = 0;
        Display.OnStep = [&](int Step) {
            if (Step != 7) return;
            if (domainError) throw EKPError(QStringLiteral("Fehler im Schritt"));
            throw std::runtime_error("Fehler im Schritt");
        };
        EXPECT_TRUE(Control.RunExecute(Settings()).Ok());
        ASSERT_EQ(Prompts.Errors.size(), 1);
        EXPECT_EQ(Prompts.Errors[0], QStringLiteral("Fehler im Schritt"));
        EXPECT_EQ(Engine().NumTimeStep(), 7);
        EXPECT_EQ(Finished, 0);
        EXPECT_EQ(Control.RunState(), TRunState::Idle);
        EXPECT_FALSE(Control.IsRunActive());
        EXPECT_EQ(Display.Begins, Display.Ends);

        Display.OnStep = nullptr;
        EXPECT_TRUE(Control.RunExecute(Settings()).Ok());
        EXPECT_EQ(Engine().NumTimeStep(), Steps);
        EXPECT_EQ(Finished, 1);
        EXPECT_EQ(Prompts.Errors.size(), 1);
    }
}

TEST_F(RunControl, CommandsRefusedWhileTheRunIsActive)
{
    TBHE* probe = Control.Model()->BHE(0);
    const double x = probe->X();
    const int probes = Control.Model()->BHEs().Count();
    const std::vector<std::pair<const char*, std::function<void()>>> refused = {
        {"add probe", [&] { Control.AddProbe(nullptr, 20, 20); }},
        {"move probe", [&] { Control.MoveProbe(probe, 1, 1); }},
        {"delete probe", [&] { Control.DeleteProbe(probe); }},
        {"mesh", [&] { Control.GenerateMesh(false); }},
        {"run times", [&] { Control.SetRunTimes(1800, 2); }},
        {"duration", [&] { Control.SetDuration(2); }},
        {"groundwater", [&] { Control.SetUseGW(true); }},
        {"other command",
         [&] { Control.CheckRunInactive(QStringLiteral("Das Bearbeiten der Lastprofile")); }},
    };
    auto expectAllRefused = [&] {
        for (const auto& [name, call] : refused) {
            SCOPED_TRACE(name);
            ExpectError(call, RunRefused);
        }
        EXPECT_EQ(Control.Model()->BHEs().Count(), probes);
        EXPECT_EQ(probe->X(), x);
    };

    TProject* project = Control.Project();
    Display.OnStep = [&](int Step) {
        if (Step != 5) return;
        expectAllRefused();
        // Nothing frees the project under the running loop.
        ExpectError([&] { Control.NewProject(); }, RunRefused);
        ExpectError([&] { Control.OpenProject(WorkFile("x.kpm")); }, RunRefused);
        ExpectError([&] { Control.CloseProject(); }, RunRefused);
        Control.Pause();
    };
    ASSERT_TRUE(Control.RunExecute(Settings()).Ok());
    EXPECT_EQ(Control.Project(), project);
    ASSERT_EQ(Control.RunState(), TRunState::Paused);
    expectAllRefused();
    EXPECT_DOUBLE_EQ(Control.Model()->FieldModel()->DeltaTime(), 3600.0);

    // New while paused ends the paused run first, without a finish report.
    Control.NewProject();
    EXPECT_NE(Control.Project(), project);
    EXPECT_EQ(Control.RunState(), TRunState::Idle);
    EXPECT_EQ(Finished, 0);
    EXPECT_EQ(Display.Begins, Display.Ends);
}

TEST_F(RunControl, SetRunTimesKeepsStepMultiplierAndDeltaTimeTogether)
{
    TThermModel& m = *Control.Model();
    Control.SetIsChanged(false);
    Control.SetRunTimes(1800, 4);
    EXPECT_DOUBLE_EQ(m.FieldModel()->DeltaTime(), 1800);
    EXPECT_EQ(m.MainLoop()->FieldMultiplier(), 4);
    EXPECT_DOUBLE_EQ(m.MainLoop()->TimeEngine().TimeStep(), 450);
    EXPECT_TRUE(Control.RunTimesConsistent());
    EXPECT_TRUE(Control.IsChanged());

    const double bad[][2] = {{0, 1}, {-60, 1}, {std::nan(""), 1}, {INFINITY, 1}, {1800, 0}, {1800, 101}};
    for (const auto& b : bad) {
        SCOPED_TRACE(b[0]);
        EXPECT_THROW(Control.SetRunTimes(b[0], static_cast<int>(b[1])), EKPError);
        EXPECT_DOUBLE_EQ(m.FieldModel()->DeltaTime(), 1800);
        EXPECT_EQ(m.MainLoop()->FieldMultiplier(), 4);
        EXPECT_DOUBLE_EQ(m.MainLoop()->TimeEngine().TimeStep(), 450);
    }

    // A fresh start takes Δt and the multiplier of the run page together.
    TRunSettings s = Settings(QStringLiteral("0,25"), QStringLiteral("30"));
    s.Multiplier = 3;
    {
        const TLocaleScope german(QLocale::German);
        ASSERT_TRUE(Control.RunExecute(s).Ok());
    }
    EXPECT_DOUBLE_EQ(m.FieldModel()->DeltaTime(), 1800);
    EXPECT_EQ(m.MainLoop()->FieldMultiplier(), 3);
    EXPECT_DOUBLE_EQ(m.MainLoop()->TimeEngine().Endtime(), 6 * 3600.0);
    EXPECT_EQ(m.MainLoop()->TimeEngine().NumTimeStep(), 36);
    EXPECT_TRUE(Control.RunTimesConsistent());
    const TRunSettings page = Control.RunSettings();
    EXPECT_EQ(page.DeltaTime, QStringLiteral("30"));
    EXPECT_EQ(page.Duration, FloatToStr(0.25));
    EXPECT_EQ(page.Multiplier, 3);
    EXPECT_EQ(page.StartDate, EncodeDate(2026, 1, 1));
}

} // namespace

#endif
