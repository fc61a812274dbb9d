#include "model/run/RunTexts.h"

#include "model/base/NumberText.h"
#include "model/base/Rounding.h"
#include "model/run/CounterTable.h"
#include "model/run/MainLoopObj.h"

#include <algorithm>
#include <cmath>
#include <numeric>

QString RemainingTimeText(double RemainingSeconds)
{
    QString text = QStringLiteral("Verbleibende Berechnungsdauer: ");
    if (RemainingSeconds < 60) return text + QStringLiteral(" < 1 Minute");
    const int d = TruncInt(RemainingSeconds / 86400);
    if (d > 0) text += IntToStr(d) + QStringLiteral(" d ");
    double r = RemainingSeconds - d * 86400.0;
    const int h = TruncInt(r / 3600);
    if (h > 0) text += IntToStr(h) + QStringLiteral(" h ");
    r -= h * 3600.0;
    // The whole minutes of r.
    const int m = TruncInt(static_cast<double>(RoundEven64(r * 60)) / 3600);
    if (m > 0) text += IntToStr(m) + QStringLiteral(" min ");
    return text;
}

double EstimateRemaining(int Total, int Done, double Elapsed, int MeasuredSteps)
{
    return static_cast<double>(Total - Done) * Elapsed / std::max(1, MeasuredSteps);
}

QString TimeSpanText(double Seconds)
{
    const std::int64_t days = Trunc64(Seconds / 86400);
    const std::int64_t hours = Trunc64((Seconds - days * 86400.0) / 3600);
    return Format(QStringLiteral("Time Span: %d days %d hours"), {days, hours});
}

QString LEDDurationText(std::int64_t Ticks)
{
    const std::int64_t minutes = Ticks / (60 * TCounterTable::TicksPerSecond);
    return Format(QStringLiteral("%.2d h %.2d min"), {minutes / 60, minutes % 60});
}

QString NodeDumpFileName(const QString& Location, TDateTime Time)
{
    const TDateTimeParts p = DecodeDateTime(Time);
    return Format(QStringLiteral("%s_%.4u_%.2u_%.2u_%.2u_%.2u%s"),
                  {Location, std::int64_t{p.Year}, std::int64_t{p.Month}, std::int64_t{p.Day}, std::int64_t{p.Hour},
                   std::int64_t{p.Minute}, QStringLiteral(".txt")});
}

TDashboardValues MakeDashboardValues(double CurrentTime, const TEnergyCounter& Total,
                                     const TEnergyCounter& Geothermal, const TEnergyCounter& Electric,
                                     double InitialQuantity, double Quantity)
{
    TDashboardValues v;
    v.LblElapsedTime = Format(QStringLiteral("Zeit seit Simulationsbeginn: %f [d]"), {CurrentTime / 86400});
    const TEnergyCounter* rows[3] = {&Total, &Geothermal, &Electric};
    const QString pattern = QStringLiteral("0.0");
    for (int r = 0; r < 3; ++r) {
        v.Counters[r][0] = FormatFloat(pattern, std::abs(rows[r]->Heat()));
        v.Counters[r][1] = FormatFloat(pattern, rows[r]->Cool());
        v.Counters[r][2] = FormatFloat(pattern, rows[r]->Balance());
        v.Counters[r][3] = FormatFloat(pattern, rows[r]->Sum());
    }
    v.InitialQuantity = FormatFloat(pattern, InitialQuantity / 3600000);
    v.CurrentQuantity = FormatFloat(pattern, Quantity / 3600000);
    v.DeltaQuantity = FormatFloat(pattern, (Quantity - InitialQuantity) / 3600000);
    return v;
}

void FillLEDTexts(TGaugeValues& Values, const THeatpumpCircuit& Circuit, const TEnergyCounter& YearOutput,
                  const TEnergyCounter& YearGeothermal, const TEnergyCounter& YearElectric)
{
    const QString kWh1 = QStringLiteral("%.1f kWh");
    const QString kWh0 = QStringLiteral("%.0f kWh");
    Values.LEDDisplayEnergy = Format(kWh1, {Circuit.DailyHeatPower});
    Values.LEDDisplayDuration = LEDDurationText(Circuit.DailyTimeCounter);
    Values.LEDDisplayAnnualOpTime = Format(QStringLiteral("%d h"), {RoundEven64(Circuit.YearOpsTime / 3600)});
    Values.LEDDisplayElectricity = Format(kWh1, {Circuit.DailyHeatPower - Circuit.DailyFieldEnergy});
    Values.LEDDisplayEnergyYear = Format(kWh0, {YearElectric.Sum()});
    Values.LEDDisplayAnnualEnergy = Format(kWh0, {YearOutput.Sum()});
    Values.LEDDisplayAnnualHeating = Format(kWh0, {-YearOutput.Heat()});
    Values.LEDDisplayAnnualCooling = Format(kWh0, {YearOutput.Cool()});
    Values.LEDDisplayGeothermalAnnualHeating = Format(kWh0, {-YearGeothermal.Heat()});
    Values.LEDDisplayGeothermalAnnualCooling = Format(kWh0, {YearGeothermal.Cool()});
}

void FillBestWorst(TGaugeValues& Values, const std::vector<double>& Temperatures, const std::vector<double>& Powers)
{
    if (Temperatures.empty() || Powers.empty()) return;
    const double n = static_cast<double>(Temperatures.size());
    const double mean = std::accumulate(Temperatures.begin(), Temperatures.end(), 0.0) / n;
    const double tMax = *std::max_element(Temperatures.begin(), Temperatures.end());
    const double tMin = *std::min_element(Temperatures.begin(), Temperatures.end());
    const double threshold = 0.1;
    const QString lineBreak = QStringLiteral("\r\n");
    const QString none = lineBreak + QStringLiteral("no BHE exceeds %g °C threshold");
    // A probe stands out only when it lies more than the threshold from the mean.
    Values.BestGaugesVisible = !(std::abs(mean - tMax) <= threshold);
    if (Values.BestGaugesVisible) {
        Values.LblBest = QStringLiteral("Best:");
        Values.GaugeBHEBestT = tMax;
        Values.GaugeBHEBestP = *std::max_element(Powers.begin(), Powers.end());
    } else {
        Values.LblBest = Format(QStringLiteral("Best:") + none, {threshold});
    }
    Values.WorstGaugesVisible = !(std::abs(mean - tMin) <= threshold);
    if (Values.WorstGaugesVisible) {
        Values.LblWorst = QStringLiteral("Worst:");
        Values.GaugeBHEWorstT = tMin;
        Values.GaugeBHEWorstP = *std::min_element(Powers.begin(), Powers.end());
    } else {
        Values.LblWorst = Format(QStringLiteral("Worst:") + none, {threshold});
    }
    Values.GaugeBHEAverageP = std::accumulate(Powers.begin(), Powers.end(), 0.0) / static_cast<double>(Powers.size());
}
