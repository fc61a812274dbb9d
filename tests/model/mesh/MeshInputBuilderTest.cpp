#include "PolyFileReader.h"

#include "model/base/KPError.h"
#include "model/mesh/MeshInputBuilder.h"

#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

namespace {

constexpr double Eps = 1e-9;

struct TParams {
    double S = 3, B = 50, Ai = 5, Ao = 50, R = 1;
};

class MeshInputBuilder : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(FDir.isValid());
        QLocale::setDefault(QLocale(QLocale::German));
    }
    void TearDown() override { QLocale::setDefault(FOldLocale); }

    QString File() const { return FDir.filePath(QStringLiteral("KPMOD.poly")); }

    bool Generate(TDblPointList& Points, const TParams& P = {})
    {
        return GeneratePolyFile(Points, P.S, P.B, P.Ai, P.Ao, P.R, File());
    }

    QTemporaryDir FDir;
    QLocale FOldLocale;
};

void ExpectNode(const TPolyNode& N, double X, double Y, double Marker)
{
    EXPECT_NEAR(N.X, X, Eps) << "node " << N.ID;
    EXPECT_NEAR(N.Y, Y, Eps) << "node " << N.ID;
    EXPECT_EQ(N.Marker, Marker) << "node " << N.ID;
    EXPECT_EQ(N.Attributes, std::vector<double>({0, 0, 0})) << "node " << N.ID;
}

void ExpectSegment(const TPolySegment& S, int P1, int P2, double Marker)
{
    EXPECT_EQ(S.P1, P1) << "segment " << S.ID;
    EXPECT_EQ(S.P2, P2) << "segment " << S.ID;
    EXPECT_EQ(S.Marker, Marker) << "segment " << S.ID;
}

void ExpectRegion(const TPolyRegion& R, double X, double Y, double MaxArea)
{
    EXPECT_NEAR(R.X, X, Eps) << "region " << R.ID;
    EXPECT_NEAR(R.Y, Y, Eps) << "region " << R.ID;
    EXPECT_EQ(R.Attribute, 0) << "region " << R.ID;
    EXPECT_EQ(R.MaxArea, MaxArea) << "region " << R.ID;
}

}  // namespace

TEST_F(MeshInputBuilder, SingleProbeWithDefaults)
{
    TDblPointList Points{{0, 0}};
    ASSERT_TRUE(Generate(Points));
    const TPolyFile Poly = ReadPolyFile(File());
    ExpectConsistent(Poly);
    EXPECT_EQ(Poly.Lines.value(0), "29   2   3   1");
    EXPECT_EQ(Poly.Lines.size(), 1 + 29 + 1 + 16 + 1 + 1 + 2);
    ASSERT_EQ(Poly.Nodes.size(), 29u);
    ExpectNode(Poly.Nodes[0], -65, -65, 3);
    ExpectNode(Poly.Nodes[1], -65, 65, 3);
    ExpectNode(Poly.Nodes[2], 65, 65, 3);
    ExpectNode(Poly.Nodes[3], 65, -65, 3);
    ExpectNode(Poly.Nodes[4], 0, 0, 0);
    for (int k = 0; k < 12; ++k) {
        const double a = k * std::numbers::pi / 6;
        ExpectNode(Poly.Nodes[5 + k], std::sin(a), std::cos(a), 0);
        ExpectNode(Poly.Nodes[17 + k], 15 * std::sin(a), 15 * std::cos(a), 0);
    }
    ASSERT_EQ(Poly.Segments.size(), 16u);
    for (int k = 0; k < 4; ++k) ExpectSegment(Poly.Segments[k], k + 1, (k + 1) % 4 + 1, 3);
    for (int k = 0; k < 12; ++k) ExpectSegment(Poly.Segments[4 + k], 18 + k, 18 + (k + 1) % 12, 0);
    ASSERT_EQ(Poly.Regions.size(), 2u);
    ExpectRegion(Poly.Regions[0], 0, 0, 5);
    ExpectRegion(Poly.Regions[1], -40, -40, 50);
}

// The shape of the inner region for the layouts the builder tells apart.
TEST_F(MeshInputBuilder, InnerPolygonFollowsTheLayout)
{
    struct Case {
        const char* Name;
        TDblPointList Probes;
        TParams P;
        TDblPointList ProbeOrder;  // as written, nodes 5 ...
        TDblPointList Polygon;     // first corners of the polygon, in order
        std::size_t PolygonSize;
        TDblPoint Region1;
    };
    const double t = 20.0 / 3, s = 70.0 / 3;
    // the flat row runs from (0, 0) to (20, 0.01), slightly tilted
    const double L = std::hypot(20.0, 0.01), ux = 15 * 20 / L, uy = 15 * 0.01 / L;
    const Case Cases[] = {
        {"no rings", {{0, 0}}, {3, 50, 5, 50, 0}, {{0, 0}}, {{0, 15}}, 12, {0, 0}},
        {"two probes", {{0, 0}, {10, 0}}, {}, {{0, 0}, {10, 0}}, {{-15, 15}, {-15, -15}, {25, -15}, {25, 15}}, 4,
         {0, 0}},
        {"three probes in hull order",
         {{10, 0}, {0, 0}, {0, 10}},
         {},
         {{0, 0}, {0, 10}, {10, 0}},
         {{-t, -t}, {-t, s}, {s, -t}},
         3,
         {0, 0}},
        {"vertical row",
         {{5, 10}, {5, 0}, {5, 20}},
         {},
         {{5, 10}, {5, 0}, {5, 20}},
         {{-10, -15}, {20, -15}, {20, 35}, {-10, 35}},
         4,
         {5, 10}},
        {"nearly horizontal row",
         {{0, 0}, {10, 0.004}, {20, 0.01}},
         {},
         {{0, 0}, {10, 0.004}, {20, 0.01}},
         {{-ux - uy, ux - uy}, {uy - ux, -uy - ux}, {20 + ux + uy, 0.01 + uy - ux}, {20 + ux - uy, 0.01 + uy + ux}},
         4,
         {0, 0}},
    };
    for (const Case& c : Cases) {
        SCOPED_TRACE(c.Name);
        TDblPointList Points = c.Probes;
        ASSERT_TRUE(Generate(Points, c.P));
        const TPolyFile Poly = ReadPolyFile(File());
        ExpectConsistent(Poly);
        const std::size_t n = c.Probes.size();
        const std::size_t First = 4 + n + (c.P.R > 0 ? 12 * n : 0);
        ASSERT_EQ(Poly.Nodes.size(), First + c.PolygonSize);
        ASSERT_EQ(Points.size(), n);
        for (std::size_t i = 0; i < n; ++i) {
            ExpectNode(Poly.Nodes[4 + i], c.ProbeOrder[i].X(), c.ProbeOrder[i].Y(), 0);
            EXPECT_NEAR(Points[i].X(), c.ProbeOrder[i].X(), Eps);
        }
        for (std::size_t i = 0; i < c.Polygon.size(); ++i)
            ExpectNode(Poly.Nodes[First + i], c.Polygon[i].X(), c.Polygon[i].Y(), 0);

        double MinX = INFINITY, MinY = INFINITY, MaxX = -INFINITY, MaxY = -INFINITY;
        for (std::size_t i = First; i < Poly.Nodes.size(); ++i) {
            MinX = std::min(MinX, Poly.Nodes[i].X), MaxX = std::max(MaxX, Poly.Nodes[i].X);
            MinY = std::min(MinY, Poly.Nodes[i].Y), MaxY = std::max(MaxY, Poly.Nodes[i].Y);
        }
        const double B = c.P.B;
        ExpectNode(Poly.Nodes[0], MinX - B, MinY - B, 3);
        ExpectNode(Poly.Nodes[1], MinX - B, MaxY + B, 3);
        ExpectNode(Poly.Nodes[2], MaxX + B, MaxY + B, 3);
        ExpectNode(Poly.Nodes[3], MaxX + B, MinY - B, 3);

        ASSERT_EQ(Poly.Segments.size(), 4 + c.PolygonSize);
        for (std::size_t k = 0; k < c.PolygonSize; ++k)
            ExpectSegment(Poly.Segments[4 + k], static_cast<int>(First + 1 + k),
                          static_cast<int>(First + 1 + (k + 1) % c.PolygonSize), 0);
        ASSERT_EQ(Poly.Regions.size(), 2u);
        ExpectRegion(Poly.Regions[0], c.Region1.X(), c.Region1.Y(), c.P.Ai);
        ExpectRegion(Poly.Regions[1], MinX - B / 2, MinY - B / 2, c.P.Ao);
    }
}

// With scale factor 1 the hull runs through the outer probes: their nodes
// are the polygon's corners, the ring points on its edges split them, and
// region 1 is seeded inside, not on the edge.
TEST_F(MeshInputBuilder, UnscaledHullReusesProbeAndRingNodes)
{
    TDblPointList Points{{10, 10}, {3, 4}, {0, 10}, {10, 0}, {0, 0}};
    ASSERT_TRUE(Generate(Points, {1, 50, 5, 50, 1}));
    const TPolyFile Poly = ReadPolyFile(File());
    ExpectConsistent(Poly);
    ASSERT_EQ(Poly.Nodes.size(), 4u + 5 + 60);
    ExpectNode(Poly.Nodes[4], 0, 0, 0);
    ExpectNode(Poly.Nodes[5], 0, 10, 0);
    ExpectNode(Poly.Nodes[6], 3, 4, 0);
    ExpectNode(Poly.Nodes[7], 10, 0, 0);
    ExpectNode(Poly.Nodes[8], 10, 10, 0);
    const double Path[][2] = {{0, 0},  {0, 1},  {0, 9}, {0, 10}, {1, 10}, {9, 10}, {10, 10},
                              {10, 9}, {10, 1}, {10, 0}, {9, 0}, {1, 0}};
    const std::size_t q = std::size(Path);
    ASSERT_EQ(Poly.Segments.size(), 4 + q);
    for (std::size_t k = 0; k < q; ++k) {
        SCOPED_TRACE(k);
        const TPolySegment& S = Poly.Segments[4 + k];
        EXPECT_EQ(S.P2, Poly.Segments[4 + (k + 1) % q].P1);
        ExpectNode(Poly.Nodes[static_cast<std::size_t>(S.P1) - 1], Path[k][0], Path[k][1], 0);
    }
    EXPECT_EQ(Poly.Segments[4].P1, 5);
    ASSERT_EQ(Poly.Regions.size(), 2u);
    ExpectRegion(Poly.Regions[0], 5, 5, 5);
}

// Ring points that fall onto a probe or onto another ring's point are one node.
TEST_F(MeshInputBuilder, CoincidingRingPointsShareANode)
{
    struct Case {
        TDblPointList Probes;
        std::size_t Nodes;
    };
    const Case Cases[] = {
        // each ring runs through the other probe, and the rings cross at
        // (±0.866, 0.5), a point of both
        {{{0, 0}, {0, 1}}, 4 + 2 + 20 + 4},
        {{{0, 0}, {2, 0}}, 4 + 2 + 23 + 4},  // the rings touch
    };
    for (const Case& c : Cases) {
        TDblPointList Points = c.Probes;
        ASSERT_TRUE(Generate(Points));
        const TPolyFile Poly = ReadPolyFile(File());
        ExpectConsistent(Poly);
        EXPECT_EQ(Poly.Nodes.size(), c.Nodes);
    }
}

TEST_F(MeshInputBuilder, BadInputRaisesBeforeAnythingIsWritten)
{
    const double NaN = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        TDblPointList Probes;
        TParams P;
        QString Message;
    };
    const Case Cases[] = {
        {{{0, 0}}, {0.5, 50, 5, 50, 1}, "Der Skalierungsfaktor für das Polygon ist 0,5. Er muss >=1 sein."},
        {{{0, 0}}, {NaN, 50, 5, 50, 1}, "Der Skalierungsfaktor für das Polygon ist NAN. Er muss >=1 sein."},
        {{{0, 0}}, {3, 0, 5, 50, 1}, "DeltaBorder ist 0. Der Wert muss>0 sein!."},
        {{{0, 0}}, {0.5, -2, 5, 50, 1}, "DeltaBorder ist -2. Der Wert muss>0 sein!."},
        {{{0, 0}}, {3, 50, 5, 50, -1}, "Der radiale Abstand um die EWS is -1. Er muss größer 0 sein."},
        {{{0, 0}}, {3, 50, 0, 50, 1}, "Die maximale Elementfläche im inneren Bereich ist 0. Sie muss >0 sein."},
        {{{0, 0}}, {3, 50, 5, -1, 1}, "Die maximale Elementfläche im äußeren Bereich ist -1. Sie muss >0 sein."},
        {{{0, 0}, {5, 5}, {0.003, 0.004}},
         {},
         "Die Sonden 1 (0; 0) und 3 (0,003; 0,004) liegen nur 0,005 m auseinander. Der Abstand muss mindestens "
         "0,01 m betragen."},
        {{{0, 0}, {0, 0}}, {}, "Die Sonden 1 (0; 0) und 2 (0; 0) liegen nur 0 m auseinander. Der Abstand muss "
                               "mindestens 0,01 m betragen."},
        {{{0, 0}, {NaN, 3}}, {}, "Die Position der Sonde 2 (NAN; 3) ist ungültig."},
        {{}, {}, "At least 2 data ponts are required"},
    };
    for (const Case& c : Cases) {
        SCOPED_TRACE(c.Message.toStdString());
        TDblPointList Points = c.Probes;
        try {
            Generate(Points, c.P);
            ADD_FAILURE() << "no error";
        } catch (const EKPError& E) {
            EXPECT_EQ(E.Message(), c.Message);
        }
        EXPECT_FALSE(QFileInfo::exists(File()));
    }
}

TEST_F(MeshInputBuilder, NoPolygonWritesNothing)
{
    // a circle smaller than the node tolerance collapses onto the probe
    TDblPointList Points{{0, 0}};
    EXPECT_FALSE(Generate(Points, {1, 50, 1e-5, 50, 0}));
    EXPECT_FALSE(QFileInfo::exists(File()));
}
