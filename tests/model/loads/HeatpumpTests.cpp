#include "model/base/KPError.h"
#include "model/base/ModelUI.h"
#include "model/base/StreamStrings.h"
#include "model/base/Versions.h"
#include "model/loads/HeatpumpDialogs.h"
#include "model/loads/HeatpumpObj.h"
#include "model/loads/LoadObject.h"
#include "model/loads/LoadStreamClasses.h"

#include "TestPrinters.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <cmath>
#include <functional>
#include <limits>

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

class HeatpumpTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterLoadStreamClasses(); }
};

QByteArray Record(THeatpump& H)
{
    TMemoryStream s;
    H.Write(s);
    return s.Data();
}

TEST_F(HeatpumpTest, LineValues)
{
    const TCharline fixed(QStringLiteral("s"), 0.5, 12, true);
    EXPECT_EQ(12, fixed.Value(-5));
    EXPECT_EQ(12, fixed.Value(25));

    const std::unique_ptr<THeatpump> h = CreateExampleHeatpump();
    struct Case {
        double Brine, COP, Power, CoolCOP, CoolPower;
    } cases[] = {{0, 4.6, 14.5, 9.0, 20.0}, {10, 5.6, 18.0, 7.0, 18.5}};
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(c.COP, h->COP()->Value(c.Brine));
        EXPECT_DOUBLE_EQ(c.Power, h->HeatPower()->Value(c.Brine));
        EXPECT_DOUBLE_EQ(c.CoolCOP, h->CoolCOP()->Value(c.Brine));
        EXPECT_DOUBLE_EQ(c.CoolPower, h->CoolPower()->Value(c.Brine));
    }
    EXPECT_EQ(QStringLiteral("Example Heatpump"), h->Name());
    EXPECT_EQ(35, h->WaterTemperature());
    EXPECT_EQ(18, h->CoolWaterTemperature());
    EXPECT_EQ(QStringLiteral("COP"), h->COP()->Name());
    EXPECT_EQ(QStringLiteral("Heizleistung [kW]"), h->HeatPower()->Name());
    EXPECT_EQ(QStringLiteral("COP Cooling"), h->CoolCOP()->Name());
    EXPECT_EQ(QStringLiteral("Kühlleistung"), h->CoolPower()->Name());
    for (const TCharline* l : {h->COP(), h->HeatPower(), h->CoolCOP(), h->CoolPower()}) EXPECT_FALSE(l->IsStatic());
}

TEST_F(HeatpumpTest, NewListEntryDefaults)
{
    THeatPumplist list;
    THeatpump* h = list.AddHeatPump();
    ASSERT_EQ(1, list.Count());
    EXPECT_EQ(h, list.Heatpump(0));
    EXPECT_TRUE(h->Name().isEmpty());
    EXPECT_EQ(40, h->WaterTemperature());
    EXPECT_EQ(4.0, h->COP()->Value(7));
    EXPECT_EQ(10.0, h->HeatPower()->Value(7));
    EXPECT_EQ(-0.2, h->CoolCOP()->A());
    EXPECT_EQ(9.0, h->CoolCOP()->B());
    EXPECT_EQ(-0.15, h->CoolPower()->A());
    EXPECT_EQ(20.0, h->CoolPower()->B());
    EXPECT_EQ(18, h->CoolWaterTemperature());
}

TEST_F(HeatpumpTest, MatchComparesEveryValue)
{
    using TChange = std::function<void(THeatpump&)>;
    struct Case {
        const char* What;
        TChange Change;
        bool MatchesOriginal;
    } cases[] = {
        {"nothing", [](THeatpump&) {}, true},
        {"name", [](THeatpump& h) { h.SetName(QStringLiteral("example heatpump")); }, false},
        {"water temperature", [](THeatpump& h) { h.SetWaterTemperature(35.0000001); }, false},
        {"cooling water temperature", [](THeatpump& h) { h.SetCoolWaterTemperature(17); }, false},
        {"name of a line", [](THeatpump& h) { h.CoolPower()->SetName(QStringLiteral("x")); }, false},
        {"slope", [](THeatpump& h) { h.COP()->SetA(0.11); }, false},
        {"intercept", [](THeatpump& h) { h.HeatPower()->SetB(14); }, false},
        {"static flag", [](THeatpump& h) { h.CoolCOP()->SetIsStatic(true); }, false},
        {"water temperature unset", [](THeatpump& h) { h.SetWaterTemperature(NaN); }, false},
        {"slope unset", [](THeatpump& h) { h.COP()->SetA(NaN); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        const std::unique_ptr<THeatpump> changed = CreateExampleHeatpump();
        c.Change(*changed);
        // Every heat pump matches its copy, unset values included.
        THeatpump copy(Blank);
        copy.Assign(changed.get());
        EXPECT_TRUE(changed->Match(&copy));
        const std::unique_ptr<THeatpump> original = CreateExampleHeatpump();
        EXPECT_EQ(c.MatchesOriginal, original->Match(changed.get()));
        EXPECT_EQ(c.MatchesOriginal, changed->Match(original.get()));
    }
    EXPECT_FALSE(CreateExampleHeatpump()->Match(nullptr));
}

TEST_F(HeatpumpTest, AssignCopiesEverything)
{
    const std::unique_ptr<THeatpump> a = CreateExampleHeatpump();
    a->COP()->SetIsStatic(true);
    THeatpump b(QStringLiteral("b"), 1, 2, 3, 4, 5, 6, 7, 8, 9, 10);
    b.Assign(a.get());
    EXPECT_EQ(Record(*a).toHex(), Record(b).toHex());
    b.Assign(nullptr);
    EXPECT_EQ(Record(*a).toHex(), Record(b).toHex());
}

TEST_F(HeatpumpTest, AddIfNotExits)
{
    THeatPumplist list;
    list.AddHeatPump();
    const std::unique_ptr<THeatpump> h = CreateExampleHeatpump();
    THeatpump* added = list.AddIfNotExits(h.get());
    ASSERT_EQ(2, list.Count());
    EXPECT_NE(h.get(), added);
    EXPECT_TRUE(added->Match(h.get()));
    EXPECT_EQ(added, list.AddIfNotExits(h.get()));
    EXPECT_EQ(2, list.Count());

    // An unset value does not make the heat pump new on every call.
    h->SetWaterTemperature(NaN);
    THeatpump* unset = list.AddIfNotExits(h.get());
    EXPECT_EQ(unset, list.AddIfNotExits(h.get()));
    EXPECT_EQ(3, list.Count());
    EXPECT_EQ(nullptr, list.AddIfNotExits(nullptr));
    EXPECT_EQ(3, list.Count());
}

TEST_F(HeatpumpTest, RecordLayout)
{
    THeatpump h(QStringLiteral("W"), 35, 0.1, 4.6, 0.35, 14.5, -0.2, 9, -0.15, 20, 18);
    h.HeatPower()->SetIsStatic(true);
    TMemoryStream expected;
    auto line = [&](const char* Name, double A, double B, bool Static) {
        WriteStringToStream(expected, QString::fromUtf8(Name));
        expected.WriteDouble(A);
        expected.WriteDouble(B);
        expected.WriteBoolean(Static);
    };
    WriteStringToStream(expected, QStringLiteral("W"));
    expected.WriteDouble(35);
    line("COP", 0.1, 4.6, false);
    line("Heizleistung [kW]", 0.35, 14.5, true);
    expected.WriteDouble(18);
    line("COP Cooling", -0.2, 9, false);
    line("Kühlleistung", -0.15, 20, false);
    EXPECT_EQ(expected.Data().toHex(), Record(h).toHex());
}

// Files before 1.2 have no cooling side: it reads as zeroed lines with empty names.
TEST_F(HeatpumpTest, VersionGatedCoolingSide)
{
    const std::unique_ptr<THeatpump> h = CreateExampleHeatpump();
    const QByteArray full = Record(*h);
    struct Case {
        int Major, Minor;
        bool Cooling;
    } cases[] = {{1, 1, false}, {1, 2, true}, {2, 0, true}, {2, 1, true}, {0, 9, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(QStringLiteral("%1.%2").arg(c.Major).arg(c.Minor).toStdString());
        TFileVersionScope version(c.Major, c.Minor);
        // An old record ends after the heating-power line.
        const int oldSize = 4 + 2 * 16 + 8 + (4 + 6 + 17) + (4 + 34 + 17);
        TMemoryStream s((c.Cooling ? full : full.left(oldSize)) + QByteArray("\x01\x02\x03\x04", 4));
        THeatpump read(Blank);
        read.Read(s);
        EXPECT_EQ(0x04030201, s.ReadInt32()) << "record not consumed exactly";
        EXPECT_EQ(h->Name(), read.Name());
        EXPECT_TRUE(read.COP()->Match(h->COP()));
        EXPECT_TRUE(read.HeatPower()->Match(h->HeatPower()));
        EXPECT_EQ(c.Cooling, read.Match(h.get()));
        if (!c.Cooling) {
            EXPECT_EQ(0, read.CoolWaterTemperature());
            for (const TCharline* l : {read.CoolCOP(), read.CoolPower()}) {
                EXPECT_TRUE(l->Name().isEmpty());
                EXPECT_EQ(0, l->A());
                EXPECT_EQ(0, l->B());
                EXPECT_FALSE(l->IsStatic());
            }
        }
    }
}

TEST_F(HeatpumpTest, TruncatedRecordChangesNothing)
{
    TFileVersionScope version(ProgramVersionMajor, ProgramVersionMinor);
    const QByteArray full = Record(*CreateExampleHeatpump());
    THeatpump h(QStringLiteral("bleibt"), 1, 2, 3, 4, 5, 6, 7, 8, 9, 10);
    const QByteArray before = Record(h);
    for (int n = 0; n < full.size(); ++n) {
        TMemoryStream s(full.left(n));
        EXPECT_THROW(h.Read(s), EReadError) << n;
    }
    EXPECT_EQ(before.toHex(), Record(h).toHex());
}

class HeatpumpFileTest : public HeatpumpTest {
protected:
    QString FileIn(const char* Path) const { return QDir(FDir.path()).filePath(QString::fromUtf8(Path)); }
    QTemporaryDir FDir;
};

// Written into a folder that does not exist yet, read back with the file
// version globals still at their start values.
TEST_F(HeatpumpFileTest, ListFileRoundTrip)
{
    THeatPumplist list;
    list.Add(CreateExampleHeatpump());
    list.AddHeatPump()->SetName(QStringLiteral("Sole/Wasser ÄÖÜ"));
    list.AddHeatPump()->SetWaterTemperature(NaN);
    const QString file = FileIn("Mirvatek/neu/heatpumps.kph");
    list.SaveToFile(file);

    QFile raw(file);
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    TMemoryStream head(raw.readAll().left(5 + 4 + 18));
    EXPECT_EQ(1, head.ReadByte());
    EXPECT_EQ(3, head.ReadInt32());
    EXPECT_EQ(QStringLiteral("THeatpump"), ReadStringFromStream(head));

    TFileVersionScope atStart(0, 0);
    const std::unique_ptr<THeatPumplist> back = THeatPumplist::CreateFromFile(file);
    EXPECT_EQ(0, FileVersionMajor);
    EXPECT_EQ(0, FileVersionMinor);
    ASSERT_EQ(3, back->Count());
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(back->Heatpump(i)->Match(list.Heatpump(i))) << i;
}

TEST_F(HeatpumpFileTest, BadListFilesChangeNothing)
{
    THeatPumplist good;
    good.Add(CreateExampleHeatpump());
    TMemoryStream complete;
    good.WriteData(complete);

    TMemoryStream foreign;
    foreign.WriteByte(1);
    foreign.WriteInt32(1);
    TPowerPoint point(1, 2);
    WriteObjectToStream(&point, foreign);

    TMemoryStream unknown;
    unknown.WriteByte(1);
    unknown.WriteInt32(1);
    WriteStringToStream(unknown, QStringLiteral("TGibtEsNicht"));

    struct Case {
        const char* What;
        QByteArray Bytes;
    } cases[] = {
        {"truncated", complete.Data().left(complete.Data().size() - 1)},
        {"count beyond the file", QByteArray("\x01\xff\xff\x00\x00", 5)},
        {"not a heat pump", foreign.Data()},
        {"unregistered class", unknown.Data()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        const QString file = FileIn("bad.kph");
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(c.Bytes);
        f.close();
        THeatPumplist list;
        list.AddHeatPump();
        TFileVersionScope before(1, 0);
        EXPECT_THROW(list.LoadFromFile(file), EKPError);
        EXPECT_EQ(1, list.Count());
        EXPECT_EQ(1, FileVersionMajor) << "version globals restored";
        EXPECT_EQ(0, FileVersionMinor);
    }
    THeatPumplist list;
    EXPECT_THROW(list.LoadFromFile(FileIn("fehlt.kph")), EFileError);
}

// A dialog that shows what it got and answers with prepared texts.
class TFakeHeatpumpDialog : public THeatpumpDialogs {
public:
    int EditHeatpump(THeatpumpEditData& Data) override
    {
        Shown = Data;
        if (Answer) Answer(Data);
        return Result;
    }
    THeatpumpEditData Shown;
    std::function<void(THeatpumpEditData&)> Answer;
    int Result = mrOk;
};

class HeatpumpEditTest : public HeatpumpTest {
protected:
    void SetUp() override
    {
        HeatpumpTest::SetUp();
        QLocale::setDefault(QLocale(QLocale::German));
    }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }
    TFakeHeatpumpDialog FDialog;
    TModelUIScope<THeatpumpDialogs> FScope{&FDialog};
};

TEST_F(HeatpumpEditTest, FillsTheDialogInTheUsersLocale)
{
    const std::unique_ptr<THeatpump> h = CreateExampleHeatpump();
    h->SetCoolWaterTemperature(NaN);
    h->COP()->SetB(1.0 / 3);
    FDialog.Result = THeatpumpDialogs::mrCancel;
    EXPECT_EQ(THeatpumpDialogs::mrCancel, h->Edit());
    const THeatpumpEditData& d = FDialog.Shown;
    EXPECT_EQ(QStringLiteral("Example Heatpump"), d.Name);
    EXPECT_EQ(QStringLiteral("35"), d.WaterTemp);
    EXPECT_EQ(QStringLiteral("0,35"), d.PowerA);
    EXPECT_EQ(QStringLiteral("14,5"), d.PowerB);
    EXPECT_EQ(QStringLiteral("0,1"), d.COPA);
    EXPECT_EQ(QStringLiteral("0,333333333333333"), d.COPB);
    EXPECT_EQ(QStringLiteral("-0,15"), d.CoolPowerA);
    EXPECT_EQ(QStringLiteral("20"), d.CoolPowerB);
    EXPECT_EQ(QStringLiteral("-0,2"), d.CoolCOPA);
    EXPECT_EQ(QStringLiteral("9"), d.CoolCOPB);
    EXPECT_EQ(QStringLiteral("NAN"), d.CoolWaterTemp);
}

TEST_F(HeatpumpEditTest, TakesNumbersBackOnOk)
{
    const std::unique_ptr<THeatpump> h = CreateExampleHeatpump();
    FDialog.Answer = [](THeatpumpEditData& d) {
        d.Name = QStringLiteral("Neu");
        d.WaterTemp = QStringLiteral("45,5");
        d.PowerA = QStringLiteral("0,4");
        d.PowerB = QStringLiteral("kein");  // keeps 14.5
        d.COPA = QString();                 // keeps 0.1
        d.COPB = QStringLiteral("5");
        d.CoolWaterTemp = QStringLiteral("16");
        d.CoolPowerA = QStringLiteral("-0,1");
        d.CoolPowerB = QStringLiteral("22");
        d.CoolCOPA = QStringLiteral("-0,3");
        d.CoolCOPB = QStringLiteral("1.000,5");  // keeps 9
    };
    h->HeatPower()->SetIsStatic(true);
    EXPECT_EQ(THeatpumpDialogs::mrOk, h->Edit());
    EXPECT_EQ(QStringLiteral("Neu"), h->Name());
    EXPECT_EQ(45.5, h->WaterTemperature());
    EXPECT_EQ(0.4, h->HeatPower()->A());
    EXPECT_EQ(14.5, h->HeatPower()->B());
    EXPECT_TRUE(h->HeatPower()->IsStatic());
    EXPECT_EQ(QStringLiteral("Heizleistung [kW]"), h->HeatPower()->Name());
    EXPECT_EQ(0.1, h->COP()->A());
    EXPECT_EQ(5, h->COP()->B());
    EXPECT_EQ(16, h->CoolWaterTemperature());
    EXPECT_EQ(-0.1, h->CoolPower()->A());
    EXPECT_EQ(22, h->CoolPower()->B());
    EXPECT_EQ(-0.3, h->CoolCOP()->A());
    EXPECT_EQ(9, h->CoolCOP()->B());
}

TEST_F(HeatpumpEditTest, CancelAndHeadlessChangeNothing)
{
    const std::unique_ptr<THeatpump> h = CreateExampleHeatpump();
    const QByteArray before = Record(*h);
    FDialog.Answer = [](THeatpumpEditData& d) { d.Name = QStringLiteral("verworfen"); };
    FDialog.Result = THeatpumpDialogs::mrCancel;
    EXPECT_EQ(THeatpumpDialogs::mrCancel, h->Edit());
    EXPECT_EQ(before.toHex(), Record(*h).toHex());
    TModelUIScope<THeatpumpDialogs> headless(nullptr);
    EXPECT_EQ(THeatpumpDialogs::mrCancel, h->Edit());
    EXPECT_EQ(before.toHex(), Record(*h).toHex());
}

TEST_F(HeatpumpTest, CoefficientsFromTwoPoints)
{
    double a = -1, b = -1;
    EXPECT_TRUE(CharlineCoefficients(0, 4.6, 10, 5.6, a, b));
    EXPECT_NEAR(0.1, a, 1e-12);
    EXPECT_NEAR(4.6, b, 1e-12);
    a = b = -1;
    EXPECT_FALSE(CharlineCoefficients(5, 1, 5, 2, a, b));
    EXPECT_FALSE(CharlineCoefficients(5, 1, 5, 1, a, b));
    EXPECT_EQ(-1, a);
    EXPECT_EQ(-1, b);
}

}  // namespace
