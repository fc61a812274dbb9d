#include "model/base/Utilities.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <cmath>
#include <limits>

TEST(BasicTypes, PointDistance)
{
    TDblPoint a(0, 0), b(3, 4);
    EXPECT_EQ(a.Distance(&b), 5.0);
    EXPECT_TRUE(std::isnan(a.Distance(nullptr)));
    TDblPoint c(nullptr);
    EXPECT_EQ(c.X(), 0.0);
    EXPECT_EQ(c.Y(), 0.0);
    TDblPoint d(&b);
    EXPECT_EQ(d.Y(), 4.0);
}

TEST(Utilities, ScaleAndAspectFit)
{
    EXPECT_DOUBLE_EQ(ScaleForPixelCount(400, 10, 10), 2.0);
    EXPECT_EQ(ScaleForPixelCount(0, 10, 10), 1.0);
    EXPECT_EQ(ScaleForPixelCount(100, -1, 10), 1.0);
    EXPECT_EQ(ScaleForPixelCount(100, 10, 0), 1.0);

    const TRect box = Rect(0, 0, 200, 200);
    EXPECT_EQ(FitRectAspect(box, Rect(0, 0, 100, 50)), Rect(0, 50, 200, 150));
    EXPECT_EQ(FitRectAspect(box, Rect(0, 0, 50, 100)), Rect(50, 0, 150, 200));
    EXPECT_EQ(FitRectAspect(box, Rect(0, 0, 30, 30)), box);
    EXPECT_EQ(FitRectAspect(box, Rect(0, 0, 0, 100)), TRect{});
    EXPECT_EQ(FitRectAspect(Rect(0, 0, 0, 10), Rect(0, 0, 5, 5)), TRect{});
}

TEST(Utilities, WorldToScreen)
{
    const TRect pic = Rect(10, 20, 110, 220);
    const TWorldRect world{1000, 2000, 1100, 2200};
    EXPECT_EQ(WorldToScreenX(pic, world, 1000), 10);
    EXPECT_EQ(WorldToScreenX(pic, world, 1050), 60);
    EXPECT_EQ(WorldToScreenY(pic, world, 2000), 220);  // world top is the picture's bottom
    EXPECT_EQ(WorldToScreenY(pic, world, 2200), 20);
}

TEST(Utilities, SplittingAndTokens)
{
    QStringList l;
    SplitAtSeparator(QStringLiteral("a;;b"), QStringLiteral(";"), l);
    EXPECT_EQ(l, QStringList({"a", "", "b"}));
    l.clear();
    SplitAtSeparator(QString(), QStringLiteral(";"), l);
    EXPECT_EQ(l, QStringList({""}));
    l.clear();
    SplitAtSeparator(QStringLiteral("a;b"), QString(), l);
    EXPECT_EQ(l, QStringList({"a;b"}));

    struct Case {
        const char* line;
        QStringList tokens;
    } cases[] = {
        {"  1   2.5  #c   x  ", {"1", "2.5", "x"}},
        {"# a b", {"a", "b"}},
        {"1\t2 3", {"1\t2", "3"}},
        {"", {}},
    };
    for (const Case& c : cases) {
        QStringList t;
        EXPECT_EQ(SplitLine(QString::fromUtf8(c.line), t), c.tokens) << c.line;
    }
}

TEST(Utilities, ParseDoubles)
{
    QLocale::setDefault(QLocale(QLocale::German));
    struct Case {
        const char* line;
        int maxIndex;
        bool ok;
        double v0, v1, v2;
    } cases[] = {
        {"3 2 0", 2, true, 3, 2, 0},
        {"3 2x 0", 2, false, 3, 2, 0},
        {"3", 2, true, 3, -1, -1},
        {"1\t2 3", 1, false, 1, 3, -1},
        {"-1.5e2 +4 .5", 2, true, -150, 4, 0.5},
        {"abc 1", 1, false, 0, 1, -1},
        {"1 2 3 4", 1, true, 1, 2, -1},
        // beyond a double: a failure, and no value left from before
        {"1e400 2", 1, false, 0, 2, -1},
        {"7 -1e400", 1, false, 7, 0, -1},
    };
    for (const Case& c : cases) {
        double v[3] = {-1, -1, -1};
        EXPECT_EQ(ParseDoubles(QString::fromUtf8(c.line), v, c.maxIndex), c.ok) << c.line;
        EXPECT_EQ(v[0], c.v0) << c.line;
        EXPECT_EQ(v[1], c.v1) << c.line;
        EXPECT_EQ(v[2], c.v2) << c.line;
    }
    QLocale::setDefault(QLocale::c());
}

TEST(Utilities, FloatToStrRaw)
{
    QLocale::setDefault(QLocale(QLocale::German));
    struct Case {
        double x;
        const char* text;
    } cases[] = {
        {1.5, " 1.50000000000000E+0000"},
        {-0.1, "-1.00000000000000E-0001"},
        {0.0, " 0.00000000000000E+0000"},
        {3512345.67, " 3.51234567000000E+0006"},
        {1e-300, " 1.00000000000000E-0300"},
        {std::numeric_limits<double>::infinity(), "                   +Inf"},
        {-std::numeric_limits<double>::infinity(), "                   -Inf"},
        {std::numeric_limits<double>::quiet_NaN(), "                    Nan"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FloatToStrRaw(c.x), QString::fromLatin1(c.text)) << c.x;
        EXPECT_EQ(FloatToStrRaw(c.x).size(), 23);
    }
    QLocale::setDefault(QLocale::c());
}
