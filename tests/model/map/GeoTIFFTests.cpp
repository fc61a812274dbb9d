#include "MapTestUtil.h"

#include "model/map/GeoTIFF.h"

#include <array>
#include <gtest/gtest.h>

namespace {

TEST(GeoTIFFTest, WorldFileNameLooksForExtensionPlusWThenFirstAndThirdLetter)
{
    struct Case {
        const char* Picture;
        QStringList Present;
        const char* Expected; // empty: none found
    } cases[] = {
        {"plan.tif", {"plan.tifw", "plan.tfw"}, "plan.tifw"},
        {"plan.tif", {"plan.tfw"}, "plan.tfw"},
        {"plan.tif", {}, ""},
        {"plan.tiff", {"plan.tfw"}, "plan.tfw"},
        {"plan.tiff", {"plan.tiffw", "plan.tfw"}, "plan.tiffw"},
        {"photo.jpeg", {"photo.jew"}, "photo.jew"},
        {"photo.png", {"photo.pgw"}, "photo.pgw"},
        // Candidate names with a missing letter leave it out.
        {"plan.ti", {"plan.tw"}, "plan.tw"},
        // Names from case-insensitive systems.
        {"PLAN.TIF", {"PLAN.TFW"}, "PLAN.TFW"},
        {"plan.tif", {"other.tfw", "plan.tif.tfw"}, ""},
    };
    for (const Case& c : cases) {
        TMapFiles files;
        for (const QString& name : c.Present) files.Text(name, "1\n");
        const QString expected = QString::fromUtf8(c.Expected);
        const QString found = TGeoTIFF::WorldFileName(files.Path(c.Picture));
        EXPECT_EQ(found, expected.isEmpty() ? QString() : files.Path(expected))
            << c.Picture << " with " << c.Present.join(',').toStdString();
    }
    EXPECT_EQ(TGeoTIFF::WorldFileName(QString()), QString());
}

TEST(GeoTIFFTest, ImportPlacesThePictureByItsWorldFile)
{
    struct Case {
        const char* What;
        QByteArray World;
        int Width, Height;
        double X1, Y1, X2, Y2;
        bool Warns;
    } cases[] = {
        {"north-up", "0.5\n0\n0\n-0.5\n1000\n2000\n", 400, 200, 1000, 1900, 1200, 2000, false},
        {"CRLF, blanks, BOM, no final break, extra lines",
         "\xEF\xBB\xBF 0.5 \r\n0.0\r\n0\r\n\t-0.5\r\n1000\r\n2000\r\nmore\r\nlines", 400, 200, 1000, 1900, 1200,
         2000, false},
        {"exponents", "2.5e-1\n0\n0\n-2.5E-1\n-3e2\n1e1", 40, 20, -300, 5, -290, 10, false},
        {"rotation term D", "1\n0.01\n0\n-1\n0\n100\n", 40, 20, 0, 80, 40, 100, true},
        {"rotation term B", "1\n0\n-0.01\n-1\n0\n100\n", 40, 20, 0, 80, 40, 100, true},
        {"rotation line that is no number", "1\nkeine\n0\n-1\n0\n100\n", 40, 20, 0, 80, 40, 100, true},
        // The corners in the order the file gives them: the upper-left pixel is
        // the southern edge of a south-up picture.
        {"south-up", "0.5\n0\n0\n0.5\n1000\n2000\n", 400, 200, 1000, 2100, 1200, 2000, false},
        {"east-west mirrored", "-0.5\n0\n0\n-0.5\n1000\n2000\n", 400, 200, 1000, 1900, 800, 2000, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        TMapFiles files;
        const QString tif = files.Picture("luftbild.tif", QuadrantPicture(c.Width, c.Height), "TIFF");
        files.Text("luftbild.tfw", c.World);
        TRecordingPrompts prompts;
        TModelUIScope<TPrompts> scope(&prompts);
        double x1 = -1, y1 = -1, x2 = -1, y2 = -1;
        QImage picture;
        EXPECT_TRUE(TGeoTIFF::Import(tif, x1, y1, x2, y2, &picture));
        EXPECT_DOUBLE_EQ(x1, c.X1);
        EXPECT_DOUBLE_EQ(y1, c.Y1);
        EXPECT_DOUBLE_EQ(x2, c.X2);
        EXPECT_DOUBLE_EQ(y2, c.Y2);
        EXPECT_EQ(picture.size(), QSize(c.Width, c.Height));
        EXPECT_EQ(picture.format(), QImage::Format_ARGB32_Premultiplied);
        EXPECT_TRUE(ColorNear(picture, 0, 0, QRed, 0));
        EXPECT_TRUE(ColorNear(picture, c.Width - 1, c.Height - 1, QYellow, 0));
        EXPECT_EQ(prompts.Messages,
                  c.Warns ? QStringList{"Warning: The map image is not perpendicular!"} : QStringList{});
    }
}

TEST(GeoTIFFTest, ImportWithoutWorldFileLoadsOnlyThePicture)
{
    TMapFiles files;
    const QString tif = files.Picture("plan.tif", QuadrantPicture(), "TIFF");
    double x1 = 1, y1 = 2, x2 = 3, y2 = 4;
    QImage picture;
    EXPECT_FALSE(TGeoTIFF::Import(tif, x1, y1, x2, y2, &picture));
    EXPECT_EQ(picture.size(), QSize(40, 20));
    EXPECT_EQ((std::array{x1, y1, x2, y2}), (std::array{1.0, 2.0, 3.0, 4.0}));
    // Without a destination only the extent is wanted.
    files.Text("plan.tfw", "1\n0\n0\n-1\n10\n50\n");
    EXPECT_TRUE(TGeoTIFF::Import(tif, x1, y1, x2, y2, nullptr));
    EXPECT_EQ((std::array{x1, y1, x2, y2}), (std::array{10.0, 30.0, 50.0, 50.0}));
}

TEST(GeoTIFFTest, AWorldFileThatCannotPlaceThePictureLoadsItWithoutPlacement)
{
    struct Case {
        const char* What;
        QByteArray World;
        const char* ErrorPart; // empty: no message
    } cases[] = {
        {"five lines", "0.5\n0\n0\n-0.5\n1000\n", ""},
        {"empty file", "", ""},
        {"letters in line 5", "0.5\n0\n0\n-0.5\nzehn\n2000\n", ""},
        {"decimal comma in line 1", "0,5\n0\n0\n-0.5\n1000\n2000\n", ""},
        {"empty line 4", "0.5\n0\n0\n\n1000\n2000\n", ""},
        {"not-a-number in line 6", "0.5\n0\n0\n-0.5\n1000\nNaN\n", ""},
        {"number out of range in line 5", "0.5\n0\n0\n-0.5\n1e400\n2000\n", ""},
        // Only an extent without width or height is told about.
        {"zero pixel width", "0\n0\n0\n-0.5\n1000\n2000\n", "0 m × 100 m"},
        {"zero pixel height", "0.5\n0\n0\n0\n1000\n2000\n", "200 m × 0 m"},
        {"overflowing extent", "1e308\n0\n0\n-0.5\n1e308\n2000\n", "Breite und Höhe müssen endlich"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        TMapFiles files;
        const QString tif = files.Picture("plan.tif", QuadrantPicture(400, 200), "TIFF");
        const QString world = files.Text("plan.tifw", c.World);
        TRecordingPrompts prompts;
        TModelUIScope<TPrompts> scope(&prompts);
        double x1 = 1, y1 = 2, x2 = 3, y2 = 4;
        QImage picture(1, 1, QImage::Format_ARGB32);
        EXPECT_FALSE(TGeoTIFF::Import(tif, x1, y1, x2, y2, &picture));
        EXPECT_EQ(picture.size(), QSize(400, 200));
        EXPECT_EQ((std::array{x1, y1, x2, y2}), (std::array{1.0, 2.0, 3.0, 4.0}));
        EXPECT_TRUE(prompts.Messages.isEmpty()) << prompts.Messages.join('|').toStdString();
        if (*c.ErrorPart) {
            ASSERT_EQ(prompts.Errors.size(), 1);
            EXPECT_TRUE(prompts.Errors[0].contains(QString::fromUtf8(c.ErrorPart))) << prompts.Errors[0].toStdString();
            EXPECT_TRUE(prompts.Errors[0].contains(world)) << prompts.Errors[0].toStdString();
        } else {
            EXPECT_TRUE(prompts.Errors.isEmpty()) << prompts.Errors.join('|').toStdString();
        }
    }
}

TEST(GeoTIFFTest, UnreadablePictureRaisesAGermanErrorNamingTheFile)
{
    struct Case {
        const char* Name;
        QByteArray Content;
        const char* MessagePart;
    } cases[] = {
        {"kaputt.tif", QByteArray("II*\0", 4) + "garbage that is no TIFF", "beschädigt"},
        {"kaputt.png", QByteArray("\x89PNG\r\n\x1a\n", 8) + "truncated", "beschädigt"},
        {"text.emf", "no picture at all", "nicht unterstützt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        TMapFiles files;
        const QString path = files.Text(c.Name, c.Content);
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        try {
            TGeoTIFF::Import(path, x1, y1, x2, y2, nullptr);
            ADD_FAILURE() << "no error";
        } catch (const EKPError& e) {
            EXPECT_TRUE(e.Message().contains(path)) << e.what();
            EXPECT_TRUE(e.Message().contains(QString::fromUtf8(c.MessagePart))) << e.what();
        }
    }
}

} // namespace
