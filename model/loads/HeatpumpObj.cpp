#include "model/loads/HeatpumpObj.h"

#include "model/base/ModelUI.h"
#include "model/base/NumberText.h"
#include "model/base/StreamStrings.h"
#include "model/base/Versions.h"
#include "model/loads/HeatpumpDialogs.h"

#include <cmath>

namespace {

// Equal values, or both unset: a heat pump with an unset value must still
// find its own copy in the library instead of adding another one each time.
bool SameValue(double A, double B) { return A == B || (std::isnan(A) && std::isnan(B)); }

// The line a record of an older file leaves behind; also stands in for a
// line that a blank heat pump has not read yet.
const TCharline& EmptyLine()
{
    static const TCharline line(QString(), 0, 0, false);
    return line;
}

const TCharline* LineOrEmpty(const TCharline* L) { return L ? L : &EmptyLine(); }

std::unique_ptr<TCharline> ReadLine(TStream& S)
{
    auto line = std::make_unique<TCharline>(QString(), 0, 0, false);
    line->Read(S);
    return line;
}

}  // namespace

// ----------------------------------------------------------------- TCharline

TCharline::TCharline(const QString& AName, double AA, double AB, bool AIsStatic)
    : FName(AName), FB(AB), FA(AA), FIsStatic(AIsStatic)
{
}

void TCharline::Assign(const TCharline* Source)
{
    if (!Source) return;
    FName = Source->FName;
    FA = Source->FA;
    FB = Source->FB;
    FIsStatic = Source->FIsStatic;
}

bool TCharline::Match(const TCharline* CompareWith) const
{
    return CompareWith && FName == CompareWith->FName && SameValue(FA, CompareWith->FA) &&
           SameValue(FB, CompareWith->FB) && FIsStatic == CompareWith->FIsStatic;
}

void TCharline::Read(TStream& S)
{
    const QString name = ReadStringFromStream(S);
    const double a = S.ReadDouble();
    const double b = S.ReadDouble();
    const bool isStatic = S.ReadBoolean();
    FName = name;
    FA = a;
    FB = b;
    FIsStatic = isStatic;
}

void TCharline::Write(TStream& S)
{
    WriteStringToStream(S, FName);
    S.WriteDouble(FA);
    S.WriteDouble(FB);
    S.WriteBoolean(FIsStatic);
}

bool CharlineCoefficients(double X1, double Y1, double X2, double Y2, double& A, double& B)
{
    const double a = (Y2 - Y1) / (X2 - X1);
    const double b = Y1 - a * X1;
    if (!std::isfinite(a) || !std::isfinite(b)) return false;
    A = a;
    B = b;
    return true;
}

// ----------------------------------------------------------------- THeatpump

THeatpump::THeatpump(const QString& AName, double AWaterTemp, double COPA, double COPB, double HeatPowerA,
                     double HeatPowerB, double CoolCOPA, double CoolCOPB, double CoolPowerA, double CoolPowerB,
                     double CoolWaterTemp)
    : FName(AName),
      FWaterTemperature(AWaterTemp),
      FCOP(std::make_unique<TCharline>(QStringLiteral("COP"), COPA, COPB, false)),
      FHeatPower(std::make_unique<TCharline>(QStringLiteral("Heizleistung [kW]"), HeatPowerA, HeatPowerB, false)),
      FCoolPower(std::make_unique<TCharline>(QStringLiteral("Kühlleistung"), CoolPowerA, CoolPowerB, false)),
      FCoolCOP(std::make_unique<TCharline>(QStringLiteral("COP Cooling"), CoolCOPA, CoolCOPB, false)),
      FCoolWaterTemperature(CoolWaterTemp)
{
}

THeatpump::~THeatpump() = default;

void THeatpump::EnsureLines()
{
    for (std::unique_ptr<TCharline>* line : {&FCOP, &FHeatPower, &FCoolPower, &FCoolCOP})
        if (!*line) *line = std::make_unique<TCharline>(QString(), 0, 0, false);
}

namespace {

// A value as the dialog's edit shows it.
QString EditText(double V) { return FloatToStr(V); }

// The edited number, or the old value when the text is not a number.
void TakeNumber(const QString& Text, double& Value)
{
    double v;
    if (TryStrToFloat(Text, v)) Value = v;
}

void TakeLine(const QString& TextA, const QString& TextB, TCharline& Line)
{
    double a = Line.A();
    double b = Line.B();
    TakeNumber(TextA, a);
    TakeNumber(TextB, b);
    Line.SetA(a);
    Line.SetB(b);
}

}  // namespace

int THeatpump::Edit()
{
    EnsureLines();
    THeatpumpEditData d;
    d.Name = FName;
    d.WaterTemp = EditText(FWaterTemperature);
    d.PowerA = EditText(FHeatPower->A());
    d.PowerB = EditText(FHeatPower->B());
    d.COPA = EditText(FCOP->A());
    d.COPB = EditText(FCOP->B());
    d.CoolWaterTemp = EditText(FCoolWaterTemperature);
    d.CoolPowerA = EditText(FCoolPower->A());
    d.CoolPowerB = EditText(FCoolPower->B());
    d.CoolCOPA = EditText(FCoolCOP->A());
    d.CoolCOPB = EditText(FCoolCOP->B());
    const int result = ModelUI<THeatpumpDialogs>().EditHeatpump(d);
    if (result != THeatpumpDialogs::mrOk) return result;
    FName = d.Name;
    TakeNumber(d.WaterTemp, FWaterTemperature);
    TakeLine(d.PowerA, d.PowerB, *FHeatPower);
    TakeLine(d.COPA, d.COPB, *FCOP);
    TakeNumber(d.CoolWaterTemp, FCoolWaterTemperature);
    TakeLine(d.CoolPowerA, d.CoolPowerB, *FCoolPower);
    TakeLine(d.CoolCOPA, d.CoolCOPB, *FCoolCOP);
    return result;
}

void THeatpump::Assign(const THeatpump* Source)
{
    if (!Source || Source == this) return;
    EnsureLines();
    FName = Source->FName;
    FWaterTemperature = Source->FWaterTemperature;
    FCOP->Assign(LineOrEmpty(Source->COP()));
    FHeatPower->Assign(LineOrEmpty(Source->HeatPower()));
    FCoolPower->Assign(LineOrEmpty(Source->CoolPower()));
    FCoolCOP->Assign(LineOrEmpty(Source->CoolCOP()));
    FCoolWaterTemperature = Source->FCoolWaterTemperature;
}

bool THeatpump::Match(const THeatpump* CompareWith) const
{
    if (!CompareWith) return false;
    return FName == CompareWith->FName && SameValue(FWaterTemperature, CompareWith->FWaterTemperature) &&
           SameValue(FCoolWaterTemperature, CompareWith->FCoolWaterTemperature) &&
           LineOrEmpty(COP())->Match(LineOrEmpty(CompareWith->COP())) &&
           LineOrEmpty(HeatPower())->Match(LineOrEmpty(CompareWith->HeatPower())) &&
           LineOrEmpty(CoolPower())->Match(LineOrEmpty(CompareWith->CoolPower())) &&
           LineOrEmpty(CoolCOP())->Match(LineOrEmpty(CompareWith->CoolCOP()));
}

void THeatpump::Read(TStream& S)
{
    const QString name = ReadStringFromStream(S);
    const double water = S.ReadDouble();
    std::unique_ptr<TCharline> cop = ReadLine(S);
    std::unique_ptr<TCharline> heatPower = ReadLine(S);
    double coolWater = 0;
    auto coolCOP = std::make_unique<TCharline>(QString(), 0, 0, false);
    auto coolPower = std::make_unique<TCharline>(QString(), 0, 0, false);
    if (FileVersionAtLeast(1, 2)) {
        coolWater = S.ReadDouble();
        coolCOP = ReadLine(S);
        coolPower = ReadLine(S);
    }
    FName = name;
    FWaterTemperature = water;
    FCOP = std::move(cop);
    FHeatPower = std::move(heatPower);
    FCoolWaterTemperature = coolWater;
    FCoolCOP = std::move(coolCOP);
    FCoolPower = std::move(coolPower);
}

void THeatpump::Write(TStream& S)
{
    WriteStringToStream(S, FName);
    S.WriteDouble(FWaterTemperature);
    EnsureLines();
    FCOP->Write(S);
    FHeatPower->Write(S);
    S.WriteDouble(FCoolWaterTemperature);
    FCoolCOP->Write(S);
    FCoolPower->Write(S);
}

std::unique_ptr<THeatpump> CreateExampleHeatpump()
{
    return std::make_unique<THeatpump>(QStringLiteral("Example Heatpump"), 35, 0.1, 4.6, 0.35, 14.5, -0.2, 9.0,
                                       -0.15, 20.0, 18);
}

// ------------------------------------------------------------- THeatPumplist

THeatpump* THeatPumplist::AddHeatPump()
{
    return Add(std::make_unique<THeatpump>(QString(), 40, 0, 4.0, 0, 10.0, -0.2, 9.0, -0.15, 20.0, 18));
}

THeatpump* THeatPumplist::AddIfNotExits(const THeatpump* AHeatPump)
{
    if (!AHeatPump) return nullptr;
    for (int i = 0; i < Count(); ++i)
        if (AHeatPump->Match(Heatpump(i))) return Heatpump(i);
    THeatpump* added = AddHeatPump();
    added->Assign(AHeatPump);
    return added;
}

void THeatPumplist::ReadData(TStream& S)
{
    THeatPumplist read;
    read.ReadDataOf<THeatpump>(S, "die Liste der Wärmepumpen");
    read.SetOwnsObjects(false);
    for (int i = 0; i < read.Count(); ++i) Add(read.Items(i));
    read.Clear();
}

void THeatPumplist::LoadFromFile(const QString& FileName)
{
    TFileVersionScope version(ProgramVersionMajor, ProgramVersionMinor);
    TMVObjectList::LoadFromFile(FileName);
}

std::unique_ptr<THeatPumplist> THeatPumplist::CreateFromFile(const QString& FileName)
{
    auto list = std::make_unique<THeatPumplist>();
    list->LoadFromFile(FileName);
    return list;
}
