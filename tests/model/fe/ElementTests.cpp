#include "FETestUtils.h"

#include "model/base/KPError.h"

#include <cmath>
#include <cstring>

namespace {

// Three nodes of the unit right triangle (0,0), (1,0), (0,1), owned here.
struct UnitTriangle {
    UnitTriangle(double F0 = 0, double F1 = 0, double F2 = 0)
    {
        n[0]->SetF(F0);
        n[1]->SetF(F1);
        n[2]->SetF(F2);
    }
    std::unique_ptr<TNode> n[3] = {std::make_unique<TNode>(0, 0), std::make_unique<TNode>(1, 0),
                                   std::make_unique<TNode>(0, 1)};
};

void ExpectMatrix(const TMtx& M, const double (&Expected)[3][3], double Tol)
{
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) EXPECT_NEAR(M(i, j), Expected[i][j], Tol) << i << "," << j;
}

}  // namespace

using ElementRecord = FETest;

TEST(FEElement, PlainTriangleMatrix)
{
    UnitTriangle t;
    TTriangleElement e(t.n[0].get(), t.n[1].get(), t.n[2].get());
    e.MakeMtx();
    EXPECT_EQ(e.Area(), 0.5);
    ExpectMatrix(e.Mtx(), {{1, -0.5, -0.5}, {-0.5, 0.5, 0}, {-0.5, 0, 0.5}}, 1e-15);
    EXPECT_EQ(e.NodeCount(), 3);
    EXPECT_TRUE(e.ContainsNode(t.n[1].get()));
    EXPECT_FALSE(e.ContainsNode(nullptr));
    // The plain triangle has no physics of its own.
    EXPECT_THROW(e.Quantity(), EKPError);
    EXPECT_THROW(e.Assign(nullptr), EKPError);
    EXPECT_THROW(e.Nodes(3), EKPError);
    EXPECT_THROW(e.NodeIndices(-1), EKPError);
}

TEST(FEElement, TransientMatrices)
{
    UnitTriangle t;
    TTransientTriangle e(t.n[0].get(), t.n[1].get(), t.n[2].get(), 200, 0.05, 1e30, 2.5e8);
    const double m[3][3] = {{1.0 / 12, 1.0 / 24, 1.0 / 24}, {1.0 / 24, 1.0 / 12, 1.0 / 24}, {1.0 / 24, 1.0 / 24, 1.0 / 12}};
    ExpectMatrix(e.Mtx(), {{200, -100, -100}, {-100, 100, 0}, {-100, 0, 100}}, 1e-12);
    EXPECT_LT(e.LeakyMtx().cwiseAbs().maxCoeff(), 1e-30);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(e.LoadVector()[i], 0.5 * 0.05 / 3, 1e-17);
    double r[3][3];
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) r[i][j] = 5e8 * m[i][j];
    ExpectMatrix(e.RMtx(), r, 1e-4);

    // Surface transfer to air at 10 °C with resistance 0.1: M / 0.1, and the load of the air.
    for (auto& n : t.n) n->SetFN(10);
    e.SetLeakage(0.1);
    e.MakeMtx();
    double l[3][3];
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) l[i][j] = m[i][j] / 0.1;
    ExpectMatrix(e.LeakyMtx(), l, 1e-14);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(e.LoadVector()[i], 0.5 * 0.05 / 3 + 10 * 0.5 / 3 / 0.1, 1e-12);
}

TEST(FEElement, MatricesDoNotDependOnWhereTheTriangleIs)
{
    UnitTriangle near;
    auto a = std::make_unique<TNode>(3.5e6, 5.5e6), b = std::make_unique<TNode>(3.5e6 + 1, 5.5e6),
         c = std::make_unique<TNode>(3.5e6, 5.5e6 + 1);
    TTransientTriangle e1(near.n[0].get(), near.n[1].get(), near.n[2].get(), 1, 0, 2, 1e6);
    TTransientTriangle e2(a.get(), b.get(), c.get(), 1, 0, 2, 1e6);
    EXPECT_LT((e1.LeakyMtx() - e2.LeakyMtx()).cwiseAbs().maxCoeff(), 1e-12);
    EXPECT_LT((e1.RMtx() - e2.RMtx()).cwiseAbs().maxCoeff() / e1.RMtx().maxCoeff(), 1e-12);
    // Sampling in world coordinates keeps its digits as well.
    a->SetF(0);
    b->SetF(1);
    c->SetF(2);
    EXPECT_NEAR(e2.ShapeValue(3.5e6 + 1.0 / 3, 5.5e6 + 1.0 / 3), 1, 1e-9);
    EXPECT_NEAR(e2.Shape(1, 3.5e6 + 1, 5.5e6), 1, 1e-12);
    EXPECT_TRUE(e2.GetVectorTextLine().endsWith(QStringLiteral("\t1\t2")));
}

TEST(FEElement, DegenerateTrianglesCannotBeMade)
{
    TNode a(0, 0), b(1, 1), c(2, 2);
    try {
        TTransientTriangle e(&a, &b, &c, 1, 0, 1e30, 1);
        FAIL();
    } catch (const EKPError& error) {
        EXPECT_EQ(error.Message(), QStringLiteral("Fläche ist 0"));
    }
    try {
        TGWTriElement e(&a, &b, &c, 1, 0);
        FAIL();
    } catch (const EKPError& error) {
        EXPECT_EQ(error.Message(), QStringLiteral("Die Fläche des Elements ist 0!"));
    }
}

TEST(FEElement, AssignConvertsParameterSets)
{
    UnitTriangle t;
    TTransientTriangle e(t.n[0].get(), t.n[1].get(), t.n[2].get(), 7, 0.3, 5, 9);
    TParameterSet empty(QStringLiteral("leer"), 0);
    e.Assign(&empty);
    EXPECT_EQ(e.T(), 7);
    EXPECT_EQ(e.Infiltration(), 0.3);
    EXPECT_EQ(e.Leakage(), 5);
    EXPECT_EQ(e.Storage(), 9);
    EXPECT_EQ(e.Tag(), &empty);

    TParameterSet set(QStringLiteral("Sand"), 0);
    set.SetThickness(50);
    set.SetT(2);
    e.Assign(&set);
    EXPECT_EQ(e.Thickness(), 50);
    EXPECT_EQ(e.T(), 100);
    EXPECT_EQ(e.Storage(), 9);
    EXPECT_EQ(e.Leakage(), 5);
    EXPECT_NEAR(e.Mtx()(1, 1), 50, 1e-12);  // rebuilt

    set.SetLeakage(0);
    set.SetStorage(2.2);
    set.SetInfiltration(0.07);
    e.Assign(&set);
    EXPECT_EQ(e.Leakage(), 1e30);
    EXPECT_NEAR(e.Storage(), 2.2 * 50 * 1e6, 1e-3);
    EXPECT_EQ(e.Infiltration(), 0.07);
    set.SetLeakage(4);
    e.Assign(&set);
    EXPECT_EQ(e.Leakage(), 0.25);
    e.Assign(nullptr);
    EXPECT_EQ(e.Tag(), nullptr);
}

TEST(FEElement, EnergyAndGroundwaterLoads)
{
    TNode a(0, 0), b(2, 0), c(0, 2);
    TGWTriElement e(&a, &b, &c, 1, 0);
    e.SetStorage(500);
    for (TNode* n : {&a, &b, &c}) n->SetF(10);
    EXPECT_EQ(e.Area(), 2);
    EXPECT_EQ(e.Quantity(), 2 * 500 * 10);
    EXPECT_EQ(e.GrapEnergy(1000), 1);
    for (TNode* n : {&a, &b, &c}) {
        EXPECT_EQ(n->F(), 9);
        EXPECT_EQ(n->FA(), 9);
    }
    EXPECT_EQ(e.ReleaseEnergy(3000), 3);
    EXPECT_EQ(a.F(), 12);

    a.SetBorderCondition(bc1FixedValue);
    e.AddGWLoad(90);
    EXPECT_EQ(a.QGW(), 0);
    EXPECT_EQ(b.QGW(), 45);
    EXPECT_EQ(c.QGW(), 45);
    b.SetBorderCondition(bc1FixedValue);
    c.SetBorderCondition(bc1FixedValue);
    e.AddGWLoad(90);
    EXPECT_EQ(c.QGW(), 45);
}

TEST(FEElement, ShapeFunctionsAndSampling)
{
    UnitTriangle t(0, 1, 2);
    TTriangleElement e(t.n[0].get(), t.n[1].get(), t.n[2].get());
    for (int i = 0; i < 3; ++i)
        for (int k = 0; k < 3; ++k) EXPECT_NEAR(e.Shape(i, t.n[k]->X(), t.n[k]->Y()), i == k ? 1 : 0, 1e-15);
    EXPECT_NEAR(e.Shape(0, 0.3, 0.3) + e.Shape(1, 0.3, 0.3) + e.Shape(2, 0.3, 0.3), 1, 1e-15);
    EXPECT_NEAR(e.ShapeValue(1, 0), 1, 1e-15);
    EXPECT_NEAR(e.ShapeValue(1.0 / 3, 1.0 / 3), 1, 1e-15);
    t.n[2]->SetFatT0(6);
    t.n[1]->SetFCustom(3);
    EXPECT_NEAR(e.ShapeValueAtT0(0, 0.5), 3, 1e-15);
    EXPECT_NEAR(e.ShapeValueFCustom(0.5, 0), 1.5, 1e-15);
    EXPECT_TRUE(e.PointInElement(0.2, 0.2));
    EXPECT_FALSE(e.PointInElement(0.6, 0.6));

    const D2D_POINT_2F mid[] = {{0.5f, 0.5f}};
    EXPECT_NEAR(e.MeanFofPoints(mid), 1.5, 1e-15);
    EXPECT_EQ(e.MeanFofPoints({}), 1.0);
    EXPECT_EQ(e.GetVectorTextLine(), QStringLiteral("0.333333333333333\t0.333333333333333\t1\t2"));
}

TEST(FEElement, IsoLineCrossings)
{
    UnitTriangle t(0, 1, 2);
    TTriangleElement e(t.n[0].get(), t.n[1].get(), t.n[2].get());
    struct Case {
        double level;
        bool result;
        int cs1, cs2;
        double x1, y1, x2, y2;
    };
    const Case cases[] = {
        {0.5, true, 1, 3, 0.5, 0, 0, 0.25},
        {1, true, 3, 0, 0, 0.5, 0, 0},  // a node at the level counts as below it
        {1.5, true, 2, 3, 0.5, 0.5, 0, 0.75},
        {3, false, 0, 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.level);
        EXPECT_EQ(e.BuildCharacteristicPoints(c.level, false, false, 0, 1, 0, 1), c.result);
        EXPECT_EQ(e.CS1(), c.cs1);
        EXPECT_EQ(e.CS2(), c.cs2);
        ASSERT_EQ(e.CP1() != nullptr, c.cs1 != 0);
        ASSERT_EQ(e.CP2() != nullptr, c.cs2 != 0);
        if (e.CP1()) {
            EXPECT_NEAR(e.CP1()->X(), c.x1, 1e-15);
            EXPECT_NEAR(e.CP1()->Y(), c.y1, 1e-15);
        }
        if (e.CP2()) {
            EXPECT_NEAR(e.CP2()->X(), c.x2, 1e-15);
            EXPECT_NEAR(e.CP2()->Y(), c.y2, 1e-15);
        }
    }
    // Crossings on the window's border are on the edge of the mesh.
    ASSERT_TRUE(e.BuildCharacteristicPoints(0.5, false, false, 0, 1, 0, 1));
    EXPECT_TRUE(e.CP1()->EdgeOfMesh());
    ASSERT_TRUE(e.BuildCharacteristicPoints(0.5, false, false, -1, 2, -1, 2));
    EXPECT_FALSE(e.CP1()->EdgeOfMesh());

    // The level through all three nodes gives nothing; custom and delta values count.
    for (auto& n : t.n) n->SetF(4);
    EXPECT_FALSE(e.BuildCharacteristicPoints(4, false, false, 0, 1, 0, 1));
    EXPECT_EQ(e.CP1(), nullptr);
    t.n[0]->SetFCustom(10);
    t.n[0]->SetFatT0(2);
    EXPECT_TRUE(e.BuildCharacteristicPoints(5, true, true, 0, 1, 0, 1));
}

TEST_F(ElementRecord, TransientTriangleRecord)
{
    TMVObjectList nodes;
    auto* a = static_cast<TNode*>(nodes.Add(std::make_unique<TNode>(0, 0)));
    auto* b = static_cast<TNode*>(nodes.Add(std::make_unique<TNode>(1, 0)));
    auto* c = static_cast<TNode*>(nodes.Add(std::make_unique<TNode>(0, 1)));
    // The element's node order differs from the list's.
    TTransientTriangle e(c, a, b, 100, 0.001, 10000, 0.4);
    e.SetThickness(50);
    e.SetNodeslist(&nodes);
    TMemoryStream s;
    e.Write(s);
    ASSERT_EQ(s.Data().size(), 52);
    const char* d = s.Data().constData();
    double v;
    std::int32_t idx[3];
    memcpy(&v, d, 8);
    EXPECT_EQ(v, 0.4);
    memcpy(idx, d + 8, 12);
    EXPECT_EQ(idx[0], 2);
    EXPECT_EQ(idx[1], 0);
    EXPECT_EQ(idx[2], 1);
    const double tail[] = {100, 0.001, 50, 10000};
    for (int i = 0; i < 4; ++i) {
        memcpy(&v, d + 20 + 8 * i, 8);
        EXPECT_EQ(v, tail[i]);
    }
    TMemoryStream in(s.Data());
    TTransientTriangle read(Blank);
    read.Read(in);
    EXPECT_EQ(in.Remaining(), 0);
    EXPECT_EQ(read.Nodes(0), nullptr);  // resolved only by the model
    read.InitNodeList(&nodes);
    read.MakeMtx();
    EXPECT_EQ(read.Nodes(0), c);
    EXPECT_EQ(read.Thickness(), 50);
    EXPECT_EQ(read.Leakage(), 10000);
    EXPECT_LT((read.Mtx() - e.Mtx()).cwiseAbs().maxCoeff(), 1e-12);
    EXPECT_LT((read.RMtx() - e.RMtx()).cwiseAbs().maxCoeff(), 1e-12);

    // Stored positions outside the node list are refused when resolving.
    QByteArray bad = s.Data();
    const std::int32_t outside = 3;
    memcpy(bad.data() + 12, &outside, 4);
    TMemoryStream badIn(bad);
    TTransientTriangle broken(Blank);
    broken.Read(badIn);
    EXPECT_THROW(broken.InitNodeList(&nodes), EKPError);
    TMemoryStream shortIn(s.Data().left(40));
    EXPECT_THROW(broken.Read(shortIn), EReadError);
}
