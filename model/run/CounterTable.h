#pragma once

// The daily counter table of a run: one row per simulated day, kept as
// numbers by the main loop and turned into the cell texts on demand, so a
// display can show it without holding a copy.

#include "model/base/DateTime.h"
#include "model/loads/LoadObject.h"
#include "model/run/RunDisplay.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

enum class TCounterRowKind : std::uint8_t { Empty, YearProfile, Power };

// A probe's values of one day.
struct TCounterProbeDay {
    double Energy = 0;   // kWh (year profiles)
    double MinTemp = 0;  // °C
    double MaxTemp = 0;  // °C
};

// The bar of a range-indicator cell: Value within ±Range, red below zero,
// green above; the number itself is not shown.
struct TCounterIndicator {
    int Value = 0;
    int Range = 0;
    TRunColor NegativeColor = 0x0000FF;
    TRunColor PositiveColor = 0x008000;
};

// Header of the counter table for a profile kind and the probes' names.
// Time series get the power layout, since their rows are power rows.
QStringList CounterHeader(TLoadType LoadType, const QStringList& ProbeNames);

// Text of a heat-pump running time in the table, "%d h %d min"; full hours
// are counted, so 24 hours read 24 h.
QString CounterDurationText(std::int64_t Ticks);

class TCounterTable {
public:
    // Running times are time spans in ticks of 100 ns.
    static constexpr std::int64_t TicksPerSecond = 10000000;

    void Clear();
    void SetHeader(const QStringList& Header) { FHeader = Header; }
    const QStringList& Header() const { return FHeader; }

    // Row 0 is the header; day rows start at 1.
    int RowCount() const { return static_cast<int>(FRows.size()) + 1; }
    int ColCount() const;

    // Fills day row Row (≥ 1; other rows are ignored). ProbeCount is the
    // number of probes the day's field energy is shared by; the probe
    // columns are written only when it is positive.
    void SetYearProfileRow(int Row, TDateTime Date, std::int64_t DailyTicks, double FieldEnergy, double HeatPower,
                           int ProbeCount, const std::vector<TCounterProbeDay>& Probes);
    void SetPowerRow(int Row, TDateTime Date, double Power, int ProbeCount,
                     const std::vector<TCounterProbeDay>& Probes);

    TCounterRowKind RowKind(int Row) const;
    // The date of a day row (whole days), NaN for the header and empty rows.
    TDateTime RowDate(int Row) const;
    QString CellText(int Row, int Col) const;
    // The number behind a cell, NaN where there is none.
    double CellValue(int Row, int Col) const;
    // True for the range-indicator cells of year-profile rows.
    bool Indicator(int Row, int Col, TCounterIndicator& Out) const;
    // The whole table, cells separated by tabs, rows by CR LF.
    QString AsText() const;

private:
    struct TRow {
        TCounterRowKind Kind = TCounterRowKind::Empty;
        TDateTime Date = 0;
        int IndicatorRange = 0;
        // Columns 2, 3, … of the row.
        std::vector<double> Values;
    };
    TRow* PrepareRow(int Row);
    const TRow* RowAt(int Row) const;
    static bool IsIndicatorColumn(const TRow& R, int Col);

    QStringList FHeader;
    std::vector<TRow> FRows;  // FRows[r - 1] is day row r
};
