#include "plan/D2DPaintbox.h"
#include "plan/D2DTools.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWheelEvent>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

// Gives the tests the resolution fields, as a high-resolution screen would set them.
class TTestPaintBox : public TMVPaintBoxD2D {
public:
  using TMVPaintBoxD2D::TMVPaintBoxD2D;
  void SetDpi(float x, float y) {
    FdpiX = x;
    FdpiY = y;
  }
};

TEST(TMVPaintBoxD2D, BeforeItsWindowExistsThereIsNoCanvasAndNinetySixDpi) {
  TTestPaintBox box;
  EXPECT_FALSE(box.HandleAllocated());
  EXPECT_EQ(box.D2DCanvas(), nullptr);
  EXPECT_FALSE(box.Accelerated());
  EXPECT_EQ(box.DeviceToDIP(Point(150, 300)), D2D1PointF(150, 300));
  box.SetAccelerated(true);  // nothing to accelerate with yet
  EXPECT_FALSE(box.Accelerated());
}

TEST(TMVPaintBoxD2D, DeviceToDIPDividesByTheResolution) {
  TTestPaintBox box;
  box.SetDpi(144, 144);
  EXPECT_EQ(box.DeviceToDIP(Point(150, 300)), D2D1PointF(100, 200));
}

TEST(TMVPaintBoxD2D, ShowingMakesTheCanvasAndFiresAfterD2CanvasCreateOnce) {
  TMVPaintBoxD2D box;
  int created = 0;
  box.AfterD2CanvasCreate = [&](QObject* sender) {
    EXPECT_EQ(sender, &box);
    EXPECT_NE(box.D2DCanvas(), nullptr);
    CreateD2Brushes(*box.D2DCanvas());
    ++created;
  };
  box.resize(120, 80);
  box.show();
  box.hide();
  box.show();
  EXPECT_EQ(created, 1);
  EXPECT_TRUE(box.Accelerated());
  EXPECT_NE(D2BlackBrush, nullptr);
  EXPECT_EQ(box.dpiX(), static_cast<float>(96 * box.devicePixelRatioF()));
  ReleaseD2Brushes();
}

TEST(TMVPaintBoxD2D, AFailingCanvasCreationFallsBackToTheGDICanvas) {
  TMVPaintBoxD2D box;
  box.AfterD2CanvasCreate = [](QObject*) { throw std::runtime_error("no bitmaps"); };
  box.HandleNeeded();
  EXPECT_FALSE(box.Accelerated());
  EXPECT_EQ(box.D2DCanvas(), nullptr);
  EXPECT_EQ(box.dpiX(), 96);
  TCustomCanvas* seen = nullptr;
  box.OnPaint = [&](QObject*) { seen = box.GDICanvas(); };
  box.resize(50, 50);
  QImage image(50, 50, QImage::Format_ARGB32_Premultiplied);
  box.render(&image);
  EXPECT_NE(seen, nullptr);
  EXPECT_EQ(box.GDICanvas(), nullptr);  // only during the paint
}

TEST(TMVPaintBoxD2D, PaintRunsOnPaintInsideBeginAndEndOfDrawing) {
  TMVPaintBoxD2D box;
  box.resize(100, 60);
  box.HandleNeeded();
  box.Font().SetName("Liberation Sans");
  box.Font().SetHeight(-15);
  box.SetColor(clYellow);
  int painted = 0;
  box.OnPaint = [&](QObject* sender) {
    ++painted;
    EXPECT_EQ(sender, &box);
    TDirect2DCanvas* canvas = box.D2DCanvas();
    ASSERT_NE(canvas, nullptr);
    EXPECT_EQ(box.Canvas(), canvas);
    EXPECT_TRUE(canvas->RenderTarget().IsDrawing());
    EXPECT_EQ(canvas->Font().Height(), -15);  // the control's font and colour were handed over
    EXPECT_EQ(canvas->Brush().Color(), clYellow);
    EXPECT_FLOAT_EQ(canvas->RenderTarget().GetSize().width, 100);
    TD2RenderTarget& rt = canvas->RenderTarget();
    rt.Clear(clWhite);
    rt.FillRectangle(D2D1RectF(10, 10, 30, 30), canvas->CreateBrush(clRed));
  };
  QImage image(100, 60, QImage::Format_ARGB32_Premultiplied);
  box.render(&image);
  EXPECT_EQ(painted, 1);
  EXPECT_FALSE(box.D2DCanvas()->RenderTarget().IsDrawing());
  EXPECT_EQ(image.pixel(20, 20), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(50, 20), qRgb(255, 255, 255));
}

TEST(TMVPaintBoxD2D, AThrowingPaintStillEndsTheDrawing) {
  TMVPaintBoxD2D box;
  box.resize(40, 40);
  box.HandleNeeded();
  box.OnPaint = [](QObject*) { throw std::runtime_error("broken layer"); };
  QImage image(40, 40, QImage::Format_ARGB32_Premultiplied);
  box.render(&image);
  EXPECT_FALSE(box.D2DCanvas()->RenderTarget().IsDrawing());
}

TEST(TMVPaintBoxD2D, SwitchingAccelerationOffAndOnAgain) {
  TMVPaintBoxD2D box;
  box.HandleNeeded();
  box.SetAccelerated(false);
  EXPECT_FALSE(box.Accelerated());
  EXPECT_EQ(box.Canvas(), nullptr);  // no GDI canvas outside a paint
  box.SetAccelerated(true);
  EXPECT_TRUE(box.Accelerated());
}

struct TMouseRecord {
  TMouseButton Button = mbLeft;
  TShiftState Shift;
  int X = -1, Y = -1;
  int Calls = 0;
};

TEST(TMVPaintBoxD2D, MouseEventsForwardButtonShiftAndPositionInDIPs) {
  TMVPaintBoxD2D box;
  box.resize(200, 200);
  TMouseRecord down, up, move;
  int doubleClicks = 0;
  box.OnMouseDown = [&](QObject*, TMouseButton b, TShiftState s, int x, int y) { down = {b, s, x, y, down.Calls + 1}; };
  box.OnMouseUp = [&](QObject*, TMouseButton b, TShiftState s, int x, int y) { up = {b, s, x, y, up.Calls + 1}; };
  box.OnMouseMove = [&](QObject*, TShiftState s, int x, int y) { move = {mbLeft, s, x, y, move.Calls + 1}; };
  box.OnDblClick = [&](QObject*) { ++doubleClicks; };

  QMouseEvent press(QEvent::MouseButtonPress, QPointF(30, 40), box.mapToGlobal(QPointF(30, 40)), Qt::MiddleButton,
                    Qt::MiddleButton, Qt::ControlModifier);
  QApplication::sendEvent(&box, &press);
  EXPECT_EQ(down.Calls, 1);
  EXPECT_EQ(down.Button, mbMiddle);
  EXPECT_EQ(down.Shift, (TShiftState{ssCtrl, ssMiddle}));
  EXPECT_EQ(down.X, 30);
  EXPECT_EQ(down.Y, 40);

  QMouseEvent moved(QEvent::MouseMove, QPointF(35.5, 41), box.mapToGlobal(QPointF(35.5, 41)), Qt::NoButton,
                    Qt::MiddleButton, Qt::ShiftModifier);
  QApplication::sendEvent(&box, &moved);
  EXPECT_EQ(move.Shift, (TShiftState{ssShift, ssMiddle}));
  EXPECT_EQ(move.X, 35);

  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(36, 42), box.mapToGlobal(QPointF(36, 42)),
                      Qt::MiddleButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(&box, &release);
  EXPECT_EQ(up.Button, mbMiddle);
  EXPECT_TRUE(up.Shift.Empty());
  EXPECT_EQ(up.X, 36);

  QMouseEvent twice(QEvent::MouseButtonDblClick, QPointF(5, 6), box.mapToGlobal(QPointF(5, 6)), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&box, &twice);
  EXPECT_EQ(doubleClicks, 1);
  EXPECT_EQ(down.Calls, 2);
  EXPECT_TRUE(down.Shift.Contains(ssDouble));
}

TEST(TMVPaintBoxD2D, WheelReportsDeltaAndPositionAndHonoursHandled) {
  TMVPaintBoxD2D box;
  box.resize(200, 200);
  int delta = 0;
  QPoint at;
  box.OnMouseWheel = [&](QObject*, TShiftState, int d, QPoint p, bool& handled) {
    delta = d;
    at = p;
    handled = true;
  };
  QWheelEvent wheel(QPointF(50, 60), box.mapToGlobal(QPointF(50, 60)), QPoint(), QPoint(0, -120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&box, &wheel);
  EXPECT_EQ(delta, -120);
  EXPECT_EQ(at, QPoint(50, 60));
  EXPECT_TRUE(wheel.isAccepted());
}

TEST(TMVPaintBoxD2D, LeavingAndFailingHandlersAreContained) {
  TMVPaintBoxD2D box;
  int left = 0;
  box.OnMouseLeave = [&](QObject*) { ++left; };
  box.OnMouseMove = [](QObject*, TShiftState, int, int) { throw std::runtime_error("no model"); };
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&box, &leave);
  EXPECT_EQ(left, 1);
  QMouseEvent moved(QEvent::MouseMove, QPointF(1, 1), box.mapToGlobal(QPointF(1, 1)), Qt::NoButton, Qt::NoButton,
                    Qt::NoModifier);
  EXPECT_NO_THROW(QApplication::sendEvent(&box, &moved));
}

}  // namespace
