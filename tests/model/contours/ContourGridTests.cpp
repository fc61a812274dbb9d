#include "ContourTestUtils.h"

#include "model/base/KPError.h"
#include "model/contours/ContourObj.h"

#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

struct TSeg {
    int Level;
    double AX, AY, BX, BY;
};

std::vector<TSeg> Contour(const TContourMap& Map)
{
    std::vector<TSeg> segs;
    Map.ContourGrid([&segs](int k, double ax, double ay, double bx, double by) {
        segs.push_back(TSeg{k, ax, ay, bx, by});
    });
    return segs;
}

void ExpectSegments(const std::vector<TSeg>& Got, const std::vector<TSeg>& Want, const char* Name)
{
    ASSERT_EQ(Got.size(), Want.size()) << Name;
    for (size_t i = 0; i < Want.size(); ++i) {
        EXPECT_EQ(Got[i].Level, Want[i].Level) << Name << " segment " << i;
        EXPECT_NEAR(Got[i].AX, Want[i].AX, 1e-12) << Name << " segment " << i;
        EXPECT_NEAR(Got[i].AY, Want[i].AY, 1e-12) << Name << " segment " << i;
        EXPECT_NEAR(Got[i].BX, Want[i].BX, 1e-12) << Name << " segment " << i;
        EXPECT_NEAR(Got[i].BY, Want[i].BY, 1e-12) << Name << " segment " << i;
    }
}

constexpr double T1 = 1.0 / 3, T2 = 2.0 / 3, T4 = 4.0 / 3;

// One cell from (0, 0) to (2, 2): corner 1 at (0, 0), 2 at (2, 0), 3 at
// (2, 2), 4 at (0, 2); the centre at (1, 1).
struct TCellCase {
    const char* Name;
    double D1, D2, D3, D4;
    std::vector<double> Levels;
    std::vector<TSeg> Want;
};

TEST(ContourGrid, SingleCellCases)
{
    (void)T1;
    const TCellCase cases[] = {
        {"level above every value", 0, 1, 2, 3, {5}, {}},
        {"level below every value", 0, 1, 2, 3, {-1}, {}},
        {"all corners on the level", 1, 1, 1, 1, {1}, {}},
        {"level equal to the minimum", 1, 2, 2, 2, {1}, {}},
        {"rising in x", 0, 2, 2, 0, {1}, {{0, 1, 1, 1, 0}, {0, 1, 1, 1, 2}}},
        {"level equal to the maximum runs along the edge", 0, 1, 1, 0, {1}, {{0, 2, 2, 2, 0}}},
        {"saddle, centre above: corners 2 and 4 cut off",
         2, -1, 2, -1, {0},
         {{0, T4, T2, T4, 0}, {0, 2, T2, T4, T2}, {0, T2, T4, T2, 2}, {0, 0, T4, T2, T4}}},
        {"saddle, centre below: corners 1 and 3 cut off",
         1, -2, 1, -2, {0},
         {{0, T2, 0, T2, T2}, {0, T4, T4, 2, T4}, {0, T4, 2, T4, T4}, {0, T2, T2, 0, T2}}},
        {"saddle, centre on the level: four spokes",
         1, -1, 1, -1, {0},
         {{0, 1, 1, 1, 0}, {0, 1, 1, 2, 1}, {0, 1, 1, 1, 2}, {0, 1, 1, 0, 1}}},
        {"corner on the level, crossing opposite (cases 6 and 8)",
         0, 1, 1, -1, {0},
         {{0, 0.8, 1.2, 1, 2}, {0, 0, 0, 0.8, 1.2}}},
        {"corner on the level, centre below (cases 4 and 9)",
         0, 1, -2, -1, {0},
         {{0, 0, 0, T4, T2}, {0, 2, T2, T4, T2}}},
        {"diagonal through two corners and the centre (cases 1 and 2)",
         0, 1, 0, -1, {0},
         {{0, 0, 0, 1, 1}, {0, 1, 1, 2, 2}, {0, 2, 2, 1, 1}, {0, 1, 1, 0, 0}}},
        {"edge and centre on the level (cases 3 and 5)",
         0, 0, 1, -1, {0},
         {{0, 2, 0, 0, 0}, {0, 2, 0, 1, 1}, {0, 1, 1, 1, 2}, {0, 1, 1, 0, 0}}},
        {"only the levels inside the cell, by index",
         0, 2, 2, 0, {-1, 1, 3},
         {{1, 1, 1, 1, 0}, {1, 1, 1, 1, 2}}},
    };
    for (const TCellCase& c : cases) {
        TContourMap map;
        SetGrid(map, {0, 2}, {0, 2}, {c.D1, c.D2, c.D4, c.D3});
        map.Z() = Eigen::Map<const TVec>(c.Levels.data(), static_cast<Eigen::Index>(c.Levels.size()));
        ExpectSegments(Contour(map), c.Want, c.Name);
    }
}

TEST(ContourGrid, CellsFromTheTopRowDownLeftToRight)
{
    // Two by two cells rising in x and y; every cell holds both levels.
    TContourMap map;
    SetGrid(map, {0, 1, 2}, {0, 1, 2}, {0, 1, 2, 1, 2, 3, 2, 3, 4});
    SetLevels(map, {1.5, 2.5});
    struct TVisit {
        int Row, Col, Level;
    };
    std::vector<TVisit> visits;
    map.ContourGrid([&visits](int k, double ax, double ay, double bx, double by) {
        visits.push_back(
            TVisit{static_cast<int>(std::floor((ay + by) / 2)), static_cast<int>(std::floor((ax + bx) / 2)), k});
    });
    ASSERT_FALSE(visits.empty());
    for (size_t i = 1; i < visits.size(); ++i) {
        const TVisit& a = visits[i - 1];
        const TVisit& b = visits[i];
        const bool ordered =
            a.Row > b.Row || (a.Row == b.Row && (a.Col < b.Col || (a.Col == b.Col && a.Level <= b.Level)));
        EXPECT_TRUE(ordered) << "visit " << i;
    }
    EXPECT_EQ(visits.front().Row, 1);
    EXPECT_EQ(visits.back().Row, 0);
}

TEST(ContourGrid, GridsThatGiveNothing)
{
    struct TCase {
        const char* Name;
        void (*Make)(TContourMap&);
    };
    const TCase cases[] = {
        {"fresh map: 100 × 100 axes, no data", [](TContourMap&) {}},
        {"data transposed against the axes",
         [](TContourMap& m) {
             SetGrid(m, {0, 1, 2}, {0, 1}, {0, 1, 2, 3, 4, 5});
             m.Data().transposeInPlace();
         }},
        {"one column of data too few",
         [](TContourMap& m) {
             SetGrid(m, {0, 1}, {0, 1}, {0, 1, 2, 3});
             m.X().resize(3);
             m.X() << 0, 1, 2;
         }},
        {"a single row", [](TContourMap& m) { SetGrid(m, {0, 1, 2}, {0}, {0, 1, 2}); }},
        {"no levels",
         [](TContourMap& m) {
             SetGrid(m, {0, 1}, {0, 1}, {0, 1, 2, 3});
             m.Z().resize(0);
         }},
    };
    for (const TCase& c : cases) {
        TContourMap map;
        SetLevels(map, {0.5, 1.5});
        c.Make(map);
        EXPECT_TRUE(Contour(map).empty()) << c.Name;
        TRecordingCanvas canvas;
        map.Draw(&canvas);
        EXPECT_TRUE(canvas.Lines.empty()) << c.Name;
    }
}

TEST(ContourGrid, CellWithNaNOrInfinityIsSkipped)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (double bad : {nan, inf}) {
        // Left cell holds the bad corner, the right one is clean.
        TContourMap map;
        SetGrid(map, {0, 1, 2}, {0, 1}, {bad, 0, 0, 2, 2, 2});
        SetLevels(map, {1});
        const std::vector<TSeg> segs = Contour(map);
        ASSERT_FALSE(segs.empty());
        for (const TSeg& s : segs) {
            EXPECT_GE(std::min(s.AX, s.BX), 1.0);
            EXPECT_TRUE(std::isfinite(s.AX) && std::isfinite(s.AY) && std::isfinite(s.BX) && std::isfinite(s.BY));
        }
    }
}

TEST(ContourGrid, DrawUsesGridCoordinatesAsPixelsRounded)
{
    TContourMap map;
    SetGrid(map, {0, 10}, {0, 9}, {0, 2, 0, 2});
    SetLevels(map, {1});
    map.Draw(nullptr);  // no canvas: nothing happens
    TRecordingCanvas canvas;
    map.Draw(&canvas);
    // Centre (5, 4.5) rounds to (5, 4) (halves to even); the crossings at x = 5.
    ASSERT_EQ(canvas.Lines.size(), 2u);
    EXPECT_EQ(canvas.Lines[0].A, (TPoint{5, 4}));
    EXPECT_EQ(canvas.Lines[0].B, (TPoint{5, 0}));
    EXPECT_EQ(canvas.Lines[1].A, (TPoint{5, 4}));
    EXPECT_EQ(canvas.Lines[1].B, (TPoint{5, 9}));
}

// ---------------------------------------------------------------------------
// Stored grid size

TEST(ContourGridRecord, GridSizeRoundTripKeepsTheData)
{
    TContourMap map;
    SetGrid(map, {0, 1, 2}, {0, 1}, {1, 2, 3, 4, 5, 6});
    TMemoryStream s;
    map.WriteData(s);
    EXPECT_EQ(s.Data(), QByteArray::fromHex("03000000" "02000000"));

    TContourMap other;
    s.SetPosition(0);
    other.ReadData(s);
    EXPECT_EQ(other.X().size(), 3);
    EXPECT_EQ(other.Y().size(), 2);
    EXPECT_EQ(other.Data().size(), 0);

    // Reading into the map itself leaves its values alone.
    s.SetPosition(0);
    map.ReadData(s);
    EXPECT_EQ(map.Data()(1, 2), 6);
    TMemoryStream again;
    other.WriteData(again);
    EXPECT_EQ(again.Data(), s.Data());
}

TEST(ContourGridRecord, BadSizesAreReadErrorsAndChangeNothing)
{
    struct TCase {
        const char* Name;
        const char* Hex;
    };
    const TCase cases[] = {
        {"negative columns", "ffffffff" "02000000"},
        {"negative rows", "02000000" "feffffff"},
        {"absurd columns", "ffffff7f" "02000000"},
        {"absurd rows", "02000000" "00e1f505"},
        {"truncated", "02000000" "0200"},
    };
    for (const TCase& c : cases) {
        TContourMap map;
        TMemoryStream s(QByteArray::fromHex(c.Hex));
        EXPECT_THROW(map.ReadData(s), EReadError) << c.Name;
        EXPECT_EQ(map.X().size(), 100) << c.Name;
        EXPECT_EQ(map.Y().size(), 100) << c.Name;
    }
}

// ---------------------------------------------------------------------------
// X/Y/Z export

class ContourExport : public ::testing::Test {
protected:
    void TearDown() override { QLocale::setDefault(FOld); }
    // 2 columns × 3 rows; values in millimetres.
    static void Fill(TContourMap& Map)
    {
        SetGrid(Map, {0, 10000}, {0, 10000, 25000}, {500, -1234.56789, 0, 1000, 1, -0.5});
    }
    QLocale FOld;
};

TEST_F(ContourExport, TwoByThreeGridInBothLocales)
{
    struct TCase {
        QLocale::Language Language;
        QStringList Want;
    };
    // Map scale 1000 and offsets 5 / 7: x = X / 10000 · 1000 + 5, y likewise + 7.
    const TCase cases[] = {
        {QLocale::C,
         {" 5\t 7\t 0.5", " 1005\t 7\t-1.2345679", " 5\t 1007\t 0", " 1005\t 1007\t 1", " 5\t 2507\t 0.001",
          " 1005\t 2507\t-0.0005"}},
        {QLocale::German,
         {" 5\t 7\t 0,5", " 1005\t 7\t-1,2345679", " 5\t 1007\t 0", " 1005\t 1007\t 1", " 5\t 2507\t 0,001",
          " 1005\t 2507\t-0,0005"}},
    };
    for (const TCase& c : cases) {
        QLocale::setDefault(QLocale(c.Language));
        TContourMap map;
        Fill(map);
        QStringList lines{QStringLiteral("vorher")};
        map.SaveToStrings(duMeters, duMillimeters, &lines, 5, 7, 1000);
        EXPECT_EQ(lines, QStringList{QStringLiteral("vorher")} + c.Want) << QLocale(c.Language).name().toStdString();
    }
}

TEST_F(ContourExport, MapUnitConvertsCoordinatesToMetres)
{
    QLocale::setDefault(QLocale::c());
    TContourMap map;
    SetGrid(map, {10000}, {20000}, {2});
    QStringList lines;
    map.SaveToStrings(duKilometers, duCentimeters, &lines, 0.5, 0, 1);
    EXPECT_EQ(lines, QStringList{QStringLiteral(" 1500\t 2000\t 0.02")});
}

TEST_F(ContourExport, FailuresAppendNothing)
{
    TContourMap map;
    Fill(map);
    QStringList lines{QStringLiteral("x")};
    EXPECT_THROW(map.SaveToStrings(static_cast<TConvType>(99), duMeters, &lines, 0, 0, 1), EConvertError);
    EXPECT_THROW(map.SaveToStrings(duMeters, static_cast<TConvType>(-1), &lines, 0, 0, 1), EConvertError);
    TContourMap mismatched;  // 100 × 100 axes, no values
    EXPECT_THROW(mismatched.SaveToStrings(duMeters, duMeters, &lines, 0, 0, 1), EKPError);
    EXPECT_EQ(lines, QStringList{QStringLiteral("x")});

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("kontur.txt"));
    EXPECT_THROW(map.SaveToFile(static_cast<TConvType>(99), duMeters, file, 0, 0, 1), EConvertError);
    EXPECT_FALSE(QFile::exists(file));
}

TEST_F(ContourExport, FileHasCrLfLineEnds)
{
    QLocale::setDefault(QLocale::c());
    TContourMap map;
    SetGrid(map, {0, 10000}, {0}, {1, 2});
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("kontur.txt"));
    map.SaveToFile(duMeters, duMeters, file, 0, 0, 10000);
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray(" 0\t 0\t 1\r\n 10000\t 0\t 2\r\n"));
    EXPECT_THROW(map.SaveToFile(duMeters, duMeters, dir.filePath(QStringLiteral("fehlt/da/x.txt")), 0, 0, 1),
                 EFileError);
}

}  // namespace
