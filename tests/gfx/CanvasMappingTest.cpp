#include "gfx/CanvasMapping.h"

#include <gtest/gtest.h>

namespace {

// 1000 x 500 pixels on 254 x 127 mm: 3.937 pixels per millimetre.
const TDeviceMetrics Metrics{1000, 500, 254, 127};

void ExpectPoint(const QPointF& p, double x, double y) {
  EXPECT_NEAR(p.x(), x, 1e-9);
  EXPECT_NEAR(p.y(), y, 1e-9);
}

TEST(TCanvasMapping, TextModeIsTheIdentityAndIgnoresExtents) {
  TCanvasMapping m(Metrics);
  EXPECT_EQ(m.MapMode(), MM_TEXT);
  EXPECT_FALSE(m.SetWindowExt(10, 10));
  m.SetWindowOrg(5, 5);
  ExpectPoint(m.ToDevice(QPointF(15, 25)), 10, 20);
}

TEST(TCanvasMapping, MetricModesUseThePhysicalSizeWithYUpwards) {
  TCanvasMapping m(Metrics);
  EXPECT_EQ(m.SetMapMode(MM_LOMETRIC), MM_TEXT);
  ExpectPoint(m.ToDevice(QPointF(100, -100)), 1000.0 / 254 * 10, 1000.0 / 254 * 10);  // 10 mm right, 10 mm down
  EXPECT_EQ(m.WindowExt(), (TSize{2540, 1270}));
  EXPECT_EQ(m.ViewportExt(), (TSize{1000, -500}));
  m.SetMapMode(MM_HIMETRIC);
  ExpectPoint(m.ToDevice(QPointF(2540, 0)), 100, 0);
  m.SetMapMode(MM_TWIPS);
  ExpectPoint(m.ToDevice(QPointF(1440, 0)), 1000.0 / 10, 0);  // one inch; the device has 100 pixels per inch
  EXPECT_EQ(m.SetMapMode(99), 0);
  EXPECT_EQ(m.MapMode(), MM_TWIPS);
}

TEST(TCanvasMapping, AnisotropicMapsWindowOntoViewportAndBack) {
  TCanvasMapping m(Metrics);
  m.SetMapMode(MM_ANISOTROPIC);
  EXPECT_TRUE(m.SetWindowExt(2000, 1000));
  EXPECT_TRUE(m.SetViewportExt(500, 250));
  EXPECT_FALSE(m.SetViewportExt(0, 250));
  m.SetWindowOrg(100, 0);
  m.SetViewportOrg(10, 20);
  ExpectPoint(m.ToDevice(QPointF(300, 400)), 60, 120);
  ExpectPoint(m.ToLogical(QPointF(60, 120)), 300, 400);
  EXPECT_DOUBLE_EQ(m.ScaleX(), 0.25);
}

TEST(TCanvasMapping, AnisotropicAfterAMetricModeKeepsItsExtents) {
  TCanvasMapping m(Metrics);
  m.SetMapMode(MM_LOMETRIC);
  m.SetMapMode(MM_ANISOTROPIC);
  EXPECT_EQ(m.WindowExt(), (TSize{2540, 1270}));
  EXPECT_NEAR(m.ScaleY(), -500.0 / 1270, 1e-12);
}

TEST(TCanvasMapping, IsotropicShrinksTheLargerScale) {
  TCanvasMapping m(Metrics);
  m.SetMapMode(MM_ISOTROPIC);
  m.SetWindowExt(100, 100);
  m.SetViewportExt(400, -200);
  EXPECT_EQ(m.ViewportExt(), (TSize{200, -200}));
  EXPECT_DOUBLE_EQ(m.ScaleX(), 2);
  EXPECT_DOUBLE_EQ(m.ScaleY(), -2);
}

}  // namespace
