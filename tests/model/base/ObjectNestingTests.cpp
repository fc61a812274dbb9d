// Stored lists that hold lists: a crafted file nesting them endlessly must end
// in a read error, not in a stack overflow, and lists read only their classes.

#include "model/base/KPError.h"
#include "model/base/MVStreamList.h"
#include "model/base/StreamStrings.h"

#include <gtest/gtest.h>

namespace {

// A list that may hold any stored class, itself included.
class TAnyList : public TMVObjectList {
    KP_CLASS(TAnyList)
public:
    TAnyList() = default;
    explicit TAnyList(TBlank) : TMVObjectList(Blank) {}
};

class TLeaf : public TObject {
    KP_CLASS(TLeaf)
public:
    TLeaf() = default;
    explicit TLeaf(TBlank) {}
    void Read(TStream& S) { Value = S.ReadInt32(); }
    void Write(TStream& S) { S.WriteInt32(Value); }
    std::int32_t Value = 0;
};

// Depth lists, each holding the next, the innermost holding one leaf.
QByteArray NestedLists(int Depth)
{
    TMemoryStream s;
    for (int i = 0; i < Depth; ++i) {
        s.WriteByte(1);
        s.WriteInt32(1);
        WriteStringToStream(s, QStringLiteral("TAnyList"));
    }
    s.WriteByte(1);
    s.WriteInt32(1);
    WriteStringToStream(s, QStringLiteral("TLeaf"));
    s.WriteInt32(42);
    return s.Data();
}

class ObjectNestingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterStreamListClass<TAnyList>();
        RegisterStreamClass<TLeaf>();
    }
};

}  // namespace

TEST_F(ObjectNestingTest, NestingWithinTheLimitIsRead)
{
    TMemoryStream s(NestedLists(MaxObjectNesting - 1));
    TAnyList list;
    list.ReadData(s);
    ASSERT_EQ(list.Count(), 1);
    const TObject* inner = list.Items(0);
    for (int i = 1; i < MaxObjectNesting - 1; ++i) inner = static_cast<const TAnyList*>(inner)->Items(0);
    ASSERT_EQ(inner->ClassName(), QStringLiteral("TAnyList"));
    EXPECT_EQ(static_cast<const TAnyList*>(inner)->ItemAs<TLeaf>(0)->Value, 42);
    EXPECT_EQ(s.Remaining(), 0);
}

TEST_F(ObjectNestingTest, DeepNestingIsAReadErrorAndChangesNothing)
{
    for (int depth : {MaxObjectNesting, 100'000}) {
        TMemoryStream s(NestedLists(depth));
        TAnyList list;
        list.Add(std::make_unique<TLeaf>());
        try {
            list.ReadData(s);
            ADD_FAILURE() << "depth " << depth << " was read";
        } catch (const EReadError& e) {
            EXPECT_TRUE(e.Message().contains(QStringLiteral("verschachtelt"))) << e.what();
        }
        EXPECT_EQ(list.Count(), 1);
        // A failed read leaves the count of open levels at zero: a fresh read works.
        TMemoryStream ok(NestedLists(2));
        TAnyList fresh;
        EXPECT_NO_THROW(fresh.ReadData(ok));
    }
}

TEST_F(ObjectNestingTest, AListOfOneClassNeverLoadsAnother)
{
    // The refused item is a list whose record would be cut short: had it been
    // loaded, the error would be a different one.
    TMemoryStream s;
    s.WriteByte(1);
    s.WriteInt32(1);
    WriteStringToStream(s, QStringLiteral("TAnyList"));
    s.SetPosition(0);
    TMVObjectList list;
    try {
        list.ReadDataOf<TLeaf>(s, "die Blätter");
        ADD_FAILURE() << "a list was read as a leaf";
    } catch (const EReadError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Unerwartete Klasse <TAnyList> für die Blätter."));
    }
    EXPECT_EQ(list.Count(), 0);
}

TEST_F(ObjectNestingTest, ReadingAsAClassChecksBeforeLoading)
{
    TMemoryStream s(NestedLists(100'000));
    s.SetPosition(5);  // at the first item's class name
    EXPECT_THROW(ReadObjectFromStreamAs<TLeaf>(s, "ein Blatt"), EReadError);
}
