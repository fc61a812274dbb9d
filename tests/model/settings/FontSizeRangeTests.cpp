// Stored font sizes are scaled into heights and negated on their way to a
// canvas: sizes beyond what that arithmetic holds are refused when read.

#include "SettingsTestHelpers.h"

#include "model/base/KPError.h"
#include "model/base/StreamStrings.h"
#include "model/settings/FontSizeRange.h"
#include "model/settings/KPStreamFt.h"
#include "model/settings/Streamft.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

namespace {

constexpr std::int32_t IntMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t IntMax = std::numeric_limits<std::int32_t>::max();

// A record of either layout: name, size, then four flag bytes and a colour
// (the colour's place differs, the length does not).
QByteArray Record(std::int32_t Size, bool ShortName = false)
{
    TMemoryStream s;
    if (ShortName) {
        s.WriteByte(5);
        s.WriteBuffer("Arial", 5);
    } else {
        WriteStringToStream(s, QStringLiteral("Arial"));
    }
    s.WriteInt32(Size);
    s.WriteInt32(0);
    s.WriteInt32(0);
    return s.Data();
}

class FontSizeRangeTest : public ::testing::Test {
protected:
    void SetUp() override { ClearSettingsStores(); }
};

}  // namespace

TEST_F(FontSizeRangeTest, StoredSizesOutOfRangeAreReadErrorsAndChangeNothing)
{
    struct Case {
        std::int32_t Stored;
        bool Accepted;
    } cases[] = {{IntMin, false}, {-1'610'612'736, false}, {MinFontSize - 1, false}, {MinFontSize, true},
                 {0, true},       {MaxFontSize, true},     {MaxFontSize + 1, false}, {IntMax, false}};
    for (const Case& c : cases) {
        Streamft::TStreamFont plain;
        KPStreamFt::TStreamFont label;
        TMemoryStream a(Record(c.Stored)), b(Record(c.Stored));
        if (c.Accepted) {
            plain.Load(a);
            label.Load(b);
            EXPECT_EQ(plain.Size(), c.Stored);
            EXPECT_EQ(label.Size(), c.Stored);
            continue;
        }
        for (auto load : {std::function<void()>([&] { plain.Load(a); }), std::function<void()>([&] { label.Load(b); })}) {
            try {
                load();
                ADD_FAILURE() << "size " << c.Stored << " was read";
            } catch (const EReadError& e) {
                EXPECT_TRUE(e.Message().contains(QStringLiteral("Schriftgröße"))) << e.what();
            }
        }
        EXPECT_EQ(plain.Size(), 8);
        EXPECT_EQ(label.Size(), 11);
    }
}

TEST_F(FontSizeRangeTest, OlderRecordChecksTheConvertedSize)
{
    // 6449 × 0.254 = 1638.0 is the largest size; 6452 gives 1639.
    Streamft::TStreamFont f;
    TMemoryStream ok(Record(6449, true));
    f.LoadShortString(ok);
    EXPECT_EQ(f.Size(), MaxFontSize);
    for (std::int32_t stored : {6452, -6452, IntMin, IntMax}) {
        TMemoryStream bad(Record(stored, true));
        EXPECT_THROW(f.LoadShortString(bad), EReadError) << stored;
        EXPECT_EQ(f.Size(), MaxFontSize);
    }
}

TEST_F(FontSizeRangeTest, SettingsSizeOutOfRangeCountsAsNoNumber)
{
    StoreValue("2.0/Fonts/XSize", "-1610612736");
    StoreValue("2.0/Schriften/XSize", "2147483647");
    Streamft::TStreamFont a;
    a.SetSize(9);
    a.ReadFromIniFile("Software\\Mirvatek\\KP\\2.0", "X");
    EXPECT_EQ(a.Size(), 9);
    KPStreamFt::TStreamFont b;
    b.SetSize(14);
    b.ReadFromIniFile("Software\\Mirvatek\\KP\\2.0", "X");
    EXPECT_EQ(b.Size(), 14);
}
