#pragma once

// A main window with a small meshed project on the simulation page, and a
// way to act from inside a running step as the user's clicks would: a
// zero-interval timer that the run's event processing fires after a step.

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <QToolButton>
#include <QListWidget>
#include <QLineEdit>

#include "MainWindowFixture.h"
#include "model/loads/LoadObject.h"
#include "model/model/MainModelObj.h"
#include "model/run/MainLoopObj.h"
#include "ui/mainwindow/MainRunDisplay.h"
#include "ui/mainwindow/RunControl.h"
#include "ui/mainwindow/SimulationCard.h"

#include <functional>
#include <memory>

inline QString TestGenerator()
{
    const QString p =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../../tools/triangle/triangle"));
    return QFileInfo(p).isExecutable() ? QFileInfo(p).canonicalFilePath() : QString();
}

class RunFixture : public MainWindowFixture
{
public:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        FOldWarn = WarnOnEmptyAutosave;
        FOldTemp = TempDir;
        WarnOnEmptyAutosave = false;
        TempDir = Path(QString());
    }
    void TearDown() override
    {
        FStepTimer.reset();
        MainWindowFixture::TearDown();
        WarnOnEmptyAutosave = FOldWarn;
        TempDir = FOldTemp;
    }

    // Probes probes 6 m apart on a constant load (or a year profile), meshed
    // by our generator, on the simulation page with Days days of hourly steps.
    bool MakeMeshedProject(int Probes = 2, TLoadType Type = ltConstant, const QString& Days = QStringLiteral("2"))
    {
        TFormLoad& w = Window();
        w.NewProject();
        TProjectControl& c = w.Control();
        c.Project()->LoadProfile()->SetLoadType(Type);
        c.Project()->LoadProfile()->SetConstantLoad(6);
        for (int i = 0; i < Probes; ++i) c.AddProbe(nullptr, 6.0 * (i % 3), 6.0 * (i / 3));
        const QString gen = TestGenerator();
        if (gen.isEmpty()) return false;
        const QString old = TriangleLocation;
        TriangleLocation = gen;
        const bool meshed = c.GenerateMesh(false);
        TriangleLocation = old;
        if (!meshed) return false;
        w.BindProjectToView();
        w.SetActiveCard(mcMonitoring);
        Settle();
        TSimulationCard& card = *w.SimulationCard();
        card.EditDuration->setText(Days);
        card.EdtDeltaTime->setText(QStringLiteral("60"));
        return true;
    }

    TSimulationCard& Card() { return *Window().SimulationCard(); }
    TRunControl& Run() { return *Window().RunControl(); }
    TTimeEngine& Engine() { return Window().Control().Model()->MainLoop()->TimeEngine(); }
    int Step() { return Engine().NumTimeStep(); }

    // Calls Action once, from the event processing after step Step or later.
    void AtStep(int AStep, std::function<void()> Action)
    {
        FStepTimer = std::make_unique<QTimer>();
        FStepTimer->setInterval(0);
        auto done = std::make_shared<bool>(false);
        QObject::connect(FStepTimer.get(), &QTimer::timeout, [this, AStep, Action, done] {
            if (*done || !Window().Control().Model() || Step() < AStep) return;
            *done = true;
            FStepTimer->stop();
            Action();
        });
        FStepTimer->start();
    }

    bool SmartMessageShown() { return !Card().LblSmartMessage->isHidden(); }

private:
    bool FOldWarn = true;
    QString FOldTemp;
    std::unique_ptr<QTimer> FStepTimer;
};
