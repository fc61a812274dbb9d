#include "model/loads/LoadObject.h"

#include "model/base/KPError.h"
#include "model/base/StreamStrings.h"
#include "model/base/Versions.h"
#include "model/loads/PowerSeriesFile.h"

#include <cmath>
#include <functional>
#include <limits>

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

// Month entries count their days in a fixed non-leap year, so February is
// always 28 days, whatever year the simulation is in.
constexpr int MonthReferenceYear = 2013;

// Time order for the series with unset (NaN) times last, so that sorting
// stays a strict weak order and "at or before a time" is always a prefix.
bool EarlierTime(double A, double B) { return !std::isnan(A) && (std::isnan(B) || A < B); }

}  // namespace

// ---------------------------------------------------------------- TLoadPoint

TLoadPoint::TLoadPoint(int AMonth, int ADay, double ALoad)
    : FLoadValue(ALoad), FDay(static_cast<std::uint16_t>(ADay)), FMonth(static_cast<std::uint16_t>(AMonth))
{
}

TDateTime TLoadPoint::GetYearPoint(int AYear) const { return EncodeDate(AYear, FMonth, 1) + (FDay - 1); }

void TLoadPoint::Read(TStream& S)
{
    const std::uint16_t month = S.ReadWord();
    if (month < 1 || month > 12) S.FailCorrupt("den Monat eines Lastprofilpunkts", month);
    const std::uint16_t day = S.ReadWord();
    // Month entries keep day 0.
    if (day > 31) S.FailCorrupt("den Tag eines Lastprofilpunkts", day);
    const double load = S.ReadDouble();
    FMonth = month;
    FDay = day;
    FLoadValue = load;
}

void TLoadPoint::Write(TStream& S)
{
    S.WriteWord(FMonth);
    S.WriteWord(FDay);
    S.WriteDouble(FLoadValue);
}

// ------------------------------------------------------------- THeatCoolLoad

THeatCoolLoad::THeatCoolLoad(int AMonth, double AHeatLoad, double ACoolLoad, double ACOPHeat, double ACOPCool)
    : TLoadPoint(AMonth, 0, 0),
      FCoolingLoad(ACoolLoad),
      FHeatLoad(AHeatLoad),
      FCOPCooling(ACOPCool),
      FCOPHeating(ACOPHeat)
{
}

double THeatCoolLoad::HeatEff() const
{
    if (std::isnan(FCOPHeating)) return FHeatLoad;
    return FHeatLoad * (FCOPHeating - 1) / FCOPHeating;
}

double THeatCoolLoad::CoolEff() const
{
    if (std::isnan(FCOPCooling) || FCOPCooling == 0) return FCoolingLoad;
    return FCoolingLoad * (1 / FCOPCooling + 1);
}

double THeatCoolLoad::GetLoadValue() const { return HeatEff() - CoolEff(); }

double THeatCoolLoad::PowerValue() const
{
    return LoadValue() / 24 / DaysInAMonth(MonthReferenceYear, Month());
}

void THeatCoolLoad::Read(TStream& S)
{
    TLoadPoint::Read(S);
    const double cool = S.ReadDouble();
    const double heat = S.ReadDouble();
    const double copCool = S.ReadDouble();
    const double copHeat = S.ReadDouble();
    FCoolingLoad = cool;
    FHeatLoad = heat;
    FCOPCooling = copCool;
    FCOPHeating = copHeat;
}

void THeatCoolLoad::Write(TStream& S)
{
    TLoadPoint::Write(S);
    S.WriteDouble(FCoolingLoad);
    S.WriteDouble(FHeatLoad);
    S.WriteDouble(FCOPCooling);
    S.WriteDouble(FCOPHeating);
}

// --------------------------------------------------------------- TPowerPoint

void TPowerPoint::Read(TStream& S)
{
    const double t = S.ReadDouble();
    if (!std::isfinite(t))
        throw EReadError(QStringLiteral("Ungültiger Zeitpunkt %1 eines Punkts der Zeitreihe (Position %2).")
                             .arg(t)
                             .arg(S.Position() - 8));
    const double p = S.ReadDouble();
    FPointOfTime = t;
    FPower = p;
}

void TPowerPoint::Write(TStream& S)
{
    S.WriteDouble(FPointOfTime);
    S.WriteDouble(FPower);
}

// ------------------------------------------------------------------ TLoadObj

TLoadObj::TLoadObj()
    : FLoadType(ltYearProfile),
      FConstantLoad(NaN),
      FCoolingFluidTemp(NaN),
      // Unset like the month entries: a COP of 0 would turn every month's
      // heating energy infinite once reading copies it into the entries.
      FCOPCooling(NaN),
      FCOPHeating(NaN),
      FName(QStringLiteral("Standard")),
      FMonthProfile(std::make_unique<TMVObjectList>())
{
    const int year = YearOf(Now());
    FStartDate = EncodeDate(year + 1, 1, 1);
    FEndDate = EncodeDate(year + 5, 12, 31);
    InitMonthProfile();
}

TLoadObj::TLoadObj(TBlank) : TMVObjectList(Blank), FMonthProfile(std::make_unique<TMVObjectList>()) {}

TLoadObj::~TLoadObj() = default;

void TLoadObj::InitMonthProfile()
{
    FMonthProfile->Clear();
    for (int m = 1; m <= 12; ++m) FMonthProfile->Add(new THeatCoolLoad(m, NaN, NaN, NaN, NaN));
}

THeatCoolLoad* TLoadObj::MonthEntry(int Month) const
{
    if (Month < 1 || Month > FMonthProfile->Count()) return nullptr;
    return FMonthProfile->ItemAs<THeatCoolLoad>(Month - 1);
}

void TLoadObj::SetLoadType(TLoadType V)
{
    if (V == FLoadType) return;
    Clear();
    FLoadType = V;
}

void TLoadObj::SetCOPCooling(double V)
{
    FCOPCooling = V;
    for (int i = 0; i < FMonthProfile->Count(); ++i) FMonthProfile->ItemAs<THeatCoolLoad>(i)->SetCOPCooling(V);
}

void TLoadObj::SetCOPHeating(double V)
{
    FCOPHeating = V;
    for (int i = 0; i < FMonthProfile->Count(); ++i) FMonthProfile->ItemAs<THeatCoolLoad>(i)->SetCOPHeating(V);
}

void TLoadObj::CopyCOPsToMonths()
{
    SetCOPCooling(FCOPCooling);
    SetCOPHeating(FCOPHeating);
}

TLoadPoint* TLoadObj::AddPoint(int ADay, int AMonth, double AValue)
{
    if (FLoadType != ltYearProfile) return nullptr;
    // A leap year, so that 29 February is accepted.
    if (!IsValidDate(2000, AMonth, ADay))
        throw EKPError(QStringLiteral("Ungültiges Datum für einen Punkt des Jahresprofils: Tag %1, Monat %2")
                           .arg(ADay)
                           .arg(AMonth));
    return Add(std::make_unique<TLoadPoint>(AMonth, ADay, AValue));
}

TPowerPoint* TLoadObj::AddPoint(TDateTime ADateTime, double AValue)
{
    if (FLoadType != ltFile) return nullptr;
    if (!std::isfinite(ADateTime))
        throw EKPError(QStringLiteral("Ungültiger Zeitpunkt für einen Punkt der Zeitreihe"));
    return Add(std::make_unique<TPowerPoint>(ADateTime, AValue));
}

bool TLoadObj::OutsideWindow(TDateTime ATime) const
{
    return (FUseStartDate && ATime < FStartDate) || (FUseEndDate && ATime > FEndDate);
}

double TLoadObj::GetLoad(TDateTime ATime) const
{
    // A time series has powers, not daily energies.
    if (Count() == 0 || FLoadType == ltFile || OutsideWindow(ATime) || !std::isfinite(ATime)) return 0;
    const int year = YearOf(ATime);
    // Before the year's first point the last point of the previous year holds.
    if (ATime < LoadPoint(0)->GetYearPoint(year)) return LoadPoint(Count() - 1)->LoadValue();
    for (int i = 1; i < Count(); ++i)
        if (LoadPoint(i)->GetYearPoint(year) > ATime) return LoadPoint(i - 1)->LoadValue();
    return LoadPoint(Count() - 1)->LoadValue();
}

double TLoadObj::SeriesPower(TDateTime ATime) const
{
    // The last point in list order at or before ATime holds, whatever order
    // the points were added in; a sorted series (Resort) gives the usual
    // step function. A point without a power counts as 0 kW.
    for (int i = Count() - 1; i >= 0; --i) {
        const TPowerPoint* pt = PowerPoint(i);
        if (pt->PointOfTime() <= ATime) return std::isnan(pt->Power()) ? 0 : pt->Power();
    }
    return 0;
}

double TLoadObj::GetPower(TDateTime ATime) const
{
    double p = 0;
    switch (FLoadType) {
    case ltFile:
        return SeriesPower(ATime);
    case ltYearProfile:
        throw EKPError(QStringLiteral("Für dieses Lastprofil steht keine Leistungsangabe zur Verfügung"));
    case ltMonthProfile: {
        const THeatCoolLoad* entry = MonthEntry(MonthOf(ATime));
        p = entry ? entry->PowerValue() : NaN;
        break;
    }
    case ltConstant:
        p = FConstantLoad;
        break;
    }
    return OutsideWindow(ATime) ? 0 : p;
}

double TLoadObj::YearProfileDemand(bool Heating) const
{
    const TDateTime first = EncodeDate(MonthReferenceYear, 1, 1);
    double sum = 0;
    for (int i = 0; i < 365; ++i) {
        const double load = GetLoad(first + i);
        if (Heating ? load > 0 : load < 0) sum += load;
    }
    return sum;
}

double TLoadObj::HeatDemandPerYear() const
{
    if (FLoadType == ltYearProfile) return YearProfileDemand(true);
    if (FLoadType != ltMonthProfile) return 0;
    double sum = 0;
    for (int m = 1; m <= FMonthProfile->Count(); ++m) sum += MonthEntry(m)->HeatEff();
    return sum;
}

double TLoadObj::CoolDemandPerYear() const
{
    if (FLoadType == ltYearProfile) return YearProfileDemand(false);
    if (FLoadType != ltMonthProfile) return 0;
    double sum = 0;
    for (int m = 1; m <= FMonthProfile->Count(); ++m) sum += MonthEntry(m)->CoolEff();
    return sum;
}

void TLoadObj::Resort()
{
    if (FLoadType == ltFile) {
        Sort([](const TObject* A, const TObject* B) {
            return EarlierTime(static_cast<const TPowerPoint*>(A)->PointOfTime(),
                               static_cast<const TPowerPoint*>(B)->PointOfTime());
        });
        return;
    }
    Sort([](const TObject* A, const TObject* B) {
        const auto* a = static_cast<const TLoadPoint*>(A);
        const auto* b = static_cast<const TLoadPoint*>(B);
        return a->Month() != b->Month() ? a->Month() < b->Month() : a->Day() < b->Day();
    });
}

void TLoadObj::ImportPowerSeries(const QString& FileName)
{
    if (FLoadType != ltFile)
        throw EKPError(QStringLiteral("Eine Zeitreihe kann nur in ein Lastprofil mit variabler Leistung "
                                      "importiert werden."));
    const std::vector<TPowerSample> samples = ReadPowerSeriesFile(FileName);
    std::vector<std::unique_ptr<TPowerPoint>> points;
    points.reserve(samples.size());
    for (const TPowerSample& s : samples) points.push_back(std::make_unique<TPowerPoint>(s.Time, s.Power));
    Clear();
    ReserveItems(points.size());
    for (auto& p : points) Add(std::move(p));
    Resort();
}

// ------------------------------------------------------- TLoadObj, stored record

namespace {

// Reads an object list of T items only: a refused class is never loaded, so
// no caller casts an item to a class it is not and a profile cannot nest
// another profile inside its month list.
template <typename T>
std::unique_ptr<TMVObjectList> ReadListOf(TStream& S, const char* What)
{
    auto list = std::make_unique<TMVObjectList>();
    list->ReadDataOf<T>(S, What);
    return list;
}

}  // namespace

void TLoadObj::ReadData(TStream& S)
{
    // A version-1 record starts at the kind; the profile then keeps its
    // name and validity window.
    QString name = FName;
    bool useStart = FUseStartDate;
    bool useEnd = FUseEndDate;
    TDateTime start = FStartDate;
    TDateTime end = FEndDate;
    if (FileVersionMajor > 1) {
        name = ReadStringFromStream(S);
        useStart = S.ReadBoolean();
        useEnd = S.ReadBoolean();
        start = S.ReadDouble();
        end = S.ReadDouble();
    }
    const auto type = S.ReadEnum<TLoadType>(ltMonthProfile, "die Art eines Lastprofils");
    const double constant = S.ReadDouble();
    const double coolingTemp = S.ReadDouble();
    const double copCooling = S.ReadDouble();
    const double copHeating = S.ReadDouble();

    // GetPower looks the month entry up by position, so all twelve must be there.
    std::unique_ptr<TMVObjectList> months = ReadListOf<THeatCoolLoad>(S, "das Monatsprofil eines Lastprofils");
    if (months->Count() != 12)
        throw EReadError(QStringLiteral("Das Monatsprofil eines Lastprofils hat %1 statt 12 Monate.")
                             .arg(months->Count()));
    // A time series holds power points, every other kind load points.
    std::unique_ptr<TMVObjectList> points = type == ltFile
                                                ? ReadListOf<TPowerPoint>(S, "die Punkte einer Zeitreihe")
                                                : ReadListOf<TLoadPoint>(S, "die Punkte eines Lastprofils");

    FName = name;
    FUseStartDate = useStart;
    FUseEndDate = useEnd;
    FStartDate = start;
    FEndDate = end;
    FLoadType = type;
    FConstantLoad = constant;
    FCoolingFluidTemp = coolingTemp;
    FCOPCooling = copCooling;
    FCOPHeating = copHeating;
    FMonthProfile = std::move(months);
    Clear();
    points->SetOwnsObjects(false);
    for (int i = 0; i < points->Count(); ++i) Add(points->Items(i));
    points->Clear();
    CopyCOPsToMonths();
    // Search needs time order; files written by the program are sorted already.
    if (FLoadType == ltFile) Resort();
}

void TLoadObj::WriteData(TStream& S)
{
    WriteStringToStream(S, FName);
    S.WriteBoolean(FUseStartDate);
    S.WriteBoolean(FUseEndDate);
    S.WriteDouble(FStartDate);
    S.WriteDouble(FEndDate);
    S.WriteEnum(FLoadType);
    S.WriteDouble(FConstantLoad);
    S.WriteDouble(FCoolingFluidTemp);
    S.WriteDouble(FCOPCooling);
    S.WriteDouble(FCOPHeating);
    FMonthProfile->WriteData(S);
    TMVObjectList::WriteData(S);
}
