#include "model/base/DateTime.h"

#include "model/base/KPError.h"
#include "model/base/Rounding.h"

#include <QDateTime>
#include <cmath>

namespace {

// Days from 1899-12-30 to 1970-01-01.
constexpr std::int64_t UnixEpochDay = 25569;

// Civil date from days since 1970-01-01 (proleptic Gregorian).
void CivilFromDays(std::int64_t z, int& y, int& m, int& d)
{
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t yy = static_cast<std::int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yy + (m <= 2));
}

std::int64_t DaysFromCivil(int y, int m, int d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * static_cast<unsigned>(m > 2 ? m - 3 : m + 9) + 2) / 5 + static_cast<unsigned>(d) - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

// Day number and millisecond of the day, rounded as described in the header.
void SplitDateTime(TDateTime DT, std::int64_t& Day, std::int64_t& Ms)
{
    if (!std::isfinite(DT)) {
        Day = 0;
        Ms = 0;
        return;
    }
    // Before 1899-12-30 the stored form has a negative day part and a positive time fraction.
    Day = Trunc64(DT);
    Ms = RoundEven64(std::fabs(DT - static_cast<double>(Day)) * MSecsPerDay);
    if (Ms >= static_cast<std::int64_t>(MSecsPerDay)) {
        Ms -= static_cast<std::int64_t>(MSecsPerDay);
        Day += DT >= 0 ? 1 : -1;
    }
}

const char* const LongMonthNames[12] = {"Januar", "Februar", "März", "April", "Mai", "Juni",
                                        "Juli", "August", "September", "Oktober", "November", "Dezember"};
const char* const ShortMonthNames[12] = {"Jan", "Feb", "Mär", "Apr", "Mai", "Jun",
                                         "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};
const char* const LongDayNames[7] = {"Sonntag", "Montag", "Dienstag", "Mittwoch",
                                     "Donnerstag", "Freitag", "Samstag"};
const char* const ShortDayNames[7] = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};

QString Padded(int V, int Width) { return QStringLiteral("%1").arg(V, Width, 10, QLatin1Char('0')); }

}  // namespace

bool IsLeapYear(int Year) { return (Year % 4 == 0 && Year % 100 != 0) || Year % 400 == 0; }

int DaysInAMonth(int Year, int Month)
{
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (Month < 1 || Month > 12) return 0;
    return Month == 2 && IsLeapYear(Year) ? 29 : days[Month - 1];
}

int DaysInAYear(int Year) { return IsLeapYear(Year) ? 366 : 365; }

bool IsValidDate(int Year, int Month, int Day)
{
    return Year >= 1 && Year <= 9999 && Month >= 1 && Month <= 12 && Day >= 1 && Day <= DaysInAMonth(Year, Month);
}

bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Result)
{
    if (!IsValidDate(Year, Month, Day)) return false;
    Result = static_cast<double>(DaysFromCivil(Year, Month, Day) + UnixEpochDay);
    return true;
}

TDateTime EncodeDate(int Year, int Month, int Day)
{
    TDateTime r;
    if (!TryEncodeDate(Year, Month, Day, r))
        throw EConvertError(QStringLiteral("Ungültiges Argument für Datumskodierung"));
    return r;
}

TDateTime EncodeTime(int Hour, int Minute, int Second, int MilliSecond)
{
    if (Hour < 0 || Hour > 23 || Minute < 0 || Minute > 59 || Second < 0 || Second > 59 || MilliSecond < 0 ||
        MilliSecond > 999)
        throw EConvertError(QStringLiteral("Ungültiges Argument für Zeitkodierung"));
    return ((Hour * 3600.0 + Minute * 60.0 + Second) * 1000.0 + MilliSecond) / MSecsPerDay;
}

TDateTime EncodeDateTime(int Year, int Month, int Day, int Hour, int Minute, int Second, int MilliSecond)
{
    const TDateTime d = EncodeDate(Year, Month, Day);
    const TDateTime t = EncodeTime(Hour, Minute, Second, MilliSecond);
    return d >= 0 ? d + t : d - t;
}

TDateTimeParts DecodeDateTime(TDateTime DT)
{
    std::int64_t day, ms;
    SplitDateTime(DT, day, ms);
    TDateTimeParts p;
    CivilFromDays(day - UnixEpochDay, p.Year, p.Month, p.Day);
    p.Hour = static_cast<int>(ms / 3600000);
    p.Minute = static_cast<int>(ms / 60000 % 60);
    p.Second = static_cast<int>(ms / 1000 % 60);
    p.MilliSecond = static_cast<int>(ms % 1000);
    return p;
}

void DecodeDate(TDateTime DT, int& Year, int& Month, int& Day)
{
    const TDateTimeParts p = DecodeDateTime(DT);
    Year = p.Year;
    Month = p.Month;
    Day = p.Day;
}

void DecodeTime(TDateTime DT, int& Hour, int& Minute, int& Second, int& MilliSecond)
{
    const TDateTimeParts p = DecodeDateTime(DT);
    Hour = p.Hour;
    Minute = p.Minute;
    Second = p.Second;
    MilliSecond = p.MilliSecond;
}

int YearOf(TDateTime DT) { return DecodeDateTime(DT).Year; }
int MonthOf(TDateTime DT) { return DecodeDateTime(DT).Month; }
int DayOf(TDateTime DT) { return DecodeDateTime(DT).Day; }
int HourOf(TDateTime DT) { return DecodeDateTime(DT).Hour; }
int MinuteOf(TDateTime DT) { return DecodeDateTime(DT).Minute; }

std::int64_t DateOf(TDateTime DT)
{
    std::int64_t day, ms;
    SplitDateTime(DT, day, ms);
    return day;
}

int DayOfWeek(TDateTime DT)
{
    // Day 0 (1899-12-30) was a Saturday.
    const std::int64_t r = ((DateOf(DT) - 1) % 7 + 7) % 7;
    return static_cast<int>(r) + 1;
}

int DayOfTheWeek(TDateTime DT)
{
    const int d = DayOfWeek(DT) - 1;  // 0 = Sunday
    return d == 0 ? 7 : d;
}

int DayOfTheYear(TDateTime DT)
{
    const TDateTimeParts p = DecodeDateTime(DT);
    return static_cast<int>(DateOf(DT) - (DaysFromCivil(p.Year, 1, 1) + UnixEpochDay)) + 1;
}

int WeekOfTheYear(TDateTime DT, int& WeekYear)
{
    // The ISO week belongs to the year of its Thursday.
    const std::int64_t thursday = DateOf(DT) + (4 - DayOfTheWeek(DT));
    int y, m, d;
    CivilFromDays(thursday - UnixEpochDay, y, m, d);
    WeekYear = y;
    const std::int64_t jan1 = DaysFromCivil(y, 1, 1) + UnixEpochDay;
    return static_cast<int>((thursday - jan1) / 7) + 1;
}

int WeekOfTheYear(TDateTime DT)
{
    int y;
    return WeekOfTheYear(DT, y);
}

TDateTime IncMonth(TDateTime DT, int Months)
{
    const TDateTimeParts p = DecodeDateTime(DT);
    std::int64_t total = static_cast<std::int64_t>(p.Year) * 12 + (p.Month - 1) + Months;
    const int y = static_cast<int>(total / 12);
    const int m = static_cast<int>(total % 12) + 1;
    const int d = std::min(p.Day, DaysInAMonth(y, m));
    const double frac = DT - std::trunc(DT);
    return EncodeDate(y, m, d) + (DT >= 0 ? frac : -frac);
}

TDateTime Now()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    return EncodeDateTime(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), t.msec());
}

QString FormatDateTime(const QString& Format, TDateTime DT)
{
    const TDateTimeParts p = DecodeDateTime(DT);
    QString out;
    bool afterHour = false;
    const qsizetype n = Format.size();
    qsizetype i = 0;
    auto run = [&](QChar c) {
        qsizetype k = i;
        while (k < n && Format[k].toLower() == c) ++k;
        return k - i;
    };
    while (i < n) {
        const QChar c = Format[i];
        const QChar lc = c.toLower();
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            qsizetype k = i + 1;
            while (k < n && Format[k] != c) ++k;
            out += Format.mid(i + 1, k - i - 1);
            i = std::min(n, k + 1);
            continue;
        }
        const qsizetype len = run(lc);
        if (lc == QLatin1Char('y')) {
            out += len <= 2 ? Padded(p.Year % 100, 2) : Padded(p.Year, 4);
        } else if (lc == QLatin1Char('m')) {
            if (afterHour && len <= 2) {
                out += len == 2 ? Padded(p.Minute, 2) : QString::number(p.Minute);
            } else if (len >= 4) {
                out += QString::fromUtf8(LongMonthNames[p.Month - 1]);
            } else if (len == 3) {
                out += QString::fromUtf8(ShortMonthNames[p.Month - 1]);
            } else {
                out += len == 2 ? Padded(p.Month, 2) : QString::number(p.Month);
            }
        } else if (lc == QLatin1Char('d')) {
            const int dow = DayOfWeek(DT) - 1;
            if (len >= 4) out += QString::fromUtf8(LongDayNames[dow]);
            else if (len == 3) out += QString::fromUtf8(ShortDayNames[dow]);
            else out += len == 2 ? Padded(p.Day, 2) : QString::number(p.Day);
        } else if (lc == QLatin1Char('h')) {
            out += len >= 2 ? Padded(p.Hour, 2) : QString::number(p.Hour);
        } else if (lc == QLatin1Char('n')) {
            out += len >= 2 ? Padded(p.Minute, 2) : QString::number(p.Minute);
        } else if (lc == QLatin1Char('s')) {
            out += len >= 2 ? Padded(p.Second, 2) : QString::number(p.Second);
        } else if (lc == QLatin1Char('z')) {
            out += len >= 3 ? Padded(p.MilliSecond, 3) : QString::number(p.MilliSecond);
        } else {
            out += QString(len, c);
        }
        afterHour = lc == QLatin1Char('h') || (afterHour && !lc.isLetter());
        i += len;
    }
    return out;
}
