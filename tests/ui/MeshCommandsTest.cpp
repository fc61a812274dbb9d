// The mesh commands of the probes page: generating with a stand-in
// generator, a cancelled dialog, a failing and a never-ending generator, the
// generator settings, and the groundwater command.
#include "MeshCommandsFixture.h"

#include <QApplication>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <QProgressDialog>
#include <QTimer>

#include "model/groundwater/GWGrid.h"
#include "ui/contours/ContoursDialog.h"
#include "ui/mainwindow/MainActions.h"

namespace {

using Kind = TScriptedPrompter::TKind;

bool Asked(Kind K, const QString& Part = QString())
{
    for (const auto& r : ScriptedPrompter().Asked())
        if (r.Kind == K && r.Text.contains(Part)) return true;
    return false;
}

// Presses Cancel of the generator's progress dialog once it shows.
void CancelProgressSoon()
{
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, timer, [timer] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* p = qobject_cast<QProgressDialog*>(w); p && p->objectName() == QLatin1String("MeshProgress") &&
                                                             p->isVisible()) {
                p->cancel();
                timer->deleteLater();
                return;
            }
    });
    timer->start(100);
}

} // namespace

using MeshCommands = MeshCommandsFixture;

TEST_F(MeshCommands, GenerateRebuildsThePlanAndReportsTheNewMesh)
{
    TFormLoad& w = ProjectWithProbes();
    w.SetIsChanged(false);
    Generate(w);
    EXPECT_FALSE(Asked(Kind::Error));
    EXPECT_EQ(w.PlanView()->D2ElementsList().size(), 2u);
    EXPECT_EQ(w.PlanView()->D2NodesList().size(), 4u);
    EXPECT_TRUE(w.PlanView()->HasGridBitmaps());
    const QString memo = Memo(w);
    EXPECT_TRUE(memo.contains(QStringLiteral("Grid generated\n - Number of elements: 2\n - Number of nodes: 4")))
        << memo.toStdString();
    EXPECT_TRUE(w.IsChanged());
}

TEST_F(MeshCommands, NothingHappensOrIsReportedWithoutANewMesh)
{
    TFormLoad& w = MeshedProject();
    // The parameter dialog cancelled.
    ScriptedPrompter().QueueDialog([](QDialog&) { return int(QDialog::Rejected); });
    w.MeshCommands()->GridGenerate->trigger();
    EXPECT_TRUE(Memo(w).isEmpty());
    EXPECT_FALSE(w.IsChanged());

    // A generator that fails: its message is shown, the old mesh stays.
    const QString failing = Path(QStringLiteral("failing-triangle"));
    QFile f(failing);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\necho 'Eingabe fehlerhaft'\nexit 3\n");
    f.close();
    f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
    TriangleLocation = failing;
    Generate(w);
    EXPECT_TRUE(Asked(Kind::Error, QStringLiteral("Eingabe fehlerhaft")));
    EXPECT_EQ(w.Control().Model()->FieldModel()->ElementCount(), 2);
    EXPECT_EQ(w.PlanView()->D2ElementsList().size(), 2u);
    EXPECT_TRUE(Memo(w).isEmpty());
    EXPECT_FALSE(w.IsChanged());
}

TEST_F(MeshCommands, CancelEndsAGeneratorThatNeverFinishesAndKeepsTheMesh)
{
    TFormLoad& w = MeshedProject();
    TriangleLocation = Generator(QStringLiteral("hanging-triangle.sh"));
    CancelProgressSoon();
    Generate(w);
    EXPECT_FALSE(Asked(Kind::Error));
    EXPECT_EQ(w.Control().Model()->FieldModel()->ElementCount(), 2);
    EXPECT_EQ(w.PlanView()->D2ElementsList().size(), 2u);
    EXPECT_TRUE(Memo(w).isEmpty());
    EXPECT_FALSE(w.IsChanged());
    // The progress dialog is gone and the window takes commands again.
    Settle();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(MeshCommands, GeneratorSettingsAreStoredOnlyOnOK)
{
    TFormLoad& w = Window();
    QAction* settings = w.Actions()->TriSettings;
    w.Actions()->UpdateActions();
    ASSERT_TRUE(settings->isEnabled());
    const QString before = TriangleLocation;
    ScriptedPrompter().QueueDialog([](QDialog&) { return int(QDialog::Rejected); });
    settings->trigger();
    EXPECT_EQ(TriangleLocation, before);
    EXPECT_EQ(TriangleParameter, QStringLiteral("-pqa"));

    ScriptedPrompter().QueueDialog([](QDialog& d) {
        d.findChild<QLineEdit*>(QStringLiteral("EditExeName"))->setText(QStringLiteral("/opt/mesh/triangle"));
        d.findChild<QLineEdit*>(QStringLiteral("EditParams"))->setText(QStringLiteral("-pq30a"));
        return int(QDialog::Accepted);
    });
    settings->trigger();
    EXPECT_EQ(TriangleLocation, QStringLiteral("/opt/mesh/triangle"));
    EXPECT_EQ(TriangleParameter, QStringLiteral("-pq30a"));
    // Written to the store: a fresh read finds them.
    TriangleParameter = QStringLiteral("-pqa");
    ProgramSettings().ReadSettings();
    EXPECT_EQ(TriangleParameter, QStringLiteral("-pq30a"));
}

TEST_F(MeshCommands, GroundwaterNeedsAMeshAndIsLaidOverItOnOK)
{
    TFormLoad& w = ProjectWithProbes();
    w.SetIsChanged(false);
    w.MeshCommands()->ModelAddGW->trigger();
    EXPECT_TRUE(Asked(Kind::Message, QStringLiteral("FE-Netz")));
    EXPECT_TRUE(w.PlanView()->D2GWGrid().empty());
    EXPECT_FALSE(w.IsChanged());

    MeshedProject();
    TGWGrid* grid = w.PlanView()->GW();
    ASSERT_NE(grid, nullptr);
    ScriptedPrompter().QueueDialog([](QDialog&) { return int(QDialog::Rejected); });
    w.MeshCommands()->ModelAddGW->trigger();
    EXPECT_TRUE(w.PlanView()->D2GWGrid().empty());
    EXPECT_FALSE(w.IsChanged());

    // Ten days of transport give cells of 5,76 m over the 40 m square.
    ScriptedPrompter().QueueDialog([](QDialog& d) {
        d.findChild<QLineEdit*>(QStringLiteral("EdtGridTime"))->setText(QStringLiteral("10"));
        return int(QDialog::Accepted);
    });
    w.MeshCommands()->ModelAddGW->trigger();
    EXPECT_FALSE(Asked(Kind::Error));
    EXPECT_GT(grid->Count(), 0);
    EXPECT_EQ(w.PlanView()->D2GWGrid().size(), static_cast<size_t>(grid->Count()));
    EXPECT_TRUE(w.IsChanged());
}

TEST_F(MeshCommands, TheCommandsSitOnThePlanToolBarAndNeedAProject)
{
    TFormLoad& w = Window();
    TMeshCommands& m = *w.MeshCommands();
    w.Actions()->UpdateActions();
    EXPECT_FALSE(m.GridGenerate->isEnabled());
    EXPECT_FALSE(m.ModelAddGW->isEnabled());
    EXPECT_FALSE(m.tbBoundaryCond->isEnabled());
    ProjectWithProbes();
    w.Actions()->UpdateActions();
    for (QAction* a : {m.GridGenerate, m.GridLoad, m.TriExceute, m.ModelAddGW, m.None1, m.Isotherms,
                       m.GrundwasserLogkopieren1})
        EXPECT_TRUE(a->isEnabled()) << a->objectName().toStdString();
    EXPECT_EQ(m.tbGridGenerate->parentWidget(), w.ProbesCard()->ToolBarMap);
    EXPECT_EQ(m.PopupMenuGrid->actions().size(), 3);
    EXPECT_EQ(m.PopupMenuBorderCond->actions().size(), 3);
}

TEST_F(MeshCommands, IsothermsApplyShowsTheContourLayer)
{
    TFormLoad& w = MeshedProject();
    ASSERT_FALSE(w.PlanView()->Layer(plContours));
    // "Übernehmen", then Cancel: what was applied stays.
    ScriptedPrompter().QueueDialog([](QDialog& d) {
        dynamic_cast<TContoursDlg&>(d).BtnHelpClick();
        return int(QDialog::Rejected);
    });
    w.MeshCommands()->Isotherms->trigger();
    EXPECT_FALSE(Asked(Kind::Error));
    EXPECT_TRUE(w.PlanView()->Layer(plContours));
    EXPECT_TRUE(w.IsChanged());
}
