#include "model/base/KPError.h"
#include "model/base/StreamStrings.h"
#include "model/fe/NumNodes.h"
#include "model/monitoring/MonitoringList.h"
#include "model/probes/BHEObj.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>

namespace {

class MonitoringTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterMonitoringStreamClasses();
        for (int i = 0; i < 3; ++i) Nodes.Add(new TNode(10.0 * i + 0.125, -2.5 * i));
        for (int i = 0; i < 2; ++i) BHEs.Add(new TBHE());
    }
    TNode* Node(int i) const { return Nodes.ItemAs<TNode>(i); }
    TBHE* BHE(int i) const { return BHEs.ItemAs<TBHE>(i); }

    TMVObjectList Nodes{true};
    TMVObjectList BHEs{true};
};

QByteArray Written(TMVObjectList& L)
{
    TMemoryStream S;
    L.WriteData(S);
    return S.Data();
}

}  // namespace

TEST(MonitoringInterval, NamesAndLevels)
{
    const QStringList expected{"immer", "stündlich", "täglich", "wöchentlich", "monatlich", "jährlich"};
    EXPECT_EQ(MonitoringIntervalNames(), expected);
    const struct {
        int Level;
        TMonitoringInterval Interval;
    } cases[] = {{-1, miAlways}, {0, miAlways}, {1, miHour}, {2, miDay},
                 {3, miWeek},    {4, miMonth},  {5, miYear}, {9, miYear}};
    for (const auto& c : cases) EXPECT_EQ(MonitoringIntervalOfLevel(c.Level), c.Interval) << c.Level;
}

TEST_F(MonitoringTest, NewItemsHaveTheirParametersAndDefaults)
{
    TNodeMonitoringItem node;
    EXPECT_EQ(node.Interval(), miDay);
    EXPECT_TRUE(node.Enabled());
    EXPECT_EQ(node.IndexOfItem(), -1);
    ASSERT_EQ(node.ParamCount(), 1);
    EXPECT_EQ(node.Param(0)->Name(), QStringLiteral("ϑ [°C]"));
    EXPECT_TRUE(node.Param(0)->Enabled());
    EXPECT_EQ(node.GetDescription(), QStringLiteral("Node not assigned"));

    TBHEMonitoringItem bhe;
    EXPECT_EQ(bhe.Interval(), miDay);
    const QStringList names{"ϑ Vorlauf", "ϑ Rücklauf", "ϑ Bohrlochwand", "übertr. Leistung"};
    ASSERT_EQ(bhe.ParamCount(), names.size());
    for (int i = 0; i < bhe.ParamCount(); ++i) EXPECT_EQ(bhe.Param(i)->Name(), names[i]);
}

TEST_F(MonitoringTest, DescriptionUsesTheUserLocale)
{
    TNodeMonitoringItem item;
    item.SetItem(Node(1));
    const QLocale old;
    QLocale::setDefault(QLocale(QLocale::German));
    EXPECT_EQ(item.GetDescription(), QStringLiteral("Node (x=10,13; y=-2,50)"));
    QLocale::setDefault(QLocale(QLocale::C));
    EXPECT_EQ(item.GetDescription(), QStringLiteral("Node (x=10.13; y=-2.50)"));
    QLocale::setDefault(old);
}

// Every interval against every time level the engine reports: a node item
// records exactly when the level reaches its interval; probe items never.
TEST_F(MonitoringTest, IntervalAgainstTimeLevel)
{
    for (int interval = 0; interval <= MonitoringIntervalMaxOrdinal; ++interval) {
        TMonitoringList list;
        auto* node = list.AddObsPoint(Node(0));
        auto* bhe = list.AddObsPoint(BHE(0));
        node->SetInterval(static_cast<TMonitoringInterval>(interval));
        bhe->SetInterval(miAlways);
        int expected = 0;
        for (int level = 0; level <= 5; ++level) {
            Node(0)->SetF(100.0 + level);
            list.RecordNow(45000.0 + level, level);
            if (level >= interval) {
                ++expected;
                const TRecordedValue& v = node->Param(0)->DataPoints().back();
                EXPECT_EQ(v.PointOfTime, 45000.0 + level);
                EXPECT_EQ(v.Data, 100.0 + level);
            }
            EXPECT_EQ(static_cast<int>(node->Param(0)->DataPoints().size()), expected)
                << "interval " << interval << " level " << level;
        }
        for (int p = 0; p < bhe->ParamCount(); ++p) EXPECT_TRUE(bhe->Param(p)->DataPoints().empty());
    }
}

TEST_F(MonitoringTest, AddObsPointTakesNodesAndProbesOnce)
{
    TMonitoringList list;
    TMonitoringItem* first = list.AddObsPoint(Node(2));
    ASSERT_NE(first, nullptr);
    EXPECT_NE(dynamic_cast<TNodeMonitoringItem*>(first), nullptr);
    EXPECT_EQ(first->Item(), Node(2));
    EXPECT_EQ(list.AddObsPoint(Node(2)), nullptr);
    EXPECT_NE(dynamic_cast<TBHEMonitoringItem*>(list.AddObsPoint(BHE(1))), nullptr);
    EXPECT_EQ(list.Count(), 2);

    TMonitorParam other(QStringLiteral("x"), true);
    for (TObject* bad : {static_cast<TObject*>(&other), static_cast<TObject*>(nullptr)}) {
        try {
            list.AddObsPoint(bad);
            ADD_FAILURE() << "no error";
        } catch (const EKPError& E) {
            EXPECT_EQ(E.Message(), QStringLiteral("No monitoring for this item type"));
        }
    }
    EXPECT_EQ(list.Count(), 2);

    list.AddBHEs(BHEs);
    EXPECT_EQ(list.Count(), 3);
    list.AddBHEs(BHEs);
    EXPECT_EQ(list.Count(), 3);
}

// Replacing the mesh frees the nodes: no item may keep pointing at them.
TEST_F(MonitoringTest, ReplacingNodesOrRemovingAProbeDeletesTheirItems)
{
    TMonitoringList list;
    list.AddObsPoint(Node(0));
    list.AddObsPoint(BHE(0));
    list.AddObsPoint(Node(1));
    list.AddObsPoint(BHE(1));
    list.DeleteNodeItems();
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Item(0)->Item(), BHE(0));
    EXPECT_EQ(list.Item(1)->Item(), BHE(1));
    list.DeleteItemsOf(BHE(0));
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Item(0)->Item(), BHE(1));
    list.DeleteItemsOf(nullptr);
    EXPECT_EQ(list.Count(), 1);
}

TEST_F(MonitoringTest, ItemRecordHasTheStoredLayout)
{
    TNodeMonitoringItem item;
    item.SetName(QStringLiteral("N"));
    item.SetInterval(miWeek);
    item.SetEnabled(false);
    item.SetIndexOfItem(7);
    item.Param(0)->SetColStart(3);
    item.Param(0)->SetDrawTimeCol(true);
    item.Param(0)->RecordNow(1, 2);  // values are never stored
    TMemoryStream actual;
    item.Write(actual);

    TMemoryStream expected;
    WriteStringToStream(expected, QStringLiteral("N"));
    expected.WriteByte(1);  // params own their items
    expected.WriteInt32(1);
    WriteStringToStream(expected, QStringLiteral("TMonitorParam"));
    WriteStringToStream(expected, QStringLiteral("ϑ [°C]"));
    expected.WriteByte(1);
    expected.WriteInt32(3);
    expected.WriteByte(1);
    expected.WriteByte(0);  // destinations own nothing
    expected.WriteInt32(0);
    expected.WriteByte(miWeek);
    expected.WriteByte(0);
    expected.WriteInt32(7);
    EXPECT_EQ(actual.Data().toHex(), expected.Data().toHex());
}

TEST_F(MonitoringTest, ListRoundTripFindsTheSameNodesAndProbes)
{
    TMonitoringList list;
    auto* n = list.AddObsPoint(Node(2));
    n->SetName(QStringLiteral("Mitte"));
    n->SetInterval(miHour);
    n->Param(0)->SetColStart(4);
    n->Param(0)->SetCurrentRow(9);
    n->Param(0)->RecordNow(1, 1);
    list.AddObsPoint(BHE(1));
    auto* lost = list.AddObsPoint(Node(0));
    lost->SetItem(nullptr);
    list.SetContainersIndex(BHEs, Nodes);
    EXPECT_EQ(list.Item(0)->IndexOfItem(), 2);
    EXPECT_EQ(list.Item(1)->IndexOfItem(), 1);
    EXPECT_EQ(list.Item(2)->IndexOfItem(), -1);
    const QByteArray bytes = Written(list);

    TMonitoringList loaded;
    TMemoryStream S(bytes);
    loaded.ReadData(S);
    EXPECT_EQ(S.Remaining(), 0);
    ASSERT_EQ(loaded.Count(), 3);
    loaded.UpdateContainers(BHEs, Nodes);
    auto* ln = loaded.Item(0);
    ASSERT_NE(dynamic_cast<TNodeMonitoringItem*>(ln), nullptr);
    EXPECT_EQ(ln->Item(), Node(2));
    EXPECT_EQ(ln->Name(), QStringLiteral("Mitte"));
    EXPECT_EQ(ln->Interval(), miHour);
    EXPECT_EQ(ln->Param(0)->ColStart(), 4);
    EXPECT_EQ(ln->Param(0)->CurrentRow(), 0);
    EXPECT_TRUE(ln->Param(0)->DataPoints().empty());
    ASSERT_NE(dynamic_cast<TBHEMonitoringItem*>(loaded.Item(1)), nullptr);
    EXPECT_EQ(loaded.Item(1)->Item(), BHE(1));
    EXPECT_EQ(loaded.Item(1)->ParamCount(), 4);
    EXPECT_EQ(loaded.Item(2)->Item(), nullptr);
    EXPECT_EQ(Written(loaded), bytes);
}

// A node deleted after saving leaves an index that no longer fits.
TEST_F(MonitoringTest, IndicesOutOfRangeLeaveItemsUnassigned)
{
    for (int index : {-1, 3, 1000}) {
        TMonitoringList list;
        auto* item = new TNodeMonitoringItem();
        item->SetIndexOfItem(index);
        list.Add(item);
        auto* probe = new TBHEMonitoringItem();
        probe->SetIndexOfItem(index == 3 ? 2 : index);
        list.Add(probe);
        list.UpdateContainers(BHEs, Nodes);
        EXPECT_EQ(item->Item(), nullptr) << index;
        EXPECT_EQ(probe->Item(), nullptr) << index;
        EXPECT_EQ(item->GetDescription(), QStringLiteral("Node not assigned"));
        list.RecordNow(1, 5);
        EXPECT_TRUE(item->Param(0)->DataPoints().empty());
    }
}

TEST_F(MonitoringTest, BadRecordsAreRefusedAndChangeNothing)
{
    TMonitoringList good;
    good.AddObsPoint(Node(0));
    good.SetContainersIndex(BHEs, Nodes);
    const QByteArray bytes = Written(good);
    const int intervalAt = bytes.size() - 6;  // interval, enabled, Int32 index
    ASSERT_EQ(static_cast<std::uint8_t>(bytes[intervalAt]), miDay);

    QByteArray badInterval = bytes;
    badInterval[intervalAt] = 6;

    TMemoryStream wrongItem;  // a parameter where an item belongs
    wrongItem.WriteByte(1);
    wrongItem.WriteInt32(1);
    WriteObjectToStream(good.Item(0)->Param(0), wrongItem);

    TMemoryStream wrongParam;  // an item where a parameter belongs
    wrongParam.WriteByte(1);
    wrongParam.WriteInt32(1);
    WriteStringToStream(wrongParam, QStringLiteral("TNodeMonitoringItem"));
    WriteStringToStream(wrongParam, QString());
    wrongParam.WriteByte(1);
    wrongParam.WriteInt32(1);
    WriteObjectToStream(good.Item(0), wrongParam);

    const struct {
        const char* Name;
        QByteArray Data;
    } cases[] = {{"truncated", bytes.left(bytes.size() - 1)},
                 {"interval", badInterval},
                 {"item class", wrongItem.Data()},
                 {"param class", wrongParam.Data()}};
    for (const auto& c : cases) {
        TMonitoringList list;
        list.AddObsPoint(Node(1));
        TMemoryStream S(c.Data);
        EXPECT_THROW(list.ReadData(S), EReadError) << c.Name;
        ASSERT_EQ(list.Count(), 1) << c.Name;
        EXPECT_EQ(list.Item(0)->Item(), Node(1));
    }
}

TEST_F(MonitoringTest, SaveDatapointsWritesOneLinePerValue)
{
    QTemporaryDir dir;
    const QString empty = dir.filePath("empty.txt");
    TMonitorParam p(QStringLiteral("ϑ [°C]"), true);
    p.SaveDatapoints(empty);
    QFile f0(empty);
    ASSERT_TRUE(f0.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f0.readAll().isEmpty());

    p.RecordNow(EncodeDateTime(2025, 3, 4, 5, 6, 7, 0), 12.3456);
    p.RecordNow(EncodeDateTime(2025, 3, 5, 0, 0, 0, 0), -1.5);
    const QLocale old;
    QLocale::setDefault(QLocale(QLocale::German));
    const QString file = dir.filePath("p.txt");
    p.SaveDatapoints(file);
    QLocale::setDefault(old);
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(f.readAll()),
              QStringLiteral("04.03.2025 05:06:07\t12,346\r\n05.03.2025 00:00:00\t-1,500\r\n"));
}
