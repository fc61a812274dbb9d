// The monitoring list window: rows of the model's list, deletions, graphs and
// saving a node's values.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeWidget>
#include <QtCharts/QLineSeries>

#include "ScriptedPrompter.h"
#include "model/base/ModelUI.h"
#include "model/fe/NumNodes.h"
#include "ui/monitoring/FormMonitoring.h"
#include "ui/results/FormGraph.h"

namespace {

class MonitoringForm : public ::testing::Test {
protected:
    void SetUp() override
    {
        ScriptedPrompter().Reset();
        Form.SetGraphWindow(&Graph);
        for (int i = 0; i < 3; ++i) {
            Nodes.push_back(std::make_unique<TNode>(i * 10.0, 5.0));
            List.AddObsPoint(Nodes.back().get());
        }
        List.Item(0)->Param(0)->RecordNow(EncodeDate(2024, 1, 1), 10.5);
        List.Item(0)->Param(0)->RecordNow(EncodeDate(2024, 1, 2), 9.75);
        List.ShowItemsDlg();
    }

    QTreeWidgetItem* Row(int I) { return Form.RowOf(List.Item(I)); }

    TFormGraph Graph;
    TFormMonitoring Form;
    TModelUIScope<TMonitoringWindow> Scope{&Form};
    std::vector<std::unique_ptr<TNode>> Nodes;
    TMonitoringList List;
};

} // namespace

TEST_F(MonitoringForm, RowsShowTheListsNodeItems)
{
    ASSERT_EQ(Form.RowCount(), 3);
    EXPECT_EQ(Row(1)->parent()->text(0), QStringLiteral("Nodes"));
    EXPECT_EQ(Row(1)->text(0), QStringLiteral("Node (x=10,00; y=5,00)"));
    EXPECT_EQ(Row(1)->text(1), QStringLiteral("ϑ [°C]"));
    Form.ProjectClosed();
    EXPECT_EQ(Form.RowCount(), 0);
    EXPECT_FALSE(Form.MonitorItemsDeleted);
}

TEST_F(MonitoringForm, GraphClicksAddOneEqualSeriesEachAndNothingWithoutSelection)
{
    Form.BtnShowInGraph->click();
    EXPECT_EQ(Graph.SeriesCount(), 0);
    Form.ListViewItems->setCurrentItem(Row(0));
    Form.BtnShowInGraph->click();
    Form.BtnShowInGraph->click();
    ASSERT_EQ(Graph.SeriesCount(), 2);
    EXPECT_EQ(Graph.Series(0)->points(), Graph.Series(1)->points());
    EXPECT_EQ(Graph.Series(0)->count(), 2);
    EXPECT_EQ(Graph.Series(0)->at(1).y(), 9.75);
    EXPECT_EQ(Graph.Series(0)->name(), QStringLiteral("ϑ [°C] [°C] Node (x=0,00; y=5,00)"));
}

TEST_F(MonitoringForm, DeletionGoesBottomUpThenRefreshesOnce)
{
    std::vector<TObject*> deleted;
    int refreshed = 0;
    TMonitoringItem* first = List.Item(0);
    TMonitoringItem* last = List.Item(2);
    Form.MonitorItemsDeleted = [&](TObject* Item) {
        deleted.push_back(Item);
        List.DeleteItem(Item);
    };
    Form.RefreshMap = [&](TObject*) { ++refreshed; };
    Form.BtnDelete->click();  // nothing selected
    EXPECT_EQ(refreshed, 0);
    Row(0)->setSelected(true);
    Row(2)->setSelected(true);
    Form.BtnDelete->click();
    ASSERT_EQ(deleted.size(), 2u);
    EXPECT_EQ(deleted[0], last);
    EXPECT_EQ(deleted[1], first);
    EXPECT_EQ(refreshed, 1);
    EXPECT_EQ(List.Count(), 1);
    EXPECT_EQ(Form.RowCount(), 1);
}

TEST_F(MonitoringForm, SavesTheValuesAndAnEmptyFileForANodeWithoutData)
{
    QTemporaryDir dir;
    Form.ListViewItems->setCurrentItem(Row(1));
    ScriptedPrompter().QueueText(dir.filePath(QStringLiteral("empty")));
    Form.BtnSave->click();
    QFile empty(dir.filePath(QStringLiteral("empty.txt")));
    ASSERT_TRUE(empty.exists());
    EXPECT_EQ(empty.size(), 0);

    Form.ListViewItems->setCurrentItem(Row(0));
    ScriptedPrompter().QueueText(dir.filePath(QStringLiteral("full.txt")));
    Form.BtnSave->click();
    QFile full(dir.filePath(QStringLiteral("full.txt")));
    ASSERT_TRUE(full.open(QIODevice::ReadOnly));
    EXPECT_EQ(full.readAll().count('\n'), 2);
    EXPECT_TRUE(ScriptedPrompter().Messages().isEmpty());
}
