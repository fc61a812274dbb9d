#include "model/base/KPError.h"
#include "model/mesh/MeshGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

namespace {

constexpr double Eps = 1e-9;

Eigen::VectorXd Vec(std::initializer_list<double> V)
{
    Eigen::VectorXd R(static_cast<Eigen::Index>(V.size()));
    Eigen::Index i = 0;
    for (double v : V) R[i++] = v;
    return R;
}

void ExpectPoint(const TDblPoint& P, double X, double Y)
{
    EXPECT_NEAR(P.X(), X, Eps);
    EXPECT_NEAR(P.Y(), Y, Eps);
}

void ExpectPoints(const TDblPointList& L, const TDblPointList& Expected)
{
    ASSERT_EQ(L.size(), Expected.size());
    for (std::size_t i = 0; i < L.size(); ++i) {
        SCOPED_TRACE(i);
        ExpectPoint(L[i], Expected[i].X(), Expected[i].Y());
    }
}

}  // namespace

TEST(FitPointsRect, RowsAndFields)
{
    struct Case {
        const char* Name;
        Eigen::VectorXd X, Y;
        double Threshold;
        bool Collinear;
        Eigen::Vector2d P1, P2;
    };
    const Case Cases[] = {
        {"two points, whatever the threshold", Vec({3, 1}), Vec({4, 9}), 0, true, {3, 4}, {1, 9}},
        {"flat row ignores the threshold", Vec({0, 10, 20}), Vec({0, 0.004, 0.01}), 0, true, {0, 0}, {20, 0.01}},
        {"vertical row", Vec({5, 5, 5}), Vec({0, 10, 20}), 0, true, {5, 0}, {5, 20}},
        {"sloped row", Vec({1, 2, 3}), Vec({1, 2, 3}), 0.1, true, {1, 1}, {3, 3}},
        // the fitted line y = 5 - 0.5 x is about 4.47 m from (0, 0)
        {"field", Vec({10, 0, 0}), Vec({0, 0, 10}), std::sqrt(5.0), false, {-1, -1}, {-1, -1}},
        {"field with a wide threshold", Vec({10, 0, 0}), Vec({0, 0, 10}), 4.5, true, {0, 5}, {10, 0}},
    };
    for (const Case& c : Cases) {
        SCOPED_TRACE(c.Name);
        Eigen::Vector2d P1(-1, -1), P2(-1, -1);
        const Eigen::VectorXd X0 = c.X, Y0 = c.Y;
        EXPECT_EQ(FitPointsRect(c.X, c.Y, c.Threshold, P1, P2), c.Collinear);
        EXPECT_NEAR((P1 - c.P1).norm(), 0, 1e-9);
        EXPECT_NEAR((P2 - c.P2).norm(), 0, 1e-9);
        EXPECT_EQ(c.X, X0);
        EXPECT_EQ(c.Y, Y0);
    }
}

TEST(FitPointsRect, BadVectorsRaise)
{
    Eigen::Vector2d P1, P2;
    try {
        FitPointsRect(Vec({1, 2}), Vec({1}), 1, P1, P2);
        FAIL();
    } catch (const EKPError& E) {
        EXPECT_EQ(E.Message(), "Length of vectors does not match");
    }
    try {
        FitPointsRect(Vec({1}), Vec({1}), 1, P1, P2);
        FAIL();
    } catch (const EKPError& E) {
        EXPECT_EQ(E.Message(), "At least 2 data ponts are required");
    }
}

TEST(LineRectCorners, ReachesWidthBeyondEndsAndToEitherSide)
{
    struct Case {
        Eigen::Vector2d P1, P2;
        double Width;
        Eigen::Vector2d C[4];
    };
    const Case Cases[] = {
        {{0, 0}, {10, 0}, 15, {{-15, 15}, {-15, -15}, {25, -15}, {25, 15}}},
        {{5, 0}, {5, 20}, 15, {{-10, -15}, {20, -15}, {20, 35}, {-10, 35}}},
        {{0, 0}, {3, 4}, 5, {{-7, -1}, {1, -7}, {10, 5}, {2, 11}}},
    };
    for (const Case& c : Cases) {
        Eigen::Vector2d C[4];
        LineRectCorners(c.P1, c.P2, c.Width, C[0], C[1], C[2], C[3]);
        for (int k = 0; k < 4; ++k) {
            SCOPED_TRACE(k);
            // axis-parallel rows come out exact, not a rounding error off
            EXPECT_NEAR((C[k] - c.C[k]).norm(), 0, 1e-12);
        }
    }
    Eigen::Vector2d C[4];
    LineRectCorners({0, 0}, {10, 0}, 15, C[0], C[1], C[2], C[3]);
    EXPECT_EQ(C[0], Eigen::Vector2d(-15, 15));
}

TEST(BuildConvexHull, ClockwiseFromLeftmostWithoutInnerCollinearOrDuplicatePoints)
{
    TDblPointList Points{{10, 0}, {0, 0}, {0, 10}};
    TDblPointList Hull;
    ASSERT_TRUE(BuildConvexHull(Points, Hull));
    ExpectPoints(Points, {{0, 0}, {0, 10}, {10, 0}});
    ExpectPoints(Hull, {{0, 0}, {0, 10}, {10, 0}});

    TDblPointList Square{{2, 0}, {4, 4}, {0, 0}, {2, 2}, {0, 4}, {4, 0}, {0, 0}, {4, 2}};
    ASSERT_TRUE(BuildConvexHull(Square, Hull));
    ExpectPoints(Hull, {{0, 0}, {0, 4}, {4, 4}, {4, 0}});

    TDblPointList Row{{2, 2}, {0, 0}, {1, 1}};
    ASSERT_TRUE(BuildConvexHull(Row, Hull));
    ExpectPoints(Hull, {{0, 0}, {2, 2}});
}

TEST(BuildConvexHull, FewerThanThreePointsChangeNothing)
{
    TDblPointList Points{{5, 0}, {0, 0}};
    TDblPointList Hull{{7, 7}};
    EXPECT_FALSE(BuildConvexHull(Points, Hull));
    ExpectPoints(Points, {{5, 0}, {0, 0}});
    ExpectPoints(Hull, {{7, 7}});
}

TEST(PolygonGeometry, AreaCentroidAndScale)
{
    const TDblPointList Tri{{0, 0}, {0, 10}, {10, 0}};
    EXPECT_DOUBLE_EQ(PolygonArea(Tri), 50);
    double Area = 0;
    TDblPoint C;
    ASSERT_TRUE(PolygonCentroid(Tri, Area, C));
    EXPECT_DOUBLE_EQ(Area, 50);
    ExpectPoint(C, 10.0 / 3, 10.0 / 3);

    TDblPointList Scaled{{1, 1}};
    ASSERT_TRUE(ScalePolygon(Tri, Scaled, 3));
    ExpectPoints(Scaled, {{-20.0 / 3, -20.0 / 3}, {-20.0 / 3, 70.0 / 3}, {70.0 / 3, -20.0 / 3}});
    ASSERT_TRUE(ScalePolygon(Tri, Scaled, 1));
    ExpectPoints(Scaled, Tri);
}

TEST(PolygonGeometry, DegeneratePolygonsHaveNoCentroid)
{
    const TDblPointList Cases[] = {{}, {{1, 1}, {2, 2}}, {{0, 0}, {1, 1}, {2, 2}}};
    for (const TDblPointList& P : Cases) {
        EXPECT_EQ(PolygonArea(P), 0);
        double Area = -1;
        TDblPoint C(7, 7);
        EXPECT_FALSE(PolygonCentroid(P, Area, C));
        EXPECT_EQ(Area, 0);
        ExpectPoint(C, 7, 7);
        TDblPointList Dest{{9, 9}};
        EXPECT_FALSE(ScalePolygon(P, Dest, 2));
        ExpectPoints(Dest, {{9, 9}});
    }
}

TEST(AddCirclePoints, TwelvePointsClockwiseFromStraightUp)
{
    TDblPointList L{{99, 99}};
    AddCirclePoints(L, TDblPoint(1, 2), 15, (std::numbers::pi / 2) / 3);
    ASSERT_EQ(L.size(), 13u);
    ExpectPoint(L[0], 99, 99);
    for (int k = 0; k < 12; ++k) {
        SCOPED_TRACE(k);
        const double a = k * std::numbers::pi / 6;
        ExpectPoint(L[static_cast<std::size_t>(k) + 1], 1 + 15 * std::sin(a), 2 + 15 * std::cos(a));
    }
    EXPECT_DOUBLE_EQ(L[4].X(), 16);  // a quarter turn lies on +X
}

TEST(AddCirclePoints, NothingOrRefusedForUnusableRadiusAndStep)
{
    const double NaN = std::numeric_limits<double>::quiet_NaN();
    const double Args[][2] = {{0, 1}, {-1, 1}, {NaN, 1}, {1, 0}, {1, -1}, {1, NaN}};
    for (const auto& a : Args) {
        TDblPointList L;
        AddCirclePoints(L, TDblPoint(0, 0), a[0], a[1]);
        EXPECT_TRUE(L.empty());
    }
    TDblPointList L;
    EXPECT_THROW(AddCirclePoints(L, TDblPoint(0, 0), 1, 1e-300), EKPError);
    EXPECT_TRUE(L.empty());
}

TEST(PolygonBoundingBox, SmallestAndLargestCoordinates)
{
    TDblPoint Min(7, 7), Max(7, 7);
    EXPECT_FALSE(PolygonBoundingBox({}, Min, Max));
    ExpectPoint(Min, 7, 7);
    ASSERT_TRUE(PolygonBoundingBox({{3, -1}, {-2, 4}, {5, 0}}, Min, Max));
    ExpectPoint(Min, -2, -1);
    ExpectPoint(Max, 5, 4);
}
