#pragma once

#include <QString>
#include <cstdint>

// Calendar times are days since 30 December 1899 with the time of day as
// fraction, as stored in the project files. No time zones anywhere.
using TDateTime = double;

inline constexpr double MSecsPerDay = 86400000.0;
inline constexpr double SecsPerDay = 86400.0;

struct TDateTimeParts {
    int Year = 0;
    int Month = 0;
    int Day = 0;
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
    int MilliSecond = 0;
};

bool IsLeapYear(int Year);
int DaysInAMonth(int Year, int Month);
int DaysInAYear(int Year);
bool IsValidDate(int Year, int Month, int Day);

// Raise EConvertError for impossible dates and times.
TDateTime EncodeDate(int Year, int Month, int Day);
TDateTime EncodeTime(int Hour, int Minute, int Second, int MilliSecond);
TDateTime EncodeDateTime(int Year, int Month, int Day, int Hour, int Minute, int Second, int MilliSecond);
bool TryEncodeDate(int Year, int Month, int Day, TDateTime& Result);

// Rounds to the nearest millisecond and carries into the day, so that
// 23:59:59.9996 is midnight of the next day: a start date plus elapsed
// seconds must decode to the day those seconds reach.
TDateTimeParts DecodeDateTime(TDateTime DT);
void DecodeDate(TDateTime DT, int& Year, int& Month, int& Day);
void DecodeTime(TDateTime DT, int& Hour, int& Minute, int& Second, int& MilliSecond);

int YearOf(TDateTime DT);
int MonthOf(TDateTime DT);
int DayOf(TDateTime DT);
int HourOf(TDateTime DT);
int MinuteOf(TDateTime DT);
// Whole days of the date part (after millisecond rounding).
std::int64_t DateOf(TDateTime DT);

// 1 = Sunday … 7 = Saturday.
int DayOfWeek(TDateTime DT);
// ISO 8601: 1 = Monday … 7 = Sunday.
int DayOfTheWeek(TDateTime DT);
// ISO 8601 week number (1..53); the week's year may differ from the date's.
int WeekOfTheYear(TDateTime DT);
int WeekOfTheYear(TDateTime DT, int& WeekYear);
// 1 for 1 January.
int DayOfTheYear(TDateTime DT);

TDateTime IncMonth(TDateTime DT, int Months);
TDateTime Now();

// The date-time patterns of the program: yyyy yy mmmm mmm mm m dddd ddd dd d
// hh h nn n ss s zzz z, "mm"/"m" after an hour meaning minutes, quoted text
// kept as it stands, any other character copied. Month and day names German.
QString FormatDateTime(const QString& Format, TDateTime DT);
