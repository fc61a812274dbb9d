#include "TestLocale.h"
#include "FETestUtils.h"

#include "model/base/KPError.h"
#include "model/base/ModelUI.h"
#include "model/base/Versions.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace {

const double NaN = std::numeric_limits<double>::quiet_NaN();

}  // namespace

using NodeRecord = FETest;

TEST(FENode, ConstructorsSetTheirCondition)
{
    auto fixed = TNode::Create1BC(0, 0, 12.5);
    EXPECT_EQ(fixed->BorderCondition(), bc1FixedValue);
    EXPECT_EQ(fixed->F(), 12.5);
    EXPECT_EQ(fixed->FA(), 12.5);
    EXPECT_EQ(fixed->FatT0(), 0);
    auto flow = TNode::Create2BC(1, 2, -500);
    EXPECT_EQ(flow->BorderCondition(), bc2FixedFlow);
    EXPECT_EQ(flow->Q(), -500);
    auto semi = TNode::Create3BC(0, 0, 2, 10);
    semi->SetF(8);
    semi->SetQ(99);
    EXPECT_EQ(semi->Q(), 4.0);  // (FN − F) × Alpha, whatever FQ holds
    EXPECT_EQ(semi->StoredQ(), 99);
    const TNode plain(3, 4);
    EXPECT_EQ(plain.BorderCondition(), bc0None);
    EXPECT_EQ(plain.GetDistance(flow.get()), std::hypot(2.0, 2.0));
    EXPECT_EQ(plain.GetDistance(nullptr), 0);
    EXPECT_EQ(plain.D2Point(), (D2D_POINT_2F{3, 4}));
}

TEST(FENode, DumpLineIgnoresTheUserLocale)
{
    TLocaleScope german(QLocale(QLocale::German));
    TNode node(1.5, -2);
    node.SetF(10.25);
    EXPECT_EQ(node.GetTextLine(), QStringLiteral("1.5\t-2\t10.25"));
    node.SetX(1.0 / 3);
    node.SetF(1e-7);
    EXPECT_EQ(node.GetTextLine(), QStringLiteral("0.333333333333333\t-2\t1E-7"));
}

TEST(FENode, CustomValueFromDumpLine)
{
    struct Case {
        const char* line;
        bool result;
        double custom;
    };
    const Case cases[] = {
        {"1\t2\t3.5", true, 3.5},
        {"1\t2\t3.5\t99", true, 3.5},  // fields after the third are ignored
        {" 1 \t2\t-4e2", true, -400},
        {"1\t2", false, 7},            // too few fields: unchanged
        {"1\tx\t3", false, 7},         // x and y must be numbers too
        {"1\t2\t3,5", false, 7},       // never the decimal comma
        {"1\t\t3", false, 7},          // adjacent tabs give an empty field
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        TNode node(0, 0);
        node.SetFCustom(7);
        EXPECT_EQ(node.ReadFCustomFromTextLine(QString::fromLatin1(c.line)), c.result);
        EXPECT_EQ(node.FCustom(), c.custom);
    }
}

TEST_F(NodeRecord, ByteLayoutAndVersions)
{
    TNode node(1.5, -2);
    node.SetF(10);
    node.SetQ(-300);
    node.SetFN(5);
    node.SetAlpha(0.5);
    node.SetFA(9);
    node.SetFatT0(8);
    node.SetBorderCondition(bc2FixedFlow);
    node.SetQGW(3);
    node.SetEdgeOfMesh(true);
    TMemoryStream s;
    node.Write(s);
    ASSERT_EQ(s.Data().size(), 8 * 7 + 1 + 8);
    const double expected[] = {10, 1.5, -2, -300, 5, 0.5, 9};
    for (int i = 0; i < 7; ++i) {
        double v;
        memcpy(&v, s.Data().constData() + 8 * i, 8);
        EXPECT_EQ(v, expected[i]) << i;
    }
    EXPECT_EQ(s.Data()[56], char(bc2FixedFlow));

    struct Case {
        int major, minor;
        bool hasFatT0;
    };
    for (const Case& c : {Case{2, 1, true}, Case{1, 2, true}, Case{1, 1, false}}) {
        SCOPED_TRACE(c.minor + 10 * c.major);
        TFileVersionScope version(c.major, c.minor);
        QByteArray data = s.Data();
        if (!c.hasFatT0) data.chop(8);
        TMemoryStream in(data);
        TNode read(Blank);
        read.Read(in);
        EXPECT_EQ(in.Remaining(), 0);
        EXPECT_EQ(read.F(), 10);
        EXPECT_EQ(read.X(), 1.5);
        EXPECT_EQ(read.Y(), -2);
        EXPECT_EQ(read.StoredQ(), -300);
        EXPECT_EQ(read.FN(), 5);
        EXPECT_EQ(read.Alpha(), 0.5);
        EXPECT_EQ(read.FA(), 9);
        EXPECT_EQ(read.BorderCondition(), bc2FixedFlow);
        EXPECT_EQ(read.FatT0(), c.hasFatT0 ? 8 : 10);
        EXPECT_EQ(read.FCustom(), 10);
        EXPECT_EQ(read.QGW(), 0);
        EXPECT_FALSE(read.EdgeOfMesh());
    }
    // A condition byte beyond the last kind is no node record.
    QByteArray bad = s.Data();
    bad[56] = 4;
    TMemoryStream in(bad);
    TNode read(Blank);
    EXPECT_THROW(read.Read(in), EReadError);
    TMemoryStream shortStream(s.Data().left(30));
    EXPECT_THROW(read.Read(shortStream), EReadError);
}

TEST(FENode, PointInPolygon)
{
    const D2D_POINT_2F triangle[] = {{0, 0}, {1, 0}, {0, 1}};
    EXPECT_TRUE(PointInPolygon(triangle, {0.2f, 0.2f}));
    EXPECT_FALSE(PointInPolygon(triangle, {1, 1}));
    EXPECT_FALSE(PointInPolygon(triangle, {-0.1f, 0.2f}));
    EXPECT_FALSE(PointInPolygon(std::span(triangle, 2), {0.2f, 0.2f}));
    const D2D_POINT_2F square[] = {{0, 0}, {2, 0}, {2, 2}, {0, 2}};
    EXPECT_TRUE(PointInPolygon(square, {1.9f, 1.9f}));
}

// ---------------------------------------------------------------------------

namespace {

class FakeParameterDialog : public TParameterSetDialogs {
public:
    bool EditParameterSet(TParameterSetEditData& Data) override
    {
        Shown = Data;
        if (!Ok) return false;
        Data = Answer;
        return true;
    }
    bool Ok = true;
    TParameterSetEditData Shown;
    TParameterSetEditData Answer;
};

}  // namespace

TEST(FEParameterSet, NewSetHasNothingSet)
{
    TParameterSet set(QStringLiteral("Lehm"), 0x00FF00);
    EXPECT_EQ(set.Name(), QStringLiteral("Lehm"));
    EXPECT_EQ(set.Color(), 0x00FF00u);
    for (double v : {set.T(), set.Storage(), set.Thickness(), set.Leakage(), set.Infiltration()}) EXPECT_TRUE(std::isnan(v));
}

TEST_F(NodeRecord, ParameterSetRecord)
{
    TParameterSet set(QStringLiteral("Kies"), 0x123456);
    set.SetT(2);
    set.SetStorage(2.2);
    set.SetInfiltration(0.06);
    set.SetThickness(100);
    TMemoryStream s;
    set.Write(s);
    // Name (Int32 count + UTF-16), colour, then T, Storage, Thickness, Infiltration, Leakage.
    const int nameBytes = 4 + 2 * 4;
    ASSERT_EQ(s.Data().size(), nameBytes + 4 + 5 * 8);
    const double expected[] = {2, 2.2, 100, 0.06};
    for (int i = 0; i < 4; ++i) {
        double v;
        memcpy(&v, s.Data().constData() + nameBytes + 4 + 8 * i, 8);
        EXPECT_EQ(v, expected[i]);
    }
    TMemoryStream in(s.Data());
    TParameterSet read(Blank);
    read.Read(in);
    EXPECT_EQ(read.Name(), QStringLiteral("Kies"));
    EXPECT_EQ(read.Color(), 0x123456u);
    EXPECT_EQ(read.Thickness(), 100);
    EXPECT_TRUE(std::isnan(read.Leakage()));
}

TEST(FEParameterSet, EditExchangesLocaleTexts)
{
    TLocaleScope german(QLocale(QLocale::German));
    TParameterSet set(QStringLiteral("A"), 1);
    set.SetT(2.5);
    FakeParameterDialog dialog;
    TModelUIScope<TParameterSetDialogs> scope(&dialog);

    dialog.Ok = false;
    EXPECT_FALSE(set.Edit());
    EXPECT_EQ(dialog.Shown.T, QStringLiteral("2,5"));
    EXPECT_EQ(dialog.Shown.Storage, QString());

    dialog.Ok = true;
    dialog.Answer = TParameterSetEditData{QStringLiteral("B"), 7, QStringLiteral("1,5"), QStringLiteral("2"),
                                          QStringLiteral("50"), QString(), QStringLiteral("0,05")};
    EXPECT_TRUE(set.Edit());
    EXPECT_EQ(set.Name(), QStringLiteral("B"));
    EXPECT_EQ(set.Color(), 7u);
    EXPECT_EQ(set.T(), 1.5);
    EXPECT_EQ(set.Storage(), 2);
    EXPECT_EQ(set.Thickness(), 50);
    EXPECT_TRUE(std::isnan(set.Leakage()));
    EXPECT_EQ(set.Infiltration(), 0.05);

    // A text that is no number changes nothing at all.
    dialog.Answer.Name = QStringLiteral("C");
    dialog.Answer.Thickness = QStringLiteral("viel");
    EXPECT_ANY_THROW(set.Edit());
    EXPECT_EQ(set.Name(), QStringLiteral("B"));
    EXPECT_EQ(set.Thickness(), 50);
}
