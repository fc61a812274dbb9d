#include "model/base/ModelUI.h"
#include "model/fe/NumNodes.h"
#include "model/monitoring/MonitoringList.h"
#include "model/probes/BHEObj.h"

#include <gtest/gtest.h>

namespace {

// Keeps the rows the way the window's list view would.
class TFakeWindow : public TMonitoringWindow {
public:
    void SetMonitorItemsDeleted(std::function<void(TObject*)> Handler) override { Deleted = std::move(Handler); }
    void ClearRows() override { Rows.clear(); }
    void AddRow(const TMonitoringRow& Row) override { Rows.push_back(Row); }
    void RemoveRow(const TMonitoringItem* Item) override
    {
        std::erase_if(Rows, [Item](const TMonitoringRow& R) { return R.Item == Item; });
    }
    void SetGroupView(bool On) override { GroupView = On; }
    void ShowWindow() override { ++Shown; }

    // The user deletes a row: the window reports it, then drops the row.
    void UserDeletes(int Row)
    {
        TMonitoringItem* item = Rows[Row].Item;
        if (Deleted) Deleted(item);
        RemoveRow(item);
    }

    std::function<void(TObject*)> Deleted;
    std::vector<TMonitoringRow> Rows;
    bool GroupView = false;
    int Shown = 0;
};

class MonitoringWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int i = 0; i < 3; ++i) Nodes.Add(new TNode(i, 2.0 * i));
        BHEs.Add(new TBHE());
    }
    TNode* Node(int i) const { return Nodes.ItemAs<TNode>(i); }

    TFakeWindow Window;
    TModelUIScope<TMonitoringWindow> Scope{&Window};
    TMVObjectList Nodes{true};
    TMVObjectList BHEs{true};
};

}  // namespace

TEST_F(MonitoringWindowTest, ShowListsNodeItemsOnly)
{
    TMonitoringList list;
    list.AddObsPoint(Node(0));
    EXPECT_TRUE(Window.Rows.empty());  // not shown yet
    list.AddBHEs(BHEs);
    list.AddObsPoint(Node(1));
    Window.Rows.push_back(TMonitoringRow{});  // left over from another model
    list.ShowItemsDlg();
    EXPECT_EQ(Window.Shown, 1);
    EXPECT_TRUE(Window.GroupView);
    ASSERT_EQ(Window.Rows.size(), 2u);
    EXPECT_EQ(Window.Rows[0].Item, list.Item(0));
    EXPECT_EQ(Window.Rows[0].Caption, QStringLiteral("Node (x=0.00; y=0.00)"));
    EXPECT_EQ(Window.Rows[0].Parameter, QStringLiteral("ϑ [°C]"));
    EXPECT_EQ(Window.Rows[0].Group, 0);
    EXPECT_EQ(Window.Rows[1].Item, list.Item(2));

    list.AddObsPoint(Node(2));
    EXPECT_EQ(Window.Rows.size(), 3u);
}

TEST_F(MonitoringWindowTest, RowsFollowDeletions)
{
    TMonitoringList list;
    for (int i = 0; i < 3; ++i) list.AddObsPoint(Node(i));
    list.ShowItemsDlg();

    TMonitoringItem* middle = list.Item(1);
    Window.UserDeletes(1);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.IndexOf(middle), -1);
    EXPECT_EQ(Window.Rows.size(), 2u);

    list.DeleteNodeItems();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_TRUE(Window.Rows.empty());

    list.AddObsPoint(Node(0));
    list.DeleteAllItems();
    EXPECT_TRUE(Window.Rows.empty());
}

// The window shows one list at a time; a report about an item of another
// list, or a second report about the same item, frees nothing.
TEST_F(MonitoringWindowTest, ForeignAndRepeatedReportsAreIgnored)
{
    TMonitoringList shown, other;
    shown.AddObsPoint(Node(0));
    TMonitoringItem* foreign = other.AddObsPoint(Node(1));
    shown.ShowItemsDlg();
    other.AddObsPoint(Node(2));  // not shown: no row
    EXPECT_EQ(Window.Rows.size(), 1u);

    Window.Deleted(foreign);
    EXPECT_EQ(other.Count(), 2);
    EXPECT_EQ(shown.Count(), 1);
    TMonitoringItem* own = shown.Item(0);
    Window.Deleted(own);
    Window.Deleted(own);
    EXPECT_EQ(shown.Count(), 0);
}

TEST_F(MonitoringWindowTest, DestroyingTheShownListEmptiesTheWindow)
{
    {
        TMonitoringList list;
        list.AddObsPoint(Node(0));
        list.ShowItemsDlg();
        EXPECT_TRUE(list.IsShown());
    }
    EXPECT_TRUE(Window.Rows.empty());
    EXPECT_FALSE(static_cast<bool>(Window.Deleted));
}
