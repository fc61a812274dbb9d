#include "ProbeTestUtil.h"
#include "model/base/KPError.h"
#include "model/base/Stream.h"
#include "model/probes/BHEObj.h"
#include "model/probes/boreholeObj.h"

#include <gtest/gtest.h>
#include <cmath>
#include <numbers>

namespace {

void FillWell(TWell& W)
{
    W.SetName(QStringLiteral("Brunnen Ö"));
    W.SetFullyPenetrating(false);
    W.SetY(5812345.25);
    W.SetX(3512345.5);
    W.SetBenchmarkAlt(PayloadNaN(0x123));
    W.SetAltitude(42.5);
    W.SetScreenRadius(0.1);
    W.SetScreenLength(12);
    W.SetCasingRadius(0.0125);
    W.SetBoringRadius(0.075);
    W.SetGravelPorosity(0.3);
    W.SetUseRW(true);
    W.SetBValue(-7);
}

TBytes WellBytes()
{
    TBytes b;
    b.S(QStringLiteral("Brunnen Ö")).B(0).D(5812345.25).D(3512345.5).D(PayloadNaN(0x123)).D(42.5);
    b.D(0.1).D(12).D(0.0125).D(0.075).D(0.3).B(1).D(-7);
    return b;
}

}  // namespace

TEST(Well, NewWellIsUnset)
{
    TWell a, b;
    EXPECT_TRUE(a.FullyPenetrating());
    EXPECT_TRUE(std::isnan(a.X()) && std::isnan(a.Y()) && std::isnan(a.BoringRadius()));
    EXPECT_EQ(a.GravelPorosity(), 0);
    EXPECT_FALSE(a.UseRW());
    EXPECT_TRUE(std::isnan(a.GetWellDistance(&b)));
    TBorehole h;
    EXPECT_EQ(h.TubeType(), ttDoubleU);
    EXPECT_TRUE(std::isnan(h.CasingLength()) && std::isnan(h.Depth()) && std::isnan(h.FillConduc()));
}

TEST(Well, DistancesAndDerivedValues)
{
    TWell a, b;
    a.SetX(1), a.SetY(2), a.SetScreenRadius(0.2);
    b.SetX(4), b.SetY(6);
    EXPECT_EQ(a.GetWellDistance(nullptr), 0);
    EXPECT_EQ(a.GetWellDistance(&a), 0.2);
    EXPECT_EQ(a.GetWellDistance(&b), 5);
    EXPECT_EQ(a.GetWellDistance(-2, -2), 5);
    a.SetBValue(10), a.SetScreenLength(4);
    EXPECT_EQ(a.DValue(), 6);
    a.SetBoringRadius(0.5), a.SetGravelPorosity(0.25);
    EXPECT_DOUBLE_EQ(a.EffectiveRadius(), std::sqrt(0.04 * 0.75 + 0.25 * 0.25));
}

TEST(Borehole, TubeVolume)
{
    struct Case {
        TTubeType Tube;
        double Factor;
    } cases[] = {{ttDoubleU, 4}, {ttSingleU, 2}, {ttCoax, 2}};
    for (const Case& c : cases) {
        TBorehole h;
        h.SetTubeType(c.Tube);
        h.SetCasingRadius(0.0125), h.SetCasingThickness(0.0023), h.SetCasingLength(100);
        EXPECT_NEAR(h.GetVol(), c.Factor * std::numbers::pi * 0.0102 * 0.0102 * 100, 1e-12);
    }
    EXPECT_NEAR(4 * std::numbers::pi * 0.0102 * 0.0102 * 100, 0.1307, 1e-4);
    TBorehole unset;
    EXPECT_TRUE(std::isnan(unset.GetVol()));
}

TEST(WellRecord, ByteForByteAndBack)
{
    TWell w;
    FillWell(w);
    TMemoryStream s;
    w.Write(s);
    EXPECT_EQ(s.Data().size(), 4 + 2 * 9 + 1 + 10 * 8 + 1);
    EXPECT_EQ(s.Data(), WellBytes().Data());

    TWell r(Blank);
    TMemoryStream in(s.Data());
    r.Read(in);
    EXPECT_EQ(in.Remaining(), 0);
    EXPECT_EQ(r.Name(), w.Name());
    EXPECT_EQ(r.FullyPenetrating(), false);
    EXPECT_EQ(r.Y(), 5812345.25);
    EXPECT_EQ(r.X(), 3512345.5);
    EXPECT_EQ(Bits(r.BenchmarkAlt()), Bits(PayloadNaN(0x123)));
    EXPECT_EQ(r.Altitude(), 42.5);
    EXPECT_EQ(r.ScreenRadius(), 0.1);
    EXPECT_EQ(r.ScreenLength(), 12);
    EXPECT_EQ(r.CasingRadius(), 0.0125);
    EXPECT_EQ(r.BoringRadius(), 0.075);
    EXPECT_EQ(r.GravelPorosity(), 0.3);
    EXPECT_TRUE(r.UseRW());
    EXPECT_EQ(r.BValue(), -7);
}

TEST(BoreholeRecord, AppendsItsFieldsToTheWell)
{
    TBorehole h;
    FillWell(h);
    h.SetCasingLength(99.5), h.SetCasingThickness(PayloadNaN(7)), h.SetTubeType(ttCoax);
    h.SetDepth(101), h.SetFillConduc(2.1), h.SetFillMaterial(QStringLiteral("Ton")), h.SetRemark(QString());
    TMemoryStream s;
    h.Write(s);
    TBytes expected = WellBytes();
    expected.D(99.5).D(PayloadNaN(7)).B(2).D(101).D(2.1).S(QStringLiteral("Ton")).S(QString());
    EXPECT_EQ(s.Data(), expected.Data());

    TBorehole r(Blank);
    TMemoryStream in(s.Data());
    r.Read(in);
    EXPECT_EQ(r.CasingLength(), 99.5);
    EXPECT_EQ(Bits(r.CasingThickness()), Bits(PayloadNaN(7)));
    EXPECT_EQ(r.TubeType(), ttCoax);
    EXPECT_EQ(r.Depth(), 101);
    EXPECT_EQ(r.FillConduc(), 2.1);
    EXPECT_EQ(r.FillMaterial(), QStringLiteral("Ton"));
    EXPECT_EQ(r.Remark(), QString());
}

TEST(BoreholeRecord, BadTubeTypeAndShortRecordsAreReadErrors)
{
    TBorehole h;
    FillWell(h);
    TMemoryStream s;
    h.Write(s);
    const int tubeOffset = WellBytes().Data().size() + 16;
    ASSERT_EQ(static_cast<unsigned char>(s.Data()[tubeOffset]), 1);
    QByteArray bad = s.Data();
    bad[tubeOffset] = 3;
    {
        TBorehole r(Blank);
        TMemoryStream in(bad);
        EXPECT_THROW(r.Read(in), EReadError);
    }
    for (int cut : {1, 10, 60, static_cast<int>(s.Data().size()) - 1}) {
        TBorehole r(Blank);
        TMemoryStream in(s.Data().left(cut));
        EXPECT_THROW(r.Read(in), EReadError) << cut;
    }
}

TEST(BoreholeRecord, RegistryRoundTripKeepsTheClass)
{
    RegisterProbeStreamClasses();
    TBorehole h;
    FillWell(h);
    h.SetTubeType(ttSingleU);
    TMemoryStream s;
    WriteObjectToStream(&h, s);
    TMemoryStream in(s.Data());
    std::unique_ptr<TBorehole> r = ReadObjectFromStreamAs<TBorehole>(in, "Bohrung");
    EXPECT_EQ(r->ClassName(), QStringLiteral("TBorehole"));
    EXPECT_EQ(r->TubeType(), ttSingleU);
    EXPECT_EQ(r->X(), h.X());
    for (const char* name : {"TWell", "TBorehole", "TBHE", "TBHEDataWrapper"})
        EXPECT_NE(FindStreamClass(QString::fromLatin1(name)), nullptr) << name;
}
