#pragma once

// Helpers of the controller tests: settings and work folder per test, the
// mesh generator, a recording prompter and run display, and a small meshed
// project (four probes 6 m apart on a constant load) run in hourly steps.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "TestLocale.h"
#include "model/base/KPError.h"
#include "model/base/ModelUI.h"
#include "model/base/Versions.h"
#include "model/control/ModelUISet.h"
#include "model/control/ProjectControl.h"
#include "model/fe/NumModel.h"
#include "model/model/MainModelObj.h"
#include "model/project/ProjectObj.h"
#include "model/project/StreamClasses.h"
#include "model/run/RunDisplay.h"
#include "model/settings/KPSettings.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace controltest {

class TRecordingPrompts : public TPrompts
{
public:
    void ShowMessage(const QString& Text) override { Messages << Text; }
    void ShowError(const QString& Text) override { Errors << Text; }
    QStringList Messages;
    QStringList Errors;
};

// Records what a run shows and lets a test act from inside a step, where
// the program's event loop would deliver the user's clicks.
class TStepDisplay : public TRunDisplay
{
public:
    TProjectControl* Control = nullptr;
    std::function<void(int Step)> OnStep;
    QStringList Log;
    int Begins = 0;
    int Ends = 0;

    int Step() const
    {
        TThermModel* m = Control ? Control->Model() : nullptr;
        return m ? m->MainLoop()->TimeEngine().NumTimeStep() : 0;
    }
    void AddLogLine(const QString& Line) override { Log << Line; }
    void BeginCounterUpdate() override { ++Begins; }
    void EndCounterUpdate(const TCounterTable&) override { ++Ends; }
    void ProcessMessages() override
    {
        if (OnStep) OnStep(Step());
    }
};

// Expects Call to raise EKPError whose message contains Part.
inline void ExpectError(const std::function<void()>& Call, const QString& Part)
{
    try {
        Call();
        ADD_FAILURE() << "no error, expected: " << Part.toStdString();
    } catch (const EKPError& e) {
        EXPECT_TRUE(e.Message().contains(Part)) << e.Message().toStdString();
    }
}

inline const QString RunRefused = QStringLiteral("ist während einer laufenden Simulation nicht möglich.");

class TControlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RegisterStreamClasses();
        ResetProgramSettings();
        ProgramSettings();
        ASSERT_TRUE(Work.isValid());
        TempDir = Work.filePath(QStringLiteral("tmp"));
#if defined(KP_TRIANGLE_EXE)
        TriangleLocation = QStringLiteral(KP_TRIANGLE_EXE);
#endif
        Display.Control = &Control;
        Control.OnRunStateChanged = [this](TRunState S) { States.push_back(S); };
        Control.OnSimulationFinished = [this] { ++Finished; };
        Control.OnRunStarting = [this] { ++Starts; };
        TModelUISet hooks;
        hooks.Prompts = &Prompts;
        hooks.RunDisplay = &Display;
        Hooks = std::make_unique<TModelUISetScope>(hooks);
    }
    void TearDown() override
    {
        ResetProgramSettings();
    }

    QString WorkFile(const QString& Name) const
    {
        return Work.filePath(Name);
    }
    static QByteArray FileBytes(const QString& Name)
    {
        QFile f(Name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void WriteBytes(const QString& Name, const QByteArray& Bytes)
    {
        QFile f(Name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(Bytes);
    }

    // A new project with four probes 6 m apart on a constant 12 kW load.
    void MakeProbeField()
    {
        Control.NewProject();
        TProject& p = *Control.Project();
        p.LoadProfile()->SetLoadType(ltConstant);
        p.LoadProfile()->SetConstantLoad(12);
        const double xy[][2] = {{0, 0}, {6, 0}, {0, 6}, {6, 6}};
        for (const auto& c : xy) Control.AddProbe(nullptr, c[0], c[1]);
    }
    // The run page: Days days in steps of Minutes, no month saved.
    TRunSettings Settings(const QString& Days = QStringLiteral("1"),
                          const QString& Minutes = QStringLiteral("60"))
    {
        TRunSettings s;
        s.Duration = Days;
        s.DeltaTime = Minutes;
        s.StartDate = EncodeDate(2026, 1, 1);
        s.Multiplier = 1;
        s.IgnoreNoMonths = true;
        return s;
    }
    TTimeEngine& Engine() const
    {
        return Control.Model()->MainLoop()->TimeEngine();
    }
    std::vector<double> Temperatures() const
    {
        std::vector<double> t;
        const T2DTriangleTransient& fe = *Control.Model()->FieldModel();
        for (int k = 0; k < fe.NodeCount(); ++k) t.push_back(fe.GetNodes(k)->F());
        return t;
    }

    QTemporaryDir Work;
    TFileVersionScope Version{ProgramVersionMajor, ProgramVersionMinor};
    TProjectControl Control;
    TRecordingPrompts Prompts;
    TStepDisplay Display;
    std::unique_ptr<TModelUISetScope> Hooks;
    std::vector<TRunState> States;
    int Finished = 0;
    int Starts = 0;
};

} // namespace controltest
