#include "model/base/KPError.h"
#include "model/base/MVStreamList.h"
#include "model/base/StreamStrings.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

QByteArray Bytes(std::initializer_list<int> b)
{
    QByteArray a;
    for (int x : b) a.append(static_cast<char>(x));
    return a;
}

// A small stored class with a string and a double, so that a loader that
// reads too much or too little shows up in the sentinel after the list.
class TProbeItem : public TObject {
    KP_CLASS(TProbeItem)
public:
    TProbeItem() = default;
    explicit TProbeItem(TBlank) {}
    TProbeItem(QString n, double v) : Name(std::move(n)), Value(v) {}
    void Read(TStream& S)
    {
        Name = ReadStringFromStream(S);
        Value = S.ReadDouble();
    }
    void Write(TStream& S)
    {
        WriteStringToStream(S, Name);
        S.WriteDouble(Value);
    }
    QString Name;
    double Value = 0;
};

class TUnregistered : public TObject {
    KP_CLASS(TUnregistered)
};

class StreamTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterStreamClass<TProbeItem>(); }
};

}  // namespace

TEST_F(StreamTest, StringsByteForByte)
{
    struct Case {
        QString text;
        QByteArray bytes;
    } cases[] = {
        {QString(), Bytes({0, 0, 0, 0})},
        {QStringLiteral("A"), Bytes({1, 0, 0, 0, 'A', 0})},
        // ϑ is U+03D1; ° is U+00B0.
        {QStringLiteral("ϑ [°C]"), Bytes({6, 0, 0, 0, 0xD1, 0x03, ' ', 0, '[', 0, 0xB0, 0, 'C', 0, ']', 0})},
        // U+1F600 is a surrogate pair: two code units, counted as two.
        {QString::fromUtf8("\xF0\x9F\x98\x80"), Bytes({2, 0, 0, 0, 0x3D, 0xD8, 0x00, 0xDE})},
    };
    for (const Case& c : cases) {
        TMemoryStream s;
        WriteStringToStream(s, c.text);
        EXPECT_EQ(s.Data(), c.bytes) << c.text.toStdString();
        TMemoryStream r(c.bytes);
        EXPECT_EQ(ReadStringFromStream(r), c.text);
        EXPECT_EQ(r.Remaining(), 0);
    }
}

TEST_F(StreamTest, LegacyStrings)
{
    TMemoryStream ansi(Bytes({3, 0, 0, 0, 'a', 'b', 'c'}));
    EXPECT_EQ(ReadAnsiStringFromStream(ansi), QByteArray("abc"));
    // 0x80 is the euro sign and 0xE4 "ä" in code page 1252.
    TMemoryStream shortStr(Bytes({3, 0x80, 0xE4, 'x'}));
    EXPECT_EQ(ReadShortStringFromStream(shortStr), QString::fromUtf8("€äx"));
}

TEST_F(StreamTest, NumbersLittleEndianAndNaNPayloadKept)
{
    TMemoryStream s;
    s.WriteInt32(-2);
    s.WriteWord(0x1234);
    s.WriteByte(7);
    s.WriteBoolean(true);
    s.WriteDouble(1.0);
    const std::uint64_t payloadNaN = 0x7FF8000000000123ULL;
    double nan;
    std::memcpy(&nan, &payloadNaN, 8);
    s.WriteDouble(nan);
    s.WriteSingle(1.5f);
    EXPECT_EQ(s.Data().left(16), Bytes({0xFE, 0xFF, 0xFF, 0xFF, 0x34, 0x12, 7, 1, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F}));

    TMemoryStream r(s.Data());
    EXPECT_EQ(r.ReadInt32(), -2);
    EXPECT_EQ(r.ReadWord(), 0x1234);
    EXPECT_EQ(r.ReadByte(), 7);
    EXPECT_TRUE(r.ReadBoolean());
    EXPECT_EQ(r.ReadDouble(), 1.0);
    const double back = r.ReadDouble();
    std::uint64_t bits;
    std::memcpy(&bits, &back, 8);
    EXPECT_EQ(bits, payloadNaN);
    EXPECT_EQ(r.ReadSingle(), 1.5f);
}

TEST_F(StreamTest, EmptyListIsFiveBytes)
{
    TMVObjectList list;
    TMemoryStream s;
    list.WriteData(s);
    EXPECT_EQ(s.Data(), Bytes({1, 0, 0, 0, 0}));
    TMVObjectList back;
    TMemoryStream r(s.Data());
    back.ReadData(r);
    EXPECT_EQ(back.Count(), 0);
}

TEST_F(StreamTest, ListRoundTripWithSentinel)
{
    TMVObjectList list(false);
    TProbeItem a(QStringLiteral("Sonde 1"), 2.5), b(QString(), std::nan(""));
    list.Add(&a);
    list.Add(&b);
    TMemoryStream s;
    list.WriteData(s);
    s.WriteInt32(0x5EA7);
    EXPECT_EQ(s.Data()[0], 0);  // written by a list that does not own its items

    TMVObjectList back;  // owning, whatever the writer was
    TMemoryStream r(s.Data());
    back.ReadData(r);
    EXPECT_EQ(r.ReadInt32(), 0x5EA7);
    EXPECT_TRUE(back.OwnsObjects());
    ASSERT_EQ(back.Count(), 2);
    EXPECT_EQ(back.ItemAs<TProbeItem>(0)->Name, QStringLiteral("Sonde 1"));
    EXPECT_EQ(back.ItemAs<TProbeItem>(0)->Value, 2.5);
    EXPECT_TRUE(std::isnan(back.ItemAs<TProbeItem>(1)->Value));
}

TEST_F(StreamTest, ClassNamesFoundInAnyCase)
{
    ASSERT_NE(FindStreamClass(QStringLiteral("tprobeitem")), nullptr);
    EXPECT_EQ(FindStreamClass(QStringLiteral("TPROBEITEM"))->LoaderName(), QStringLiteral("Read"));
    EXPECT_EQ(FindStreamClass(QStringLiteral("TNoSuchThing")), nullptr);
}

TEST_F(StreamTest, WriteErrors)
{
    TMemoryStream s;
    TMVObjectList withNil(false);
    withNil.Add(nullptr);
    try {
        withNil.WriteData(s);
        FAIL();
    } catch (const EClassNotFound& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Nil Source Class!"));
    }
    TMVObjectList unregistered(false);
    TUnregistered u;
    unregistered.Add(&u);
    try {
        unregistered.WriteData(s);
        FAIL();
    } catch (const EClassNotFound& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Klasse <TUnregistered> ist nicht registriert"));
    }
}

TEST_F(StreamTest, CorruptInputRaisesAndLeavesListUnchanged)
{
    TMVObjectList good(false);
    TProbeItem a(QStringLiteral("x"), 1), b(QStringLiteral("y"), 2);
    good.Add(&a);
    good.Add(&b);
    TMemoryStream s;
    good.WriteData(s);
    const QByteArray full = s.Data();

    QByteArray negativeCount = full;
    negativeCount[1] = char(0xFF), negativeCount[2] = char(0xFF), negativeCount[3] = char(0xFF),
    negativeCount[4] = char(0xFF);
    QByteArray hugeCount = full;
    hugeCount[4] = char(0x7F);
    QByteArray badName = full;
    badName[9] = 'Q';  // "TProbeItem" becomes "TQrobeItem"
    QByteArray hugeString = full;
    hugeString[8] = char(0x7F);

    struct Case {
        const char* name;
        QByteArray data;
    } cases[] = {{"negative count", negativeCount},
                 {"count beyond the data", hugeCount},
                 {"unregistered class", badName},
                 {"string length beyond the data", hugeString}};
    for (int cut = 0; cut < full.size(); ++cut) {
        TMVObjectList list;
        list.Add(new TProbeItem(QStringLiteral("keep"), 9));
        TMemoryStream r(full.left(cut));
        EXPECT_THROW(list.ReadData(r), EKPError) << "cut at " << cut;
        ASSERT_EQ(list.Count(), 1);
        EXPECT_EQ(list.ItemAs<TProbeItem>(0)->Name, QStringLiteral("keep"));
    }
    for (const Case& c : cases) {
        TMVObjectList list;
        TMemoryStream r(c.data);
        EXPECT_THROW(list.ReadData(r), EKPError) << c.name;
        EXPECT_EQ(list.Count(), 0) << c.name;
    }
}

TEST_F(StreamTest, FilesAreReplacedOnlyBySuccessfulSaves)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("sub/list.bin"));
    TMVObjectList list;
    list.Add(new TProbeItem(QStringLiteral("a"), 1));
    list.SaveToFile(file);

    TMVObjectList broken(false);
    broken.Add(nullptr);
    EXPECT_THROW(broken.SaveToFile(file), EClassNotFound);

    TMVObjectList back;
    back.LoadFromFile(file);
    ASSERT_EQ(back.Count(), 1);
    EXPECT_EQ(back.ItemAs<TProbeItem>(0)->Name, QStringLiteral("a"));
    EXPECT_THROW(back.LoadFromFile(dir.filePath(QStringLiteral("missing.bin"))), EFileError);
}

TEST_F(StreamTest, EnumBytesOutOfRangeAreCorrupt)
{
    enum TTwo : std::uint8_t { a, b };
    TMemoryStream ok(Bytes({1}));
    EXPECT_EQ(ok.ReadEnum<TTwo>(1, "Test"), b);
    TMemoryStream bad(Bytes({2}));
    EXPECT_THROW(bad.ReadEnum<TTwo>(1, "Test"), EReadError);
}
