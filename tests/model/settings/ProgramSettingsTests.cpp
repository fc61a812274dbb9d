#include "SettingsTestHelpers.h"

#include "model/base/KPError.h"
#include "model/base/ModelUI.h"
#include "model/settings/KPSettings.h"
#include "model/settings/RegistryIniFile.h"
#include "model/settings/SettingsDialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

const QString Key = RegistryBasePath;

class ProgramSettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearSettingsStores();
        ResetProgramSettings();
    }
    void TearDown() override { ResetProgramSettings(); }
};

// Every stored setting set to a value other than its default.
void SetEveryValue()
{
    BHESize = 6.5f;
    NodeSize = 2.25f;
    BHETypesFile = "/daten/typen.xml";
    HeatpumpsFile = "/daten/wp.kph";
    DefaultLambda = 2.7;
    DefaultRhoCP = 2.1;
    NodeBHERadialDist = 0.8;
    TriangleLocation = "/opt/triangle";
    TriangleParameter = "-pq30a";
    TempDir = "/var/tmp/kp";
    WarnOnEmptyAutosave = false;
    DataDir = "/daten";
    PDFEnable = true;
    PDFDriver = "PDF-Drucker";
    PrintMargins = TRect{205, 151, 99, 300};
    DrawFrame = false;
    CompanyLines = QStringList{"Ingenieurbüro Müller", "Hauptstraße 1", "Köln"};
    CompanyFont.SetFontName("Verdana");
    CompanyFont.SetSize(11);
    CompanyFont.SetItalic(true);
    CompanyFont.SetColor(0x336699);
    LogoStyle = 2;
    LogoFile = "/daten/logo.png";
}

void ExpectEveryValue()
{
    EXPECT_EQ(BHESize, 6.5f);
    EXPECT_EQ(NodeSize, 2.25f);
    EXPECT_EQ(BHETypesFile, "/daten/typen.xml");
    EXPECT_EQ(HeatpumpsFile, "/daten/wp.kph");
    EXPECT_EQ(DefaultLambda, 2.7);
    EXPECT_EQ(DefaultRhoCP, 2.1);
    EXPECT_EQ(NodeBHERadialDist, 0.8);
    EXPECT_EQ(TriangleLocation, "/opt/triangle");
    EXPECT_EQ(TriangleParameter, "-pq30a");
    EXPECT_EQ(TempDir, "/var/tmp/kp");
    EXPECT_FALSE(WarnOnEmptyAutosave);
    EXPECT_EQ(DataDir, "/daten");
    EXPECT_TRUE(PDFEnable);
    EXPECT_EQ(PDFDriver, "PDF-Drucker");
    EXPECT_EQ(PrintMargins, (TRect{205, 151, 99, 300}));
    EXPECT_FALSE(DrawFrame);
    EXPECT_EQ(CompanyLines, (QStringList{"Ingenieurbüro Müller", "Hauptstraße 1", "Köln"}));
    EXPECT_EQ(CompanyFont.FontName(), "Verdana");
    EXPECT_EQ(CompanyFont.Size(), 11);
    EXPECT_TRUE(CompanyFont.Italic());
    EXPECT_FALSE(CompanyFont.Bold());
    EXPECT_EQ(CompanyFont.Color(), 0x336699);
    EXPECT_EQ(LogoStyle, 2);
    EXPECT_EQ(LogoFile, "/daten/logo.png");
}

void ExpectDefaults()
{
    EXPECT_EQ(BHESize, 4.0f);
    EXPECT_EQ(NodeSize, 4.0f);
    const QString listFolder =
        QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)).filePath("Mirvatek");
    EXPECT_EQ(BHETypesFile, QDir(listFolder).filePath("bhetypes.xml"));
    EXPECT_EQ(HeatpumpsFile, QDir(listFolder).filePath("heatpumps.kph"));
    EXPECT_EQ(DefaultLambda, 2.0);
    EXPECT_EQ(DefaultRhoCP, 2.5);
    EXPECT_EQ(NodeBHERadialDist, 1.0);
    EXPECT_EQ(TriangleLocation, QDir(QCoreApplication::applicationDirPath()).filePath("triangle"));
    EXPECT_EQ(TriangleParameter, "-pqa");
    EXPECT_EQ(TempDir, QDir(QDir::tempPath()).filePath("KP"));
    EXPECT_TRUE(WarnOnEmptyAutosave);
    EXPECT_EQ(DataDir, "");
    EXPECT_FALSE(PDFEnable);
    EXPECT_EQ(PDFDriver, "");
    EXPECT_EQ(PrintMargins, (TRect{200, 150, 100, 150}));
    EXPECT_TRUE(DrawFrame);
    EXPECT_FALSE(LogMouseWheel);
    EXPECT_TRUE(CompanyLines.isEmpty());
    EXPECT_EQ(CompanyFont, Streamft::TStreamFont());
    EXPECT_EQ(LogoStyle, 0);
    EXPECT_EQ(LogoFile, "");
    EXPECT_EQ(DashHPMax, 20);
    EXPECT_EQ(DashCOPMax, 8);
    EXPECT_EQ(DashElecMax, 20);
    EXPECT_EQ(DashHPSeg, 10);
    EXPECT_EQ(DashCOPSeg, 5);
    EXPECT_EQ(DashElecSeg, 10);
}

TEST_F(ProgramSettingsTest, EmptyStoreGivesTheDefaults)
{
    EXPECT_EQ(ProgramSettings().RegPath(), "Software\\Mirvatek\\KP\\2.0");
    ExpectDefaults();
    EXPECT_EQ(GridOpacity, 0.4f);
    EXPECT_EQ(MapOpacity, 0.8f);
    EXPECT_EQ(ElementColor, 0x8CB4D2u);
    EXPECT_EQ(HoverColor, 0x008CFFu);
    EXPECT_TRUE(ShowExampleList);
    EXPECT_EQ(ExportMegapixels, 8);
    // Nothing was created by reading.
    EXPECT_FALSE(TRegistryIniFile(Key).KeyExists());
    EXPECT_FALSE(QFileInfo::exists(TempDir));
}

TEST_F(ProgramSettingsTest, WriteThenReadReturnsEveryValue)
{
    ProgramSettings();
    SetEveryValue();
    ProgramSettings().WriteSettings();
    ResetProgramSettings();
    ExpectDefaults();
    ProgramSettings();
    ExpectEveryValue();
}

TEST_F(ProgramSettingsTest, ValuesAreKeptWithTheirTypes)
{
    TProgramSettings settings("Software\\Mirvatek\\KP\\2.0");
    SetEveryValue();
    settings.WriteSettings();
    struct Case {
        const char* Key;
        const char* Text;
    } cases[] = {{"2.0/Appearance/BHE_Size", "6.5"},  {"2.0/Model/Lambda", "2.7"},
                 {"2.0/Model/RhoCP", "2.1"},           {"2.0/Program/PDFEnable", "1"},
                 {"2.0/Program/DrawFrame", "0"},       {"2.0/Program/MarginLeft", "205"},
                 {"2.0/Company/Company0", "Ingenieurbüro Müller"}, {"2.0/Fonts/CompanySize", "11"},
                 {"2.0/Fonts/CompanyItalic", "1"},     {"2.0/Report/LogoStyle", "2"}};
    for (const Case& c : cases) EXPECT_EQ(StoredValue(c.Key).toString(), QString::fromUtf8(c.Text)) << c.Key;
}

TEST_F(ProgramSettingsTest, WriteOrder)
{
    ProgramSettings();
    CompanyLines = QStringList{"a", "b"};
    TMemIniFile ini;
    ProgramSettings().WriteSettings(ini);
    const QStringList expected = {
        "W Appearance\\BHE_Size", "W Appearance\\NodeSize", "W Model\\BHE_Types", "W Model\\Heatpumps",
        "W Model\\Lambda", "W Model\\RhoCP", "W Model\\NodeBHERadialDist", "W Triangle\\Location",
        "W Triangle\\Parameter", "W Program\\TempDir", "W Program\\DataDir", "W Program\\WarnOnEmptyAutosave",
        "W Program\\PDFEnable", "W Program\\PDFDriver", "W Program\\MarginLeft", "W Program\\MarginTop",
        "W Program\\MarginRight", "W Program\\MarginBottom", "W Program\\DrawFrame", "E Company",
        "W Company\\Company0", "W Company\\Company1", "W Fonts\\CompanyName", "W Fonts\\CompanySize",
        "W Fonts\\CompanyBold", "W Fonts\\CompanyItalic", "W Fonts\\CompanyUnderLine", "W Fonts\\CompanyStrikeOut",
        "W Fonts\\CompanyColor", "W Report\\LogoStyle", "W Report\\LogoFile"};
    EXPECT_EQ(ini.Log, expected);

    TMemIniFile dash;
    ProgramSettings().WriteInstrumentScaling(dash);
    EXPECT_EQ(dash.Log, (QStringList{"W Dashboard\\HP_Max", "W Dashboard\\COP_Max", "W Dashboard\\Elec_Max",
                                     "W Dashboard\\HP_Seg", "W Dashboard\\COP_Seg", "W Dashboard\\Elec_Seg"}));
}

TEST_F(ProgramSettingsTest, InstrumentScalingIsWrittenApart)
{
    ProgramSettings();
    DashHPMax = 35;
    DashCOPSeg = 7;
    ProgramSettings().WriteSettings();
    EXPECT_FALSE(StoredValue("2.0/Dashboard/HP_Max").isValid());

    ProgramSettings().WriteInstrumentScaling();
    EXPECT_EQ(StoredValue("2.0/Dashboard/HP_Max").toString(), "35");
    ResetProgramSettings();
    ProgramSettings();
    EXPECT_EQ(DashHPMax, 35);
    EXPECT_EQ(DashCOPSeg, 7);
    EXPECT_EQ(DashElecSeg, 10);
}

TEST_F(ProgramSettingsTest, CompanyLinesShrinkAndKeepTheirOrder)
{
    ProgramSettings();
    CompanyLines = QStringList{"eins", "zwei", "drei"};
    ProgramSettings().WriteSettings();
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, "Mirvatek", "KP");
    s.beginGroup("2.0/Company");
    EXPECT_EQ(s.childKeys(), (QStringList{"Company0", "Company1", "Company2"}));
    s.endGroup();

    CompanyLines = QStringList{"nur eine"};
    ProgramSettings().WriteSettings();
    s.sync();
    s.beginGroup("2.0/Company");
    EXPECT_EQ(s.childKeys(), QStringList{"Company0"});
    s.endGroup();
    ProgramSettings().ReadSettings();
    EXPECT_EQ(CompanyLines, QStringList{"nur eine"});

    QStringList twelve;
    for (int i = 0; i < 12; ++i) twelve << QString("Zeile %1").arg(i);
    CompanyLines = twelve;
    ProgramSettings().WriteSettings();
    CompanyLines.clear();
    ProgramSettings().ReadSettings();
    EXPECT_EQ(CompanyLines, twelve);
}

TEST_F(ProgramSettingsTest, MissingCompanySectionEmptiesTheLines)
{
    ProgramSettings();
    CompanyLines = QStringList{"alt"};
    ProgramSettings().ReadSettings();
    EXPECT_TRUE(CompanyLines.isEmpty());
}

TEST_F(ProgramSettingsTest, ValuesOfTheWrongTypeFallBackToTheirDefaults)
{
    struct Case {
        const char* Key;
        QVariant Value;
    } cases[] = {{"2.0/Model/Lambda", "zwei"},           {"2.0/Appearance/BHE_Size", "gross"},
                 {"2.0/Program/MarginLeft", "2,5"},      {"2.0/Program/DrawFrame", "ja"},
                 {"2.0/Dashboard/HP_Seg", "viele"},      {"2.0/Model/RhoCP", QByteArray("\x01\x02")},
                 {"2.0/Program/TempDir", QByteArray("\x01\x02\x03")}};
    for (const Case& c : cases) StoreValue(c.Key, c.Value);
    StoreValue("2.0/Program/MarginTop", "180");
    ProgramSettings();
    EXPECT_EQ(DefaultLambda, 2.0);
    EXPECT_EQ(BHESize, 4.0f);
    EXPECT_EQ(PrintMargins, (TRect{200, 180, 100, 150}));
    EXPECT_TRUE(DrawFrame);
    EXPECT_EQ(DashHPSeg, 10);
    EXPECT_EQ(DefaultRhoCP, 2.5);
    EXPECT_EQ(TempDir, QDir(QDir::tempPath()).filePath("KP"));
}

TEST_F(ProgramSettingsTest, BinaryDoublesAreRead)
{
    const double v = 3.25;
    QByteArray bytes(reinterpret_cast<const char*>(&v), 8);  // little-endian host
    StoreValue("2.0/Model/Lambda", bytes);
    ProgramSettings();
    EXPECT_EQ(DefaultLambda, 3.25);
}

TEST_F(ProgramSettingsTest, LogMouseWheelIsReadButNeverWritten)
{
    StoreValue("2.0/Program/LogMouseWheel", 1);
    ProgramSettings();
    EXPECT_TRUE(LogMouseWheel);
    TMemIniFile ini;
    ProgramSettings().WriteSettings(ini);
    ProgramSettings().WriteInstrumentScaling(ini);
    EXPECT_FALSE(ini.Log.join(' ').contains("LogMouseWheel"));
}

TEST_F(ProgramSettingsTest, WorkTempDirIsCreatedWhenUsed)
{
    ProgramSettings();
    TempDir = QDir(QDir::tempPath()).filePath("KP-Test/unter");
    EXPECT_EQ(WorkTempDir(), TempDir);
    EXPECT_TRUE(QFileInfo(TempDir).isDir());
    QDir(QDir(QDir::tempPath()).filePath("KP-Test")).removeRecursively();
}

// The options dialog: records what it was shown and answers as scripted.
class TFakeOptionsDialog : public TSettingsDialogs {
public:
    bool Accept = false;
    TOptionsDialogData Shown;
    std::function<void(TOptionsDialogData&)> Change;
    bool EditProgramSettings(TOptionsDialogData& Data) override
    {
        Shown = Data;
        if (Change) Change(Data);
        return Accept;
    }
};

TEST_F(ProgramSettingsTest, EditFillsTheDialog)
{
    ProgramSettings();
    SetEveryValue();
    TFakeOptionsDialog dlg;
    TModelUIScope<TSettingsDialogs> scope(&dlg);
    QLocale::setDefault(QLocale(QLocale::German));
    ProgramSettings().Edit();
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(dlg.Shown.BHEMapSize, 6.5);
    EXPECT_EQ(dlg.Shown.NodeSize, 2.25);
    EXPECT_EQ(dlg.Shown.BHETypes, "/daten/typen.xml");
    EXPECT_EQ(dlg.Shown.HeatpumpsFile, "/daten/wp.kph");
    EXPECT_EQ(dlg.Shown.Lambda, "2,7");
    EXPECT_EQ(dlg.Shown.RhoCP, "2,1");
    EXPECT_EQ(dlg.Shown.RadialR, "0,8");
    EXPECT_EQ(dlg.Shown.TempDir, "/var/tmp/kp");
    EXPECT_EQ(dlg.Shown.DataDir, "/daten");
    EXPECT_FALSE(dlg.Shown.AutosaveEmpty);
    EXPECT_EQ(dlg.Shown.PDFDriver, "PDF-Drucker");
    EXPECT_TRUE(dlg.Shown.PDFEnable);
    EXPECT_FALSE(dlg.Shown.DrawFrame);
    EXPECT_EQ(dlg.Shown.PMLeft, 20);
    EXPECT_EQ(dlg.Shown.PMTop, 15);
    EXPECT_EQ(dlg.Shown.PMRight, 9);
    EXPECT_EQ(dlg.Shown.PMBottom, 30);
    EXPECT_EQ(dlg.Shown.CompanyFont, CompanyFont);
    EXPECT_EQ(dlg.Shown.CompanyLines, CompanyLines);
    EXPECT_EQ(dlg.Shown.LogoStyle, 2);
    EXPECT_EQ(dlg.Shown.LogoFile, "/daten/logo.png");
}

TEST_F(ProgramSettingsTest, CancelledEditChangesAndWritesNothing)
{
    ProgramSettings();
    TFakeOptionsDialog dlg;
    dlg.Change = [](TOptionsDialogData& d) {
        d.PMLeft = 50;
        d.Lambda = "3";
        d.CompanyLines = QStringList{"neu"};
    };
    TModelUIScope<TSettingsDialogs> scope(&dlg);
    EXPECT_FALSE(ProgramSettings().Edit());
    ExpectDefaults();
    EXPECT_FALSE(TRegistryIniFile(Key).KeyExists());

    // Without a user interface the dialog is cancelled as well.
    TModelUIScope<TSettingsDialogs> none(nullptr);
    EXPECT_FALSE(ProgramSettings().Edit());
    EXPECT_FALSE(TRegistryIniFile(Key).KeyExists());
}

TEST_F(ProgramSettingsTest, ConfirmedEditTakesTheChangesAndWrites)
{
    ProgramSettings();
    PrintMargins = TRect{205, 155, 100, 300};
    DefaultRhoCP = 2.123456789012345678;
    TFakeOptionsDialog dlg;
    dlg.Accept = true;
    dlg.Change = [](TOptionsDialogData& d) {
        d.BHEMapSize = 5.5;
        d.PMLeft = 25;        // changed: 250
        d.PMBottom = 30;      // shown 30, kept: 300
        d.Lambda = "3,5";
        d.RadialR = "kein Wert";  // does not convert: kept
        d.PDFDriver = "";     // the stored driver is not installed
        d.CompanyFont.SetBold(true);
        d.CompanyLines = QStringList{"Firma", "Ort"};
        d.LogoStyle = 1;
    };
    TModelUIScope<TSettingsDialogs> scope(&dlg);
    PDFDriver = "Alter Drucker";
    QLocale::setDefault(QLocale(QLocale::German));
    EXPECT_TRUE(ProgramSettings().Edit());
    QLocale::setDefault(QLocale::c());
    EXPECT_EQ(BHESize, 5.5f);
    EXPECT_EQ(PrintMargins, (TRect{250, 155, 100, 300}));
    EXPECT_EQ(DefaultLambda, 3.5);
    EXPECT_EQ(DefaultRhoCP, 2.123456789012345678);  // unchanged text keeps every digit
    EXPECT_EQ(NodeBHERadialDist, 1.0);
    EXPECT_EQ(PDFDriver, "");
    EXPECT_TRUE(CompanyFont.Bold());
    EXPECT_EQ(LogoStyle, 1);

    ResetProgramSettings();
    ProgramSettings();
    EXPECT_EQ(BHESize, 5.5f);
    EXPECT_EQ(PrintMargins, (TRect{250, 155, 100, 300}));
    EXPECT_EQ(DefaultLambda, 3.5);
    EXPECT_EQ(CompanyLines, (QStringList{"Firma", "Ort"}));
    EXPECT_TRUE(CompanyFont.Bold());
    EXPECT_EQ(LogoStyle, 1);
}

TEST_F(ProgramSettingsTest, RegistryKeyPathsMapOntoQSettings)
{
    struct Case {
        const char* Path;
        const char* Org;
        const char* App;
        const char* Group;
    } cases[] = {{"Software\\Mirvatek\\KP\\2.0", "Mirvatek", "KP", "2.0"},
                 {"Software\\Mirvatek\\KP\\2.0\\MRU", "Mirvatek", "KP", "2.0/MRU"},
                 {"Software\\Mirvatek", "Mirvatek", "", ""},
                 {"Mirvatek\\KP", "Mirvatek", "KP", ""}};
    for (const Case& c : cases) {
        const TSettingsLocation l = SettingsLocationOf(c.Path);
        EXPECT_EQ(l.Organization, c.Org) << c.Path;
        EXPECT_EQ(l.Application, c.App) << c.Path;
        EXPECT_EQ(l.Group, c.Group) << c.Path;
    }
    EXPECT_THROW(SettingsLocationOf("Software\\"), EKPError);
}

} // namespace
