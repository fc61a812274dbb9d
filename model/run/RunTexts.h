#pragma once

// The texts a run shows, made from plain numbers so that they can be checked
// without a run. Numbers follow the user's locale.

#include "model/base/DateTime.h"
#include "model/run/RunDisplay.h"

#include <QString>
#include <cstdint>
#include <vector>

class TEnergyCounter;
struct THeatpumpCircuit;

// "Verbleibende Berechnungsdauer: " followed by days, hours and minutes, or
// by " < 1 Minute" below one minute.
QString RemainingTimeText(double RemainingSeconds);

// Seconds left when MeasuredSteps steps took Elapsed seconds and Total − Done
// steps remain.
double EstimateRemaining(int Total, int Done, double Elapsed, int MeasuredSteps);

// "Time Span: %d days %d hours" for a span of Seconds.
QString TimeSpanText(double Seconds);

// A heat-pump running time as the LED display shows it, "%.2d h %.2d min";
// full hours are counted, so a whole day reads 24 h.
QString LEDDurationText(std::int64_t Ticks);

// The node dump of Location (directory and file stem) at Time:
// Location_YYYY_MM_DD_hh_nn.txt.
QString NodeDumpFileName(const QString& Location, TDateTime Time);

// The dashboard cells from the counters and the heat contents (J).
TDashboardValues MakeDashboardValues(double CurrentTime, const TEnergyCounter& Total,
                                     const TEnergyCounter& Geothermal, const TEnergyCounter& Electric,
                                     double InitialQuantity, double Quantity);

// The LED displays of the gauge window.
void FillLEDTexts(TGaugeValues& Values, const THeatpumpCircuit& Circuit, const TEnergyCounter& YearOutput,
                  const TEnergyCounter& YearGeothermal, const TEnergyCounter& YearElectric);

// Best and worst probe from the probes' outlet temperatures (°C) and powers
// (kW), and the mean power.
void FillBestWorst(TGaugeValues& Values, const std::vector<double>& Temperatures, const std::vector<double>& Powers);
