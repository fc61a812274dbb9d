// What must hold before a run starts. A run that would divide by zero or
// feed non-numbers into the field is refused with the reason, before
// anything changes.

#include "model/run/MainLoopObj.h"

#include "model/base/KPError.h"
#include "model/base/NumberText.h"
#include "model/fe/NumModel.h"
#include "model/groundwater/GWGrid.h"
#include "model/loads/HeatpumpObj.h"
#include "model/loads/LoadObject.h"
#include "model/probes/BHEObj.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

bool Positive(double X) { return std::isfinite(X) && X > 0; }

// The months in which a step of the run (From, To] can ask the profile for a
// power inside its validity window; outside the window it gives 0 kW.
std::array<bool, 12> MonthsAsked(const TLoadObj& P, TDateTime From, TDateTime To)
{
    std::array<bool, 12> asked{};
    if (P.UseStartDate()) From = std::max(From, P.StartDate());
    if (P.UseEndDate()) To = std::min(To, P.EndDate());
    if (!(To >= From) || !std::isfinite(From) || !std::isfinite(To)) return asked;
    int year = YearOf(From);
    int month = MonthOf(From);
    TDateTime first = 0;
    for (int k = 0; k < 12 && TryEncodeDate(year, month, 1, first) && first <= To; ++k) {
        asked[static_cast<size_t>(month - 1)] = true;
        if (++month > 12) {
            month = 1;
            ++year;
        }
    }
    return asked;
}

[[noreturn]] void Refuse(const QString& Fmt, std::initializer_list<TVarRec> Args)
{
    throw EKPError(Format(Fmt, Args));
}

}  // namespace

void TMainLoop::CheckRunnable() const
{
    if (!Positive(FTimeEngine->TimeStep()))
        throw EKPError(QStringLiteral("Der Zeitschritt muss eine positive Zahl sein."));
    CheckMesh();
    CheckSolverTimeStep();
    CheckProbes();
    if (FLoadProfils)
        for (int i = 0; i < FLoadProfils->Count(); ++i) {
            const TEntries entries = EntriesOf(i);
            if (entries.empty()) continue;
            const TLoadObj* p = Profile(i);
            if (!p) Refuse(QStringLiteral("Das Lastprofil Nr. %d ist kein Lastprofil."), {std::int64_t{i + 1}});
            CheckProfile(*p, entries);
        }
    if (FUseGW) CheckGroundwater();
}

void TMainLoop::CheckMesh() const
{
    if (!FFieldModel || FFieldModel->NodeCount() == 0)
        throw EKPError(QStringLiteral("Das Modell hat kein Finite-Elemente-Netz. Bitte zuerst das Netz erzeugen."));
    if (!Positive(FFieldModel->DeltaTime()))
        throw EKPError(QStringLiteral("Der Zeitschritt des Untergrundmodells muss größer als 0 sein."));
}

void TMainLoop::CheckProbes() const
{
    for (int i = 0; i < EntryCount(); ++i) {
        const TBHEDataWrapper* w = Entry(i);
        if (!w || !w->BHE())
            Refuse(QStringLiteral("Den Sondendaten Nr. %d ist keine Sonde zugeordnet."), {std::int64_t{i + 1}});
        if (w->NodeIndex() < 0 || w->NodeIndex() >= FFieldModel->NodeCount())
            Refuse(QStringLiteral("Die Sonde \"%s\" liegt auf keinem Knoten des Netzes. Bitte das Netz neu erzeugen."),
                   {w->BHE()->Name()});
    }
}

void TMainLoop::CheckProfile(const TLoadObj& P, const TEntries& Entries) const
{
    const QString& name = P.Name();
    switch (P.LoadType()) {
    case ltConstant:
        if (!std::isfinite(P.ConstantLoad()))
            Refuse(QStringLiteral("Die Last des Lastprofils \"%s\" ist keine gültige Zahl."), {name});
        break;
    case ltFile:
        // A point without a power runs as 0 kW; a point without a time is damage.
        for (int k = 0; k < P.Count(); ++k) {
            const TPowerPoint* pt = P.PowerPoint(k);
            if (!std::isfinite(pt->PointOfTime()))
                Refuse(QStringLiteral("Die Zeitreihe des Lastprofils \"%s\" enthält im Punkt %d keine gültige Zahl."),
                       {name, std::int64_t{k + 1}});
        }
        break;
    case ltMonthProfile: {
        // Months the run never asks for may stay empty.
        const std::array<bool, 12> asked = MonthsAsked(P, RunStart(), RunEnd());
        for (int m = 1; m <= 12; ++m) {
            if (!asked[static_cast<size_t>(m - 1)]) continue;
            const THeatCoolLoad* e = P.MonthEntry(m);
            if (!e) Refuse(QStringLiteral("Dem Lastprofil \"%s\" fehlt der Monat %d."), {name, std::int64_t{m}});
            if (e->COPHeating() == 0)
                Refuse(QStringLiteral("Die Leistungszahl für Heizen des Lastprofils \"%s\" ist im Monat %d gleich 0."),
                       {name, std::int64_t{m}});
            if (!std::isfinite(e->PowerValue()))
                Refuse(QStringLiteral("Das Lastprofil \"%s\" ergibt im Monat %d keine gültige Leistung."),
                       {name, std::int64_t{m}});
        }
        break;
    }
    case ltYearProfile:
        CheckYearProfile(P, Entries);
        break;
    }
}

void TMainLoop::CheckYearProfile(const TLoadObj& P, const TEntries& Entries) const
{
    const QString& name = P.Name();
    bool heating = false;
    bool cooling = false;
    for (int k = 0; k < P.Count(); ++k) {
        const double load = P.LoadPoint(k)->LoadValue();
        if (!std::isfinite(load))
            Refuse(QStringLiteral("Das Jahreslastprofil \"%s\" enthält im Punkt %d keine gültige Tageslast."),
                   {name, std::int64_t{k + 1}});
        heating = heating || load > 0;
        cooling = cooling || load < 0;
    }
    const THeatpump* hp = FHeatPump;
    if (!hp || !hp->COP() || !hp->HeatPower() || !hp->CoolCOP() || !hp->CoolPower())
        Refuse(QStringLiteral("Für das Jahreslastprofil \"%s\" ist keine vollständige Wärmepumpe festgelegt."), {name});
    const double tin = FCircuit.TemperatureIn;
    if (!std::isfinite(tin))
        throw EKPError(QStringLiteral("Die Eintrittstemperatur der Wärmepumpe ist keine gültige Zahl."));
    if (heating) {
        CheckHeatpumpValue(hp->COP()->Value(tin), THeatpumpLine::COP, tin);
        CheckHeatpumpValue(hp->HeatPower()->Value(tin), THeatpumpLine::HeatPower, tin);
    }
    if (cooling) {
        CheckHeatpumpValue(hp->CoolCOP()->Value(tin), THeatpumpLine::CoolCOP, tin);
        CheckHeatpumpValue(hp->CoolPower()->Value(tin), THeatpumpLine::CoolPower, tin);
    }
    if (!Positive(Flux())) throw EKPError(QStringLiteral("Der Volumenstrom des Sondenfelds muss größer als 0 sein."));
    for (const TBHEDataWrapper* w : Entries) {
        const QString& probe = w->BHE()->Name();
        if (!Positive(w->BHE()->CasingLength()))
            Refuse(QStringLiteral("Die Sonde \"%s\" hat keine positive Länge."), {probe});
        if (!Positive(w->Flux()))
            Refuse(QStringLiteral("Der Volumenstrom der Sonde \"%s\" muss größer als 0 sein."), {probe});
        if (!Positive(w->RhoCP()))
            Refuse(QStringLiteral("Die Wärmekapazität des Fluids der Sonde \"%s\" muss größer als 0 sein."), {probe});
    }
}

void TMainLoop::CheckHeatpumpValue(double Value, THeatpumpLine Line, double Tin) const
{
    // The coefficients of performance are divided by; the powers multiply.
    const QString hp = FHeatPump->Name();
    const bool isCOP = Line == THeatpumpLine::COP || Line == THeatpumpLine::CoolCOP;
    if (isCOP && Value == 0)
        Refuse(Line == THeatpumpLine::COP
                   ? QStringLiteral("Die Leistungszahl (COP) der Wärmepumpe \"%s\" ist bei %.1f °C gleich 0.")
                   : QStringLiteral("Die Leistungszahl für Kühlen der Wärmepumpe \"%s\" ist bei %.1f °C gleich 0."),
               {hp, Tin});
    if (!std::isfinite(Value))
        Refuse(isCOP ? QStringLiteral("Die Leistungszahl der Wärmepumpe \"%s\" ist bei %.1f °C keine gültige Zahl.")
                     : QStringLiteral("Die Leistung der Wärmepumpe \"%s\" ist bei %.1f °C keine gültige Zahl."),
               {hp, Tin});
}

void TMainLoop::CheckGroundwater() const
{
    if (!FGWModel) throw EKPError(QStringLiteral("Das Modell hat kein Grundwassermodell."));
    if (!Positive(FGWModel->TimeForGrid()))
        throw EKPError(QStringLiteral("Die Dauer einer Grundwasserperiode muss größer als 0 sein."));
}

TDateTime TMainLoop::RunStart() const
{
    return FTimeEngine->RealStartTime() + FTimeEngine->StartTime() / SecsPerDay;
}

TDateTime TMainLoop::RunEnd() const
{
    return FTimeEngine->RealStartTime() + FTimeEngine->Endtime() / SecsPerDay;
}

void TMainLoop::CheckSolverTimeStep() const
{
    // The solve spreads the loads of FieldMultiplier steps over the field's
    // time step: any other step would give the field another energy than the
    // counters count.
    const double step = FTimeEngine->TimeStep();
    const double expected = step * FFieldMultiplier;
    const double dt = FFieldModel->DeltaTime();
    if (std::abs(dt - expected) <= 1e-9 * expected) return;
    Refuse(QStringLiteral("Der Zeitschritt des Untergrundmodells (%s s) stimmt nicht mit dem Zeitschritt der "
                          "Simulation mal Multiplikator (%s s × %d = %s s) überein. Bitte die Zeitschritte "
                          "neu festlegen."),
           {FloatToStr(dt), FloatToStr(step), std::int64_t{FFieldMultiplier}, FloatToStr(expected)});
}
