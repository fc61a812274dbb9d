// The plan control's zoom: steps about the centre and fitting an extent,
// on the mapping alone (no window).
#include <gtest/gtest.h>

#include <QLocale>

#include "plan/PlanMapping.h"
#include "ui/mainwindow/PlanZoom.h"

#include <cmath>

namespace {

void ExpectTransformNear(const QTransform& A, const QTransform& B)
{
    for (auto m : {&QTransform::m11, &QTransform::m12, &QTransform::m21, &QTransform::m22, &QTransform::dx,
                   &QTransform::dy})
        EXPECT_NEAR((A.*m)(), (B.*m)(), 1e-9);
}

} // namespace

TEST(Zoom, InThenOutAboutTheCentreRestoresTheView)
{
    for (const QTransform& start : {QTransform(), QTransform(0.37, 0, 0, 0.37, -120.5, 44.25)}) {
        TPlanMapping m;
        m.SetTransform(start);
        const QSize control(801, 599);  // odd sizes: the centre is a whole pixel
        ZoomAboutCentre(m, ZoomStep, control);
        EXPECT_NEAR(m.Transform().m11(), start.m11() * 1.1, 1e-12);
        // The centre of the control stays where it is.
        const QPointF centre(400, 299);
        EXPECT_NEAR(m.PlanToScreen(QTransform(start).inverted().map(centre)).x(), centre.x(), 1e-9);
        ZoomAboutCentre(m, 1 / ZoomStep, control);
        ExpectTransformNear(m.Transform(), start);
    }
}

TEST(Zoom, ModelExtentIsFittedAndCentred)
{
    QLocale::setDefault(QLocale(QLocale::German));
    TPlanMapping m;
    m.SetScaleFactorMap(0.1);
    m.SetWorldOrg(QPointF(1000, 2000));
    const double zoom = ZoomToExtent(m, QSize(800, 600), 1000, 1400, 2000, 2100);
    EXPECT_NEAR(zoom, std::min(790.0 / 4000, 590.0 / 1000), 1e-12);
    EXPECT_DOUBLE_EQ(zoom, 0.1975);
    EXPECT_EQ(ZoomScaleLine(zoom), QStringLiteral("Scale 0,2"));
    // The extent's centre lands on the control's centre, its width fills the
    // control less the margin.
    const QPointF centre = m.PlanToScreen(m.WorldToPlan(QPointF(1200, 2050)));
    EXPECT_NEAR(centre.x(), 400, 1e-9);
    EXPECT_NEAR(centre.y(), 300, 1e-9);
    const QPointF topLeft = m.PlanToScreen(m.WorldToPlan(QPointF(1000, 2100)));
    EXPECT_NEAR(topLeft.x(), 5, 1e-9);
    EXPECT_LT(topLeft.y(), centre.y());
    QLocale::setDefault(QLocale::c());
}

TEST(Zoom, ExtentsWithoutSizeOrNumbersChangeNothing)
{
    struct Case {
        const char* Name;
        double X1, X2, Y1, Y2;
        double Zoom;  // 0: refused
    } cases[] = {
        {"point", 5, 5, 7, 7, 0},
        {"not a number", NAN, 10, 0, 10, 0},
        {"infinite", 0, INFINITY, 0, 10, 0},
        {"row of probes along y", 5, 5, 0, 100, 590.0 / 1000},
        {"row of probes along x", 0, 100, 3, 3, 790.0 / 1000},
    };
    for (const Case& c : cases) {
        TPlanMapping m;
        const QTransform before(2, 0, 0, 2, 3, 4);
        m.SetTransform(before);
        const double zoom = ZoomToExtent(m, QSize(800, 600), c.X1, c.X2, c.Y1, c.Y2);
        EXPECT_NEAR(zoom, c.Zoom, 1e-12) << c.Name;
        if (c.Zoom == 0) {
            EXPECT_EQ(m.Transform(), before) << c.Name;
        }
    }
}
