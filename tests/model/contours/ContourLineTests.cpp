#include "ContourTestUtils.h"

#include "model/contours/ContourLabels.h"
#include "model/contours/MVContourObj.h"

#include <QLocale>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

using TPts = std::vector<D2D_POINT_2F>;

TPts Points(const TContourLine& Line)
{
    return Line.DPIPoints;
}

// A peak at (Cx, Cy) on a grid of N × N points one unit apart.
double Peak(double X, double Y, double Cx, double Cy)
{
    return 10 - ((X - Cx) * (X - Cx) + (Y - Cy) * (Y - Cy));
}

TEST(ContourLines, ClosedIsothermIsOnePolylineEndingAtItsStart)
{
    TMVContourMap map;
    SetFunctionGrid(map, 7, 1, [](double x, double y) { return Peak(x, y, 3, 3); });
    SetLevels(map, {7.5});
    map.BuildContourLines();
    ASSERT_EQ(map.TheLines.Count(), 1);
    const TContourLine& line = *map.Lines(0);
    EXPECT_EQ(line.Count(), 0);  // the segments are gone
    ASSERT_GE(line.DPIPoints.size(), 9u);
    EXPECT_EQ(line.DPIPoints.front(), line.DPIPoints.back());
    for (size_t i = 0; i + 1 < line.DPIPoints.size(); ++i) {
        const D2D_POINT_2F p = line.DPIPoints[i];
        EXPECT_LT(std::hypot(p.x - 3, p.y - 3), 1.8f);
        EXPECT_GT(std::hypot(p.x - 3, p.y - 3), 1.4f);
    }
    EXPECT_EQ(line.PtArray.size(), line.DPIPoints.size());
    ASSERT_NE(line.D2Path, nullptr);
    EXPECT_EQ(line.D2Path->GetFigureCount(), 1u);
    EXPECT_EQ(line.D2Path->GetSegmentCount(), line.DPIPoints.size() - 1);
}

TEST(ContourLines, FurtherPolylinesFollowThePerLevelLines)
{
    // Two peaks: each level has two closed lines.
    TMVContourMap map;
    SetFunctionGrid(map, 15, 1, [](double x, double y) { return std::max(Peak(x, y, 3, 7), Peak(x, y, 11, 7)); });
    SetLevels(map, {6, 8, 50});
    map.BuildContourLines();
    const double want[] = {6, 8, 50, 6, 8};
    ASSERT_EQ(map.TheLines.Count(), 5);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(map.Lines(i)->ZLevel(), want[i]) << i;
    // The level no cell reaches keeps its line without points or path.
    EXPECT_TRUE(map.Lines(2)->DPIPoints.empty());
    EXPECT_TRUE(map.Lines(2)->PtArray.empty());
    EXPECT_EQ(map.Lines(2)->D2Path, nullptr);
    // The two lines of a level lie around different peaks.
    for (int k : {0, 1}) {
        const float a = map.Lines(k)->DPIPoints.front().x, b = map.Lines(k + 3)->DPIPoints.front().x;
        EXPECT_GT(std::fabs(a - b), 4) << k;
        EXPECT_EQ(map.Lines(k + 3)->DPIPoints.front(), map.Lines(k + 3)->DPIPoints.back());
    }
}

TEST(ContourLines, MakePolylineTakesTheFirstMatchingSegment)
{
    TContourLine line;
    line.AddSegment(0, 0, 1, 0);     // starts the polyline
    line.AddSegment(5, 5, 6, 5);     // apart
    line.AddSegment(2, 0, 1, 0);     // P2 at the tail: P1 appended
    line.AddSegment(1, 0, 1, 1);     // would fit the tail as well, but comes later
    line.AddSegment(0, 0, -1, 0);    // P1 at the head: P2 put in front
    line.AddSegment(-2, 0, -1, 0);   // P2 at the head: P1 put in front
    line.AddSegment(7, 5, 6, 5);     // apart
    std::unique_ptr<TContourLine> rest = line.MakePolyline();
    EXPECT_EQ(Points(line), (TPts{{-2, 0}, {-1, 0}, {0, 0}, {1, 0}, {2, 0}}));
    EXPECT_EQ(line.Count(), 0);
    // The rest comes in reverse order: (7,5)-(6,5), (1,0)-(1,1), (5,5)-(6,5).
    ASSERT_NE(rest, nullptr);
    ASSERT_EQ(rest->Count(), 3);
    EXPECT_EQ(rest->Segments(0)->P1().X(), 7);
    EXPECT_EQ(rest->Segments(1)->P2().Y(), 1);
    EXPECT_EQ(rest->Segments(2)->P1().X(), 5);
    std::unique_ptr<TContourLine> rest2 = rest->MakePolyline();
    EXPECT_EQ(Points(*rest), (TPts{{7, 5}, {6, 5}, {5, 5}}));
    ASSERT_NE(rest2, nullptr);
    EXPECT_EQ(rest2->MakePolyline(), nullptr);
    EXPECT_EQ(Points(*rest2), (TPts{{1, 0}, {1, 1}}));

    TContourLine empty;
    EXPECT_EQ(empty.MakePolyline(), nullptr);
    EXPECT_TRUE(empty.DPIPoints.empty());
    EXPECT_EQ(empty.D2Path, nullptr);
}

TEST(ContourLines, SignedZerosJoinAndNaNEndsNever)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    TContourLine line;
    line.AddSegment(0, 0, 1, 0);
    line.AddSegment(-0.0, -0.0, 0, -1);  // −0 equals 0: joins at the head
    line.AddSegment(nan, 0, 1, 0);       // joins at the tail, which becomes NaN
    line.AddSegment(nan, 0, 9, 9);       // a NaN equals nothing
    std::unique_ptr<TContourLine> rest = line.MakePolyline();
    ASSERT_EQ(line.DPIPoints.size(), 4u);
    EXPECT_EQ(line.DPIPoints[0], (D2D_POINT_2F{0, -1}));
    EXPECT_EQ(line.DPIPoints[2], (D2D_POINT_2F{1, 0}));
    EXPECT_TRUE(std::isnan(line.DPIPoints[3].x));
    ASSERT_NE(rest, nullptr);
    EXPECT_EQ(rest->Count(), 1);
    EXPECT_EQ(line.PtArray[3], (TPoint{0, 0}));  // NaN never reaches an integer
}

TEST(ContourLines, BuildingJoinsAsRepeatedMakePolylineDoes)
{
    // A bumpy field with many small rings and open lines per level.
    TMVContourMap map;
    SetFunctionGrid(map, 21, 1, [](double x, double y) { return std::sin(x * 1.3) * std::cos(y * 0.9) + 0.1 * x; });
    SetLevels(map, {-0.5, 0, 0.4, 1.1});
    map.BuildContourLines();

    // The same by hand: per level a line with the grid's segments, then
    // MakePolyline again and again on what is left over.
    std::vector<std::unique_ptr<TContourLine>> perLevel(4);
    for (auto& l : perLevel) l = std::make_unique<TContourLine>();
    map.ContourGrid([&perLevel](int k, double ax, double ay, double bx, double by) {
        perLevel[static_cast<size_t>(k)]->AddSegment(ax, ay, bx, by);
    });
    std::vector<std::unique_ptr<TContourLine>> further;
    for (auto& l : perLevel) {
        std::unique_ptr<TContourLine> r = l->MakePolyline();
        while (r) {
            std::unique_ptr<TContourLine> next = r->MakePolyline();
            further.push_back(std::move(r));
            r = std::move(next);
        }
    }
    ASSERT_GT(further.size(), 4u);
    ASSERT_EQ(map.TheLines.Count(), static_cast<int>(4 + further.size()));
    for (int i = 0; i < 4; ++i) EXPECT_EQ(Points(*map.Lines(i)), Points(*perLevel[static_cast<size_t>(i)])) << i;
    for (size_t i = 0; i < further.size(); ++i)
        EXPECT_EQ(Points(*map.Lines(static_cast<int>(4 + i))), Points(*further[i])) << i;
}

// The joining rule written plainly: scan from the start, take the first
// segment touching either end, start again; the rest goes on reversed.
struct TNaiveSeg {
    double X1, Y1, X2, Y2;
};

TPts NaiveJoin(std::vector<TNaiveSeg>& Segs)
{
    TPts pts;
    if (Segs.empty()) return pts;
    std::vector<std::pair<double, double>> poly{{Segs[0].X1, Segs[0].Y1}, {Segs[0].X2, Segs[0].Y2}};
    Segs.erase(Segs.begin());
    size_t i = 0;
    while (i < Segs.size()) {
        const TNaiveSeg s = Segs[i];
        const auto head = poly.front(), tail = poly.back();
        const std::pair<double, double> p1{s.X1, s.Y1}, p2{s.X2, s.Y2};
        bool matched = true;
        if (p1 == head)
            poly.insert(poly.begin(), p2);
        else if (p2 == head)
            poly.insert(poly.begin(), p1);
        else if (p2 == tail)
            poly.push_back(p1);
        else if (p1 == tail)
            poly.push_back(p2);
        else
            matched = false;
        if (matched) {
            Segs.erase(Segs.begin() + static_cast<std::ptrdiff_t>(i));
            i = 0;
        } else {
            ++i;
        }
    }
    std::reverse(Segs.begin(), Segs.end());
    for (const auto& p : poly) pts.push_back(D2D_POINT_2F{static_cast<float>(p.first), static_cast<float>(p.second)});
    return pts;
}

TEST(ContourLines, BuildingFollowsThePlainScanningRule)
{
    TMVContourMap map;
    SetFunctionGrid(map, 25, 1, [](double x, double y) { return std::sin(x * 0.8) * std::sin(y * 1.1) + 0.05 * y; });
    SetLevels(map, {-0.3, 0.2, 0.7});
    map.BuildContourLines();

    std::vector<std::vector<TNaiveSeg>> segs(3);
    map.ContourGrid([&segs](int k, double ax, double ay, double bx, double by) {
        segs[static_cast<size_t>(k)].push_back(TNaiveSeg{ax, ay, bx, by});
    });
    std::vector<TPts> first, further;
    for (auto& level : segs) {
        first.push_back(NaiveJoin(level));
        while (!level.empty()) further.push_back(NaiveJoin(level));
    }
    ASSERT_GT(further.size(), 3u);
    ASSERT_EQ(map.TheLines.Count(), static_cast<int>(3 + further.size()));
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Points(*map.Lines(i)), first[static_cast<size_t>(i)]) << i;
    for (size_t i = 0; i < further.size(); ++i)
        EXPECT_EQ(Points(*map.Lines(static_cast<int>(3 + i))), further[i]) << i;
}

TEST(ContourLines, MismatchedGridGivesEmptyLinesPerLevel)
{
    TMVContourMap map;  // 100 × 100 axes, no data
    SetLevels(map, {1, 2});
    map.BuildContourLines();
    ASSERT_EQ(map.TheLines.Count(), 2);
    EXPECT_TRUE(map.Lines(0)->DPIPoints.empty());
    EXPECT_EQ(map.Lines(1)->ZLevel(), 2);
    TRect dest;
    SetGrid(map, {0, 1}, {0, 1}, {0, 3, 0, 3});
    map.PrepareMap(nullptr, dest);
    EXPECT_FALSE(map.Lines(0)->DPIPoints.empty());
}

TEST(ContourLines, PointsGoThroughTheConversionAndAreRounded)
{
    TMVContourMap map;
    map.SetConvertFunction([](QPointF p) { return QPointF(p.x() * 3 + 0.25, 100 - p.y() * 3); });
    SetGrid(map, {0, 1}, {0, 1}, {0, 1, 0, 1});
    SetLevels(map, {0.5});
    map.BuildContourLines();
    ASSERT_EQ(map.TheLines.Count(), 1);
    const TContourLine& line = *map.Lines(0);
    // The vertical line x = 0.5 through the cell's centre, from y = 0 to 1 in some order.
    ASSERT_EQ(line.DPIPoints.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_FLOAT_EQ(line.DPIPoints[i].x, 1.75f);
        EXPECT_EQ(line.PtArray[i].X, 2);
    }
    EXPECT_FLOAT_EQ(line.DPIPoints[1].y, 98.5f);
    EXPECT_EQ(line.PtArray[1].Y, 98);  // 98.5 rounds to the even neighbour
    EXPECT_FLOAT_EQ(std::fabs(line.DPIPoints[0].y - line.DPIPoints[2].y), 3.0f);
}

TEST(ContourLines, SettingsGoOntoTheLinesWithExactStyleLevels)
{
    TMVContourMap map;
    map.SetLineColor(0x00FF00);
    map.SetLineWidth(2.5f);
    map.SetLineLabelFormat(QStringLiteral("0.0"));
    map.SetLineLabelDist(800);
    map.SetLineLabels(false);
    map.SetLineLabelDeleteBackground(false);
    map.LineLabelFont().SetName(QStringLiteral("Liberation Serif"));
    map.LineStyles.Clear();
    map.LineStyles.Add(std::make_unique<TMVContourLineStyle>(0.3, 0x112233, 7.0f));
    map.LineStyles.Add(std::make_unique<TMVContourLineStyle>(2, 0x445566, 1.5f));
    map.LineStyles.Add(std::make_unique<TMVContourLineStyle>(2, 0x778899, 9.0f));  // second for the level: ignored
    SetLevels(map, {0.1 + 0.2, 0.3, 2});
    map.BuildContourLines();
    ASSERT_EQ(map.TheLines.Count(), 3);
    struct TWant {
        TColor Color;
        float Width;
    };
    const TWant want[] = {{0x00FF00, 2.5f}, {0x112233, 7.0f}, {0x445566, 1.5f}};
    for (int i = 0; i < 3; ++i) {
        const TContourLine& line = *map.Lines(i);
        EXPECT_EQ(line.Color(), want[i].Color) << i;
        EXPECT_EQ(line.Width(), want[i].Width) << i;
        EXPECT_EQ(line.LabelMask(), "0.0");
        EXPECT_EQ(line.LabelDistance(), 800);
        EXPECT_FALSE(line.ShowLabels());
        EXPECT_FALSE(line.DeleteBackground());
        EXPECT_EQ(line.Font().Name(), "Liberation Serif");
    }
}

TEST(ContourLines, LabelFactorAndConversionReachEveryLine)
{
    TMVContourMap map;
    SetLevels(map, {1, 2});
    map.BuildContourLines();
    map.SetLabelFactor(-1);
    map.SetConvertFunction([](QPointF p) { return p; });
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(map.Lines(i)->LabelFactor(), -1);
        EXPECT_TRUE(static_cast<bool>(map.Lines(i)->ConvertFunction()));
    }
    QLocale old;
    QLocale::setDefault(QLocale(QLocale::German));
    map.TransferSettingsToLines();
    EXPECT_EQ(map.Lines(1)->LabelText(), "-2,0");  // "##0.0#"
    QLocale::setDefault(old);
}

// ---------------------------------------------------------------------------
// Label layout

TEST(ContourLabels, PlanLayoutFirstAtHalfTheDistance)
{
    // 1500 tenths of a millimetre at 96 DPI: 566.9 DIPs, the first label at 283.5.
    const float dist = static_cast<float>(1500 / 254.0 * 96);
    struct TCase {
        const char* Name;
        int Segments;
        float Step;
        std::vector<int> Want;
    };
    const TCase cases[] = {
        {"long line", 199, 10, {28, 85, 142}},
        {"shorter than half the distance", 25, 10, {}},
        {"label would fall on the last segment", 29, 10, {}},
        {"just long enough", 30, 10, {28}},
        {"long segments, a label on each but the last", 4, 600, {0, 1, 2}},
    };
    for (const TCase& c : cases) {
        TPts pts;
        for (int i = 0; i <= c.Segments; ++i) pts.push_back(D2D_POINT_2F{i * c.Step, 50});
        const std::vector<TD2LabelPlace> places = LayoutD2Labels(pts, dist);
        std::vector<int> got;
        for (const TD2LabelPlace& p : places) got.push_back(p.Segment);
        EXPECT_EQ(got, c.Want) << c.Name;
        for (const TD2LabelPlace& p : places) {
            EXPECT_FLOAT_EQ(p.Center.x, (p.Segment + 0.5f) * c.Step) << c.Name;
            EXPECT_FLOAT_EQ(p.Center.y, 50) << c.Name;
        }
    }
}

TEST(ContourLabels, AngleNeverLeavesTheTextOnItsHead)
{
    struct TCase {
        const char* Name;
        D2D_POINT_2F A, B;
        float Want;
    };
    const TCase cases[] = {
        {"right", {0, 0}, {10, 0}, 0},        {"down", {0, 0}, {0, 10}, 90},
        {"up", {0, 10}, {0, 0}, -90},         {"right and down", {0, 0}, {10, 10}, 45},
        {"left: turned round", {10, 0}, {0, 0}, 360},
        {"left and up: turned round", {10, 10}, {0, 0}, 45},
        {"left and down: turned round", {10, 0}, {0, 10}, 315},
    };
    for (const TCase& c : cases) EXPECT_NEAR(D2LabelAngle(c.A, c.B), c.Want, 1e-4) << c.Name;
}

TEST(ContourLabels, PrintedLayoutFirstAfter250Pixels)
{
    struct TCase {
        const char* Name;
        int Distance;
        std::vector<int> Want;
    };
    // 60 segments of 10 pixels.
    const TCase cases[] = {
        {"distance larger than 250", 1000, {24}},
        {"distance 300", 300, {24, 54}},
        {"distance below 250 wins at once", 100, {9, 19, 29, 39, 49}},
    };
    std::vector<TPoint> pts;
    for (int i = 0; i <= 60; ++i) pts.push_back(TPoint{i * 10, 0});
    for (const TCase& c : cases) EXPECT_EQ(LayoutGDILabels(pts, c.Distance), c.Want) << c.Name;
}

// ---------------------------------------------------------------------------
// Printed drawing

TEST(ContourLines, PrintedLineWithLabels)
{
    TContourLine line;
    line.SetWidth(2.5f);
    line.SetColor(0x0000FF);
    line.SetLabelMask(QStringLiteral("0.0"));
    line.SetZLevel(2);
    line.SetLabelFactor(1.5);
    line.SetLabelDistance(1000);
    std::vector<TDblPoint> pts;
    for (int i = 0; i <= 40; ++i) pts.emplace_back(i * 10, 20);
    line.SetWorldPoints(pts);

    TRecordingCanvas canvas;
    line.Draw(canvas);
    ASSERT_EQ(canvas.Polylines.size(), 1u);
    EXPECT_EQ(canvas.Polylines[0].PenWidth, 2);  // 2.5 to the even neighbour
    EXPECT_EQ(canvas.Polylines[0].PenColor, 0x0000FFu);
    EXPECT_EQ(canvas.Polylines[0].Points.size(), 41u);
    EXPECT_TRUE(canvas.Texts.empty());

    line.SetShowLabels(true);
    line.SetDeleteBackground(true);
    line.Draw(canvas);
    // One label on segment 24 (240-250): "3.0" is 18 × 10, centred on it.
    ASSERT_EQ(canvas.Texts.size(), 1u);
    EXPECT_EQ(canvas.Texts[0].Text, "3.0");
    EXPECT_EQ(canvas.Texts[0].At, (TPoint{240 + 5 - 9, 15}));
    EXPECT_EQ(canvas.Texts[0].FontName, "Verdana");
    EXPECT_EQ(canvas.Texts[0].BrushStyle, bsSolid);
    line.SetDeleteBackground(false);
    line.DrawLabels(canvas);
    EXPECT_EQ(canvas.Texts.back().BrushStyle, bsClear);
}

TEST(ContourLines, PrintedMapOnlyAfterARefresh)
{
    TMVContourMap map;
    SetGrid(map, {0, 10}, {0, 10}, {0, 1, 0, 1});
    SetLevels(map, {0.5});
    map.BuildContourLines();
    TRecordingCanvas canvas;
    map.Draw(&canvas);
    EXPECT_TRUE(canvas.Polylines.empty());
    map.SetShowContours(true);
    map.Draw(&canvas);
    map.Draw(nullptr);
    ASSERT_EQ(canvas.Polylines.size(), 1u);
    EXPECT_EQ(canvas.Polylines[0].PenWidth, 5);

    map.DrawGrid(canvas);
    ASSERT_EQ(canvas.Ellipses.size(), 4u);
    EXPECT_EQ(canvas.Ellipses[3], (TRect{7, 7, 13, 13}));
}

}  // namespace
