#include "model/loads/PowerSeriesFile.h"

#include "model/base/KPError.h"
#include "model/base/NumberText.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <cmath>
#include <optional>

namespace {

// A field of digits only, as a whole number; nullopt for anything else.
std::optional<int> Digits(QStringView S, int MinLen, int MaxLen)
{
    if (S.size() < MinLen || S.size() > MaxLen) return std::nullopt;
    int v = 0;
    for (QChar c : S) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
        v = v * 10 + (c.unicode() - '0');
    }
    return v;
}

std::optional<TDateTime> ParseDate(QStringView S)
{
    const bool german = S.contains(QLatin1Char('.'));
    const QList<QStringView> parts = S.split(german ? QLatin1Char('.') : QLatin1Char('-'));
    if (parts.size() != 3) return std::nullopt;
    const auto year = german ? Digits(parts[2], 4, 4) : Digits(parts[0], 4, 4);
    const auto month = Digits(parts[1], 1, 2);
    const auto day = german ? Digits(parts[0], 1, 2) : Digits(parts[2], 1, 2);
    TDateTime d;
    if (!year || !month || !day || !TryEncodeDate(*year, *month, *day, d)) return std::nullopt;
    return d;
}

std::optional<double> ParseTime(QStringView S)
{
    const QList<QStringView> parts = S.split(QLatin1Char(':'));
    if (parts.size() < 2 || parts.size() > 3) return std::nullopt;
    const auto h = Digits(parts[0], 1, 2);
    const auto m = Digits(parts[1], 2, 2);
    const auto s = parts.size() == 3 ? Digits(parts[2], 2, 2) : std::optional<int>(0);
    if (!h || !m || !s || *h > 23 || *m > 59 || *s > 59) return std::nullopt;
    return (*h * 3600.0 + *m * 60.0 + *s) / SecsPerDay;
}

std::optional<double> ParsePower(QStringView S, bool CommaIsDecimal)
{
    QString t = S.toString();
    if (CommaIsDecimal) t.replace(QLatin1Char(','), QLatin1Char('.'));
    double v;
    // Unset values have no place in an imported series: every line is a power.
    if (!TryStrToFloatC(t, v) || !std::isfinite(v)) return std::nullopt;
    return v;
}

QList<QStringView> SplitFields(QStringView Line, bool& CommaIsDecimal)
{
    CommaIsDecimal = true;
    QList<QStringView> fields;
    if (Line.contains(QLatin1Char('\t')))
        fields = Line.split(QLatin1Char('\t'));
    else if (Line.contains(QLatin1Char(';')))
        fields = Line.split(QLatin1Char(';'));
    else if (Line.contains(QLatin1Char(','))) {
        fields = Line.split(QLatin1Char(','));
        CommaIsDecimal = false;
    } else
        fields = Line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (QStringView& f : fields) f = f.trimmed();
    return fields;
}

// A line's point, or why the line does not read (Error empty when it does).
struct TLineResult {
    TPowerSample Sample;
    QString Error;
    bool StartsWithDate = false;
};

// Date and time given in one field become two: a date alone never holds a
// blank or a "T".
void SplitDateAndTime(QList<QStringView>& F)
{
    if (F.isEmpty()) return;
    const QStringView first = F[0];
    qsizetype gap = 0;
    while (gap < first.size() && first[gap] != QLatin1Char(' ') && first[gap] != QLatin1Char('T')) ++gap;
    if (gap == 0 || gap == first.size()) return;
    F[0] = first.left(gap);
    F.insert(1, first.mid(gap + 1).trimmed());
}

TLineResult ParseLine(QStringView Line)
{
    TLineResult r;
    bool commaIsDecimal;
    QList<QStringView> f = SplitFields(Line, commaIsDecimal);
    const QStringView dateField = f.isEmpty() ? QStringView() : f[0];
    SplitDateAndTime(f);
    const auto date = f.isEmpty() ? std::nullopt : ParseDate(f[0]);
    r.StartsWithDate = date.has_value();
    if (f.size() < 3) {
        r.Error = QStringLiteral("Datum, Uhrzeit und Leistung erwartet.");
        return r;
    }
    if (!date) {
        r.Error = QStringLiteral("\"%1\" ist kein gültiges Datum (TT.MM.JJJJ oder JJJJ-MM-TT).").arg(dateField);
        return r;
    }
    const auto time = ParseTime(f[1]);
    if (!time) {
        r.Error = QStringLiteral("\"%1\" ist keine gültige Uhrzeit (hh:mm oder hh:mm:ss).").arg(f[1]);
        return r;
    }
    const auto power = ParsePower(f[2], commaIsDecimal);
    if (!power) {
        r.Error = QStringLiteral("\"%1\" ist keine gültige Leistung.").arg(f[2]);
        return r;
    }
    r.Sample = {*date + *time, *power};
    return r;
}

}  // namespace

std::vector<TPowerSample> ParsePowerSeries(const QByteArray& Text, const QString& Source)
{
    std::vector<TPowerSample> samples;
    QByteArray body = Text;
    if (body.startsWith("\xEF\xBB\xBF")) body.remove(0, 3);
    const QList<QByteArray> lines = body.split('\n');
    bool firstLine = true;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = QString::fromUtf8(lines[i]).trimmed();
        if (line.isEmpty()) continue;
        const TLineResult r = ParseLine(line);
        const bool header = firstLine && !r.StartsWithDate;
        firstLine = false;
        if (header) continue;
        if (!r.Error.isEmpty())
            throw EReadError(QStringLiteral("Datei \"%1\", Zeile %2: %3").arg(Source).arg(i + 1).arg(r.Error));
        samples.push_back(r.Sample);
    }
    if (samples.empty())
        throw EReadError(QStringLiteral("Die Datei \"%1\" enthält keine Leistungswerte.").arg(Source));
    return samples;
}

std::vector<TPowerSample> ReadPowerSeriesFile(const QString& FileName)
{
    QFile file(FileName);
    const QString shown = QDir::toNativeSeparators(FileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EFileError(
            QStringLiteral("Die Datei \"%1\" kann nicht geöffnet werden: %2").arg(shown, file.errorString()));
    return ParsePowerSeries(file.readAll(), shown);
}
