#pragma once

// What a running simulation shows. The main loop never touches a control:
// it hands texts and numbers to the run display that the user interface
// installs (InstallModelUI<TRunDisplay>). The default is headless: nothing is
// visible and every call does nothing, so a run without a user interface
// computes and records exactly the same results.

#include "model/base/DateTime.h"

#include <QString>
#include <cstdint>
#include <vector>

class TCounterTable;

// Colours as $BBGGRR.
using TRunColor = std::uint32_t;

// Everything the gauge window (status window with gauges and LED displays)
// shows. The loop keeps one of these between steps: values a step does not
// write keep what an earlier step wrote.
struct TGaugeValues {
    QString LblDateTime;
    QString LblDuration;

    double GaugeHeatpumpPower = 0;  // kW
    double GaugeElectricity = 0;    // kW
    double GaugeCOP = 0;
    double GaugeHeatpumpIn = 0;     // °C
    double GaugeHeatpumpOut = 0;    // °C
    double GaugeBHEBestT = 0;       // °C
    double GaugeBHEBestP = 0;       // kW
    double GaugeBHEWorstT = 0;      // °C
    double GaugeBHEWorstP = 0;      // kW
    double GaugeBHEAverageP = 0;    // kW
    bool BestGaugesVisible = true;  // GaugeBHEBestT and GaugeBHEBestP
    bool WorstGaugesVisible = true; // GaugeBHEWorstT and GaugeBHEWorstP

    QString StatusHeatpump;         // "Heating", "Cooling", "Off"
    TRunColor StatusHeatpumpColor = 0;
    QString LblHeatpumpSpecs;
    QString LblFluidFlux;
    QString LblBest;
    QString LblWorst;

    QString LEDDisplayEnergy;
    QString LEDDisplayDuration;
    QString LEDDisplayAnnualOpTime;
    QString LEDDisplayElectricity;
    QString LEDDisplayEnergyYear;
    QString LEDDisplayAnnualEnergy;
    QString LEDDisplayAnnualHeating;
    QString LEDDisplayAnnualCooling;
    QString LEDDisplayGeothermalAnnualHeating;
    QString LEDDisplayGeothermalAnnualCooling;
};

// The energy dashboard window: the elapsed-time label and the cells of its
// counter grid that the loop writes.
struct TDashboardValues {
    QString LblElapsedTime;
    // Rows 1..3 (Total, Geothermal, Electricity) × columns 1..4 (Heat, Cool,
    // Balance, Sum).
    QString Counters[3][4];
    QString InitialQuantity;  // column 3, row 5 (kWh)
    QString CurrentQuantity;  // column 3, row 6
    QString DeltaQuantity;    // column 3, row 7
};

// One point of the temperature surface: the temperature is the height.
struct TSurfacePoint {
    double X = 0;  // node x
    double Y = 0;  // node temperature
    double Z = 0;  // node y
};

class TRunDisplay {
public:
    virtual ~TRunDisplay() = default;

    // Simulated date and time, "hh:nn:ss dd.mm.yyyy".
    virtual void ShowDate(const QString& Text) { (void)Text; }
    virtual void ShowProgress(int PartsComplete, int TotalParts)
    {
        (void)PartsComplete;
        (void)TotalParts;
    }
    virtual void HideProgress() {}
    // Makes the remaining-time label visible with Text.
    virtual void ShowRemainingTime(const QString& Text) { (void)Text; }
    // One line for the run's message log.
    virtual void AddLogLine(const QString& Line) { (void)Line; }

    // The daily counter table lives in the loop; the display shows it. A run
    // begins an update, every filled row is announced, the end of the run
    // ends the update (and sizes the columns to their contents).
    virtual void BeginCounterUpdate() {}
    virtual void CounterRowChanged(const TCounterTable& Table, int Row)
    {
        (void)Table;
        (void)Row;
    }
    virtual void EndCounterUpdate(const TCounterTable& Table) { (void)Table; }

    // The 3-D temperature surface; the points are only built when asked for.
    virtual bool HasSurfaceChart() { return false; }
    virtual void ShowSurface(const std::vector<TSurfacePoint>& Points) { (void)Points; }

    // The gauge window. Its values are only computed while it is visible.
    virtual bool IsGaugeWindowVisible() { return false; }
    virtual void ShowGauges(const TGaugeValues& Values) { (void)Values; }

    // The energy dashboard window.
    virtual bool IsDashboardVisible() { return false; }
    virtual void ShowDashboard(const TDashboardValues& Values) { (void)Values; }

    // Requested daily load of a year profile over simulated seconds (the
    // load chart; the main window has none).
    virtual void AddRequestedLoadPoint(double Seconds, double Value)
    {
        (void)Seconds;
        (void)Value;
    }
    // The monitoring chart: emptied, dates First..Last on the bottom axis.
    virtual void PrepareTemperatureChart(TDateTime First, TDateTime Last)
    {
        (void)First;
        (void)Last;
    }
    virtual void RepaintTemperatureChart() {}

    // Called at the end of every step: the program lets its event loop run
    // here, which is where pause and stop requests arrive.
    virtual void ProcessMessages() {}
};
