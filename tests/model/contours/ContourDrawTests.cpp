#include "ContourTestUtils.h"

#include "gfx/Canvas.h"
#include "gfx/Direct2DCanvas.h"
#include "model/contours/ContourLabels.h"
#include "model/contours/MVContourObj.h"

#include <QLocale>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

bool IsRed(QRgb P)
{
    return qRed(P) > 200 && qGreen(P) < 60 && qBlue(P) < 60;
}

int RedPixels(const QImage& Image, int X0, int Y0, int X1, int Y1)
{
    int n = 0;
    for (int y = Y0; y <= Y1; ++y)
        for (int x = X0; x <= X1; ++x) n += IsRed(Image.pixel(x, y)) ? 1 : 0;
    return n;
}

// Values rising in x from 0 to 2 over [0, 200]: the level 1 runs down x = 100.
void RisingGrid(TContourMap& Map)
{
    SetGrid(Map, {0, 200}, {0, 100, 200, 300, 400}, {0, 2, 0, 2, 0, 2, 0, 2, 0, 2});
    SetLevels(Map, {1});
}

TEST(ContourDraw, BaseMapOnAnImage)
{
    TContourMap map;
    RisingGrid(map);
    QImage image = WhiteImage(200, 300);
    {
        TCanvas canvas(&image);
        map.Draw(&canvas);
    }
    for (int y : {10, 120, 290}) EXPECT_TRUE(InkNear(image, 100, y)) << y;
    for (int x : {20, 80, 120, 180}) EXPECT_FALSE(InkNear(image, x, 150, 3)) << x;
}

TEST(ContourDraw, PlanDrawingWithAndWithoutOpaqueLabels)
{
    QLocale old;
    QLocale::setDefault(QLocale::c());
    for (bool opaque : {false, true}) {
        TMVContourMap map;
        RisingGrid(map);
        map.SetLineColor(0x0000FF);
        map.SetLineWidth(3);
        map.SetLineLabelDist(1000);  // 378 DIPs at 96 DPI: one label, after 189
        map.SetLineLabelDeleteBackground(opaque);
        map.LineLabelFont().SetName(QStringLiteral("Liberation Sans"));
        map.BuildContourLines();
        ASSERT_EQ(map.TheLines.Count(), 1);

        QImage image = WhiteImage(200, 420);
        QPainter painter(&image);
        TDirect2DCanvas canvas;
        canvas.BeginDraw(painter);
        map.D2Draw(canvas);
        EXPECT_TRUE(canvas.EndDraw());
        painter.end();

        // The line, red, where the level crosses; nothing beside it.
        for (int y : {20, 120, 320}) EXPECT_TRUE(IsRed(image.pixel(100, y))) << y;
        for (int x : {30, 70, 130, 170}) EXPECT_FALSE(InkNear(image, x, 320, 3)) << x;
        // The label sits on the fourth segment, turned along the line; an
        // opaque one hides the line beneath it.
        const std::vector<TD2LabelPlace> places =
            LayoutD2Labels(map.Lines(0)->DPIPoints, static_cast<float>(1000 / 254.0 * 96));
        ASSERT_EQ(places.size(), 1u);
        const int cy = static_cast<int>(places[0].Center.y);
        EXPECT_TRUE(cy == 175 || cy == 225) << cy;  // segment 3 from either end
        const int red = RedPixels(image, 99, cy - 5, 101, cy + 5);
        if (opaque)
            EXPECT_EQ(red, 0);
        else
            EXPECT_GT(red, 0);
        // Text ink beside the line at the label, none beside it elsewhere.
        bool textInk = false;
        for (int y = cy - 10; y <= cy + 10 && !textInk; ++y)
            for (int x = 93; x <= 107; ++x)
                if (!IsRed(image.pixel(x, y)) && image.pixel(x, y) != qRgb(255, 255, 255)) textInk = true;
        EXPECT_TRUE(textInk);
    }
    QLocale::setDefault(old);
}

TEST(ContourDraw, PlanDrawingWithoutLabels)
{
    TMVContourMap map;
    RisingGrid(map);
    map.SetLineColor(0x0000FF);
    map.SetLineLabels(false);
    map.SetLineLabelDist(1000);
    map.BuildContourLines();
    QImage image = WhiteImage(200, 420);
    QPainter painter(&image);
    TDirect2DCanvas canvas;
    canvas.BeginDraw(painter);
    map.D2Draw(canvas);
    EXPECT_TRUE(canvas.EndDraw());
    painter.end();
    // Only the line: every ink pixel near x = 100.
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255)) {
                ASSERT_NEAR(x, 100, 3) << y;
            }
    EXPECT_GT(RedPixels(image, 99, 170, 101, 180), 0);
}

TEST(ContourDraw, PrintedMapOnAnImage)
{
    TMVContourMap map;
    RisingGrid(map);
    map.SetLineColor(0x0000FF);
    map.SetLineWidth(2);
    map.SetShowContours(true);
    map.BuildContourLines();
    QImage image = WhiteImage(200, 420);
    {
        TCanvas canvas(&image);
        map.Draw(&canvas);
    }
    for (int y : {20, 120, 320}) EXPECT_TRUE(IsRed(image.pixel(100, y)) || IsRed(image.pixel(101, y))) << y;
    for (int x : {30, 70, 130, 170}) EXPECT_FALSE(InkNear(image, x, 320, 3)) << x;
}

}  // namespace
