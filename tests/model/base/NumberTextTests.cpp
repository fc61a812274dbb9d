#include "TestLocale.h"
#include "model/base/KPError.h"
#include "model/base/NumberText.h"
#include "model/base/Rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

const double NaN = std::numeric_limits<double>::quiet_NaN();
const double Inf = std::numeric_limits<double>::infinity();

}  // namespace

TEST(NumberText, UserNumbersFollowTheLocaleWithoutGroups)
{
    struct Case {
        QLocale::Language lang;
        double x;
        int digits;
        const char* fixed;
    } cases[] = {
        {QLocale::German, 1234.5, 1, "1234,5"},   {QLocale::C, 1234.5, 1, "1234.5"},
        {QLocale::German, -0.125, 2, "-0,13"},    {QLocale::German, NaN, 2, ""},
        {QLocale::German, Inf, 2, ""},            {QLocale::C, -Inf, 1, ""},
        {QLocale::English, 1234567.0, 0, "1234567"},
    };
    for (const Case& c : cases) {
        TLocaleScope scope(c.lang);
        EXPECT_EQ(FloatToFixedOrEmpty(c.x, c.digits), QString::fromUtf8(c.fixed)) << c.x;
    }
}

TEST(NumberText, FormatPatterns)
{
    TLocaleScope scope(QLocale::German);
    struct Case {
        const char* fmt;
        TVarRec arg;
        const char* text;
    } cases[] = {
        {"%f", 1234.5678, "1234,57"},
        {"%.1f", 2.25, "2,3"},
        {"%.2f", -3.0, "-3,00"},
        {"%d", std::int64_t(42), "42"},
        {"%5d|", std::int64_t(42), "   42|"},
        {"%-5d|", std::int64_t(42), "42   |"},
        {"%g", 0.5, "0,5"},
        {"%g", 1e20, "1E20"},
        {"%g", 0.00001, "1E-5"},
        {"%g", 100.0, "100"},
        {"%s kW", QStringLiteral("12"), "12 kW"},
        {"%e", 1234.5, "1,23450000000000E+003"},
        {"%.3n", 1234567.891, "1.234.567,891"},
        {"100 %%", std::int64_t(0), "100 %"},
    };
    for (const Case& c : cases) EXPECT_EQ(Format(QString::fromUtf8(c.fmt), {c.arg}), QString::fromUtf8(c.text)) << c.fmt;
    EXPECT_EQ(Format(QStringLiteral("%d: %.1f °C"), {std::int64_t(3), 10.25}), QString::fromUtf8("3: 10,3 °C"));
    EXPECT_THROW(Format(QStringLiteral("%d %d"), {std::int64_t(1)}), EConvertError);
}

TEST(NumberText, FormatFloatPatterns)
{
    TLocaleScope scope(QLocale::German);
    struct Case {
        const char* pattern;
        double x;
        const char* text;
    } cases[] = {
        {"0.0", 2.25, "2,3"},      {"0.0", -2.25, "-2,3"},    {"0.##", 2.5, "2,5"},      {"0.##", 2.0, "2"},
        {"0.###", 1.23456, "1,235"}, {"0.##E+0", 12345.0, "1,23E+4"}, {"0.##E+0", 0.000123, "1,23E-4"},
        {"0", 2.5, "3"},            {"0.00", 0.0, "0,00"},     {"#.##", 0.5, ",5"},
        {"0.0 K", 1.0, "1,0 K"},    {"0.0;(0.0)", -1.5, "(1,5)"}, {"0.0", 0.04, "0,0"},
        {"#,##0.00", 1234.5, "1.234,50"},
    };
    for (const Case& c : cases) EXPECT_EQ(FormatFloat(QString::fromUtf8(c.pattern), c.x), QString::fromUtf8(c.text)) << c.pattern << " " << c.x;
    EXPECT_EQ(FloatToStr(0.1), QStringLiteral("0,1"));
    EXPECT_EQ(FloatToStr(1.0 / 3.0), QStringLiteral("0,333333333333333"));
    EXPECT_EQ(FloatToStr(-1e-10), QStringLiteral("-1E-10"));
}

TEST(NumberText, ReadingUserNumbers)
{
    {
        TLocaleScope scope(QLocale::German);
        double v = 0;
        EXPECT_TRUE(TryStrToFloat(QStringLiteral(" 2,5 "), v));
        EXPECT_EQ(v, 2.5);
        EXPECT_TRUE(TryStrToFloat(QStringLiteral("2.5"), v));
        EXPECT_EQ(v, 2.5);
        EXPECT_FALSE(TryStrToFloat(QStringLiteral("1.234,5"), v));
        EXPECT_FALSE(TryStrToFloat(QStringLiteral("abc"), v));
        EXPECT_FALSE(TryStrToFloat(QStringLiteral("nan"), v));
        EXPECT_FALSE(TryStrToFloat(QString(), v));
        try {
            StrToFloat(QStringLiteral("x1"));
            FAIL();
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), QString::fromUtf8("'x1' ist kein gültiger Gleitkommawert."));
        }
    }
    TLocaleScope scope(QLocale::C);
    double v = 0;
    EXPECT_TRUE(TryStrToFloat(QStringLiteral("-1e3"), v));
    EXPECT_EQ(v, -1000);
    EXPECT_FALSE(TryStrToFloat(QStringLiteral("2,5"), v));
}

TEST(NumberText, FileNumbersRoundTripLocaleFree)
{
    TLocaleScope scope(QLocale::German);
    const double values[] = {3512345.67, 0.1, -1e-300, 1e30, 0.0, 5.4e6 + 1.0 / 3.0};
    for (double x : values) {
        double back = 0;
        ASSERT_TRUE(TryStrToFloatC(FloatToStrC(x), back)) << FloatToStrC(x).toStdString();
        EXPECT_EQ(back, x);
        EXPECT_FALSE(FloatToStrC(x).contains(QLatin1Char(',')));
    }
    EXPECT_EQ(FloatToStrC(NaN), QStringLiteral("NaN"));
    double back = 0;
    EXPECT_TRUE(TryStrToFloatC(QStringLiteral("NaN"), back));
    EXPECT_TRUE(std::isnan(back));
    EXPECT_TRUE(TryStrToFloatC(QStringLiteral("-INF"), back));
    EXPECT_EQ(back, -Inf);
    EXPECT_FALSE(TryStrToFloatC(QStringLiteral("1,5"), back));
    EXPECT_FALSE(TryStrToFloatC(QStringLiteral("1.5x"), back));
}

TEST(Rounding, HalvesToEvenAndNonFiniteNeverCast)
{
    struct Case {
        double x;
        int even;
    } cases[] = {{2.5, 2}, {3.5, 4}, {-2.5, -2}, {-3.5, -4}, {2.4999, 2}, {0.5, 0}, {1.5, 2}};
    for (const Case& c : cases) EXPECT_EQ(RoundEven(c.x), c.even) << c.x;
    EXPECT_EQ(RoundEven(NaN), 0);
    EXPECT_EQ(RoundEven(Inf), std::numeric_limits<int>::max());
    EXPECT_EQ(RoundEven(-Inf), std::numeric_limits<int>::min());
    EXPECT_EQ(TruncInt(-2.7), -2);
    EXPECT_EQ(CeilInt(2.1), 3);
    EXPECT_EQ(FloorInt(-2.1), -3);
    EXPECT_FALSE(FitsInt(NaN));
    EXPECT_FALSE(FitsInt(3e9));
    EXPECT_TRUE(FitsInt(-3.4));
}
