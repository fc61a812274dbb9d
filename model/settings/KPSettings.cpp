#include "model/settings/KPSettings.h"

#include "model/base/KPError.h"
#include "model/base/ModelUI.h"
#include "model/base/NumberText.h"
#include "model/settings/RegistryIniFile.h"
#include "model/settings/SettingsDialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <algorithm>
#include <limits>
#include <memory>

// Static values only here: defaults that depend on the environment are filled
// by ResetProgramSettings once main runs.
float BHESize = 4.0f;
float NodeSize = 4.0f;
QString TriangleLocation;
QString TriangleParameter = QStringLiteral("-pqa");
QString TempDir;
bool WarnOnEmptyAutosave = true;
QString DataDir;
bool PDFEnable = false;
QString PDFDriver;
TRect PrintMargins{200, 150, 100, 150};
bool DrawFrame = true;
bool LogMouseWheel = false;
QStringList CompanyLines;
Streamft::TStreamFont CompanyFont;
int LogoStyle = 0;
QString LogoFile;
double DashHPMax = 20;
double DashCOPMax = 8;
double DashElecMax = 20;
int DashHPSeg = 10;
int DashCOPSeg = 5;
int DashElecSeg = 10;

float GridOpacity = 0.4f;
float MapOpacity = 0.8f;
TColor ElementColor = 0x8CB4D2;
TColor HoverColor = 0x008CFF;
bool ShowExampleList = true;
int ExportMegapixels = 8;

namespace {

const QString SAppearance = QStringLiteral("Appearance");
const QString SModel = QStringLiteral("Model");
const QString STriangle = QStringLiteral("Triangle");
const QString SProgram = QStringLiteral("Program");
const QString SCompany = QStringLiteral("Company");
const QString SFonts = QStringLiteral("Fonts");
const QString SReport = QStringLiteral("Report");
const QString SDashboard = QStringLiteral("Dashboard");

std::unique_ptr<TProgramSettings>& Instance()
{
    static std::unique_ptr<TProgramSettings> p;
    return p;
}

void SetBuiltInDefaults()
{
    ResetModelDefaults();
    BHESize = 4.0f;
    NodeSize = 4.0f;
    TriangleLocation = DefaultTriangleLocation();
    TriangleParameter = QStringLiteral("-pqa");
    TempDir = DefaultTempDir();
    WarnOnEmptyAutosave = true;
    DataDir.clear();
    PDFEnable = false;
    PDFDriver.clear();
    PrintMargins = TRect{200, 150, 100, 150};
    DrawFrame = true;
    LogMouseWheel = false;
    CompanyLines.clear();
    CompanyFont = Streamft::TStreamFont();
    LogoStyle = 0;
    LogoFile.clear();
    DashHPMax = 20;
    DashCOPMax = 8;
    DashElecMax = 20;
    DashHPSeg = 10;
    DashCOPSeg = 5;
    DashElecSeg = 10;
    GridOpacity = 0.4f;
    MapOpacity = 0.8f;
    ElementColor = 0x8CB4D2;
    HoverColor = 0x008CFF;
    ShowExampleList = true;
    ExportMegapixels = 8;
}

// The company lines in the order of their numbers: Company0, Company1, …,
// Company10 (not the alphabetical order of the store); other names follow.
QStringList ReadCompanyLines(const TCustomIniFile& Ini)
{
    QStringList keys = Ini.ReadSection(SCompany);
    SortByIndexSuffix(keys, SCompany);
    QStringList lines;
    for (const QString& k : keys) lines << Ini.ReadString(SCompany, k, QString());
    return lines;
}

QString FloatText(double X)
{
    return FloatToStr(X);
}

// Dialog values count only where the user changed them; a number text that
// does not convert keeps the old value.
template <typename T, typename U>
void TakeIfChanged(const U& Shown, const U& Now, T& Target)
{
    if (!(Shown == Now)) Target = static_cast<T>(Now);
}

void TakeNumberIfChanged(const QString& Shown, const QString& Now, double& Target)
{
    double v = 0;
    if (Shown != Now && TryStrToFloat(Now, v)) Target = v;
}

void TakeMarginIfChanged(int Shown, int Now, int& Target)
{
    constexpr int limit = std::numeric_limits<int>::max() / 10;
    if (Shown != Now) Target = std::clamp(Now, -limit, limit) * 10;
}

TOptionsDialogData FillOptions()
{
    TOptionsDialogData d;
    d.BHEMapSize = BHESize;
    d.NodeSize = NodeSize;
    d.BHETypes = BHETypesFile;
    d.HeatpumpsFile = HeatpumpsFile;
    d.Lambda = FloatText(DefaultLambda);
    d.RhoCP = FloatText(DefaultRhoCP);
    d.TempDir = TempDir;
    d.DataDir = DataDir;
    d.AutosaveEmpty = WarnOnEmptyAutosave;
    d.RadialR = FloatText(NodeBHERadialDist);
    d.PDFDriver = PDFDriver;
    d.PDFEnable = PDFEnable;
    d.DrawFrame = DrawFrame;
    d.PMLeft = PrintMargins.Left / 10;
    d.PMTop = PrintMargins.Top / 10;
    d.PMRight = PrintMargins.Right / 10;
    d.PMBottom = PrintMargins.Bottom / 10;
    d.CompanyFont.Assign(CompanyFont);
    d.CompanyLines = CompanyLines;
    d.LogoStyle = LogoStyle;
    d.LogoFile = LogoFile;
    return d;
}

void TakeOptions(const TOptionsDialogData& Shown, const TOptionsDialogData& D)
{
    TakeIfChanged(Shown.BHEMapSize, D.BHEMapSize, BHESize);
    TakeIfChanged(Shown.NodeSize, D.NodeSize, NodeSize);
    TakeIfChanged(Shown.BHETypes, D.BHETypes, BHETypesFile);
    TakeIfChanged(Shown.HeatpumpsFile, D.HeatpumpsFile, HeatpumpsFile);
    TakeNumberIfChanged(Shown.Lambda, D.Lambda, DefaultLambda);
    TakeNumberIfChanged(Shown.RhoCP, D.RhoCP, DefaultRhoCP);
    TakeNumberIfChanged(Shown.RadialR, D.RadialR, NodeBHERadialDist);
    TakeIfChanged(Shown.TempDir, D.TempDir, TempDir);
    TakeIfChanged(Shown.DataDir, D.DataDir, DataDir);
    TakeIfChanged(Shown.AutosaveEmpty, D.AutosaveEmpty, WarnOnEmptyAutosave);
    TakeIfChanged(Shown.PDFEnable, D.PDFEnable, PDFEnable);
    TakeIfChanged(Shown.PDFDriver, D.PDFDriver, PDFDriver);
    TakeIfChanged(Shown.DrawFrame, D.DrawFrame, DrawFrame);
    TakeMarginIfChanged(Shown.PMLeft, D.PMLeft, PrintMargins.Left);
    TakeMarginIfChanged(Shown.PMTop, D.PMTop, PrintMargins.Top);
    TakeMarginIfChanged(Shown.PMRight, D.PMRight, PrintMargins.Right);
    TakeMarginIfChanged(Shown.PMBottom, D.PMBottom, PrintMargins.Bottom);
    TakeIfChanged(Shown.CompanyFont, D.CompanyFont, CompanyFont);
    TakeIfChanged(Shown.CompanyLines, D.CompanyLines, CompanyLines);
    TakeIfChanged(Shown.LogoStyle, D.LogoStyle, LogoStyle);
    TakeIfChanged(Shown.LogoFile, D.LogoFile, LogoFile);
}

} // namespace

QString DefaultTempDir()
{
    return QDir(QDir::tempPath()).filePath(QStringLiteral("KP"));
}

QString DefaultTriangleLocation()
{
    const QString name = QStringLiteral("triangle");
    if (!QCoreApplication::instance()) return name;
    return QDir(QCoreApplication::applicationDirPath()).filePath(name);
}

QString WorkTempDir()
{
    if (TempDir.isEmpty() || !QDir().mkpath(TempDir))
        throw EFileError(QStringLiteral("Das Temp-Verzeichnis \"%1\" kann nicht angelegt werden.").arg(TempDir));
    return TempDir;
}

TProgramSettings::TProgramSettings(const QString& ARegPath) : fRegPath(ARegPath)
{
    ReadSettings();
}

void TProgramSettings::ReadSettings()
{
    const TRegistryIniFile ini(fRegPath, TRegistryRoot::CurrentUser, TRegistryAccess::ReadOnly);
    ReadSettings(ini);
}

void TProgramSettings::ReadSettings(const TCustomIniFile& Ini)
{
    BHESize = static_cast<float>(Ini.ReadFloat(SAppearance, QStringLiteral("BHE_Size"), BHESize));
    NodeSize = static_cast<float>(Ini.ReadFloat(SAppearance, QStringLiteral("NodeSize"), NodeSize));
    BHETypesFile = Ini.ReadString(SModel, QStringLiteral("BHE_Types"), BHETypesFile);
    HeatpumpsFile = Ini.ReadString(SModel, QStringLiteral("Heatpumps"), HeatpumpsFile);
    DefaultLambda = Ini.ReadFloat(SModel, QStringLiteral("Lambda"), DefaultLambda);
    DefaultRhoCP = Ini.ReadFloat(SModel, QStringLiteral("RhoCP"), DefaultRhoCP);
    NodeBHERadialDist = Ini.ReadFloat(SModel, QStringLiteral("NodeBHERadialDist"), NodeBHERadialDist);
    TriangleLocation = Ini.ReadString(STriangle, QStringLiteral("Location"), TriangleLocation);
    TriangleParameter = Ini.ReadString(STriangle, QStringLiteral("Parameter"), TriangleParameter);
    TempDir = Ini.ReadString(SProgram, QStringLiteral("TempDir"), TempDir);
    WarnOnEmptyAutosave = Ini.ReadBool(SProgram, QStringLiteral("WarnOnEmptyAutosave"), WarnOnEmptyAutosave);
    DataDir = Ini.ReadString(SProgram, QStringLiteral("DataDir"), DataDir);
    PDFEnable = Ini.ReadBool(SProgram, QStringLiteral("PDFEnable"), PDFEnable);
    PDFDriver = Ini.ReadString(SProgram, QStringLiteral("PDFDriver"), PDFDriver);
    TRect m;
    m.Left = Ini.ReadInteger(SProgram, QStringLiteral("MarginLeft"), PrintMargins.Left);
    m.Top = Ini.ReadInteger(SProgram, QStringLiteral("MarginTop"), PrintMargins.Top);
    m.Right = Ini.ReadInteger(SProgram, QStringLiteral("MarginRight"), PrintMargins.Right);
    m.Bottom = Ini.ReadInteger(SProgram, QStringLiteral("MarginBottom"), PrintMargins.Bottom);
    PrintMargins = m;
    DrawFrame = Ini.ReadBool(SProgram, QStringLiteral("DrawFrame"), DrawFrame);
    LogMouseWheel = Ini.ReadBool(SProgram, QStringLiteral("LogMouseWheel"), LogMouseWheel);
    CompanyLines = ReadCompanyLines(Ini);
    CompanyFont.ReadFromIniFile(&Ini, SFonts, SCompany);
    LogoStyle = Ini.ReadInteger(SReport, QStringLiteral("LogoStyle"), LogoStyle);
    LogoFile = Ini.ReadString(SReport, QStringLiteral("LogoFile"), LogoFile);
    DashHPMax = Ini.ReadFloat(SDashboard, QStringLiteral("HP_Max"), DashHPMax);
    DashCOPMax = Ini.ReadFloat(SDashboard, QStringLiteral("COP_Max"), DashCOPMax);
    DashElecMax = Ini.ReadFloat(SDashboard, QStringLiteral("Elec_Max"), DashElecMax);
    DashHPSeg = Ini.ReadInteger(SDashboard, QStringLiteral("HP_Seg"), DashHPSeg);
    DashCOPSeg = Ini.ReadInteger(SDashboard, QStringLiteral("COP_Seg"), DashCOPSeg);
    DashElecSeg = Ini.ReadInteger(SDashboard, QStringLiteral("Elec_Seg"), DashElecSeg);
}

void TProgramSettings::WriteSettings()
{
    TRegistryIniFile ini(fRegPath);
    WriteSettings(ini);
    ini.UpdateFile();
}

void TProgramSettings::WriteSettings(TCustomIniFile& Ini)
{
    Ini.WriteFloat(SAppearance, QStringLiteral("BHE_Size"), BHESize);
    Ini.WriteFloat(SAppearance, QStringLiteral("NodeSize"), NodeSize);
    Ini.WriteString(SModel, QStringLiteral("BHE_Types"), BHETypesFile);
    Ini.WriteString(SModel, QStringLiteral("Heatpumps"), HeatpumpsFile);
    Ini.WriteFloat(SModel, QStringLiteral("Lambda"), DefaultLambda);
    Ini.WriteFloat(SModel, QStringLiteral("RhoCP"), DefaultRhoCP);
    Ini.WriteFloat(SModel, QStringLiteral("NodeBHERadialDist"), NodeBHERadialDist);
    Ini.WriteString(STriangle, QStringLiteral("Location"), TriangleLocation);
    Ini.WriteString(STriangle, QStringLiteral("Parameter"), TriangleParameter);
    Ini.WriteString(SProgram, QStringLiteral("TempDir"), TempDir);
    Ini.WriteString(SProgram, QStringLiteral("DataDir"), DataDir);
    Ini.WriteBool(SProgram, QStringLiteral("WarnOnEmptyAutosave"), WarnOnEmptyAutosave);
    Ini.WriteBool(SProgram, QStringLiteral("PDFEnable"), PDFEnable);
    Ini.WriteString(SProgram, QStringLiteral("PDFDriver"), PDFDriver);
    Ini.WriteInteger(SProgram, QStringLiteral("MarginLeft"), PrintMargins.Left);
    Ini.WriteInteger(SProgram, QStringLiteral("MarginTop"), PrintMargins.Top);
    Ini.WriteInteger(SProgram, QStringLiteral("MarginRight"), PrintMargins.Right);
    Ini.WriteInteger(SProgram, QStringLiteral("MarginBottom"), PrintMargins.Bottom);
    Ini.WriteBool(SProgram, QStringLiteral("DrawFrame"), DrawFrame);
    Ini.EraseSection(SCompany);
    for (int i = 0; i < CompanyLines.size(); ++i)
        Ini.WriteString(SCompany, SCompany + QString::number(i), CompanyLines.at(i));
    CompanyFont.WriteToIniFile(&Ini, SFonts, SCompany);
    Ini.WriteInteger(SReport, QStringLiteral("LogoStyle"), LogoStyle);
    Ini.WriteString(SReport, QStringLiteral("LogoFile"), LogoFile);
}

void TProgramSettings::WriteInstrumentScaling()
{
    TRegistryIniFile ini(fRegPath);
    WriteInstrumentScaling(ini);
    ini.UpdateFile();
}

void TProgramSettings::WriteInstrumentScaling(TCustomIniFile& Ini)
{
    Ini.WriteFloat(SDashboard, QStringLiteral("HP_Max"), DashHPMax);
    Ini.WriteFloat(SDashboard, QStringLiteral("COP_Max"), DashCOPMax);
    Ini.WriteFloat(SDashboard, QStringLiteral("Elec_Max"), DashElecMax);
    Ini.WriteInteger(SDashboard, QStringLiteral("HP_Seg"), DashHPSeg);
    Ini.WriteInteger(SDashboard, QStringLiteral("COP_Seg"), DashCOPSeg);
    Ini.WriteInteger(SDashboard, QStringLiteral("Elec_Seg"), DashElecSeg);
}

bool TProgramSettings::Edit()
{
    const TOptionsDialogData shown = FillOptions();
    TOptionsDialogData d = shown;
    if (!ModelUI<TSettingsDialogs>().EditProgramSettings(d)) return false;
    TakeOptions(shown, d);
    WriteSettings();
    return true;
}

TProgramSettings& ProgramSettings()
{
    auto& p = Instance();
    if (!p) {
        SetBuiltInDefaults();
        p = std::make_unique<TProgramSettings>(RegistryBasePath);
    }
    return *p;
}

void InitProgramSettings()
{
    ProgramSettings();
}

void ResetProgramSettings()
{
    Instance().reset();
    SetBuiltInDefaults();
}
