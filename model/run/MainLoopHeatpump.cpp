// The year-profile step: a heat pump serves the day's demand at full power,
// its outlet feeds the probes of the profile, their outlets mix into the
// heat pump's inlet of the next step.

#include "model/run/MainLoopObj.h"

#include "model/base/KPError.h"
#include "model/base/ModelUI.h"
#include "model/base/NumberText.h"
#include "model/base/Rounding.h"
#include "model/fe/NumModel.h"
#include "model/loads/HeatpumpObj.h"
#include "model/loads/LoadObject.h"
#include "model/probes/BHEObj.h"
#include "model/run/RunTexts.h"

namespace {

enum class THeatpumpMode { Heating, Cooling, Off };

constexpr TRunColor HeatingColor = 0x0000CE;
constexpr TRunColor CoolingColor = 0x7D491F;
constexpr TRunColor OffColor = 0xC0C0C0;

}  // namespace

TLoadObj* TMainLoop::OwnProfile() const
{
    // A profile deleted from the project is no longer the run's.
    if (FLoadProfils && FLoadProfils->IndexOf(FLoadProfile) < 0) return nullptr;
    return FLoadProfile;
}

void TMainLoop::PruneCircuits()
{
    std::erase_if(FOtherCircuits, [this](const auto& c) {
        return !FLoadProfils || FLoadProfils->IndexOf(c.first) < 0 || c.first == OwnProfile();
    });
}

THeatpumpCircuit& TMainLoop::CircuitOf(const TLoadObj& P)
{
    if (&P == OwnProfile()) return FCircuit;
    for (auto& [p, c] : FOtherCircuits)
        if (p == &P) return c;
    // Another year profile runs its own circuit, starting where the run's
    // circuit started, with the demand of the current day.
    THeatpumpCircuit c;
    c.TemperatureIn = FCircuit.TemperatureIn;
    c.TemperatureOut = FCircuit.TemperatureOut;
    c.RequestedLoad = P.GetLoad(FTimeEngine->RealCurrentTime());
    FOtherCircuits.emplace_back(&P, c);
    return FOtherCircuits.back().second;
}

void TMainLoop::CoupleHeatpump(const TEntries& Entries, THeatpumpCircuit& C, bool ShowGauges)
{
    if (!FHeatPump || !FHeatPump->COP() || !FHeatPump->HeatPower() || !FHeatPump->CoolCOP() || !FHeatPump->CoolPower())
        throw EKPError(QStringLiteral("Für das Jahreslastprofil ist keine vollständige Wärmepumpe festgelegt."));
    const THeatpump& hp = *FHeatPump;
    const double dt = FTimeEngine->TimeStep();
    const double n = static_cast<double>(Entries.size());
    const double tin = C.TemperatureIn;

    THeatpumpMode mode = THeatpumpMode::Off;
    if (C.RequestedLoad < 0 && C.DailyHeatPower > C.RequestedLoad)
        mode = THeatpumpMode::Cooling;
    else if (C.RequestedLoad > 0 && C.RequestedLoad > C.DailyHeatPower)
        mode = THeatpumpMode::Heating;

    double G = 0;  // kW taken from the ground (negative: put into it)
    double L = 0;  // kW delivered
    if (mode == THeatpumpMode::Heating) {
        const double cop = hp.COP()->Value(tin);
        const double power = hp.HeatPower()->Value(tin);
        CheckHeatpumpValue(cop, THeatpumpLine::COP, tin);
        CheckHeatpumpValue(power, THeatpumpLine::HeatPower, tin);
        FYearOutputEnergy->Add(-power * dt / 3600);
        G = power * (cop - 1) / cop;
        FYearGeothermalEnergy->Add(-G * dt / 3600);
        const double electric = power - G;
        FYearElectricEnergy->Add(electric * dt / 3600);
        L = power;
        if (ShowGauges) {
            FGauges.GaugeHeatpumpPower = power;
            FGauges.StatusHeatpump = QStringLiteral("Heating");
            FGauges.StatusHeatpumpColor = HeatingColor;
            FGauges.GaugeElectricity = electric;
            FGauges.GaugeCOP = cop;
            FGauges.LblHeatpumpSpecs = Format(QStringLiteral("T = %.1f °C"), {hp.WaterTemperature()});
        }
    } else if (mode == THeatpumpMode::Cooling) {
        const double ccop = hp.CoolCOP()->Value(tin);
        const double cpower = hp.CoolPower()->Value(tin);
        CheckHeatpumpValue(ccop, THeatpumpLine::CoolCOP, tin);
        CheckHeatpumpValue(cpower, THeatpumpLine::CoolPower, tin);
        L = -cpower;
        FYearOutputEnergy->Add(cpower * dt / 3600);
        G = L * (1 / ccop + 1);
        FYearGeothermalEnergy->Add(-G * dt / 3600);
        const double electric = L - G;
        FYearElectricEnergy->Add(electric * dt / 3600);
        if (ShowGauges) {
            FGauges.GaugeHeatpumpPower = cpower;
            FGauges.StatusHeatpump = QStringLiteral("Cooling");
            FGauges.StatusHeatpumpColor = CoolingColor;
            FGauges.GaugeElectricity = electric;
            FGauges.GaugeCOP = ccop;
            FGauges.LblHeatpumpSpecs = Format(QStringLiteral("T = %.1f °C"), {hp.CoolWaterTemperature()});
        }
    } else {
        // Off: no load, and the inlet takes the mean temperature of the probe nodes.
        double sum = 0;
        for (const TBHEDataWrapper* w : Entries) {
            AddNodeLoad(*w, 0);
            sum += NodeOf(*w)->F();
        }
        C.TemperatureIn = sum / n;
        if (ShowGauges) {
            FGauges.GaugeHeatpumpPower = 0;
            FGauges.StatusHeatpump = QStringLiteral("Off");
            FGauges.StatusHeatpumpColor = OffColor;
            FGauges.GaugeElectricity = 0;
        }
    }

    if (ShowGauges) {
        FGauges.LblFluidFlux =
            Format(QStringLiteral("Flux (%s): %.1f m³/h"), {FluidName(Fluid()), Flux() * 3600});
        FGauges.GaugeHeatpumpIn = C.TemperatureIn;
    }

    if (mode != THeatpumpMode::Off) {
        // The circuit carries the flow of its own probes.
        const int all = EntryCount();
        const double flux = Entries.size() == static_cast<size_t>(all) ? Flux() : Flux() * n / all;
        const double tout = tin - G * 1000 / flux / VolumetricHeatCapacity(Fluid(), tin);
        C.TemperatureOut = tout;
        if (ShowGauges) FGauges.GaugeHeatpumpOut = tout;

        double tinSum = 0;
        double powerSum = 0;
        std::vector<double> temperatures;
        std::vector<double> powers;
        temperatures.reserve(Entries.size());
        powers.reserve(Entries.size());
        for (TBHEDataWrapper* w : Entries) {
            const TNode* node = NodeOf(*w);
            w->SetTempIn(tout);
            w->SetTempWall(node->FA());
            w->CalculateTemperatureOut(FUseBHEAnalytic);
            AddNodeLoad(*w, -w->Power());
            powerSum += w->Power();
            tinSum += w->TempOut();
            temperatures.push_back(w->TempOut());
            powers.push_back(w->Power() / 1000);
            w->SetDailyEnergyCounter(w->DailyEnergyCounter() + w->Power() / 1000 * dt / 3600);
        }
        C.TemperatureIn = tinSum / n;
        C.DailyFieldEnergy += powerSum / 1000 * dt / 3600;
        C.DailyHeatPower += L * dt / 3600;
        FGeothermalEnergy->Add(-powerSum / 1000 * dt / 3600);
        C.DailyTimeCounter += RoundEven64(dt * TCounterTable::TicksPerSecond);
        C.YearOpsTime += dt;
        if (ShowGauges) FillBestWorst(FGauges, temperatures, powers);
    } else if (ShowGauges) {
        FGauges.GaugeHeatpumpOut = C.TemperatureIn;
    }

    if (ShowGauges)
        FillLEDTexts(FGauges, C, *FYearOutputEnergy, *FYearGeothermalEnergy, *FYearElectricEnergy);
    if (&C == &FCircuit)
        ModelUI<TRunDisplay>().AddRequestedLoadPoint(FTimeEngine->CurrentTime(), -C.RequestedLoad);
}
