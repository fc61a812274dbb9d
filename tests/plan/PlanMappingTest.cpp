#include "plan/PlanMapping.h"

#include <gtest/gtest.h>

namespace {

void ExpectNear(QPointF Actual, QPointF Expected, double Tol)
{
    EXPECT_NEAR(Actual.x(), Expected.x(), Tol);
    EXPECT_NEAR(Actual.y(), Expected.y(), Tol);
}

TEST(TPlanMapping, ConvertsBetweenWorldAndPlan)
{
    const struct {
        const char* Name;
        QPointF Origin;
        double Scale;
        QPointF World, Plan;
    } rows[] = {
        {"origin at zero", {0, 0}, 0.1, {10, 5}, {100, -50}},
        {"origin moved", {5, 5}, 0.1, {10, 5}, {50, 0}},
        {"one metre per DIP", {0, 0}, 1, {-3, 4}, {-3, -4}},
        {"UTM", {3500000, 5400000}, 0.1, {3500000.123, 5400000.456}, {1.23, -4.56}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Name);
        TPlanMapping m;
        m.SetWorldOrg(r.Origin);
        m.SetScaleFactorMap(r.Scale);
        ExpectNear(m.WorldToPlan(r.World), r.Plan, 1e-6);
        ExpectNear(m.PlanToWorld(r.Plan), r.World, 1e-6);
    }
}

TEST(TPlanMapping, AUTMProbeKeepsItsPositionThroughPlanAndBackWithoutAMap)
{
    TPlanMapping m;  // origin (0, 0): plan coordinates in the tens of millions
    const QPointF world(3500000.123, 5400000.456);
    m.SetTransform(QTransform::fromScale(1.7, 1.7) * QTransform::fromTranslate(-5.9e7, 9.1e7));
    const QPointF screen = m.PlanToScreen(m.WorldToPlan(world));
    ExpectNear(m.PlanToWorld(m.ScreenToPlan(screen)), world, 1e-6);
}

TEST(TPlanMapping, VectorsIgnoreTheOriginAndLengthsTheDirection)
{
    TPlanMapping m;
    m.SetWorldOrg({1000, 2000});
    ExpectNear(m.WorldVectorToPlan({10, 5}), {100, -50}, 1e-12);
    EXPECT_DOUBLE_EQ(m.WorldLengthToPlan(10), 100);
}

TEST(TPlanMapping, DeviceToMM10GivesTenthsOfMillimetres)
{
    TPlanMapping m;
    ExpectNear(m.DeviceToMM10({96, 96}), {254, 254}, 1e-9);
}

TEST(TPlanMapping, ZoomingInAndOutAboutOnePointGivesTheViewBack)
{
    TPlanMapping m;
    m.SetTransform(QTransform::fromTranslate(13, -7));
    const QTransform before = m.Transform();
    m.ZoomAt(1.1, {300, 200});
    EXPECT_NEAR(m.PlanToScreen(m.ScreenToPlan({300, 200})).x(), 300, 1e-9);
    m.ZoomAt(1 / 1.1, {300, 200});
    EXPECT_NEAR(m.Transform().m11(), before.m11(), 1e-12);
    EXPECT_NEAR(m.Transform().dx(), before.dx(), 1e-9);
    EXPECT_NEAR(m.Transform().dy(), before.dy(), 1e-9);
}

TEST(TPlanMapping, EventPixelsAtHigherDpiCountLessDIPs)
{
    TPlanMapping m;
    m.SetEventDpi(144);
    ExpectNear(m.DeviceToDIP({50, 0}), {33.333333, 0}, 1e-5);
    m.SetEventDpi(0);  // refused: would divide by zero
    ExpectNear(m.DeviceToDIP({50, 0}), {50, 0}, 1e-12);
}

}  // namespace
