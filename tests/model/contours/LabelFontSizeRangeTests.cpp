// A stored contour-label font size of -1,610,612,736 once became INT_MIN as a
// height and was then negated (undefined behaviour). Sizes out of range are a
// read error naming the field, and the map keeps its settings.

#include "model/base/KPError.h"
#include "model/base/Versions.h"
#include "model/contours/MVContourObj.h"
#include "model/settings/FontSizeRange.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

namespace {

// Where the label font's size stands in a map record: after show flag, colour,
// width, label flag, distance, format "##0.0#" and face name "Arial".
constexpr int SizeOffset = 1 + 4 + 4 + 1 + 4 + (4 + 12) + (4 + 10);

QByteArray RecordWithLabelFontSize(std::int32_t Size)
{
    TMVContourMap source;
    TMemoryStream s;
    source.WriteData(s);
    QByteArray bytes = s.Data();
    std::memcpy(bytes.data() + SizeOffset, &Size, 4);
    return bytes;
}

class LabelFontSizeRange : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterContourStreamClasses(); }
    TFileVersionScope Version{2, 1};
};

}  // namespace

TEST_F(LabelFontSizeRange, SizesOutOfRangeAreRefusedAndTheMapKept)
{
    for (std::int32_t size : {std::numeric_limits<std::int32_t>::min(), -1'610'612'736, MinFontSize - 1,
                              MaxFontSize + 1, std::numeric_limits<std::int32_t>::max()}) {
        TMVContourMap map;
        map.LineLabelFont().SetSize(12);
        map.SetZMin(3);
        TMemoryStream s(RecordWithLabelFontSize(size));
        try {
            map.ReadData(s);
            ADD_FAILURE() << "size " << size << " was read";
        } catch (const EReadError& e) {
            EXPECT_TRUE(e.Message().contains(QStringLiteral("Schriftgröße"))) << e.what();
        }
        EXPECT_EQ(map.LineLabelFont().Size(), 12);
        EXPECT_EQ(map.ZMin(), 3);
    }
}

TEST_F(LabelFontSizeRange, SizesAtTheLimitsAreRead)
{
    for (std::int32_t size : {MinFontSize, -1, 0, 1, MaxFontSize}) {
        TMVContourMap map;
        TMemoryStream s(RecordWithLabelFontSize(size));
        map.ReadData(s);
        EXPECT_EQ(map.LineLabelFont().Size(), size);
    }
}
