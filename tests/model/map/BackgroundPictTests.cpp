#include "MapTestUtil.h"

#include "model/base/KPError.h"
#include "model/base/StreamStrings.h"
#include "model/map/BackgroundObject.h"
#include "model/map/GeoTIFF.h"

#include <array>
#include <climits>
#include <utility>
#include <cmath>
#include <gtest/gtest.h>

namespace {

std::array<double, 4> Extent(const TBackgroundPict& M) { return {M.X1(), M.Y1(), M.X2(), M.Y2()}; }

TEST(BackgroundPictTest, NewMapHasNoFileAnEmptyPictureAndFiveKilometres)
{
    TBackgroundPict map;
    EXPECT_EQ(map.Filename(), QString());
    EXPECT_EQ(Extent(map), (std::array{0.0, 0.0, 5000.0, 5000.0}));
    ASSERT_NE(map.Bitmap, nullptr);
    EXPECT_TRUE(map.Bitmap->isNull());
    EXPECT_FALSE(map.HasPicture());
    EXPECT_EQ(map.BottomLeft(), (D2D_POINT_2F{0, 0}));
    EXPECT_EQ(map.TopRight(), (D2D_POINT_2F{5000, 5000}));
    map.SetX1(0.1);
    map.SetY2(7000);
    EXPECT_EQ(map.BottomLeft(), (D2D_POINT_2F{0.1f, 0}));
    EXPECT_DOUBLE_EQ(map.WorldWidth(), 4999.9);
    EXPECT_DOUBLE_EQ(map.WorldHeight(), 7000);
}

TEST(BackgroundPictTest, LoadGraphicPlacesPicturesAsAsked)
{
    struct Case {
        const char* What;
        const char* File;
        const char* Format;
        QByteArray World; // written as <name>.tfw when not empty
        bool Georeference;
        bool Result;
        std::array<double, 4> Extent;
        QSize Size;
    } cases[] = {
        {"PNG, one metre per pixel", "karte.png", "PNG", {}, true, false, {0, 0, 800, 600}, {800, 600}},
        {"PNG, extent kept", "karte.png", "PNG", {}, false, false, {-5, -6, 7, 8}, {800, 600}},
        {"JPEG", "karte.jpg", "JPEG", {}, true, false, {0, 0, 800, 600}, {800, 600}},
        {"BMP", "karte.bmp", "BMP", {}, true, false, {0, 0, 800, 600}, {800, 600}},
        {"TIFF with world file", "karte.tif", "TIFF", "0.5\n0\n0\n-0.5\n1000\n2000\n", true, true,
         {1000, 1900, 1200, 2000}, {400, 200}},
        {"TIFF with world file, extent kept", "karte.tiff", "TIFF", "0.5\n0\n0\n-0.5\n1000\n2000\n", false, false,
         {-5, -6, 7, 8}, {400, 200}},
        {"TIFF without world file", "karte.tif", "TIFF", {}, true, false, {-5, -6, 7, 8}, {400, 200}},
        {"TIFF, letter case of the extension", "karte.TIF", "TIFF", "0.5\n0\n0\n-0.5\n1000\n2000\n", true, true,
         {1000, 1900, 1200, 2000}, {400, 200}},
        {"south-up TIFF", "karte.tif", "TIFF", "0.5\n0\n0\n0.5\n1000\n2000\n", true, true,
         {1000, 2100, 1200, 2000}, {400, 200}},
        // A world file that cannot place the picture still lets it load.
        {"TIFF with a five-line world file", "karte.tif", "TIFF", "0.5\n0\n0\n-0.5\n1000\n", true, false,
         {-5, -6, 7, 8}, {400, 200}},
        {"TIFF with a word in its world file", "karte.tif", "TIFF", "0.5\n0\n0\n-0.5\neintausend\n2000\n", true,
         false, {-5, -6, 7, 8}, {400, 200}},
        {"TIFF whose world file gives no height", "karte.tif", "TIFF", "0.5\n0\n0\n0\n1000\n2000\n", true, false,
         {-5, -6, 7, 8}, {400, 200}},
        // Only a TIFF is placed by a world file.
        {"PNG beside a world file", "karte.png", "PNG", "0.5\n0\n0\n-0.5\n1000\n2000\n", true, false,
         {0, 0, 800, 600}, {800, 600}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        TMapFiles files;
        const QString path = files.Picture(c.File, QuadrantPicture(c.Size.width(), c.Size.height()), c.Format);
        if (!c.World.isEmpty()) files.Text(QString(c.File).section('.', 0, 0) + ".tfw", c.World);
        TBackgroundPict map;
        map.SetExtent(-5, -6, 7, 8);
        EXPECT_EQ(map.LoadGraphic(path, c.Georeference), c.Result);
        EXPECT_EQ(Extent(map), c.Extent);
        ASSERT_TRUE(map.HasPicture());
        EXPECT_EQ(map.Bitmap->size(), c.Size);
        EXPECT_EQ(map.Bitmap->format(), QImage::Format_ARGB32_Premultiplied);
        EXPECT_TRUE(ColorNear(*map.Bitmap, 2, c.Size.height() - 3, QBlue, 8));
        // The main window sets the name; loading does not.
        EXPECT_EQ(map.Filename(), QString());
    }
}

TEST(BackgroundPictTest, FailedLoadKeepsTheCurrentPictureAndExtent)
{
    TMapFiles files;
    const QString good = files.Picture("gut.png", QuadrantPicture(), "PNG");
    const QString broken = files.Text("kaputt.png", "not a picture");
    const QString tif = files.Picture("plan.tif", QuadrantPicture(400, 200), "TIFF");
    files.Text("plan.tfw", "0.5\n0\n0\n-0.5\n1000\n");
    const QString missing = files.Path("fehlt.png");

    TRecordingPrompts prompts;
    TModelUIScope<TPrompts> scope(&prompts);
    TBackgroundPict map;
    map.LoadGraphic(good, true);
    auto unchanged = [&](const char* what) {
        SCOPED_TRACE(what);
        EXPECT_EQ(Extent(map), (std::array{0.0, 0.0, 40.0, 20.0}));
        ASSERT_TRUE(map.HasPicture());
        EXPECT_EQ(map.Bitmap->size(), QSize(40, 20));
    };

    EXPECT_FALSE(map.LoadGraphic(QString(), true));
    EXPECT_TRUE(prompts.Errors.isEmpty());
    unchanged("empty name");

    EXPECT_FALSE(map.LoadGraphic(missing, true));
    EXPECT_EQ(prompts.Errors, QStringList{"Die Datei " + missing + " konnte nicht gefunden werden"});
    unchanged("missing file");

    EXPECT_THROW(map.LoadGraphic(broken, true), EKPError);
    unchanged("unreadable picture");

    // A world file that cannot place the picture: the picture loads, unplaced.
    EXPECT_FALSE(map.LoadGraphic(tif, true));
    EXPECT_EQ(map.Bitmap->size(), QSize(400, 200));
    EXPECT_EQ(Extent(map), (std::array{0.0, 0.0, 40.0, 20.0}));
    EXPECT_EQ(prompts.Errors.size(), 1);
}

TEST(BackgroundPictTest, FileNameAndDeleteDropThePictureWhenTheFileIsGone)
{
    TMapFiles files;
    const QString png = files.Picture("karte.png", QuadrantPicture(), "PNG");
    TBackgroundPict map;
    map.LoadGraphic(png, true);
    map.SetFilename(png);
    EXPECT_EQ(map.Filename(), png);
    EXPECT_TRUE(map.HasPicture());

    map.SetFilename(files.Path("anders.png"));
    EXPECT_EQ(map.Filename(), files.Path("anders.png"));
    EXPECT_EQ(map.Bitmap, nullptr);
    EXPECT_EQ(map.WorldXToPixel(10), 0);
    EXPECT_EQ(map.WorldYToPixel(10), 0);

    map.LoadGraphic(png, true);
    map.SetFilename(png);
    map.Delete();
    EXPECT_EQ(map.Filename(), QString());
    EXPECT_EQ(map.Bitmap, nullptr);
    EXPECT_EQ(Extent(map), (std::array{0.0, 0.0, 40.0, 20.0}));
    // A deleted map can load again.
    map.LoadGraphic(png, false);
    EXPECT_TRUE(map.HasPicture());
}

TEST(BackgroundPictTest, WorldToPixel)
{
    TMapFiles files;
    TBackgroundPict map;
    map.LoadGraphic(files.Picture("karte.png", QuadrantPicture(400, 200), "PNG"), false);
    map.SetExtent(1000, 1900, 1200, 2000); // half a metre per pixel
    // Two pixels per metre both ways; halves round to even.
    const std::pair<double, int> columns[] = {{1000, 0},   {1100, 200},     {1200, 400},    {990, -20},
                                              {1210, 420}, {1000.25, 0},    {1000.75, 2},   {NAN, 0}};
    for (auto [x, column] : columns) EXPECT_EQ(map.WorldXToPixel(x), column) << x;
    const std::pair<double, int> rows[] = {{1900, 200}, {1950, 100},     {2000, 0},      {2010, 0},
                                           {1899, 202}, {1900.25, 200},  {1900.75, 198}, {NAN, 200}};
    for (auto [y, row] : rows) EXPECT_EQ(map.WorldYToPixel(y), row) << y;
    // Far outside the map the row saturates instead of overflowing.
    EXPECT_EQ(map.WorldYToPixel(1e300), 0);
    EXPECT_EQ(map.WorldYToPixel(-1e300), INT_MAX);
}

TEST(BackgroundPictTest, SetExtentRefusesCornersInTheWrongOrder)
{
    const double inf = INFINITY;
    struct Case {
        double X1, Y1, X2, Y2;
        bool Accepted;
    } cases[] = {
        {0, 0, 10, 10, true},  {-5, -6, 7, 8, true}, {0, 0, 0, 10, false},    {0, 0, 10, 0, false},
        {10, 0, 0, 10, false}, {0, 10, 10, 0, false}, {NAN, 0, 10, 10, false}, {0, 0, inf, 10, false},
    };
    for (const Case& c : cases) {
        TBackgroundPict map;
        if (c.Accepted) {
            map.SetExtent(c.X1, c.Y1, c.X2, c.Y2);
            EXPECT_EQ(Extent(map), (std::array{c.X1, c.Y1, c.X2, c.Y2}));
        } else {
            try {
                map.SetExtent(c.X1, c.Y1, c.X2, c.Y2);
                ADD_FAILURE() << c.X1 << " " << c.Y1 << " " << c.X2 << " " << c.Y2;
            } catch (const EKPError& e) {
                EXPECT_EQ(e.Message(), "Ungültige Kartenecken: Die Ecke rechts oben muss rechts von und über der "
                                       "Ecke links unten liegen.");
            }
            EXPECT_EQ(Extent(map), (std::array{0.0, 0.0, 5000.0, 5000.0}));
        }
    }
}

// ---- the map record ----

QByteArray RecordBytes(const QString& Name, double X1, double Y1, double X2, double Y2)
{
    TMemoryStream s;
    WriteStringToStream(s, Name);
    for (double v : {X1, Y1, X2, Y2}) s.WriteDouble(v);
    return s.Data();
}

TEST(BackgroundPictTest, RecordHoldsNameAndFourCornersInFileOrder)
{
    TBackgroundPict map;
    map.SetFilename("C:\\Karten\\Lageplan.png");
    map.SetExtent(1000, 1900, 1200, 2000);
    TMemoryStream s;
    map.Store(s);
    const QByteArray name("C\0:\0\\\0K\0a\0r\0t\0e\0n\0\\\0L\0a\0g\0e\0p\0l\0a\0n\0.\0p\0n\0g\0", 44);
    const QByteArray expected = QByteArray::fromHex("16000000") + name +
        QByteArray::fromHex("0000000000408f40") + QByteArray::fromHex("0000000000b09d40") +
        QByteArray::fromHex("0000000000c09240") + QByteArray::fromHex("0000000000409f40");
    EXPECT_EQ(s.Data().toHex(), expected.toHex());

    // A missing picture is no error: name and extent stay, nothing to draw.
    TMemoryStream in(s.Data());
    TBackgroundPict loaded;
    loaded.Load(in);
    EXPECT_EQ(in.Remaining(), 0);
    EXPECT_EQ(loaded.Filename(), "C:\\Karten\\Lageplan.png");
    EXPECT_EQ(Extent(loaded), (std::array{1000.0, 1900.0, 1200.0, 2000.0}));
    EXPECT_FALSE(loaded.HasPicture());
}

TEST(BackgroundPictTest, RecordRoundTripReloadsThePictureWithTheStoredExtent)
{
    TMapFiles files;
    const QString tif = files.Picture("plan.tif", QuadrantPicture(400, 200), "TIFF");
    files.Text("plan.tfw", "0.5\n0.2\n0\n-0.5\n1000\n2000\n");
    const double nan = std::nan("");
    struct Case {
        QString Name;
        std::array<double, 4> Extent;
    } cases[] = {
        {tif, {1, 2, 3, 4}},
        {tif, {nan, 0, 1e300, -0.0}},
        {QString(), {0, 0, 5000, 5000}},
        {QStringLiteral("Grundstück ü.png"), {-1, -2, 5, 6}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name.toStdString());
        TRecordingPrompts prompts;
        TModelUIScope<TPrompts> scope(&prompts);
        TBackgroundPict map;
        map.SetFilename(c.Name);
        map.SetX1(c.Extent[0]);
        map.SetY1(c.Extent[1]);
        map.SetX2(c.Extent[2]);
        map.SetY2(c.Extent[3]);
        TMemoryStream out;
        map.Store(out);
        EXPECT_EQ(out.Data(), RecordBytes(c.Name, c.Extent[0], c.Extent[1], c.Extent[2], c.Extent[3]));

        TMemoryStream in(out.Data());
        TBackgroundPict loaded;
        loaded.Load(in);
        EXPECT_EQ(loaded.Filename(), c.Name);
        const auto e = Extent(loaded);
        EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(e.data()), 32),
                  QByteArray(reinterpret_cast<const char*>(c.Extent.data()), 32));
        EXPECT_EQ(loaded.HasPicture(), c.Name == tif);
        // The rotated world file still warns about itself when its picture is opened.
        EXPECT_EQ(prompts.Messages.size(), c.Name == tif ? 1 : 0);
        TMemoryStream again;
        loaded.Store(again);
        EXPECT_EQ(again.Data(), out.Data());
    }
}

TEST(BackgroundPictTest, TruncatedRecordRaisesAndLeavesTheMapAsItWas)
{
    const QByteArray record = RecordBytes(QStringLiteral("karte.png"), 1, 2, 3, 4);
    for (int n = 0; n < record.size(); ++n) {
        TBackgroundPict map;
        map.SetFilename(QStringLiteral("alt.png"));
        TMemoryStream in(record.left(n));
        EXPECT_THROW(map.Load(in), EReadError) << n << " bytes";
        EXPECT_EQ(map.Filename(), "alt.png");
        EXPECT_EQ(Extent(map), (std::array{0.0, 0.0, 5000.0, 5000.0}));
    }
    // A name length that cannot fit the record.
    TMemoryStream bad(QByteArray::fromHex("ffffff7f") + record.mid(4));
    TBackgroundPict map;
    EXPECT_THROW(map.Load(bad), EReadError);
    EXPECT_EQ(map.Filename(), QString());
}

// Runs a test body in another current folder and returns to the old one.
class TCurrentFolder {
public:
    explicit TCurrentFolder(const QString& Folder) : FOld(QDir::currentPath()) { QDir::setCurrent(Folder); }
    ~TCurrentFolder() { QDir::setCurrent(FOld); }

private:
    QString FOld;
};

TEST(BackgroundPictTest, LoadFindsAPictureMovedIntoTheCurrentFolder)
{
    TMapFiles files;
    files.Picture("lageplan.png", QuadrantPicture(), "PNG");
    TCurrentFolder here(files.Folder());
    for (const char* stored : {"/nicht/mehr/da/lageplan.png", "C:\\Projekte\\Karten\\lageplan.png"}) {
        SCOPED_TRACE(stored);
        TMemoryStream in(RecordBytes(stored, 1, 2, 3, 4));
        TBackgroundPict map;
        map.Load(in);
        EXPECT_EQ(QFileInfo(map.Filename()).canonicalFilePath(),
                  QFileInfo(files.Path("lageplan.png")).canonicalFilePath());
        ASSERT_TRUE(map.HasPicture());
        EXPECT_EQ(map.Bitmap->size(), QSize(40, 20));
        EXPECT_EQ(Extent(map), (std::array{1.0, 2.0, 3.0, 4.0}));
    }
}

TEST(BackgroundPictTest, LoadWithADamagedPictureReportsItAndStaysEmpty)
{
    TMapFiles files;
    const QString broken = files.Text("kaputt.png", "not a picture");
    TRecordingPrompts prompts;
    TModelUIScope<TPrompts> scope(&prompts);
    TMemoryStream in(RecordBytes(broken, 1, 2, 3, 4));
    TBackgroundPict map;
    EXPECT_NO_THROW(map.Load(in));
    EXPECT_EQ(map.Filename(), broken);
    EXPECT_FALSE(map.HasPicture());
    EXPECT_EQ(Extent(map), (std::array{1.0, 2.0, 3.0, 4.0}));
    ASSERT_EQ(prompts.Errors.size(), 1);
    EXPECT_TRUE(prompts.Errors[0].contains(broken));
}

} // namespace
