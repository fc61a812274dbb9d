#include "PlanTestUtil.h"

#include "plan/D2ElementWrapper.h"

namespace {

using TPlanItemsTest = TPlanTest;

TEST_F(TPlanItemsTest, HitTestsOfTriangleNodeCircleAndProbeSquare)
{
    SquareMesh(0, 0, 10);
    const TConvertFunction identity = [](QPointF P) { return P; };
    TD2Element triangle(identity);  // (0,0) (10,0) (10,10)
    triangle.SetElement(FE().GetElement(0));
    triangle.BuildGeometry(0);
    TD2Node node([](QPointF P) { return P + QPointF(10, 20); });
    node.SetNode(FE().GetNodes(0));
    node.BuildGeometry(4);
    const struct {
        const char* Name;
        const TD2AbstractItem& Item;
        QPointF P;
        bool Inside;
    } rows[] = {
        {"inside the triangle", triangle, {8, 2}, true},
        {"other side of the diagonal", triangle, {2, 8}, false},
        {"outside the square", triangle, {11, 5}, false},
        {"node circle, 3 from the centre", node, {13, 20}, true},
        {"node circle, 5 from the centre", node, {15, 20}, false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Name);
        EXPECT_EQ(r.Item.ContainsPlanPoint(r.P), r.Inside);
    }
}

TEST_F(TPlanItemsTest, AProbeItemRebuiltAfterItsProbeMovedMovesCircleAndPictureSquare)
{
    TBHE* probe = AddProbe(QStringLiteral("EWS 1"), 1, 2);
    TD2BHE item(View->WorldToPlanFunction());
    item.SetBHE(probe);
    item.BuildGeometry(4);
    EXPECT_EQ(item.ImageDest, D2D1RectF(6, -24, 14, -16));  // 8 × 8 DIP around (10, -20)
    probe->SetX(2);
    item.BuildGeometry(4);
    EXPECT_EQ(item.ImageDest, D2D1RectF(16, -24, 24, -16));
    EXPECT_TRUE(item.ContainsPlanPoint({20, -20}));
    EXPECT_FALSE(item.ContainsPlanPoint({10, -20}));
}

TEST_F(TPlanItemsTest, ItemsWithoutTheirObjectHaveNoGeometryAndHitNothing)
{
    TD2Element e{TConvertFunction()};
    e.BuildGeometry(0);
    TD2BHE b{TConvertFunction()};
    b.BuildGeometry(4);
    EXPECT_EQ(e.Geometry(), nullptr);
    EXPECT_FALSE(b.ContainsPlanPoint({0, 0}));
}

TEST_F(TPlanItemsTest, AGroundwaterCellWithoutConversionIsItsRectangleAndWithOneTurns)
{
    TD2GWElement plain{TConvertFunction()};
    plain.SetCoordinates(TWorldRect{10, 20, 30, 50});
    plain.BuildGeometry(0);
    EXPECT_EQ(plain.Geometry()->GetBounds(), D2D1RectF(10, 20, 30, 50));
    TD2GWElement turned([](QPointF P) { return QTransform().rotate(45).map(P); });
    turned.SetCoordinates(TWorldRect{0, 0, 10, 10});
    turned.BuildGeometry(0);
    EXPECT_TRUE(turned.ContainsPlanPoint({0, 7}));   // inside the turned square
    EXPECT_FALSE(turned.ContainsPlanPoint({7, 1}));  // inside the unturned one only
}

}  // namespace
