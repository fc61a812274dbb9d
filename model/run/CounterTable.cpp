#include "model/run/CounterTable.h"

#include "model/base/NumberText.h"
#include "model/base/Rounding.h"

#include <cmath>
#include <limits>

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
// Far beyond any run (27 000 years of days); guards the allocation.
constexpr int MaxRows = 10000000;

constexpr int YearFixedColumns = 6;   // Nr., Datum, duration, field, building, share
constexpr int PowerFixedColumns = 4;  // Nr., Datum, field power, probe power

}  // namespace

QStringList CounterHeader(TLoadType LoadType, const QStringList& ProbeNames)
{
    QStringList h;
    if (LoadType == ltYearProfile) {
        h << QStringLiteral("Nr.") << QStringLiteral("Datum") << QStringLiteral("Betriebsdauer [h]")
          << QStringLiteral("Feldenergie [kWh]") << QStringLiteral("Energie an Gebäude [kWh]")
          << QStringLiteral("Erdwärmeanteil [%]");
        for (const QString& name : ProbeNames)
            h << name + QStringLiteral(" Energie [kWh]") << name + QStringLiteral(" Effizienz")
              << name + QStringLiteral(" ϑ min [°C]") << name + QStringLiteral(" ϑ max [°C]");
    } else {
        h << QStringLiteral("Nr.") << QStringLiteral("Datum") << QStringLiteral("Feldleistung [kW]")
          << QStringLiteral("Sondenleistung [kW]");
        for (const QString& name : ProbeNames)
            h << name + QStringLiteral(" ϑ min [°C]") << name + QStringLiteral(" ϑ max [°C]");
    }
    return h;
}

QString CounterDurationText(std::int64_t Ticks)
{
    const std::int64_t minutes = Ticks / (60 * TCounterTable::TicksPerSecond);
    return Format(QStringLiteral("%d h %d min"), {minutes / 60, minutes % 60});
}

void TCounterTable::Clear()
{
    FHeader.clear();
    FRows.clear();
}

int TCounterTable::ColCount() const
{
    qsizetype n = FHeader.size();
    for (const TRow& r : FRows) n = std::max<qsizetype>(n, 2 + static_cast<qsizetype>(r.Values.size()));
    return static_cast<int>(std::max<qsizetype>(n, 2));
}

TCounterTable::TRow* TCounterTable::PrepareRow(int Row)
{
    if (Row < 1 || Row > MaxRows) return nullptr;
    if (static_cast<size_t>(Row) > FRows.size()) FRows.resize(static_cast<size_t>(Row));
    TRow& r = FRows[static_cast<size_t>(Row - 1)];
    r = TRow();
    return &r;
}

const TCounterTable::TRow* TCounterTable::RowAt(int Row) const
{
    if (Row < 1 || static_cast<size_t>(Row) > FRows.size()) return nullptr;
    return &FRows[static_cast<size_t>(Row - 1)];
}

void TCounterTable::SetYearProfileRow(int Row, TDateTime Date, std::int64_t DailyTicks, double FieldEnergy,
                                      double HeatPower, int ProbeCount, const std::vector<TCounterProbeDay>& Probes)
{
    TRow* r = PrepareRow(Row);
    if (!r) return;
    r->Kind = TCounterRowKind::YearProfile;
    r->Date = Date;
    r->Values = {static_cast<double>(DailyTicks), FieldEnergy, HeatPower, FieldEnergy / HeatPower * 100};
    if (ProbeCount <= 0) return;
    // How far each probe's day lies from the field's mean, in tenths of a kWh.
    const double mean = FieldEnergy * 10 / ProbeCount;
    r->IndicatorRange = std::abs(RoundEven(mean));
    for (const TCounterProbeDay& p : Probes) {
        r->Values.push_back(p.Energy);
        r->Values.push_back(RoundEven(p.Energy * 10 - mean));
        r->Values.push_back(p.MinTemp);
        r->Values.push_back(p.MaxTemp);
    }
}

void TCounterTable::SetPowerRow(int Row, TDateTime Date, double Power, int ProbeCount,
                                const std::vector<TCounterProbeDay>& Probes)
{
    TRow* r = PrepareRow(Row);
    if (!r) return;
    r->Kind = TCounterRowKind::Power;
    r->Date = Date;
    r->Values = {Power};
    if (ProbeCount <= 0) return;
    r->Values.push_back(Power / ProbeCount);
    for (const TCounterProbeDay& p : Probes) {
        r->Values.push_back(p.MinTemp);
        r->Values.push_back(p.MaxTemp);
    }
}

TCounterRowKind TCounterTable::RowKind(int Row) const
{
    const TRow* r = RowAt(Row);
    return r ? r->Kind : TCounterRowKind::Empty;
}

TDateTime TCounterTable::RowDate(int Row) const
{
    const TRow* r = RowAt(Row);
    return r && r->Kind != TCounterRowKind::Empty ? r->Date : NaN;
}

bool TCounterTable::IsIndicatorColumn(const TRow& R, int Col)
{
    return R.Kind == TCounterRowKind::YearProfile && Col >= YearFixedColumns + 1 &&
           (Col - YearFixedColumns - 1) % 4 == 0;
}

double TCounterTable::CellValue(int Row, int Col) const
{
    const TRow* r = RowAt(Row);
    if (!r || r->Kind == TCounterRowKind::Empty || Col < 0) return NaN;
    if (Col == 0) return Row;
    if (Col == 1) return r->Date;
    const size_t i = static_cast<size_t>(Col - 2);
    if (i >= r->Values.size()) return NaN;
    // The running time as hours.
    if (r->Kind == TCounterRowKind::YearProfile && Col == 2) return r->Values[0] / (3600.0 * TicksPerSecond);
    return r->Values[i];
}

bool TCounterTable::Indicator(int Row, int Col, TCounterIndicator& Out) const
{
    const TRow* r = RowAt(Row);
    if (!r || !IsIndicatorColumn(*r, Col) || static_cast<size_t>(Col - 2) >= r->Values.size()) return false;
    Out = TCounterIndicator();
    Out.Value = RoundEven(r->Values[static_cast<size_t>(Col - 2)]);
    Out.Range = r->IndicatorRange;
    return true;
}

QString TCounterTable::CellText(int Row, int Col) const
{
    if (Row == 0) return Col >= 0 && Col < FHeader.size() ? FHeader[Col] : QString();
    const TRow* r = RowAt(Row);
    if (!r || r->Kind == TCounterRowKind::Empty || Col < 0) return QString();
    if (Col == 0) return IntToStr(Row);
    if (Col == 1) return FormatDateTime(QStringLiteral("dd.mm.yyyy"), r->Date);
    const size_t i = static_cast<size_t>(Col - 2);
    if (i >= r->Values.size() || IsIndicatorColumn(*r, Col)) return QString();
    const double v = r->Values[i];
    if (r->Kind == TCounterRowKind::YearProfile && Col == 2)
        return CounterDurationText(RoundEven64(v));
    // The field power keeps the grid's float format; NaN shows as such.
    if (r->Kind == TCounterRowKind::Power && Col == 2) return Format(QStringLiteral("%.2f"), {v});
    return FloatToFixedOrEmpty(v, 2);
}

QString TCounterTable::AsText() const
{
    QString out;
    const int cols = ColCount();
    for (int row = 0; row < RowCount(); ++row) {
        for (int col = 0; col < cols; ++col) {
            if (col > 0) out += QLatin1Char('\t');
            out += CellText(row, col);
        }
        out += QStringLiteral("\r\n");
    }
    return out;
}
