// The main window: start-up, the close query, the action rules, the keys while
// a probe field is placed, pages that never mark the project changed, and the
// small commands.
#include "MainWindowFixture.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>
#include <QToolBar>
#include <QTreeWidget>

#include "model/model/MainModelObj.h"
#include "model/probes/BHEObj.h"
#include "model/probes/BHETypelistObj.h"
#include "plan/D2DPaintbox.h"
#include "plan/PlanView.h"
#include "ui/mainwindow/MainActions.h"
#include "ui/mainwindow/ProbesCard.h"
#include "ui/mainwindow/ProjectCard.h"
#include "ui/mainwindow/SimulationCard.h"
#include "ui/mainwindow/StartPage.h"
#include "ui/mainwindow/ViewBar.h"

using MainWindow = MainWindowFixture;

TEST_F(MainWindow, StartsOnTheStartPageAsTheOnlyWindow)
{
    for (QWidget* w : QApplication::topLevelWidgets()) EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
    TFormLoad w;
    EXPECT_TRUE(w.FirstTime());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Mirvatek KP"));
    w.show();
    Settle();
    EXPECT_FALSE(w.FirstTime());
    EXPECT_FALSE(w.ProjectViewShown());
    EXPECT_TRUE(w.StartPage()->isVisible());
    EXPECT_FALSE(w.menuBar()->isVisible());
    EXPECT_FALSE(w.ViewBar()->isVisible());
    EXPECT_FALSE(w.statusBar()->isVisible());
    EXPECT_EQ(w.Project(), nullptr);
    // Settings spot checks: fresh settings give their defaults to the window.
    EXPECT_EQ(w.SimulationCard()->EdtDataDir->text(), DataDir);
    EXPECT_EQ(w.ProbesCard()->TBGridOpacity->value(), 4);
    EXPECT_EQ(w.ProbesCard()->TBMapOpacity->value(), 8);
    EXPECT_EQ(w.SimulationCard()->ListMonthSave->count(), 12);
    EXPECT_EQ(w.SimulationCard()->ListMonthSave->item(0)->text(), QLocale().monthName(1, QLocale::ShortFormat));
    // The probe-type list was read (or made) at the first activation.
    EXPECT_GT(w.BHETypelist().Count(), 0);
    // The types stand under their tube-kind groups.
    int typeRows = 0;
    const QTreeWidget* types = w.ProbesCard()->ListViewBHETypes;
    for (int g = 0; g < types->topLevelItemCount(); ++g) typeRows += types->topLevelItem(g)->childCount();
    EXPECT_EQ(typeRows, w.BHETypelist().Count());
    const bool layers[] = {true, true, true, false, false, true, true, false, false};
    for (int i = 0; i < TPlanView::LayerCount; ++i)
        EXPECT_EQ(w.ProbesCard()->ListViewMap->item(i)->checkState() == Qt::Checked, layers[i]) << i;
    w.Control().SetIsChanged(false);
}

namespace {

enum class TState { NoProject, Unchanged, ChangedWithFile, ChangedNoFile, ChangedSaveFails };

struct TCloseCase {
    const char* Name;
    TState State;
    std::vector<QMessageBox::StandardButton> Buttons;
    bool CancelSaveAs;
    bool Closed;
    int Questions;
    bool Errors;
};

} // namespace

TEST_F(MainWindow, CloseQueryMatrix)
{
    const TCloseCase cases[] = {
        {"no project", TState::NoProject, {}, false, true, 0, false},
        {"unchanged", TState::Unchanged, {}, false, true, 0, false},
        {"changed, Yes", TState::ChangedWithFile, {QMessageBox::Yes}, false, true, 1, false},
        {"changed, No", TState::ChangedWithFile, {QMessageBox::No}, false, true, 1, false},
        {"changed, Cancel", TState::ChangedWithFile, {QMessageBox::Cancel}, false, false, 1, false},
        {"Yes, then the save-as dialog cancelled", TState::ChangedNoFile, {QMessageBox::Yes}, true, false, 1, false},
        {"Yes, and the save fails", TState::ChangedSaveFails, {QMessageBox::Yes}, false, false, 1, true},
    };
    for (const TCloseCase& c : cases) {
        SCOPED_TRACE(c.Name);
        W.reset();
        TFormLoad& w = Window();
        const QString file = MakeProject(QStringLiteral("m.kpm"), QStringLiteral("Matrix"));
        if (c.State == TState::ChangedNoFile) {
            w.NewProject();
        } else if (c.State != TState::NoProject) {
            ASSERT_TRUE(w.OpenProject(file));
        }
        Settle();
        if (c.State != TState::NoProject && c.State != TState::Unchanged)
            QTest::keyClicks(w.ProjectCard()->EdtProjectname, QStringLiteral(" neu"));
        ScriptedPrompter().Reset();
        for (auto b : c.Buttons) ScriptedPrompter().QueueButton(b);
        if (c.CancelSaveAs) ScriptedPrompter().QueueText(QString());
        QString blocker;
        if (c.State == TState::ChangedSaveFails) {
            // A folder in the place of the project file: the save cannot
            // put its file there.
            ASSERT_TRUE(QFile::remove(file));
            ASSERT_TRUE(QDir().mkpath(file));
            blocker = file;
        }
        const bool closed = w.close();
        Settle();
        EXPECT_EQ(closed, c.Closed);
        EXPECT_EQ(!w.isVisible(), c.Closed);
        int questions = 0;
        for (const auto& r : ScriptedPrompter().Asked())
            if (r.Kind == TScriptedPrompter::TKind::MessageDlg) {
                ++questions;
                EXPECT_EQ(r.Text, QStringLiteral("Änderungen speichern?"));
            }
        EXPECT_EQ(questions, c.Questions);
        bool errors = false;
        for (const auto& r : ScriptedPrompter().Asked()) errors |= r.Kind == TScriptedPrompter::TKind::Error;
        EXPECT_EQ(errors, c.Errors);
        // A window that stays keeps its project and its unsaved changes.
        if (!c.Closed) {
            ASSERT_NE(w.Project(), nullptr);
            EXPECT_EQ(w.Project()->Name(),
                      c.State == TState::ChangedNoFile ? QStringLiteral(" neu") : QStringLiteral("Matrix neu"));
            EXPECT_TRUE(w.IsChanged());
        } else {
            EXPECT_EQ(w.Project(), nullptr);
        }
        if (QString::fromLatin1(c.Name) == QStringLiteral("changed, Yes")) {
            TProjectControl check;
            check.OpenProject(file);
            EXPECT_EQ(check.Project()->Name(), QStringLiteral("Matrix neu"));
        }
        if (!blocker.isEmpty()) QDir(blocker).removeRecursively();
        w.Control().SetIsChanged(false);
    }
}

TEST_F(MainWindow, ActionRulesTable)
{
    struct TRow {
        TActionInputs In;
        bool New, Close, Save, Dashboard, PDF, TypeEdit;
    };
    const TRow rows[] = {
        {{false, false, false, false, false}, true, false, false, false, false, false},
        {{true, false, false, false, false}, true, true, true, false, false, false},
        {{true, false, true, false, false}, true, true, true, true, false, false},
        {{true, true, true, false, false}, false, false, false, true, false, false},
        {{false, false, false, true, true}, true, false, false, false, true, true},
    };
    for (const TRow& r : rows) {
        const TActionRules a = ActionRules(r.In);
        SCOPED_TRACE(testing::Message() << r.In.HasProject << r.In.RunLoopActive << r.In.YearProfile);
        EXPECT_EQ(a.FileNew, r.New);
        EXPECT_EQ(a.FileOpenModel, r.New);
        EXPECT_EQ(a.FileClose, r.Close);
        EXPECT_EQ(a.ActionFileSave, r.Save);
        EXPECT_EQ(a.FileSaveAsModel, r.Save);
        EXPECT_EQ(a.ActionShowDashboard, r.Dashboard);
        EXPECT_EQ(a.MapCreatePDF, r.PDF);
        EXPECT_EQ(a.BHETypeEdit, r.TypeEdit);
        EXPECT_EQ(a.BHETypeDelete, r.TypeEdit);
    }
}

TEST_F(MainWindow, SaveShortcutDoesNotFireOnTheStartPage)
{
    TFormLoad& w = Window();
    w.Actions()->UpdateActions();
    EXPECT_FALSE(w.Actions()->ActionFileSave->isEnabled());
    EXPECT_FALSE(w.Actions()->FileClose->isEnabled());
    EXPECT_TRUE(w.Actions()->FileOpenModel->isEnabled());
    QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
    Settle();
    EXPECT_TRUE(ScriptedPrompter().Asked().empty());
    w.NewProject();
    Settle();
    w.Actions()->UpdateActions();
    EXPECT_TRUE(w.Actions()->ActionFileSave->isEnabled());
    // Every entry of the main menu has its command.
    for (QAction* a : w.Actions()->MainMenu1()->findChildren<QAction*>()) {
        if (!a->isSeparator() && !a->menu()) {
            EXPECT_TRUE(w.Actions()->HasCommand(a)) << a->text().toStdString();
        }
    }
    EXPECT_TRUE(w.Actions()->ToolsOptions->isEnabled());
}

TEST_F(MainWindow, EnterPlacesTheFieldAndEscLeavesTheModelAlone)
{
    TFormLoad& w = Window();
    w.NewProject();
    Settle();
    w.SetActiveCard(mcMap);
    Settle();
    TPlanView* plan = w.PlanView();
    const TBHE* type = w.BHETypelist().Count() ? w.BHETypelist().Items(0) : nullptr;
    ASSERT_NE(type, nullptr);

    ASSERT_NE(plan->StartBHEField(type, QStringLiteral("S"), 0, 400, 300), nullptr);
    QTest::keyClick(w.ProbesCard()->ListViewMap, Qt::Key_Escape);
    EXPECT_FALSE(plan->AddingField());
    EXPECT_EQ(w.Control().Model()->BHEs().Count(), 0);
    EXPECT_FALSE(w.IsChanged());

    ASSERT_NE(plan->StartBHEField(type, QStringLiteral("S"), 0, 400, 300), nullptr);
    QTest::keyClick(w.ProbesCard()->MVPaintBoxD2, Qt::Key_Return);
    EXPECT_FALSE(plan->AddingField());
    EXPECT_GT(w.Control().Model()->BHEs().Count(), 0);
    EXPECT_TRUE(w.IsChanged());

    // Esc also ends the picking of the map scale; other keys pass.
    w.SetSettingScaling(true);
    QTest::keyClick(&w, Qt::Key_A);
    EXPECT_TRUE(w.SettingScaling());
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_FALSE(w.SettingScaling());
    w.Control().SetIsChanged(false);
}

TEST_F(MainWindow, VisitingEveryPageLeavesAnOpenedProjectUnchanged)
{
    TFormLoad& w = Window();
    ASSERT_TRUE(w.OpenProject(MakeProject(QStringLiteral("a.kpm"), QStringLiteral("Anlage A"))));
    Settle();
    for (int tag = 0; tag < TViewBar::ButtonCount; ++tag) {
        QTest::mouseClick(w.ViewBar()->Button(tag), Qt::LeftButton);
        Settle();
        EXPECT_EQ(w.ActiveCard(), tag);
        EXPECT_FALSE(w.IsChanged()) << tag;
    }
    EXPECT_EQ(w.ProjectCard()->EdtProjectname->text(), QStringLiteral("Anlage A"));
    EXPECT_EQ(w.ProjectCard()->EdtClient->text(), QStringLiteral("Stadtwerke"));
}

TEST_F(MainWindow, AModelWithGroundwaterSwitchesItsLayerOn)
{
    TFormLoad& w = Window();
    ASSERT_TRUE(w.OpenProject(MakeProject(QStringLiteral("ohne.kpm"), QStringLiteral("ohne"))));
    EXPECT_FALSE(w.PlanView()->Layer(plGW));
    ASSERT_TRUE(w.OpenProject(MakeProject(QStringLiteral("gw.kpm"), QStringLiteral("mit"), true)));
    EXPECT_TRUE(w.PlanView()->Layer(plGW));
    EXPECT_EQ(w.ProbesCard()->ListViewMap->item(plGW)->checkState(), Qt::Checked);
    EXPECT_FALSE(w.IsChanged());
}

TEST_F(MainWindow, HelpOpensOurOwnPageAndTheExplorerOnlyAnExistingFolder)
{
    TFormLoad& w = Window();
    w.Actions()->Inhalt1->trigger();
    ASSERT_EQ(Opened.size(), 1u);
    QFile page(Opened[0].toLocalFile());
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    EXPECT_TRUE(QString::fromUtf8(page.readAll()).contains(QStringLiteral("Mirvatek KP")));
    w.SimulationCard()->EdtDataDir->setText(Path(QStringLiteral("gibt-es-nicht")));
    w.SimulationCard()->imExploreranzeigen1->trigger();
    EXPECT_EQ(Opened.size(), 1u);
    w.SimulationCard()->EdtDataDir->setText(Path(QString()));
    w.SimulationCard()->imExploreranzeigen1->trigger();
    ASSERT_EQ(Opened.size(), 2u);
    EXPECT_EQ(QDir(Opened[1].toLocalFile()), QDir(Path(QString())));
}

TEST_F(MainWindow, AnUnreadableHeatPumpListIsReportedAndNeverOverwritten)
{
    QDir().mkpath(QFileInfo(HeatpumpsFile).path());
    QFile f(HeatpumpsFile);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("kaputt");
    f.close();
    {
        TFormLoad w;
        EXPECT_EQ(ScriptedPrompter().Messages().size(), 1);
        EXPECT_TRUE(w.close());
    }
    QFile again(HeatpumpsFile);
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    EXPECT_EQ(again.readAll(), QByteArray("kaputt"));
    // A readable (here: missing) list is written at close, its folder made first.
    QDir(QFileInfo(HeatpumpsFile).path()).removeRecursively();
    {
        TFormLoad w;
        EXPECT_TRUE(w.close());
    }
    EXPECT_TRUE(QFileInfo(HeatpumpsFile).isFile());
}

// Fitting the view moves and scales only the view: the plan's items and
// isotherms are laid out at the plan's scale and must stay where they are.
TEST_F(MainWindow, FittingTheViewKeepsThePlansScale)
{
    TFormLoad& w = Window();
    w.NewProject();
    w.SetActiveCard(mcMap);
    Settle();
    w.Control().AddProbe(nullptr, 30, -40);
    w.Control().AddProbe(nullptr, 60, -20);
    TPlanMapping& m = w.PlanView()->Mapping();
    const double scale = m.ScaleFactorMap();
    w.ProbesCard()->FitToScreen();
    EXPECT_EQ(m.ScaleFactorMap(), scale);
    const QPointF centre = m.PlanToScreen(m.WorldToPlan(QPointF(45, -30)));
    const QPointF control = m.DeviceToDIP(QPointF(w.ProbesCard()->MVPaintBoxD2->width(),
                                                  w.ProbesCard()->MVPaintBoxD2->height()));
    EXPECT_NEAR(centre.x(), control.x() / 2, 1);
    EXPECT_NEAR(centre.y(), control.y() / 2, 1);
}
