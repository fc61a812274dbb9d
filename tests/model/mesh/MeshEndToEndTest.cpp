// From probe positions through the builder and our generator into the
// finite-element model: the probes must be the model's nodes 4 ... 3 + n,
// where the thermal model fixes their heat flow, and each region must be
// meshed as the builder seeded it.
#if defined(KP_TRIANGLE_EXE)

#include "model/base/KPError.h"
#include "model/mesh/MeshInputBuilder.h"
#include "model/mesh/TriangleComp.h"
#include "model/meshfiles/Nodes.h"

#if __has_include("model/fe/NumModel.h")
#include "model/fe/NumModel.h"
#include "model/fe/NumNodes.h"
#define KP_WITH_FE_MODEL 1
#endif

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

struct TTri {
    int N[3];
};

// The output's triangles as node indices counted from 0.
std::vector<TTri> ReadTriangles(const QString& EleFile)
{
    std::vector<TTri> T;
    const QStringList Lines = Nodes::LoadLinesFromFile(EleFile);
    for (qsizetype k = 1; k < Lines.size(); ++k) {
        const QStringList W = Lines[k].split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (W.size() < 4 || W[0].startsWith(QLatin1Char('#'))) continue;
        T.push_back({{W[1].toInt() - 1, W[2].toInt() - 1, W[3].toInt() - 1}});
    }
    return T;
}

bool InsideConvex(const TDblPointList& Polygon, double X, double Y)
{
    double Sign = 0;
    for (std::size_t i = 0; i < Polygon.size(); ++i) {
        const TDblPoint& A = Polygon[i];
        const TDblPoint& B = Polygon[(i + 1) % Polygon.size()];
        const double c = (B.X() - A.X()) * (Y - A.Y()) - (B.Y() - A.Y()) * (X - A.X());
        if (c * Sign < 0) return false;
        if (c != 0) Sign = c;
    }
    return true;
}

struct TLayout {
    const char* Name;
    TDblPointList Probes;
    double S;
    TDblPointList InnerPolygon;  // convex; empty: no area check
};

std::vector<TLayout> Layouts()
{
    TDblPointList Field;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) Field.emplace_back(6.0 * i, 6.0 * j);
    return {
        {"one probe", {{0, 0}}, 3, {}},
        {"row", {{0, 0}, {10, 0}}, 3, {{-15, 15}, {-15, -15}, {25, -15}, {25, 15}}},
        {"field of nine", Field, 3, {}},
        // unscaled: the hull runs through the outer probes, region 1 is seeded inside
        {"unscaled hull", {{10, 10}, {3, 4}, {0, 10}, {10, 0}, {0, 0}}, 1, {{0, 0}, {0, 10}, {10, 10}, {10, 0}}},
        // probes and ring points on the hull's edges, one of them slanted
        {"unscaled field of nine", Field, 1, {{0, 0}, {0, 12}, {12, 12}, {12, 0}}},
        {"unscaled slanted edge", {{0, 0}, {3, 1}, {6, 2}, {0, 10}}, 1, {{0, 0}, {0, 10}, {6, 2}}},
    };
}

class MeshEndToEnd : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(FDir.isValid()); }

    // Builder and generator; Points comes back in the order the nodes were written.
    void Mesh(const TLayout& L, TDblPointList& Points)
    {
        Points = L.Probes;
        const QString Poly = FDir.filePath(QStringLiteral("with blank/KPMOD.poly"));
        ASSERT_TRUE(QDir().mkpath(QFileInfo(Poly).path()));
        ASSERT_TRUE(GeneratePolyFile(Points, L.S, 50, 5, 50, 1, Poly));
        FW.SetPathToExe(QStringLiteral(KP_TRIANGLE_EXE));
        FW.SetCommandLineParams(QStringLiteral("-pqa"));
        FW.SetInputFile(Poly);
        try {
            ASSERT_EQ(FW.Execute(), TTriangleWrapper::mrOk);
        } catch (const EKPError& E) {
            FAIL() << E.what();
        }
    }

    QTemporaryDir FDir;
    TTriangleWrapper FW;
};

}  // namespace

TEST_F(MeshEndToEnd, GeneratorKeepsProbesAndRegions)
{
    for (const TLayout& L : Layouts()) {
        SCOPED_TRACE(L.Name);
        TDblPointList Points;
        ASSERT_NO_FATAL_FAILURE(Mesh(L, Points));
        Nodes::TNodesList Out;
        Out.ReadFromFile(FW.OutputNodeFile());
        ASSERT_GT(Out.Count(), 4 + static_cast<int>(Points.size()));
        for (int k = 0; k < 4; ++k) EXPECT_EQ(Out.Items(k)->Boundary(), 3) << "corner " << k;
        for (std::size_t i = 0; i < Points.size(); ++i) {
            const Nodes::TNode* N = Out.Items(4 + static_cast<int>(i));
            EXPECT_EQ(N->X(), Points[i].X()) << "probe " << i;
            EXPECT_EQ(N->Y(), Points[i].Y()) << "probe " << i;
        }
        if (L.InnerPolygon.empty()) continue;
        double MaxInner = 0, MaxOuter = 0;
        for (const TTri& t : ReadTriangles(FW.OutputEleFile())) {
            ASSERT_TRUE(std::all_of(t.N, t.N + 3, [&](int n) { return n >= 0 && n < Out.Count(); }));
            const Nodes::TNode* a = Out.Items(t.N[0]);
            const Nodes::TNode* b = Out.Items(t.N[1]);
            const Nodes::TNode* d = Out.Items(t.N[2]);
            const double Area =
                std::abs((b->X() - a->X()) * (d->Y() - a->Y()) - (d->X() - a->X()) * (b->Y() - a->Y())) / 2;
            const double Cx = (a->X() + b->X() + d->X()) / 3, Cy = (a->Y() + b->Y() + d->Y()) / 3;
            double& Max = InsideConvex(L.InnerPolygon, Cx, Cy) ? MaxInner : MaxOuter;
            Max = std::max(Max, Area);
        }
        EXPECT_GT(MaxInner, 0);
        EXPECT_LE(MaxInner, 5 * (1 + 1e-9));
        EXPECT_LE(MaxOuter, 50 * (1 + 1e-9));
        EXPECT_GT(MaxOuter, 5) << "the outer region is meshed as finely as the inner one";
    }
}

// A field placed at map coordinates must mesh like the same field at the
// origin, and a row with a millimetre of scatter like an exact row.
TEST_F(MeshEndToEnd, FieldMeshesAlikeWhereverItLies)
{
    // Positions as typed: millimetres, so that the mesh files (15 digits)
    // carry them unchanged.
    auto typed = [](double V) { return QString::number(V, 'f', 3).toDouble(); };
    auto field = [&](double X0, double Y0) {
        TDblPointList p;
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) p.emplace_back(typed(X0 + 5.1 * i), typed(Y0 + 5.1 * j));
        return p;
    };
    auto row = [&](double Scatter) {
        TDblPointList p;
        for (int i = 0; i < 5; ++i) p.emplace_back(i % 2 ? Scatter : -Scatter, typed(5.1 * i));
        return p;
    };
    struct TPair {
        const char* Name;
        TDblPointList Reference, Moved;
        bool SameCounts;
    };
    const TPair pairs[] = {
        {"3 x 3 field at map coordinates", field(0, 0), field(3512345.123, 5401234.567), true},
        {"north-south row with 1 mm of scatter", row(0), row(0.001), false},
    };
    for (const TPair& c : pairs) {
        SCOPED_TRACE(c.Name);
        int counts[2][2] = {};
        for (int k = 0; k < 2; ++k) {
            TDblPointList points;
            ASSERT_NO_FATAL_FAILURE(Mesh({c.Name, k == 0 ? c.Reference : c.Moved, 3, {}}, points));
            Nodes::TNodesList out;
            out.ReadFromFile(FW.OutputNodeFile());
            for (std::size_t i = 0; i < points.size(); ++i) {
                const Nodes::TNode* n = out.Items(4 + static_cast<int>(i));
                EXPECT_EQ(n->X(), points[i].X()) << "probe " << i;
                EXPECT_EQ(n->Y(), points[i].Y()) << "probe " << i;
            }
            counts[k][0] = out.Count();
            counts[k][1] = static_cast<int>(ReadTriangles(FW.OutputEleFile()).size());
        }
        // The generator meshes relative to the field's corner, but the input
        // file carries map coordinates to 15 digits: the moved field's rings
        // differ from the reference's by up to 1e-8 m, and on a regular grid,
        // whose points are cocircular, that decides diagonals. A point more or
        // less is that rounding; a refused input or a sliver's thousands of
        // points are the fault.
        const double tolerance = c.SameCounts ? 0.005 : 0.2;
        EXPECT_NEAR(counts[1][0], counts[0][0], tolerance * counts[0][0]) << "nodes";
        EXPECT_NEAR(counts[1][1], counts[0][1], tolerance * counts[0][1]) << "triangles";
    }
}

#if defined(KP_WITH_FE_MODEL)
TEST_F(MeshEndToEnd, ModelFindsEveryProbeOnItsNode)
{
    for (const TLayout& L : Layouts()) {
        SCOPED_TRACE(L.Name);
        TDblPointList Points;
        ASSERT_NO_FATAL_FAILURE(Mesh(L, Points));
        T2DTriangleTransient Model;
        Model.GenerateGridFromTriangle(FW.OutputNodeFile());
        ASSERT_GT(Model.NodesList().Count(), 4 + static_cast<int>(Points.size()));
        EXPECT_GT(Model.ElementsList().Count(), 0);
        for (int k = 0; k < 4; ++k) {
            EXPECT_TRUE(Model.Nodes(k)->EdgeOfMesh()) << "corner " << k;
            EXPECT_EQ(Model.Nodes(k)->BorderCondition(), bc2FixedFlow) << "corner " << k;
        }
        for (std::size_t i = 0; i < Points.size(); ++i) {
            const int k = 4 + static_cast<int>(i);
            EXPECT_EQ(Model.Nodes(k)->X(), Points[i].X()) << "probe " << i;
            EXPECT_EQ(Model.Nodes(k)->Y(), Points[i].Y()) << "probe " << i;
            EXPECT_EQ(Model.FindNode(Points[i].X(), Points[i].Y()), k) << "probe " << i;
        }
    }
}
#endif

#endif
