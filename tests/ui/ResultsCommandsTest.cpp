// The main window's results: the saved fields by month as isotherm source,
// the inspector's items, the counter grid's graph and copy, the observe
// command, and the result windows of the view menu.

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QTableView>
#include <QTreeWidget>
#include <QtCharts/QChart>
#include <QtCharts/QLineSeries>

#include "RunTestSupport.h"
#include "model/fe/NumElements.h"
#include "model/fe/NumModel.h"
#include "model/fe/NumNodes.h"
#include "model/monitoring/MonitoringList.h"
#include "plan/PlanView.h"
#include "ui/mainwindow/CounterGridModel.h"
#include "ui/mainwindow/MainActions.h"
#include "ui/mainwindow/ResultCommands.h"
#include "ui/monitoring/FormMonitoring.h"
#include "ui/results/FormDashboard.h"
#include "ui/results/FormGraph.h"
#include "ui/results/ResultWindows.h"
#include "ui/results/SurfaceForm.h"
#include "tests/TestFiles.h"

using Results = RunFixture;

TEST_F(Results, DataFileListGroupsTheModelsFieldsByMonth)
{
    TFormLoad& w = Window();
    w.NewProject();
    TThermModel& m = *w.Control().Model();
    m.SetDataFileDir(Path(QString()));
    m.SetDataFilePrefix(QStringLiteral("feld"));
    for (const char* name : {"feld_2027_01_01_00_00.txt", "feld_2026_01_01_00_00.txt", "feld_2026_03_01_00_00.txt",
                             "feld.txt", "anders_2026_01_01_00_00.txt", "feld_2026_13_01_00_00.txt"})
        WriteFile(Path(QString::fromLatin1(name)), "0\t0\t10\n");
    TResultCommands& r = w.RunControl()->ResultCommands();
    r.RefreshDataFileList();
    QTreeWidgetItem* jan = r.LVDataFiles->topLevelItem(0);
    ASSERT_EQ(r.LVDataFiles->topLevelItemCount(), 12);
    ASSERT_EQ(jan->childCount(), 2);
    EXPECT_EQ(jan->child(0)->text(0), QStringLiteral("feld_2026_01_01_00_00.txt"));
    EXPECT_EQ(jan->child(0)->text(1), QStringLiteral("2026"));
    EXPECT_EQ(jan->child(1)->text(1), QStringLiteral("2027"));
    EXPECT_EQ(r.LVDataFiles->topLevelItem(2)->childCount(), 1);
    int total = 0;
    for (int i = 0; i < 12; ++i) total += r.LVDataFiles->topLevelItem(i)->childCount();
    EXPECT_EQ(total, 3);
}

TEST_F(Results, IsothermSourceReadsCrLfAndStopsAtAMalformedLine)
{
    T2DTriangleTransient fe;
    for (int i = 0; i < 3; ++i) fe.NodesList().Add(std::make_unique<TNode>(i, 0));
    const QString file = Path(QStringLiteral("f.txt"));
    QString message;
    WriteFile(file, "0\t0\t1.5\r\n1\t0\t2.5\r\n2\t0\t3.5\r\n\r\n");
    EXPECT_TRUE(TResultCommands::ReadIsothermSource(fe, file, message)) << message.toStdString();
    EXPECT_DOUBLE_EQ(fe.GetNodes(2)->FCustom(), 3.5);
    WriteFile(file, "0\t0\t7\r\nx\ty\tz\r\n2\t0\t9\r\n");
    EXPECT_FALSE(TResultCommands::ReadIsothermSource(fe, file, message));
    EXPECT_TRUE(message.contains(QStringLiteral("Zeile 2"))) << message.toStdString();
    EXPECT_DOUBLE_EQ(fe.GetNodes(0)->FCustom(), 7);
    EXPECT_DOUBLE_EQ(fe.GetNodes(2)->FCustom(), 3.5);
}

TEST_F(Results, InspectorShowsElementAndNode)
{
    TResultCommands& r = Window().RunControl()->ResultCommands();
    TNode a(0, 0), b(4, 0), c(0, 3);
    TTransientTriangle e(&a, &b, &c, 2, 0.05, 1e30, 2e6);
    const struct {
        double Thickness;
        QString Lambda;
    } cases[] = {{1, QStringLiteral("2")}, {0, QString()}};
    for (const auto& k : cases) {
        e.SetThickness(k.Thickness);
        r.ShowElementProperties(&e);
        EXPECT_EQ(r.InspectorItem(0, 7)->text(1), k.Lambda);
        EXPECT_EQ(r.InspectorItem(0, 9)->text(1).isEmpty(), k.Thickness == 0);
        EXPECT_EQ(r.InspectorItem(0, 10)->text(1), QStringLiteral("0,05"));
        EXPECT_EQ(r.InspectorItem(0, 11)->text(1), QStringLiteral("0"));
        EXPECT_FALSE(r.InspectorItem(0, 12)->text(1).isEmpty());
    }
    EXPECT_EQ(r.InspectorItem(0, 3)->text(1), QStringLiteral("4,00"));
    b.SetBorderCondition(bc1FixedValue);
    r.ShowNodeProperties(&b);
    EXPECT_EQ(r.InspectorItem(1, 0)->text(1), QStringLiteral("4,00"));
    EXPECT_EQ(r.InspectorItem(1, 4)->text(1), QStringLiteral("Fixed temperature"));
    b.SetBorderCondition(TBorderCondition(7));
    r.ShowNodeProperties(&b);
    EXPECT_EQ(r.InspectorItem(1, 4)->text(1), QString());
}

TEST_F(Results, GraphAndCopyOfATenDayRun)
{
    if (!MakeMeshedProject(1, ltConstant, QStringLiteral("10"))) GTEST_SKIP() << "no mesh generator";
    Card().BtnRun->click();
    ASSERT_TRUE(Engine().Finished());
    TResultCommands& r = Run().ResultCommands();
    const TCounterGridModel& g = Run().CounterGrid();
    EXPECT_EQ(g.rowCount(), 10);
    r.Kopieren1Click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), g.AsText());
    EXPECT_TRUE(g.AsText().contains(QStringLiteral("Sondenleistung [kW]")));
    TFormGraph& graph = *Run().ResultWindows().FormGraph();
    const int maxColumn = 2;
    for (int i = 0; i < 2; ++i) {
        Card().GridCounter->setCurrentIndex(g.index(0, maxColumn));
        r.Graphanzeigen1Click();
    }
    ASSERT_EQ(graph.SeriesCount(), 2);
    EXPECT_EQ(graph.Series(0)->count(), 10);
    EXPECT_EQ(graph.Series(0)->points(), graph.Series(1)->points());
    EXPECT_EQ(graph.TimeChart->title(), QStringLiteral("Verlauf"));
    // The number and date columns only show the window.
    Card().GridCounter->setCurrentIndex(g.index(0, 1));
    r.Graphanzeigen1Click();
    EXPECT_EQ(graph.SeriesCount(), 2);
    graph.BtnDeleteAllClick();
    // The isotherms show the field at the end.
    const TNode* n = Window().Control().Model()->FieldModel()->GetNodes(0);
    EXPECT_DOUBLE_EQ(n->FCustom(), n->F());
}

TEST_F(Results, MonitoringListAndResultWindowsFollowTheProject)
{
    if (!MakeMeshedProject(1)) GTEST_SKIP() << "no mesh generator";
    TResultCommands& r = Run().ResultCommands();
    TThermModel& m = *Window().Control().Model();
    const int before = m.MonitoringList()->Count();
    Window().PlanView()->RebuildPlanItems();
    r.MonitorAddNodeExecute();
    EXPECT_EQ(m.MonitoringList()->Count(), before);
    r.BtnMonitoredClick();
    TFormMonitoring& mon = *Run().ResultWindows().FormMonitoring();
    EXPECT_TRUE(mon.isVisible());
    EXPECT_GE(mon.RowCount(), 0);
    TMainActions& a = *Window().Actions();
    a.UpdateActions();
    ASSERT_TRUE(a.Zhler1->isEnabled());
    a.Zhler1->trigger();
    EXPECT_TRUE(Run().ResultWindows().FormDashboard()->isVisible());
    a.Zhler1->trigger();
    EXPECT_FALSE(Run().ResultWindows().FormDashboard()->isVisible());
    a.emperaturfelder1->trigger();
    EXPECT_TRUE(Run().ResultWindows().SurfaceForm()->isVisible());
    Window().Control().CloseProject();
    Window().BindProjectToView();
    EXPECT_EQ(mon.RowCount(), 0);
    EXPECT_EQ(Run().CounterGrid().Table(), nullptr);
    mon.close();
    Run().ResultWindows().SurfaceForm()->close();
}
