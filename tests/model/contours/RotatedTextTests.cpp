#include "ContourTestUtils.h"

#include "gfx/Canvas.h"
#include "gfx/RotatedText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

constexpr double Pi = std::numbers::pi;

TEST(RotatedText, SegmentAngleCases)
{
    struct TCase {
        TPoint P1, P2;
        double Want;
    };
    const TCase cases[] = {
        {{3, 4}, {3, 4}, 0},                        // equal points
        {{0, 0}, {0, 5}, Pi / 2},                   // straight down on the screen
        {{0, 0}, {0, -5}, 3 * Pi / 2},              // straight up
        {{0, 0}, {5, 0}, 0},                        // right
        {{0, 0}, {-5, 0}, Pi},                      // left
        {{0, 0}, {5, 5}, Pi / 4},                   // right and down
        {{0, 0}, {5, -5}, 7 * Pi / 4},              // right and up
        {{0, 0}, {-5, 5}, 3 * Pi / 4},              // left and down
        {{0, 0}, {-5, -5}, 5 * Pi / 4},             // left and up
        {{-2147483647, 0}, {2147483647, 0}, 0},     // differences beyond an int
    };
    for (const TCase& c : cases) {
        const double a = SegmentAngle(c.P1, c.P2);
        EXPECT_NEAR(a, c.Want, 1e-12) << c.P2.X << "," << c.P2.Y;
        EXPECT_GE(a, 0);
        EXPECT_LT(a, 2 * Pi);
    }
}

TEST(RotatedText, TextOutRotatedUsesTheFontForOneCallOnly)
{
    TRecordingCanvas canvas;
    canvas.Font().SetName(QStringLiteral("Vorher"));
    TFont font;
    font.SetName(QStringLiteral("Liberation Sans"));
    font.SetOrientation(123);

    TextOutRotated(canvas, font, 10, 20, 30, QString());
    EXPECT_TRUE(canvas.Texts.empty());

    TextOutRotated(canvas, font, 10, 20, 30, QStringLiteral("12,5"));
    TextOutRotated(canvas, font, 0, 0, -450, QStringLiteral("x"));  // whole turns drop out
    ASSERT_EQ(canvas.Texts.size(), 2u);
    EXPECT_EQ(canvas.Texts[0].At, (TPoint{10, 20}));
    EXPECT_EQ(canvas.Texts[0].Orientation, 300);
    EXPECT_EQ(canvas.Texts[0].FontName, "Liberation Sans");
    EXPECT_EQ(canvas.Texts[1].Orientation, -900);
    EXPECT_EQ(canvas.Font().Name(), "Vorher");
    EXPECT_EQ(canvas.Font().Orientation(), 0);
}

TEST(RotatedText, TextAlongLineCentresTheTextOnTheSegment)
{
    // The recording canvas measures 6 units per character and 10 high: the
    // text "12345" is 30 × 10.
    struct TCase {
        const char* Name;
        TPoint P1, P2;
        bool Beside;
        TPoint Want;
        int WantOrientation;
    };
    const TCase cases[] = {
        // L = 100: e = 50 − 15 = 35, f = 5.
        {"to the right", {0, 0}, {100, 0}, false, {35, -5}, 0},
        {"to the right, beside", {0, 0}, {100, 0}, true, {35, 5}, 0},
        // Downwards: a = 90°, (35, −5) turns to (5, 35); the text runs down.
        {"down", {10, 10}, {10, 110}, false, {15, 45}, -900},
        // To the left: a = 180°, upside down, origin at the right end.
        {"to the left", {100, 0}, {0, 0}, false, {65, 5}, -1800},
        // Up: a = 270°.
        {"up", {0, 100}, {0, 0}, false, {-5, 65}, -2700},
    };
    for (const TCase& c : cases) {
        TRecordingCanvas canvas;
        TFont font;
        font.SetName(QStringLiteral("Etikett"));
        TextAlongLine(canvas, c.P1, c.P2, font, QStringLiteral("12345"), c.Beside);
        ASSERT_EQ(canvas.Texts.size(), 1u) << c.Name;
        EXPECT_EQ(canvas.Texts[0].At, c.Want) << c.Name;
        EXPECT_EQ(canvas.Texts[0].Orientation, c.WantOrientation % 3600) << c.Name;
        EXPECT_EQ(canvas.Font().Name(), "Etikett") << c.Name;  // the canvas took the font over
    }
}

TEST(RotatedText, TurnedTextOnAnImageRunsUpwards)
{
    QImage image = WhiteImage(200, 200);
    {
        TCanvas canvas(&image);
        canvas.Brush().SetStyle(bsClear);
        TFont font;
        font.SetName(QStringLiteral("Liberation Sans"));
        font.SetHeight(-20);
        TextOutRotated(canvas, font, 100, 150, 90, QStringLiteral("MMMMMM"));
    }
    // Turned by 90° counter-clockwise about its top-left corner, the cell lies
    // above the anchor and right of it: x in [100, ~123], y in [~60, 150].
    int inkAbove = 0, inkElsewhere = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == qRgb(255, 255, 255)) continue;
            if (x >= 98 && x <= 130 && y >= 40 && y <= 152)
                ++inkAbove;
            else
                ++inkElsewhere;
        }
    EXPECT_GT(inkAbove, 50);
    EXPECT_EQ(inkElsewhere, 0);
    EXPECT_TRUE(InkNear(image, 112, 100, 6));
}

}  // namespace
