// The temperature surface: its projection, the triangles it draws, the list of
// saved fields and reading them.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeWidget>

#include "ScriptedPrompter.h"
#include "model/base/KPError.h"
#include "ui/results/Delaunay.h"
#include "ui/results/SurfaceForm.h"
#include "ui/results/SurfaceProjection.h"
#include "ui/results/SurfaceView.h"
#include "tests/TestFiles.h"

TEST(SurfaceProjection, CentreStaysHeightRisesZoomScalesAndResetRestores)
{
    TSurfaceProjection p;
    p.SetBox(0, 100, 5, 15, 0, 50);
    p.SetViewport(QRectF(0, 0, 400, 300));
    const QPointF centre = p.Map(50, 10, 25).Screen;
    EXPECT_NEAR(centre.x(), 200, 1e-9);
    EXPECT_NEAR(centre.y(), 150, 1e-9);
    // Warmer is higher on the screen.
    EXPECT_LT(p.Map(50, 15, 25).Screen.y(), p.Map(50, 5, 25).Screen.y());
    // Level view from the front without perspective: x runs left to right,
    // the far side lies deeper.
    p.SetRotation(0);
    p.SetElevation(360);
    p.SetPerspective(0);
    EXPECT_LT(p.Map(0, 10, 25).Screen.x(), p.Map(100, 10, 25).Screen.x());
    EXPECT_NEAR(p.Map(0, 10, 25).Screen.y(), 150, 1e-9);
    EXPECT_GT(p.Map(50, 10, 50).Depth, p.Map(50, 10, 0).Depth);
    const double half = p.Map(100, 10, 25).Screen.x() - 200;
    p.SetZoom(120);
    EXPECT_NEAR(p.Map(100, 10, 25).Screen.x() - 200, 2 * half, 1e-9);
    p.SetRotation(-30);
    EXPECT_EQ(p.Rotation(), 330);
    p.Reset();
    EXPECT_EQ(p.Rotation(), 327);
    EXPECT_EQ(p.Elevation(), 352);
    EXPECT_EQ(p.Zoom(), 60);
}

TEST(Delaunay, SquareGivesTwoTrianglesAndDegenerateInputNone)
{
    const auto square = DelaunayTriangulate({0, 1, 1, 0}, {0, 0, 1, 1});
    ASSERT_EQ(square.size(), 2u);
    for (const TTriangle& t : square) {
        EXPECT_NE(t[0], t[1]);
        EXPECT_NE(t[1], t[2]);
    }
    // A repeated point and a NaN are left out.
    EXPECT_EQ(DelaunayTriangulate({0, 1, 1, 0, 1, NAN}, {0, 0, 1, 1, 1, 0}).size(), 2u);
    EXPECT_TRUE(DelaunayTriangulate({0, 1, 2, 3}, {0, 1, 2, 3}).empty());
    EXPECT_TRUE(DelaunayTriangulate({0, 1}, {0, 0}).empty());
    // A 5 × 5 grid of unit squares: 32 triangles covering area 16.
    std::vector<double> xs, ys;
    for (int i = 0; i < 5; ++i)
        for (int j = 0; j < 5; ++j) {
            xs.push_back(i);
            ys.push_back(j);
        }
    const auto grid = DelaunayTriangulate(xs, ys);
    double area = 0;
    for (const TTriangle& t : grid) {
        const double a = ((xs[t[1]] - xs[t[0]]) * (ys[t[2]] - ys[t[0]]) - (ys[t[1]] - ys[t[0]]) * (xs[t[2]] - xs[t[0]])) / 2;
        EXPECT_GT(a, 0);
        area += a;
    }
    EXPECT_EQ(grid.size(), 32u);
    EXPECT_NEAR(area, 16, 1e-9);
}

TEST(SurfaceView, UsesTheMeshWhenThePointsAreItsNodesElseTriangulates)
{
    TSurfaceView v;
    v.SetMesh({{0, 0}, {1, 0}, {1, 1}, {0, 1}}, {{0, 1, 2}, {0, 2, 3}, {0, 9, 2}});
    v.SetPoints({{0, 10, 0}, {1, 11, 0}, {1, 12, 1}, {0, 13, 1}});
    EXPECT_TRUE(v.UsesMesh());
    EXPECT_EQ(v.Triangles().size(), 2u);  // the one naming node 9 is dropped
    v.SetPoints({{0, 10, 0}, {2, 11, 0}, {2, 12, 2}, {0, 13, 2}});
    EXPECT_FALSE(v.UsesMesh());
    EXPECT_EQ(v.Triangles().size(), 2u);
    EXPECT_EQ(TSurfaceView::PaletteColor(0, 0, 10), TSurfaceView::PaletteColor(0.1, 0, 10));
    EXPECT_NE(TSurfaceView::PaletteColor(0, 0, 10), TSurfaceView::PaletteColor(10, 0, 10));
}

TEST(SurfaceForm, ListsDatedFilesByMonthSortedByName)
{
    QTemporaryDir dir;
    TSurfaceForm f;
    f.PopulateFilelist(dir.path(), QStringLiteral("run"));
    ASSERT_EQ(f.LVDataFiles->topLevelItemCount(), 12);
    EXPECT_EQ(f.LVDataFiles->topLevelItem(0)->text(0), QStringLiteral("Januar"));
    EXPECT_EQ(f.LVDataFiles->topLevelItem(0)->childCount(), 0);
    for (const char* name : {"run_2024_01_31_00_00.txt", "run_2_1_5_0_0.txt", "run_x_2024_03_01_00_00.txt",
                             "run.txt", "run_2024_13_01_00_00.txt", "other_2024_01_01_00_00.txt"})
        WriteFile(dir.filePath(QString::fromUtf8(name)), "1\t2\t3\n");
    f.BtnRefresh->click();
    QTreeWidgetItem* january = f.LVDataFiles->topLevelItem(0);
    ASSERT_EQ(january->childCount(), 2);
    EXPECT_EQ(january->child(0)->text(0), QStringLiteral("run_2024_01_31_00_00.txt"));
    EXPECT_EQ(january->child(1)->text(0), QStringLiteral("run_2_1_5_0_0.txt"));
    EXPECT_EQ(january->child(1)->text(1), QStringLiteral("2"));
    EXPECT_EQ(f.LVDataFiles->topLevelItem(2)->childCount(), 1);
}

TEST(SurfaceForm, LoadFileReadsDotDecimalsInGermanAndStopsAtABadLine)
{
    QTemporaryDir dir;
    TSurfaceForm f;
    f.PopulateFilelist(dir.path(), QStringLiteral("run"));
    WriteFile(dir.filePath(QStringLiteral("a.txt")), "1.5\t2.5\t10.25\r\n0\t0\t8\r\n3\t0\t9\r\n\r\n");
    f.LoadFile(QStringLiteral("a.txt"));
    const auto& pts = f.ChartSurface->Points();
    ASSERT_EQ(pts.size(), 3u);
    EXPECT_EQ(pts[0].X, 1.5);
    EXPECT_EQ(pts[0].Y, 10.25);
    EXPECT_EQ(pts[0].Z, 2.5);
    EXPECT_EQ(f.ChartSurface->Triangles().size(), 1u);

    WriteFile(dir.filePath(QStringLiteral("b.txt")), "0\t0\t1\n1\t0\t2\n1,5\t1\t3\n");
    try {
        f.LoadFile(QStringLiteral("b.txt"));
        FAIL() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_TRUE(e.Message().startsWith(QStringLiteral("Zeile 3 der Datei"))) << e.Message().toStdString();
        EXPECT_TRUE(e.Message().contains(QStringLiteral("enthält keine drei Zahlen"))) << e.Message().toStdString();
    }
    EXPECT_EQ(f.ChartSurface->Points().size(), 2u);
    f.LoadFile(QStringLiteral("missing.txt"));  // nothing happens
    EXPECT_EQ(f.ChartSurface->Points().size(), 2u);
}
