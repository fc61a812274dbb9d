// While a run holds the model, every command that would change the mesh, the
// probes, the grid or the map is off; the pages the run does not depend on
// open again once it is paused.
#include <gtest/gtest.h>

#include <QAction>
#include <QToolButton>

#include "RunTestSupport.h"
#include "ScriptedPrompter.h"
#include "ui/loads/FormLoadProfils.h"
#include "ui/mainwindow/LoadCard.h"
#include "ui/mainwindow/MainActions.h"
#include "ui/mainwindow/MapCommands.h"
#include "ui/mainwindow/MeshCommands.h"
#include "ui/mainwindow/ProbeCommands.h"
#include "ui/mainwindow/ViewBar.h"

namespace {

using RunLock = RunFixture;

struct TLockState {
    bool Mesh, Groundwater, Select, Boundary, Field, Map, ProjectPage, LoadPage;
};

TLockState LockState(TFormLoad& W)
{
    W.Actions()->UpdateActions();
    const TMeshCommands& m = *W.MeshCommands();
    return {m.GridGenerate->isEnabled(),
            m.ModelAddGW->isEnabled(),
            m.tbSelectInMap->isEnabled(),
            m.tbBoundaryCond->isEnabled(),
            W.ProbeCommands()->BHECreateField->isEnabled(),
            W.MapCommands()->MapOpenImage->isEnabled(),
            W.ViewBar()->Button(mcProject)->isEnabled(),
            W.ViewBar()->Button(mcLoad)->isEnabled()};
}

} // namespace

TEST_F(RunLock, RunningAndPausedRunsKeepTheirModel)
{
    if (!MakeMeshedProject(2)) GTEST_SKIP() << "no mesh generator";
    const TLockState idle = LockState(Window());
    EXPECT_TRUE(idle.Mesh && idle.Groundwater && idle.Select && idle.Boundary && idle.Field && idle.Map);

    TLockState running{};
    AtStep(3, [&] {
        running = LockState(Window());
        Card().BtnPause->click();
    });
    Card().BtnRun->click();
    ASSERT_EQ(Window().Control().RunState(), TRunState::Paused);
    const TLockState paused = LockState(Window());

    for (const TLockState* s : std::initializer_list<const TLockState*>{&running, &paused}) {
        SCOPED_TRACE(s == &running ? "running" : "paused");
        EXPECT_FALSE(s->Mesh);
        EXPECT_FALSE(s->Groundwater);
        EXPECT_FALSE(s->Select);
        EXPECT_FALSE(s->Boundary);
        EXPECT_FALSE(s->Field);
        EXPECT_FALSE(s->Map);
    }
    // Only a running loop closes the pages it reads from.
    EXPECT_FALSE(running.ProjectPage);
    EXPECT_FALSE(running.LoadPage);
    EXPECT_TRUE(paused.ProjectPage);
    EXPECT_TRUE(paused.LoadPage);
    // The paused run holds its load profile: the profile window offers no Delete.
    bool deleteOffered = true;
    ScriptedPrompter().QueueDialog([&](QDialog& D) {
        deleteOffered = dynamic_cast<TFormLoadProfils&>(D).BtnDelete->isEnabled();
        return int(QDialog::Rejected);
    });
    Window().LoadCard()->LblEditLoadProfilsClick();
    EXPECT_FALSE(deleteOffered);

    Card().BtnStop->click();
    EXPECT_EQ(Window().Control().RunState(), TRunState::Idle);
    const TLockState after = LockState(Window());
    EXPECT_TRUE(after.Mesh && after.Groundwater && after.Select && after.Boundary && after.Field && after.Map);
}
