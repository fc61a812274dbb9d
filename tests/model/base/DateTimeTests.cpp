#include "model/base/DateTime.h"
#include "model/base/KPError.h"

#include <gtest/gtest.h>

TEST(DateTime, EncodeDecodeAroundTheEpoch)
{
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
    EXPECT_EQ(EncodeDate(2000, 1, 1), 36526.0);
    EXPECT_EQ(EncodeDate(2024, 2, 29), 45351.0);
    const TDateTimeParts p = DecodeDateTime(EncodeDateTime(2023, 7, 14, 13, 45, 30, 250));
    EXPECT_EQ(p.Year, 2023);
    EXPECT_EQ(p.Month, 7);
    EXPECT_EQ(p.Day, 14);
    EXPECT_EQ(p.Hour, 13);
    EXPECT_EQ(p.Minute, 45);
    EXPECT_EQ(p.Second, 30);
    EXPECT_EQ(p.MilliSecond, 250);
    EXPECT_THROW(EncodeDate(2023, 2, 29), EConvertError);
    EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
}

TEST(DateTime, RoundingToTheMillisecondCarriesIntoTheDay)
{
    // A start date plus elapsed seconds lands a hair below midnight in binary.
    const TDateTime start = EncodeDate(2023, 1, 1);
    const TDateTime t = start + (86400.0 * 3 - 0.0001) / 86400.0;
    const TDateTimeParts p = DecodeDateTime(t);
    EXPECT_EQ(p.Day, 4);
    EXPECT_EQ(p.Hour, 0);
    EXPECT_EQ(p.MilliSecond, 0);
}

TEST(DateTime, WeekdaysAndIsoWeeks)
{
    struct Case {
        int y, m, d;
        int dayOfWeek;  // 1 = Sunday
        int isoWeek;
        int weekYear;
    } cases[] = {
        {2023, 1, 1, 1, 52, 2022},   // a Sunday belongs to the last week of the old year
        {2023, 1, 2, 2, 1, 2023},    {2020, 12, 31, 5, 53, 2020}, {2021, 1, 3, 1, 53, 2020},
        {2024, 12, 30, 2, 1, 2025},  {1899, 12, 30, 7, 52, 1899}, {2026, 12, 10, 5, 50, 2026},
    };
    for (const Case& c : cases) {
        const TDateTime dt = EncodeDate(c.y, c.m, c.d);
        int wy = 0;
        EXPECT_EQ(DayOfWeek(dt), c.dayOfWeek) << c.y << "-" << c.m << "-" << c.d;
        EXPECT_EQ(WeekOfTheYear(dt, wy), c.isoWeek) << c.y << "-" << c.m << "-" << c.d;
        EXPECT_EQ(wy, c.weekYear);
    }
    EXPECT_EQ(DayOfTheWeek(EncodeDate(2023, 1, 1)), 7);
    EXPECT_EQ(DayOfTheYear(EncodeDate(2024, 3, 1)), 61);
    EXPECT_EQ(IncMonth(EncodeDate(2023, 1, 31), 1), EncodeDate(2023, 2, 28));
}

TEST(DateTime, FormatPatterns)
{
    const TDateTime dt = EncodeDateTime(2023, 3, 5, 7, 8, 9, 45);
    struct Case {
        const char* pattern;
        const char* text;
    } cases[] = {
        {"hh:nn:ss dd.mm.yyyy", "07:08:09 05.03.2023"},
        {"dd.mm.yyyy", "05.03.2023"},
        {"d.m.yy", "5.3.23"},
        {"hh:mm", "07:08"},
        {"mmmm yyyy", "März 2023"},
        {"mmm", "Mär"},
        {"dddd", "Sonntag"},
        {"hh:nn:ss.zzz", "07:08:09.045"},
        {"\"Tag\" d", "Tag 5"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatDateTime(QString::fromUtf8(c.pattern), dt), QString::fromUtf8(c.text)) << c.pattern;
}
