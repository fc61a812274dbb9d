// Layouts the builder once turned into input the generator refused or
// meshed badly: rows that are not exactly axis-parallel, probes that the
// row rectangle left outside, ring radii at or beyond the border distance.

#include "PolyFileReader.h"
#include "TestLocale.h"

#include "model/base/KPError.h"
#include "model/mesh/MeshInputBuilder.h"

#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

struct TParams {
    double S = 3, B = 50, Ai = 5, Ao = 50, R = 1;
};

// The polygon between the regions (the segments with marker 0), in order.
std::vector<TDblPoint> InnerPolygon(const TPolyFile& Poly)
{
    std::vector<TDblPoint> Ring;
    for (const TPolySegment& s : Poly.Segments)
        if (s.Marker == 0) Ring.emplace_back(Poly.Nodes[s.P1 - 1].X, Poly.Nodes[s.P1 - 1].Y);
    return Ring;
}

// Distance from P to the polygon's boundary, negative outside.
double InsideBy(const std::vector<TDblPoint>& Polygon, double X, double Y)
{
    bool inside = false;
    double nearest = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0, j = Polygon.size() - 1; i < Polygon.size(); j = i++) {
        const TDblPoint &a = Polygon[i], &b = Polygon[j];
        if ((a.Y() > Y) != (b.Y() > Y) && X < (b.X() - a.X()) * (Y - a.Y()) / (b.Y() - a.Y()) + a.X())
            inside = !inside;
        const double dx = b.X() - a.X(), dy = b.Y() - a.Y();
        const double t = std::clamp(((X - a.X()) * dx + (Y - a.Y()) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
        nearest = std::min(nearest, std::hypot(X - a.X() - t * dx, Y - a.Y() - t * dy));
    }
    return inside ? nearest : -nearest;
}

class MeshInputLayout : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(FDir.isValid()); }

    TPolyFile Generate(TDblPointList Points, const TParams& P)
    {
        const QString file = FDir.filePath(QStringLiteral("KPMOD.poly"));
        EXPECT_TRUE(GeneratePolyFile(Points, P.S, P.B, P.Ai, P.Ao, P.R, file));
        TPolyFile poly = ReadPolyFile(file);
        ExpectConsistent(poly);
        return poly;
    }

    QTemporaryDir FDir;
};

}  // namespace

TEST_F(MeshInputLayout, NorthSouthRowWithScatterIsARow)
{
    // 1 mm of scatter in x must not turn the row into a sliver hull.
    for (const double scatter : {0.0, 0.001}) {
        SCOPED_TRACE(scatter);
        TDblPointList row;
        for (int i = 0; i < 5; ++i) row.emplace_back((i % 2 ? scatter : -scatter), 5.1 * i);
        const TPolyFile poly = Generate(row, {});
        const std::vector<TDblPoint> inner = InnerPolygon(poly);
        ASSERT_EQ(inner.size(), 4u) << "a rectangle";
        double minX = 1e9, maxX = -1e9;
        for (const TDblPoint& p : inner) minX = std::min(minX, p.X()), maxX = std::max(maxX, p.X());
        EXPECT_NEAR(minX, -15, 0.01);
        EXPECT_NEAR(maxX, 15, 0.01);
    }
}

TEST_F(MeshInputLayout, EveryProbeAndRingLiesInsideTheInnerRegion)
{
    struct TCase {
        const char* Name;
        TDblPointList Probes;
        TParams P;
    };
    const TCase cases[] = {
        // the fitted line y = 1/3 leaves (5, 1) 0.67 m off, the rectangle reaches 0.5 m
        {"bent row, narrow rectangle", {{0, 0}, {5, 1}, {10, 0}}, {1, 50, 0.5, 50, 0.2}},
        {"bent row, no rings", {{0, 0}, {5, 1}, {10, 0}}, {1, 50, 0.5, 50, 0}},
        {"two probes, rings wider than the rectangle", {{0, 0}, {10, 0}}, {1, 50, 2, 50, 3}},
        {"one probe, ring wider than the circle", {{0, 0}}, {3, 50, 5, 50, 20}},
        {"one probe, ring as wide as the border", {{0, 0}}, {3, 50, 5, 50, 50}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        const TPolyFile poly = Generate(c.Probes, c.P);
        const std::vector<TDblPoint> inner = InnerPolygon(poly);
        ASSERT_GE(inner.size(), 3u);
        const TPolyNode& corner1 = poly.Nodes[0];
        const TPolyNode& corner3 = poly.Nodes[2];
        const std::size_t rings = c.P.R > 0 ? 12 * c.Probes.size() : 0;
        for (std::size_t k = 4; k < 4 + c.Probes.size() + rings; ++k) {
            const TPolyNode& n = poly.Nodes[k];
            EXPECT_GT(InsideBy(inner, n.X, n.Y), 0.001) << "node " << n.ID;
            EXPECT_GT(n.X, corner1.X);
            EXPECT_GT(n.Y, corner1.Y);
            EXPECT_LT(n.X, corner3.X);
            EXPECT_LT(n.Y, corner3.Y);
        }
    }
}

TEST_F(MeshInputLayout, RingsBeyondTheBoxAreRefusedWithWhatToChange)
{
    // The unscaled hull runs through the probes; rings of 6 m reach past a
    // border of 5 m.
    TLocaleScope german(QLocale(QLocale::German));
    TDblPointList probes{{0, 0}, {10, 0}, {0, 10}};
    try {
        GeneratePolyFile(probes, 1, 5, 5, 50, 6, FDir.filePath(QStringLiteral("KPMOD.poly")));
        ADD_FAILURE() << "no error";
    } catch (const EKPError& e) {
        EXPECT_EQ(e.Message(), QStringLiteral("Der radiale Abstand um die EWS ist 6 m: die Knoten um die Sonden "
                                              "reichen über den Rand des Netzes hinaus. Bitte den radialen "
                                              "Abstand verkleinern oder DeltaBorder (5 m) vergrößern."));
    }
}
