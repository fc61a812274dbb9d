#include "gfx/D2DText.h"

#include <gtest/gtest.h>

namespace {

TD2TextFormatPtr Format(TD2TextAlignment h, TD2ParagraphAlignment v) {
  auto format = TD2TextFormat::Create("Liberation Sans", D2FontWeightNormal, TD2FontStyle::Normal,
                                      D2FontStretchNormal, 16, "en-us");
  format->SetTextAlignment(h);
  format->SetParagraphAlignment(v);
  format->SetWordWrapping(TD2WordWrapping::NoWrap);
  return format;
}

struct TAlignCase {
  TD2TextAlignment h;
  TD2ParagraphAlignment v;
  double leftInWidths;  // metrics.left / metrics.width
  double topInHeights;  // metrics.top / metrics.height
};

TEST(D2DTextLayout, AZeroBoxPlacesTheTextAboutTheOrigin) {
  const TAlignCase cases[] = {
      {TD2TextAlignment::Leading, TD2ParagraphAlignment::Near, 0, 0},
      {TD2TextAlignment::Trailing, TD2ParagraphAlignment::Far, -1, -1},
      {TD2TextAlignment::Center, TD2ParagraphAlignment::Center, -0.5, -0.5},
  };
  for (const TAlignCase& c : cases) {
    const TD2TextMetrics m = TD2TextLayout::Create("Temperatur", *Format(c.h, c.v), 0, 0)->GetMetrics();
    ASSERT_GT(m.width, 0);
    ASSERT_GT(m.height, 0);
    EXPECT_NEAR(m.left, c.leftInWidths * m.width, 1e-3);
    EXPECT_NEAR(m.top, c.topInHeights * m.height, 1e-3);
    EXPECT_EQ(m.lineCount, 1u);
  }
}

TEST(D2DTextLayout, ABoxAlignsWithinItAndLinesStack) {
  const auto format = Format(TD2TextAlignment::Trailing, TD2ParagraphAlignment::Near);
  const TD2TextMetrics m = TD2TextLayout::Create("ab", *format, 200, 50)->GetMetrics();
  EXPECT_NEAR(m.left + m.width, 200, 1e-3);
  const TD2TextMetrics two = TD2TextLayout::Create("ab\nab", *format, 200, 50)->GetMetrics();
  EXPECT_EQ(two.lineCount, 2u);
  EXPECT_NEAR(two.height, 2 * m.height, 1e-3);
}

TEST(D2DTextFormat, RefusesUnusableSizesAndMapsWeightAndStyle) {
  EXPECT_EQ(TD2TextFormat::Create("Arial", 400, TD2FontStyle::Normal, 5, 0, "en-us"), nullptr);
  EXPECT_EQ(TD2TextFormat::Create("Arial", 400, TD2FontStyle::Normal, 5, -3, "en-us"), nullptr);
  EXPECT_EQ(TD2TextFormat::Create("", 400, TD2FontStyle::Normal, 5, 10, "en-us"), nullptr);
  const QFont font = TD2TextFormat::Create("Arial", 700, TD2FontStyle::Italic, 5, 13, "en-us")->Font();
  EXPECT_EQ(font.pixelSize(), 13);
  EXPECT_TRUE(font.bold());
  EXPECT_TRUE(font.italic());
}

}  // namespace
