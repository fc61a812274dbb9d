#include "gfx/AlignedText.h"
#include "gfx/Canvas.h"

#include "ImageProbe.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// Records text output; every character is 7 units wide, so widths are odd for
// odd lengths and the integer halving shows.
class TRecordingCanvas : public TCustomCanvas {
public:
  struct TText {
    int X, Y;
    QString Text;
    bool operator==(const TText&) const = default;
  };
  std::vector<TText> Texts;

  void TextOut(int x, int y, const QString& text) override { Texts.push_back({x, y, text}); }
  TSize TextExtent(const QString& text) override { return TSize{7 * static_cast<int>(text.size()), 12}; }
  void LineTo(int, int) override {}
  void Polyline(std::span<const TPoint>) override {}
  void Polygon(std::span<const TPoint>) override {}
  void Rectangle(int, int, int, int) override {}
  void FillRect(const TRect&) override {}
  void Ellipse(int, int, int, int) override {}
  void StretchDraw(const TRect&, const QImage&) override {}
};

struct TAlignCase {
  uint8_t alignment;
  QString text;
  std::vector<TRecordingCanvas::TText> expected;
};

TEST(AlignedTextOut, PlacesTheTextByItsAlignment) {
  const TAlignCase cases[] = {
      {0, "abc", {{100, 50, "abc"}}},
      {1, "abc", {{79, 50, "abc"}}},
      {2, "abc", {{90, 50, "abc"}}},  // 100 - 21 div 2
      {3, "12,5", {{79, 50, "12,"}, {100, 50, "5"}}},
      {3, "1,2,3", {{86, 50, "1,"}, {100, 50, "2,3"}}},  // the first comma counts
      {3, "125", {{100, 50, "125"}}},
      {3, ",5", {{93, 50, ","}, {100, 50, "5"}}},
      {4, "abc", {}},
      {255, "abc", {}},
  };
  for (const TAlignCase& c : cases) {
    TRecordingCanvas canvas;
    AlignedTextOut(canvas, 100, 50, c.text, c.alignment);
    EXPECT_EQ(canvas.Texts, c.expected) << int(c.alignment) << " " << c.text.toStdString();
  }
}

TEST(AlignedTextOut, DecimalCommaSitsAtXOnARealCanvas) {
  QImage image = WhiteImage(200, 60);
  {
    TCanvas canvas(&image);
    canvas.Font().SetName("Liberation Sans");
    canvas.Font().SetHeight(-20);
    canvas.Brush().SetStyle(bsClear);
    AlignedTextOut(canvas, 100, 10, "12,5", 3);
  }
  const QRect ink = InkBounds(image);
  EXPECT_LT(ink.left(), 100 - 15);  // "12," to the left
  EXPECT_GT(ink.right(), 100 + 4);  // "5" to the right
  EXPECT_LT(ink.right(), 100 + 20);
  EXPECT_GE(ink.top(), 10);
}

}  // namespace
