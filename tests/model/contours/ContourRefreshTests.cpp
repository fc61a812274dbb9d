#include "ContourTestUtils.h"

#include "model/contours/ContourRefresh.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

const double NaN = std::numeric_limits<double>::quiet_NaN();
const double Inf = std::numeric_limits<double>::infinity();

std::vector<double> Levels(const TContourMap& Map)
{
    return std::vector<double>(Map.Z().data(), Map.Z().data() + Map.Z().size());
}

TEST(ContourLevels, SpacingRangeAndLimits)
{
    struct TCase {
        const char* Name;
        double Zmin, Zmax, Dz, AutoDz;
        std::vector<double> Want;
    };
    const TCase cases[] = {
        {"plain", 0, 1, 0.25, 0.5, {0, 0.25, 0.5, 0.75, 1}},
        {"upper limit between steps", 0, 0.9, 0.25, 0.5, {0, 0.25, 0.5, 0.75}},
        {"one level for an empty span", 2, 2, 0.5, 0.5, {2}},
        {"zero spacing falls back", 0, 1, 0, 0.5, {0, 0.5, 1}},
        {"negative spacing falls back", 0, 1, -0.2, 0.5, {0, 0.5, 1}},
        {"NaN spacing falls back", 0, 1, NaN, 0.5, {0, 0.5, 1}},
        {"infinite spacing falls back", 0, 1, Inf, 0.5, {0, 0.5, 1}},
        {"no usable spacing at all", 0, 1, 0, 0, {}},
        {"range upside down", 1, 0, 0.5, 0.5, {}},
        {"range upside down by less than a step", 1, 0.9, 0.5, 0.5, {}},
        {"NaN limit", NaN, 1, 0.5, 0.5, {}},
        {"infinite limit", 0, Inf, 0.5, 0.5, {}},
        {"limits too far apart for a double", -1e308, 1e308, 0.5, 0.5, {}},
    };
    for (const TCase& c : cases) EXPECT_EQ(ContourLevelValues(c.Zmin, c.Zmax, c.Dz, c.AutoDz), c.Want) << c.Name;
}

TEST(ContourLevels, AtMostAThousandLevelsOnTheStepsOfTheSpacing)
{
    // 20001 levels asked for: the spacing becomes 21 × 0.5.
    const std::vector<double> wide = ContourLevelValues(0, 10000, 0.5, 0.2);
    ASSERT_EQ(wide.size(), 953u);
    EXPECT_EQ(wide[1], 10.5);
    EXPECT_LE(wide.back(), 10000);
    // A spacing so small that the count does not fit a double's range of
    // integers: a thousand levels spread over the range.
    const std::vector<double> tiny = ContourLevelValues(0, 1, 1e-310, 0.2);
    ASSERT_EQ(tiny.size(), static_cast<size_t>(MaxContourLevels));
    EXPECT_NEAR(tiny.back(), 1, 1e-12);
    // Just the maximum is fine as asked.
    EXPECT_EQ(ContourLevelValues(0, 999, 1, 0.2).size(), 1000u);
}

TEST(ContourLevels, DeltaModeLeavesOutZero)
{
    TMVContourMap map;
    map.SetLevels(-1.04, 2.96, FeAutoLevelDist, 0);
    EXPECT_EQ(Levels(map), (std::vector<double>{-1.0, -0.5, 0.5, 1.0, 1.5, 2.0, 2.5}));
    map.SetSkipZeroLine(false);
    map.SetLevels(-1.04, 2.96, FeAutoLevelDist, 0);
    EXPECT_EQ(Levels(map), (std::vector<double>{-1.0, -0.5, 0, 0.5, 1.0, 1.5, 2.0, 2.5}));
}

TEST(ContourLevels, ManualLimitsAndSpacing)
{
    TMVContourMap map;
    map.SetZAutoMin(false);
    map.SetZAutoMax(false);
    map.SetZAutoDist(false);
    map.SetZMin(8);
    map.SetZMax(12);
    map.SetZDist(2);
    map.SetLevels(-100, 100, 0.5, 10);  // the initial temperature 10 is left out
    EXPECT_EQ(Levels(map), (std::vector<double>{8, 12}));
    map.SetZDist(0);  // accepted by the dialog: the automatic spacing instead
    map.SetLevels(-100, 100, 0.5, 100);
    EXPECT_EQ(Levels(map).size(), 9u);
    map.SetLevels(NaN, NaN, 0.5, 0);  // manual limits do not care
    EXPECT_EQ(Levels(map).size(), 9u);
    map.SetZAutoMin(true);
    map.SetLevels(NaN, NaN, 0.5, 0);
    EXPECT_TRUE(Levels(map).empty());
}

// ---------------------------------------------------------------------------

class ContourRefresh : public ::testing::Test {
protected:
    void SetUp() override
    {
        BuildRectMesh(Model, 4, 4, 4, 4);
        // Custom values rising in x; initial temperatures 0.25 everywhere.
        for (int k = 0; k < Model.NodeCount(); ++k) {
            TNode* n = Model.GetNodes(k);
            n->SetFCustom(0.5 * n->X() + 0.25);
            n->SetFatT0(0.25);
            n->SetF(-50);  // the running temperatures are not contoured
        }
        Map.SetConvertFunction([](QPointF p) { return QPointF(p.x() * 10, 100 - p.y() * 10); });
        Map.SetLineColor(0x00AA00);
    }
    T2DTriangleModel Model;
    TMVContourMap Map;
};

TEST_F(ContourRefresh, TrianglesGiveOpenLinesFromEdgeToEdge)
{
    TContourRefreshSettings settings;
    settings.Method = lcFe;
    settings.ShowDelta = false;
    RefreshContourLines(Map, Model, settings);
    EXPECT_TRUE(Map.ShowContours());
    // Values 0.25 … 2.25: levels from 0.3 to 2.2 every 0.5.
    const std::vector<double> want{0.3, 0.3 + 0.5, 0.3 + 2 * 0.5, 0.3 + 3 * 0.5};
    EXPECT_EQ(Levels(Map), want);
    ASSERT_EQ(Map.TheLines.Count(), 4);
    for (int i = 0; i < 4; ++i) {
        const TContourLine& line = *Map.Lines(i);
        EXPECT_EQ(line.ZLevel(), want[static_cast<size_t>(i)]);
        EXPECT_EQ(line.Color(), 0x00AA00u);
        // The line x = 2·level − 0.5 (plan: ×10) from one border of the mesh to the other.
        ASSERT_GE(line.DPIPoints.size(), 5u) << i;
        const float x = static_cast<float>((2 * want[static_cast<size_t>(i)] - 0.5) * 10);
        for (const D2D_POINT_2F& p : line.DPIPoints) EXPECT_NEAR(p.x, x, 1e-3) << i;
        const float y0 = line.DPIPoints.front().y, y1 = line.DPIPoints.back().y;
        EXPECT_TRUE((y0 == 100 && y1 == 60) || (y0 == 60 && y1 == 100)) << i;
        ASSERT_NE(line.D2Path, nullptr);
        EXPECT_EQ(line.PtArray.size(), line.DPIPoints.size());
    }

    // In absolute mode with SkipZeroLine the level at the initial temperature goes.
    settings.InitialTemperature = 0.3 + 0.5;
    RefreshContourLines(Map, Model, settings);
    EXPECT_EQ(Levels(Map), (std::vector<double>{0.3, 0.3 + 2 * 0.5, 0.3 + 3 * 0.5}));
    EXPECT_EQ(Map.TheLines.Count(), 3);
}

TEST_F(ContourRefresh, DeltaModeContoursTheChange)
{
    for (int k = 0; k < Model.NodeCount(); ++k) Model.GetNodes(k)->SetFatT0(0.2);
    TContourRefreshSettings settings;
    settings.Method = lcFe;
    settings.ShowDelta = true;
    RefreshContourLines(Map, Model, settings);
    // ΔT = 0.5·x + 0.05 from 0.05 to 2.05: levels 0.1 … 1.6, at x = 2·level − 0.1.
    const std::vector<double> want{0.1, 0.1 + 0.5, 0.1 + 2 * 0.5, 0.1 + 3 * 0.5};
    EXPECT_EQ(Levels(Map), want);
    ASSERT_EQ(Map.TheLines.Count(), 4);
    for (int i = 0; i < Map.TheLines.Count(); ++i)
        EXPECT_NEAR(Map.Lines(i)->DPIPoints.front().x, (2 * want[static_cast<size_t>(i)] - 0.1) * 10, 1e-3);
}

TEST_F(ContourRefresh, NothingToContour)
{
    TContourRefreshSettings settings;
    settings.ShowDelta = false;
    // A NaN value: the limits are NaN, so no levels and no lines.
    Model.GetNodes(0)->SetFCustom(NaN);
    RefreshContourLines(Map, Model, settings);
    EXPECT_TRUE(Map.ShowContours());
    EXPECT_TRUE(Levels(Map).empty());
    EXPECT_EQ(Map.TheLines.Count(), 0);
    // An empty model.
    T2DTriangleModel empty;
    RefreshContourLines(Map, empty, settings);
    EXPECT_EQ(Map.TheLines.Count(), 0);
    // Without a conversion the triangles give no lines.
    Model.GetNodes(0)->SetFCustom(0.25);
    Map.SetConvertFunction({});
    RefreshContourLines(Map, Model, settings);
    EXPECT_FALSE(Levels(Map).empty());
    EXPECT_EQ(Map.TheLines.Count(), 0);
}

TEST_F(ContourRefresh, OwnGridSampledFromTheMesh)
{
    TContourRefreshSettings settings;
    settings.Method = lcGrid;
    settings.Cols = 4;
    settings.Rows = 4;
    settings.ShowDelta = true;
    RefreshContourLines(Map, Model, settings);
    // The extent shrunk by 1 m: x and y from 1 to 3 in steps of 0.5; ΔT = 0.5·x.
    ASSERT_EQ(Map.X().size(), 5);
    ASSERT_EQ(Map.Data().rows(), 5);
    EXPECT_DOUBLE_EQ(Map.Data()(2, 4), 1.5);
    EXPECT_DOUBLE_EQ(Map.Data()(0, 0), 0.5);
    ASSERT_EQ(Map.Z().size(), 6);
    EXPECT_DOUBLE_EQ(Map.Z()[1], 0.7);
    // The level 0.7 runs at x = 1.4 (plan 14) from y = 1 to 3 (plan 90 to 70).
    const TContourLine& line = *Map.Lines(1);
    ASSERT_FALSE(line.DPIPoints.empty());
    for (const D2D_POINT_2F& p : line.DPIPoints) EXPECT_NEAR(p.x, 14, 1e-3);
    EXPECT_NEAR(std::fabs(line.DPIPoints.front().y - line.DPIPoints.back().y), 20, 1e-3);
    EXPECT_EQ(line.Color(), 0x00AA00u);
    // The lowest level equals the smallest value: no cell contours it.
    EXPECT_TRUE(Map.Lines(0)->DPIPoints.empty());

    // A grid of no cells (a file from before the grid size was stored) gives nothing.
    settings.Cols = 0;
    RefreshContourLines(Map, Model, settings);
    EXPECT_EQ(Map.Z().size(), 0);
    EXPECT_EQ(Map.TheLines.Count(), 0);
}

}  // namespace
