#include "TestLocale.h"
#include "ProbeTestUtil.h"
#include "gfx/CustomCanvas.h"
#include "model/base/KPError.h"
#include "model/base/ModelUI.h"
#include "model/base/Stream.h"
#include "model/base/Versions.h"
#include "model/probes/BHEDialogs.h"
#include "model/probes/BHEObj.h"
#include "model/probes/BHETypelistObj.h"

#include <QLocale>
#include <gtest/gtest.h>
#include <cmath>
#include <cstring>
#include <functional>
#include <vector>

namespace {

TBHE Template2U()
{
    TBHETypelist l;
    l.CreateDummy();
    TBHE t;
    t.AssignType(*l.Items(0));
    t.SetName(l.Items(0)->Name());
    return t;
}

}  // namespace

TEST(BHE, NewProbeDefaults)
{
    TBHE p;
    EXPECT_EQ(p.RB(), 0.1);
    EXPECT_EQ(p.ImageIndex(), -1);
    EXPECT_EQ(p.LoadProfilIndex(), 0);
    EXPECT_EQ(p.TubeX(), 0);
    EXPECT_EQ(p.S10A(), 0);
    EXPECT_EQ(p.TubeType(), ttDoubleU);
    EXPECT_TRUE(std::isnan(p.X()));
    EXPECT_EQ(p.Messagelist(), nullptr);
    EXPECT_FALSE(p.OnDrawModel());
}

TEST(BHERecord, AppendsTypeDataToTheBorehole)
{
    TBHE p = Template2U();
    p.SetS10A(1), p.SetS10B(2), p.SetS20A(3), p.SetS20B(4), p.SetRB(PayloadNaN(9));
    p.SetImageIndex(5), p.SetLoadProfilIndex(-1);
    TMemoryStream s;
    p.Write(s);
    TBorehole asBorehole = p;
    TMemoryStream b;
    asBorehole.Write(b);
    TBytes tail;
    tail.D(0.035).D(0.025).D(4).D(3).D(2).D(1).D(PayloadNaN(9)).I(5).I(-1);
    EXPECT_EQ(s.Data(), b.Data() + tail.Data());

    RegisterProbeStreamClasses();
    TFileVersionScope version(ProgramVersionMajor, ProgramVersionMinor);
    TMemoryStream objects;
    WriteObjectToStream(&p, objects);
    TMemoryStream in(objects.Data());
    std::unique_ptr<TBHE> r = ReadObjectFromStreamAs<TBHE>(in, "Sonde");
    EXPECT_TRUE(r->IsType(Template2U()) == false);  // RB is NaN: never a type
    EXPECT_EQ(Bits(r->RB()), Bits(PayloadNaN(9)));
    EXPECT_EQ(r->S20B(), 4);
    EXPECT_EQ(r->S10A(), 1);
    EXPECT_EQ(r->ImageIndex(), 5);
    EXPECT_EQ(r->LoadProfilIndex(), -1);
    EXPECT_EQ(r->Name(), QStringLiteral("STD 2U"));
}

TEST(BHERecord, LoadProfileIndexOnlyFromVersionTwo)
{
    TBHE p = Template2U();
    p.SetLoadProfilIndex(7);
    TMemoryStream s;
    p.Write(s);
    const QByteArray v1 = s.Data().left(s.Data().size() - 4);
    struct Case {
        int Major;
        QByteArray Data;
        int Expected;
    } cases[] = {{1, v1, 0}, {2, s.Data(), 7}};
    for (const Case& c : cases) {
        TFileVersionScope version(c.Major, 0);
        TBHE r(Blank);
        r.SetLoadProfilIndex(99);
        TMemoryStream in(c.Data);
        r.Read(in);
        EXPECT_EQ(r.LoadProfilIndex(), c.Expected) << c.Major;
        EXPECT_EQ(in.Remaining(), 0);
    }
}

TEST(BHEType, AssignTypeCopiesOnlyTypeData)
{
    TBHE t = Template2U();
    t.SetS10A(0.5), t.SetS10B(0.6), t.SetS20A(0.7), t.SetS20B(0.8), t.SetFillConduc(2.2);
    t.SetRB(0.08), t.SetImageIndex(4), t.SetDepth(200), t.SetCasingThickness(0.003);
    t.SetFillMaterial(QStringLiteral("T")), t.SetRemark(QStringLiteral("R")), t.SetLoadProfilIndex(3);
    t.SetX(1), t.SetY(2);

    TBHE p;
    p.SetName(QStringLiteral("S 1")), p.SetX(10), p.SetY(20), p.SetDepth(50), p.SetCasingThickness(0.002);
    p.SetFillMaterial(QStringLiteral("Ton")), p.SetRemark(QStringLiteral("x")), p.SetLoadProfilIndex(1);
    p.AssignType(t);
    EXPECT_EQ(p.BoringRadius(), 0.075);
    EXPECT_EQ(p.CasingRadius(), 0.0125);
    EXPECT_EQ(p.TubeX(), 0.035);
    EXPECT_EQ(p.TubeY(), 0.025);
    EXPECT_EQ(p.TubeType(), ttDoubleU);
    EXPECT_EQ(p.S10A(), 0.5);
    EXPECT_EQ(p.S10B(), 0.6);
    EXPECT_EQ(p.S20A(), 0.7);
    EXPECT_EQ(p.S20B(), 0.8);
    EXPECT_EQ(p.CasingLength(), 100);
    EXPECT_EQ(p.FillConduc(), 2.2);
    EXPECT_EQ(p.RB(), 0.08);
    EXPECT_EQ(p.ImageIndex(), 4);
    EXPECT_EQ(p.Name(), QStringLiteral("S 1"));
    EXPECT_EQ(p.X(), 10);
    EXPECT_EQ(p.Y(), 20);
    EXPECT_EQ(p.Depth(), 50);
    EXPECT_EQ(p.CasingThickness(), 0.002);
    EXPECT_EQ(p.FillMaterial(), QStringLiteral("Ton"));
    EXPECT_EQ(p.Remark(), QStringLiteral("x"));
    EXPECT_EQ(p.LoadProfilIndex(), 1);
}

TEST(BHEType, IsTypeComparesExactlyAndNaNNeverMatches)
{
    struct Case {
        const char* What;
        std::function<void(TBHE&)> Change;
        bool Expected;
    } cases[] = {
        {"unchanged", [](TBHE&) {}, true},
        {"RB", [](TBHE& p) { p.SetRB(0.1000001); }, false},
        {"BoringRadius", [](TBHE& p) { p.SetBoringRadius(0.07); }, false},
        {"CasingRadius", [](TBHE& p) { p.SetCasingRadius(0.016); }, false},
        {"TubeX", [](TBHE& p) { p.SetTubeX(0.03); }, false},
        {"TubeY", [](TBHE& p) { p.SetTubeY(0.03); }, false},
        {"TubeType", [](TBHE& p) { p.SetTubeType(ttSingleU); }, false},
        {"S10A", [](TBHE& p) { p.SetS10A(1); }, false},
        {"S10B", [](TBHE& p) { p.SetS10B(1); }, false},
        {"S20A", [](TBHE& p) { p.SetS20A(1); }, false},
        {"S20B", [](TBHE& p) { p.SetS20B(1); }, false},
        {"RB NaN", [](TBHE& p) { p.SetRB(std::nan("")); }, false},
        {"CasingLength", [](TBHE& p) { p.SetCasingLength(150); }, true},
        {"FillConduc", [](TBHE& p) { p.SetFillConduc(3); }, true},
        {"ImageIndex", [](TBHE& p) { p.SetImageIndex(7); }, true},
        {"Name and position", [](TBHE& p) { p.SetName("x"), p.SetX(1), p.SetY(2); }, true},
    };
    const TBHE type = Template2U();
    for (const Case& c : cases) {
        TBHE p;
        p.AssignType(type);
        c.Change(p);
        EXPECT_EQ(p.IsType(type), c.Expected) << c.What;
        EXPECT_EQ(type.IsType(p), c.Expected) << c.What;
    }
    TBHE unsetRadii;  // a type whose radii are not set matches nothing, not even itself
    EXPECT_FALSE(unsetRadii.IsType(unsetRadii));
}

namespace {

struct TRecordingCanvas : TCustomCanvas {
    struct TShape {
        TRect R;
        TColor Fill;
        int PenWidth;
    };
    std::vector<TShape> Ellipses;
    void Ellipse(int x1, int y1, int x2, int y2) override
    {
        Ellipses.push_back({TRect{x1, y1, x2, y2}, Brush().Color(), Pen().Width()});
    }
    void LineTo(int, int) override {}
    void Polyline(std::span<const TPoint>) override {}
    void Polygon(std::span<const TPoint>) override {}
    void Rectangle(int, int, int, int) override {}
    void FillRect(const TRect&) override {}
    void TextOut(int, int, const QString&) override {}
    TSize TextExtent(const QString&) override { return {}; }
    void StretchDraw(const TRect&, const QImage&) override {}
};

}  // namespace

TEST(BHEDraw, CrossSectionPerTubeLayout)
{
    const TColor grey = 0xC0C0C0, down = RGB(166, 202, 240), up = RGB(237, 157, 180);
    // Scale 100 px/m: borehole radius 7.5 px, tube radius 1.25 px, offsets 3.5 -> 4 and 2.5 -> 2.
    const TRect hole{42, 52, 58, 68};
    auto tube = [](int x, int y) { return TRect{RoundHalfEvenToInt(x - 1.25), RoundHalfEvenToInt(y - 1.25),
                                                RoundHalfEvenToInt(x + 1.25), RoundHalfEvenToInt(y + 1.25)}; };
    struct Case {
        TTubeType Tube;
        std::vector<std::pair<TRect, TColor>> Expected;
    } cases[] = {
        {ttSingleU, {{hole, grey}, {tube(46, 60), down}, {tube(54, 60), up}}},
        {ttDoubleU,
         {{hole, grey}, {tube(46, 58), down}, {tube(46, 62), down}, {tube(54, 58), up}, {tube(54, 62), up}}},
        {ttCoax, {{hole, grey}}},
    };
    for (const Case& c : cases) {
        TBHE p = Template2U();
        p.SetTubeType(c.Tube);
        TRecordingCanvas canvas;
        canvas.Pen().SetWidth(3);
        p.Draw(canvas, 100, 50, 60);
        ASSERT_EQ(canvas.Ellipses.size(), c.Expected.size()) << c.Tube;
        for (size_t i = 0; i < c.Expected.size(); ++i) {
            EXPECT_EQ(canvas.Ellipses[i].R, c.Expected[i].first) << c.Tube << " #" << i;
            EXPECT_EQ(canvas.Ellipses[i].Fill, c.Expected[i].second) << c.Tube << " #" << i;
            EXPECT_EQ(canvas.Ellipses[i].PenWidth, 1);
        }
    }
}

namespace {

struct TFakeDialogs : TBHEDialogs {
    bool Ok = true;
    TBHEEditData Shown;
    TBHETypeEditData ShownType;
    std::function<void(TBHEEditData&)> EditProbe;
    std::function<void(TBHETypeEditData&)> EditTypeData;
    bool EditBHE(TBHEEditData& D) override
    {
        Shown = D;
        if (EditProbe) EditProbe(D);
        return Ok;
    }
    bool EditBHEType(TBHETypeEditData& D) override
    {
        ShownType = D;
        if (EditTypeData) EditTypeData(D);
        return Ok;
    }
};

TBHE PlacedProbe()
{
    TBHE p = Template2U();
    p.SetName(QStringLiteral("S 1"));
    p.SetX(3512345.678);
    p.SetY(-12.5);
    p.SetRB(0.085);
    return p;
}

}  // namespace

TEST(BHEEdit, WithoutUserInterfaceNothingChanges)
{
    TBHE p = PlacedProbe();
    EXPECT_FALSE(p.Edit());
    EXPECT_FALSE(p.EditType());
    EXPECT_EQ(p.Name(), QStringLiteral("S 1"));
}

TEST(BHEEdit, FillsAndReadsBackInTheUsersLocale)
{
    TLocaleScope german(QLocale(QLocale::German));
    const struct {
        TTubeType Tube;
        const char* Caption;
    } captions[] = {{ttSingleU, "Einfach-U-Sonde"}, {ttDoubleU, "Doppel-U-Sonde"}, {ttCoax, "Koaxialsonde"}};
    for (const auto& c : captions) {
        TFakeDialogs fake;
        TModelUIScope<TBHEDialogs> scope(&fake);
        TBHE p = PlacedProbe();
        p.SetTubeType(c.Tube);
        fake.EditProbe = [](TBHEEditData& d) {
            d.Name = QStringLiteral("Neu");
            d.Depth = QStringLiteral("12,5");
            d.RB = QStringLiteral("0,07");
            d.X = QStringLiteral("100,25");
            d.Y = QStringLiteral("-3");
        };
        ASSERT_TRUE(p.Edit());
        EXPECT_EQ(fake.Shown.Caption, QString::fromUtf8(c.Caption));
        EXPECT_EQ(fake.Shown.Name, QStringLiteral("S 1"));
        EXPECT_EQ(fake.Shown.Depth, QStringLiteral("100"));
        EXPECT_EQ(fake.Shown.RB, QStringLiteral("0,085"));
        EXPECT_EQ(fake.Shown.X, QStringLiteral("3512345,68"));
        EXPECT_EQ(fake.Shown.Y, QStringLiteral("-12,5"));
        EXPECT_EQ(p.Name(), QStringLiteral("Neu"));
        EXPECT_EQ(p.CasingLength(), 12.5);
        EXPECT_EQ(p.RB(), 0.07);
        EXPECT_EQ(p.X(), 100.25);
        EXPECT_EQ(p.Y(), -3);
    }
}

TEST(BHEEdit, BadNumberOrCancelChangesNothing)
{
    for (const char* field : {"Depth", "RB", "X", "Y", "cancel"}) {
        TFakeDialogs fake;
        TModelUIScope<TBHEDialogs> scope(&fake);
        const QString f = QString::fromLatin1(field);
        fake.Ok = f != QStringLiteral("cancel");
        fake.EditProbe = [&](TBHEEditData& d) {
            d.Name = QStringLiteral("Neu");
            d.Depth = f == QStringLiteral("Depth") ? QStringLiteral("zwölf") : QStringLiteral("1");
            d.RB = f == QStringLiteral("RB") ? QStringLiteral("0.1x") : QStringLiteral("1");
            d.X = f == QStringLiteral("X") ? QStringLiteral("--1") : QStringLiteral("1");
            d.Y = f == QStringLiteral("Y") ? QStringLiteral("y") : QStringLiteral("1");
        };
        TBHE p = PlacedProbe();
        if (fake.Ok)
            EXPECT_THROW(p.Edit(), EConvertError) << field;
        else
            EXPECT_FALSE(p.Edit());
        EXPECT_EQ(p.Name(), QStringLiteral("S 1")) << field;
        EXPECT_EQ(p.CasingLength(), 100) << field;
        EXPECT_EQ(p.X(), 3512345.678) << field;
        EXPECT_EQ(p.Y(), -12.5) << field;
        EXPECT_EQ(p.RB(), 0.085) << field;
    }
}

TEST(BHEEdit, UnsetValuesShowEmptyAndStayUnset)
{
    TFakeDialogs fake;
    TModelUIScope<TBHEDialogs> scope(&fake);
    TBHE p;
    p.SetCasingLength(100);
    ASSERT_TRUE(p.Edit());
    EXPECT_EQ(fake.Shown.X, QString());
    EXPECT_EQ(fake.Shown.Y, QString());
    EXPECT_TRUE(std::isnan(p.X()));
    EXPECT_TRUE(std::isnan(p.Y()));
    EXPECT_EQ(p.CasingLength(), 100);
}

TEST(BHEEdit, OnlyChangedTextsAreReadBack)
{
    TLocaleScope german(QLocale(QLocale::German));
    // Values the dialog shows rounded: read back they would differ.
    auto probe = [] {
        TBHE p = PlacedProbe();
        p.SetX(12.345678901);
        p.SetY(-4.00499999);
        p.SetCasingLength(99.95);
        p.SetRB(0.0812345);
        return p;
    };
    const struct {
        const char* Case;
        std::function<void(TBHEEditData&)> Edit;
        double X, Y;
    } cases[] = {
        {"untouched", [](TBHEEditData&) {}, 12.345678901, -4.00499999},
        {"Y typed", [](TBHEEditData& d) { d.Y = QStringLiteral("7,25"); }, 12.345678901, 7.25},
        {"X typed to what it showed", [](TBHEEditData& d) { d.X = QStringLiteral("12,350"); }, 12.35, -4.00499999},
    };
    for (const auto& c : cases) {
        TFakeDialogs fake;
        TModelUIScope<TBHEDialogs> scope(&fake);
        fake.EditProbe = c.Edit;
        TBHE p = probe();
        ASSERT_TRUE(p.Edit()) << c.Case;
        EXPECT_EQ(fake.Shown.X, QStringLiteral("12,35"));
        // Bit for bit: the probe must still find its mesh node.
        const double x = p.X(), y = p.Y();
        EXPECT_EQ(std::memcmp(&x, &c.X, sizeof x), 0) << c.Case;
        EXPECT_EQ(std::memcmp(&y, &c.Y, sizeof y), 0) << c.Case;
        EXPECT_EQ(p.CasingLength(), 99.95) << c.Case;
        EXPECT_EQ(p.RB(), 0.0812345) << c.Case;
    }
}

TEST(BHEEditType, FillsAndReadsBack)
{
    TLocaleScope german(QLocale(QLocale::German));
    struct Case {
        const char* Length;
        std::optional<TTubeType> Tube;
        double ExpectedLength;
        TTubeType ExpectedTube;
    } cases[] = {
        {"80,5", ttCoax, 80.5, ttCoax},
        {"keine Zahl", ttSingleU, 100, ttSingleU},
        {"", std::nullopt, 100, ttDoubleU},
    };
    for (const Case& c : cases) {
        TFakeDialogs fake;
        TModelUIScope<TBHEDialogs> scope(&fake);
        fake.EditTypeData = [&](TBHETypeEditData& d) {
            d.Name = QStringLiteral("Typ X");
            d.RB = QStringLiteral("0,12");
            d.Length = QString::fromUtf8(c.Length);
            d.ImageIndex = 2;
            d.TubeType = c.Tube;
        };
        TBHE t = Template2U();
        ASSERT_TRUE(t.EditType());
        EXPECT_EQ(fake.ShownType.Name, QStringLiteral("STD 2U"));
        EXPECT_EQ(fake.ShownType.RB, QStringLiteral("0,1"));
        EXPECT_EQ(fake.ShownType.Length, QStringLiteral("100"));
        EXPECT_EQ(fake.ShownType.ImageIndex, -1);
        EXPECT_EQ(fake.ShownType.TubeType, std::optional<TTubeType>(ttDoubleU));
        EXPECT_EQ(t.Name(), QStringLiteral("Typ X"));
        EXPECT_EQ(t.RB(), 0.12);
        EXPECT_EQ(t.CasingLength(), c.ExpectedLength) << c.Length;
        EXPECT_EQ(t.ImageIndex(), 2);
        EXPECT_EQ(t.TubeType(), c.ExpectedTube);
    }
}

TEST(BHEEditType, BadRBChangesNothing)
{
    TFakeDialogs fake;
    TModelUIScope<TBHEDialogs> scope(&fake);
    fake.EditTypeData = [](TBHETypeEditData& d) {
        d.Name = QStringLiteral("neu");
        d.RB = QStringLiteral("abc");
        d.ImageIndex = 1;
        d.TubeType = ttCoax;
    };
    TBHE t = Template2U();
    EXPECT_THROW(t.EditType(), EConvertError);
    EXPECT_EQ(t.Name(), QStringLiteral("STD 2U"));
    EXPECT_EQ(t.ImageIndex(), -1);
    EXPECT_EQ(t.TubeType(), ttDoubleU);
    EXPECT_EQ(t.RB(), 0.1);
}
