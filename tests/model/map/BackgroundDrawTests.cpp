#include "MapTestUtil.h"

#include "gfx/Canvas.h"
#include "gfx/Direct2DCanvas.h"
#include "model/map/BackgroundObject.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct TSample {
    int X, Y;
    QColor Color;
};

// The quadrant picture on 100..140 m × 200..220 m, one metre per pixel.
class BackgroundDrawTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Map.LoadGraphic(Files.Picture("karte.png", QuadrantPicture(), "PNG"), false);
        Map.SetExtent(100, 200, 140, 220);
    }
    static QImage White(int W, int H)
    {
        QImage img(W, H, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::white);
        return img;
    }
    static void Check(const QImage& Img, const std::vector<TSample>& Samples, int Tolerance = 2)
    {
        for (const TSample& s : Samples) EXPECT_TRUE(ColorNear(Img, s.X, s.Y, s.Color, Tolerance));
    }

    TMapFiles Files;
    TBackgroundPict Map;
};

// White under red at half strength.
const QColor Pink{255, 127, 127};

TEST_F(BackgroundDrawTest, PageDrawingPutsTheVisiblePartWhereTheWorldMapsIt)
{
    struct Case {
        const char* What;
        QSize Page;
        TRect Pict;
        TWorldRect World; // left, top (smaller y), right, bottom
        std::uint8_t Opacity;
        std::vector<TSample> Samples;
    } cases[] = {
        // Two pixels per metre: the map covers x 40..120, y 40..80.
        {"whole map",
         {200, 100},
         {0, 0, 200, 100},
         {80, 190, 180, 240},
         255,
         {{60, 50, QRed}, {100, 50, QGreen}, {60, 70, QBlue}, {100, 70, QYellow}, {20, 20, QWhite},
          {150, 90, QWhite}, {41, 41, QRed}, {118, 78, QYellow}}},
        // Only 120..140 m × 200..215 m is visible: green above 210 m, yellow below.
        {"clipped",
         {100, 40},
         {0, 0, 100, 40},
         {120, 195, 170, 215},
         255,
         {{20, 5, QGreen}, {20, 20, QYellow}, {60, 20, QWhite}, {20, 35, QWhite}}},
        {"picture rectangle not at the origin",
         {200, 100},
         {50, 20, 150, 70},
         {100, 200, 140, 220},
         255,
         {{60, 30, QRed}, {140, 30, QGreen}, {60, 60, QBlue}, {140, 60, QYellow}, {40, 30, QWhite},
          {100, 80, QWhite}}},
        {"half opacity",
         {200, 100},
         {0, 0, 200, 100},
         {80, 190, 180, 240},
         128,
         {{60, 50, Pink}, {20, 20, QWhite}}},
        {"transparent", {200, 100}, {0, 0, 200, 100}, {80, 190, 180, 240}, 0, {{60, 50, QWhite}}},
        {"no overlap", {200, 100}, {0, 0, 200, 100}, {200, 300, 300, 400}, 255, {{60, 50, QWhite}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        QImage page = White(c.Page.width(), c.Page.height());
        {
            TCanvas canvas(&page);
            EXPECT_TRUE(Map.Draw(c.Pict, c.World, canvas, c.Opacity));
        }
        Check(page, c.Samples);
    }
}

TEST_F(BackgroundDrawTest, PageDrawingMirrorsAMapWhoseCornersComeInTheOtherOrder)
{
    // As a world file places south-up and east-west mirrored pictures: the
    // picture's first row (red, green) lies at Y2, its first column (red, blue)
    // at X1. Two pixels per metre; the map covers x 40..120,
    // y 40..80 of the page.
    struct Case {
        const char* What;
        double X1, Y1, X2, Y2;
        std::vector<TSample> Samples;
    } cases[] = {
        {"north-up", 100, 200, 140, 220, {{60, 50, QRed}, {100, 50, QGreen}, {60, 70, QBlue}, {100, 70, QYellow}}},
        {"south-up", 100, 220, 140, 200, {{60, 70, QRed}, {100, 70, QGreen}, {60, 50, QBlue}, {100, 50, QYellow}}},
        {"east-west", 140, 200, 100, 220, {{100, 50, QRed}, {60, 50, QGreen}, {100, 70, QBlue}, {60, 70, QYellow}}},
        {"south-up, clipped to 120..140 m × 205..215 m",
         100,
         220,
         140,
         200,
         {{85, 55, QYellow}, {85, 65, QGreen}, {115, 55, QYellow}, {115, 65, QGreen}, {85, 45, QWhite},
          {85, 75, QWhite}, {75, 60, QWhite}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        Map.SetX1(c.X1);
        Map.SetY1(c.Y1);
        Map.SetX2(c.X2);
        Map.SetY2(c.Y2);
        const bool clipped = std::string(c.What).find("clipped") != std::string::npos;
        QImage page = White(200, 100);
        {
            TCanvas canvas(&page);
            const TWorldRect all{80, 190, 180, 240};
            // The same mapping as the whole map, with the world cut to the part wanted.
            const TRect part{80, 50, 120, 70};
            EXPECT_TRUE(clipped ? Map.Draw(part, TWorldRect{120, 205, 140, 215}, canvas, 255)
                                : Map.Draw(TRect{0, 0, 200, 100}, all, canvas, 255));
        }
        Check(page, c.Samples);
    }
}

TEST_F(BackgroundDrawTest, PageDrawingFollowsTheCanvasMapping)
{
    // Logical units are half a device pixel, as on a page in tenths of a millimetre.
    QImage page = White(400, 200);
    {
        TCanvas canvas(&page);
        canvas.SetMapMode(MM_ANISOTROPIC);
        canvas.SetWindowExtEx(200, 100);
        canvas.SetViewportExtEx(400, 200);
        Map.Draw(TRect{0, 0, 200, 100}, TWorldRect{80, 190, 180, 240}, canvas, 255);
        // The canvas keeps its own drawing state afterwards.
        EXPECT_DOUBLE_EQ(canvas.Painter().opacity(), 1.0);
    }
    Check(page, {{120, 100, QRed}, {200, 100, QGreen}, {120, 140, QBlue}, {200, 140, QYellow}, {40, 40, QWhite},
                 {300, 180, QWhite}});
}

TEST_F(BackgroundDrawTest, NothingIsDrawnWithoutPicture)
{
    Map.Delete();
    QImage page = White(200, 100);
    {
        TCanvas canvas(&page);
        EXPECT_FALSE(Map.Draw(TRect{0, 0, 200, 100}, TWorldRect{80, 190, 180, 240}, canvas, 255));
    }
    TDirect2DCanvas plan;
    QPainter painter(&page);
    plan.BeginDraw(painter);
    EXPECT_FALSE(Map.Draw(plan, D2D1RectF(40, 40, 120, 80), 1));
    EXPECT_TRUE(plan.EndDraw());
    painter.end();
    Check(page, {{60, 50, QWhite}, {100, 70, QWhite}});
}

void DrawOnPlan(TBackgroundPict& Map, QImage& Img, const D2D_RECT_F& Dest, float Opacity)
{
    TDirect2DCanvas plan;
    QPainter painter(&Img);
    plan.BeginDraw(painter);
    EXPECT_TRUE(Map.Draw(plan, Dest, Opacity));
    EXPECT_TRUE(plan.EndDraw());
}

TEST_F(BackgroundDrawTest, PlanDrawingFillsTheDestinationWithOpacity)
{
    struct Case {
        const char* What;
        D2D_RECT_F Dest;
        float Opacity;
        std::vector<TSample> Samples;
    } cases[] = {
        {"opaque",
         D2D1RectF(40, 40, 120, 80),
         1,
         {{60, 50, QRed}, {100, 50, QGreen}, {60, 70, QBlue}, {100, 70, QYellow}, {20, 20, QWhite},
          {150, 90, QWhite}}},
        {"half", D2D1RectF(40, 40, 120, 80), 0.5f, {{60, 50, Pink}, {20, 20, QWhite}}},
        {"stretched",
         D2D1RectF(0, 0, 200, 20),
         1,
         {{10, 5, QRed}, {190, 5, QGreen}, {10, 15, QBlue}, {190, 15, QYellow}, {100, 50, QWhite}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        QImage img = White(200, 100);
        DrawOnPlan(Map, img, c.Dest, c.Opacity);
        Check(img, c.Samples);
    }
}

TEST_F(BackgroundDrawTest, PlanShowsANewlyLoadedPicture)
{
    QImage img = White(200, 100);
    DrawOnPlan(Map, img, D2D1RectF(40, 40, 120, 80), 1);
    QImage magenta(8, 8, QImage::Format_ARGB32);
    magenta.fill(QColor(255, 0, 255));
    Map.LoadGraphic(Files.Picture("neu.png", magenta, "PNG"), false);
    DrawOnPlan(Map, img, D2D1RectF(40, 40, 120, 80), 1);
    Check(img, {{60, 50, QColor(255, 0, 255)}, {100, 70, QColor(255, 0, 255)}});
}

TEST_F(BackgroundDrawTest, PlanRectangleSpansTheConvertedCorners)
{
    // A plan with 3 DIPs per metre, y downwards, origin at (90 m, 230 m).
    const TConvertFunction worldToPlan = [](QPointF p) {
        return QPointF((p.x() - 90) * 3, (230 - p.y()) * 3);
    };
    EXPECT_EQ(Map.PlanRect(worldToPlan), D2D1RectF(30, 30, 150, 90));
}

} // namespace
