#include "model/base/KPError.h"
#include "model/base/StreamStrings.h"
#include "model/base/Versions.h"
#include "model/loads/LoadObject.h"
#include "model/loads/LoadStreamClasses.h"

#include "TestPrinters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

class LoadRecordTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterLoadStreamClasses(); }
    TFileVersionScope FVersion{ProgramVersionMajor, ProgramVersionMinor};
};

QByteArray Record(TLoadObj& P)
{
    TMemoryStream s;
    P.WriteData(s);
    return s.Data();
}

// Items 1 to 7 of the record, written field by field.
void WriteHead(TStream& S, const QString& Name, TLoadType Kind)
{
    WriteStringToStream(S, Name);
    S.WriteBoolean(true);
    S.WriteBoolean(false);
    S.WriteDouble(1.5);
    S.WriteDouble(2.5);
    S.WriteByte(Kind);
    for (double v : {3.0, 4.0, 5.0, 6.0}) S.WriteDouble(v);
}

void WriteMonths(TStream& S, int Count, int FirstMonth = 1, double COPCool = NaN, double COPHeat = NaN)
{
    S.WriteByte(1);
    S.WriteInt32(Count);
    for (int i = 0; i < Count; ++i) {
        WriteStringToStream(S, QStringLiteral("THeatCoolLoad"));
        S.WriteWord(static_cast<std::uint16_t>(FirstMonth + i));
        S.WriteWord(0);
        S.WriteDouble(0);
        for (double v : {10.0 * i, 20.0 * i, COPCool, COPHeat}) S.WriteDouble(v);
    }
}

TEST_F(LoadRecordTest, RecordLayout)
{
    TLoadObj p;
    p.SetName(QStringLiteral("Ab"));
    p.SetUseStartDate(true);
    p.SetUseEndDate(false);
    p.SetStartDate(1.5);
    p.SetEndDate(2.5);
    p.SetLoadType(ltFile);
    p.SetConstantLoad(3);
    p.SetCoolingFluidTemp(4);
    p.SetCOPCooling(5);
    p.SetCOPHeating(6);
    for (int m = 1; m <= 12; ++m) {
        p.MonthEntry(m)->SetCoolingLoad(10.0 * (m - 1));
        p.MonthEntry(m)->SetHeatLoad(20.0 * (m - 1));
    }
    p.AddPoint(10.0, 7.0);

    TMemoryStream expected;
    WriteHead(expected, QStringLiteral("Ab"), ltFile);
    WriteMonths(expected, 12, 1, 5, 6);
    expected.WriteByte(1);
    expected.WriteInt32(1);
    WriteStringToStream(expected, QStringLiteral("TPowerPoint"));
    expected.WriteDouble(10);
    expected.WriteDouble(7);
    EXPECT_EQ(expected.Data().toHex(), Record(p).toHex());
}

void ExpectSameProfile(TLoadObj& A, TLoadObj& B)
{
    EXPECT_EQ(A.Name(), B.Name());
    EXPECT_EQ(A.UseStartDate(), B.UseStartDate());
    EXPECT_EQ(A.UseEndDate(), B.UseEndDate());
    EXPECT_EQ(A.StartDate(), B.StartDate());
    EXPECT_EQ(A.EndDate(), B.EndDate());
    EXPECT_EQ(A.LoadType(), B.LoadType());
    // Rewriting gives the same bytes: every field, entry and point came back.
    EXPECT_EQ(Record(A).toHex(), Record(B).toHex());
}

TEST_F(LoadRecordTest, EveryKindRoundTripsThroughTheRegistry)
{
    using TSetup = std::function<void(TLoadObj&)>;
    const TSetup setups[] = {
        [](TLoadObj& p) {
            p.SetLoadType(ltConstant);
            p.SetConstantLoad(-12.5);
            p.SetUseEndDate(true);
        },
        [](TLoadObj& p) {
            p.SetName(QStringLiteral("Jahr äöü"));
            p.AddPoint(1, 3, 100);
            p.AddPoint(1, 10, -20);
        },
        [](TLoadObj& p) {
            p.SetLoadType(ltFile);
            p.AddPoint(44000.25, 5.0);
            p.AddPoint(44000.5, NaN);
        },
        [](TLoadObj& p) {
            p.SetLoadType(ltMonthProfile);
            p.SetCoolingFluidTemp(15);
            p.SetCOPHeating(4);
            p.SetCOPCooling(3);
            p.MonthEntry(7)->SetCoolingLoad(900);
        },
    };
    for (const TSetup& setup : setups) {
        TLoadObj p;
        setup(p);
        TMemoryStream s;
        WriteObjectToStream(&p, s);
        s.WriteInt32(0x5A5A5A5A);
        s.SetPosition(0);
        std::unique_ptr<TLoadObj> back = ReadObjectFromStreamAs<TLoadObj>(s, "test");
        EXPECT_EQ(0x5A5A5A5A, s.ReadInt32()) << "record not consumed exactly";
        SCOPED_TRACE(static_cast<int>(p.LoadType()));
        ExpectSameProfile(p, *back);
        ASSERT_EQ(12, back->MonthProfile()->Count());
    }
}

// Reading copies the profile's COPs into the months, whatever the entries stored.
TEST_F(LoadRecordTest, ReadingSpreadsTheCOPs)
{
    TMemoryStream s;
    WriteHead(s, QStringLiteral("x"), ltMonthProfile);
    WriteMonths(s, 12);
    s.WriteByte(1);
    s.WriteInt32(0);
    s.SetPosition(0);
    TLoadObj p;
    p.ReadData(s);
    for (int m = 1; m <= 12; ++m) {
        EXPECT_EQ(5, p.MonthEntry(m)->COPCooling());
        EXPECT_EQ(6, p.MonthEntry(m)->COPHeating());
        EXPECT_EQ(20.0 * (m - 1), p.MonthEntry(m)->HeatLoad());
    }
}

// A month profile whose COPs were never entered means the same after saving
// and loading: reading spreads the profile's COPs over the months.
TEST_F(LoadRecordTest, MonthProfileWithoutCOPsKeepsItsDemands)
{
    TLoadObj p;
    p.SetLoadType(ltMonthProfile);
    for (int m = 1; m <= 12; ++m) {
        p.MonthEntry(m)->SetHeatLoad(100);
        p.MonthEntry(m)->SetCoolingLoad(10);
    }
    TMemoryStream s;
    p.WriteData(s);
    s.SetPosition(0);
    TLoadObj back(Blank);
    back.ReadData(s);
    EXPECT_EQ(1200, back.HeatDemandPerYear());
    EXPECT_EQ(120, back.CoolDemandPerYear());
    EXPECT_DOUBLE_EQ(90.0 / 24 / 31, back.GetPower(EncodeDate(2030, 1, 1)));
}

TEST_F(LoadRecordTest, VersionOneRecordKeepsNameAndWindow)
{
    TLoadObj written;
    written.SetLoadType(ltConstant);
    written.SetConstantLoad(7);
    written.SetName(QStringLiteral("Neu"));
    const QByteArray v2 = Record(written);
    const int headSize = 4 + 2 * 3 + 1 + 1 + 8 + 8;
    TMemoryStream s(v2.mid(headSize) + QByteArray("\x11\x22\x33\x44", 4));

    TLoadObj p;
    p.SetName(QStringLiteral("Alt"));
    p.SetStartDate(100);
    p.SetEndDate(200);
    p.SetUseStartDate(true);
    p.SetUseEndDate(true);
    p.AddPoint(1, 1, 1);
    {
        TFileVersionScope v1(1, 3);
        p.ReadData(s);
    }
    EXPECT_EQ(0x44332211, s.ReadInt32());
    EXPECT_EQ(QStringLiteral("Alt"), p.Name());
    EXPECT_EQ(100, p.StartDate());
    EXPECT_EQ(200, p.EndDate());
    EXPECT_TRUE(p.UseStartDate() && p.UseEndDate());
    EXPECT_EQ(ltConstant, p.LoadType());
    EXPECT_EQ(7, p.ConstantLoad());
    EXPECT_EQ(0, p.Count());
    EXPECT_EQ(12, p.MonthProfile()->Count());
}

// A record cut anywhere fails and leaves the profile as it was.
TEST_F(LoadRecordTest, TruncatedRecordChangesNothing)
{
    TLoadObj written;
    written.SetName(QStringLiteral("Serie"));
    written.SetLoadType(ltFile);
    written.AddPoint(44000.0, 1.0);
    written.AddPoint(44001.0, 2.0);
    const QByteArray full = Record(written);

    TLoadObj p;
    p.SetName(QStringLiteral("bleibt"));
    p.AddPoint(1, 1, 9);
    const QByteArray before = Record(p);
    for (int n = 0; n < full.size(); ++n) {
        TMemoryStream s(full.left(n));
        EXPECT_THROW(p.ReadData(s), EReadError) << n;
    }
    EXPECT_EQ(before.toHex(), Record(p).toHex());
}

TEST_F(LoadRecordTest, CorruptRecordsAreRefused)
{
    using TWriter = std::function<void(TStream&)>;
    auto noPoints = [](TStream& S) {
        S.WriteByte(1);
        S.WriteInt32(0);
    };
    struct Case {
        const char* What;
        TWriter Write;
    } cases[] = {
        {"kind 4",
         [&](TStream& S) {
             WriteHead(S, "k", static_cast<TLoadType>(4));
             WriteMonths(S, 12);
             noPoints(S);
         }},
        {"eleven months",
         [&](TStream& S) {
             WriteHead(S, "k", ltMonthProfile);
             WriteMonths(S, 11);
             noPoints(S);
         }},
        {"month 13 in the month profile",
         [&](TStream& S) {
             WriteHead(S, "k", ltMonthProfile);
             WriteMonths(S, 12, 2);
             noPoints(S);
         }},
        {"a load point among the months",
         [&](TStream& S) {
             WriteHead(S, "k", ltMonthProfile);
             S.WriteByte(1);
             S.WriteInt32(12);
             for (int i = 0; i < 12; ++i) {
                 WriteStringToStream(S, QStringLiteral("TLoadPoint"));
                 S.WriteWord(static_cast<std::uint16_t>(i + 1));
                 S.WriteWord(1);
                 S.WriteDouble(0);
             }
             noPoints(S);
         }},
        {"a power point in a year profile",
         [&](TStream& S) {
             WriteHead(S, "k", ltYearProfile);
             WriteMonths(S, 12);
             S.WriteByte(1);
             S.WriteInt32(1);
             WriteStringToStream(S, QStringLiteral("TPowerPoint"));
             S.WriteDouble(1);
             S.WriteDouble(1);
         }},
        {"a load point in a series",
         [&](TStream& S) {
             WriteHead(S, "k", ltFile);
             WriteMonths(S, 12);
             S.WriteByte(1);
             S.WriteInt32(1);
             WriteStringToStream(S, QStringLiteral("TLoadPoint"));
             S.WriteWord(1);
             S.WriteWord(1);
             S.WriteDouble(1);
         }},
        {"day 32",
         [&](TStream& S) {
             WriteHead(S, "k", ltYearProfile);
             WriteMonths(S, 12);
             S.WriteByte(1);
             S.WriteInt32(1);
             WriteStringToStream(S, QStringLiteral("TLoadPoint"));
             S.WriteWord(1);
             S.WriteWord(32);
             S.WriteDouble(1);
         }},
        {"a series point without a time",
         [&](TStream& S) {
             WriteHead(S, "k", ltFile);
             WriteMonths(S, 12);
             S.WriteByte(1);
             S.WriteInt32(1);
             WriteStringToStream(S, QStringLiteral("TPowerPoint"));
             S.WriteDouble(NaN);
             S.WriteDouble(1);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        TMemoryStream s;
        c.Write(s);
        s.SetPosition(0);
        TLoadObj p;
        const QByteArray before = Record(p);
        EXPECT_THROW(p.ReadData(s), EReadError);
        EXPECT_EQ(before.toHex(), Record(p).toHex());
    }
}

// Search needs time order; a stored series out of order is sorted on reading.
TEST_F(LoadRecordTest, StoredSeriesOutOfOrderIsSorted)
{
    TMemoryStream s;
    WriteHead(s, "k", ltFile);
    WriteMonths(s, 12);
    s.WriteByte(1);
    s.WriteInt32(2);
    for (double t : {44001.0, 44000.0}) {
        WriteStringToStream(s, QStringLiteral("TPowerPoint"));
        s.WriteDouble(t);
        s.WriteDouble(t - 44000);
    }
    s.SetPosition(0);
    TLoadObj p;
    p.ReadData(s);
    EXPECT_EQ(44000.0, p.PowerPoint(0)->PointOfTime());
    EXPECT_EQ(0, p.GetPower(44000.5));
    EXPECT_EQ(1, p.GetPower(44001.5));
}

TEST_F(LoadRecordTest, RegisteredUnderTheirNames)
{
    struct Case {
        const char* Name;
        const char* Loader;
        const char* Storer;
    } cases[] = {
        {"THeatpump", "Read", "Write"},      {"TPowerPoint", "Read", "Write"},
        {"TLoadPoint", "Read", "Write"},     {"THeatCoolLoad", "Read", "Write"},
        {"TLoadObj", "ReadData", "WriteData"},
    };
    for (const Case& c : cases) {
        const TMyObjItem* item = FindStreamClass(QString::fromLatin1(c.Name));
        ASSERT_NE(nullptr, item) << c.Name;
        EXPECT_EQ(QString::fromLatin1(c.Loader), item->LoaderName());
        EXPECT_EQ(QString::fromLatin1(c.Storer), item->StorerName());
    }
}

}  // namespace
