#include "ContourTestUtils.h"

#include "model/base/KPError.h"
#include "model/base/StreamStrings.h"
#include "model/base/Versions.h"
#include "model/contours/MVContourObj.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class ContourMapRecord : public ::testing::Test {
protected:
    static void SetUpTestSuite() { RegisterContourStreamClasses(); }
};

QByteArray Hex(const char* Text)
{
    return QByteArray::fromHex(Text);
}

QByteArray Str(const QString& S)
{
    TMemoryStream m;
    WriteStringToStream(m, S);
    return m.Data();
}

template <typename T>
QByteArray Raw(T V)
{
    QByteArray b(sizeof(T), 0);
    std::memcpy(b.data(), &V, sizeof(T));
    return b;
}

// The parts of a default map's record.
QByteArray Head()
{
    return Hex("00" "00000000") + Raw(5.0f) + Hex("01") + Raw<std::int32_t>(1500) + Str("##0.0#") + Str("Arial") +
           Raw<std::int32_t>(10) + Hex("00000000" "00000000") + Hex("010101") + Raw(0.0) + Raw(0.0) + Raw(0.0) +
           Hex("00" "01");
}
QByteArray Styles()
{
    return Hex("01" "02000000") + Str("TMVContourLineStyle") + Raw(-1.0) + Hex("0000ff00") + Raw(5.0f) +
           Str("TMVContourLineStyle") + Raw(1.0) + Hex("ff000000") + Raw(5.0f);
}
QByteArray GridSize()
{
    return Hex("64000000" "64000000");
}

TEST_F(ContourMapRecord, DefaultsAfterCreate)
{
    const TMVContourMap map;
    EXPECT_TRUE(map.ZAutoMin());
    EXPECT_TRUE(map.ZAutoMax());
    EXPECT_TRUE(map.ZAutoDist());
    EXPECT_EQ(map.LineLabelDist(), 1500);
    EXPECT_TRUE(map.LineLabels());
    EXPECT_EQ(map.LineWidth(), 5.0f);
    EXPECT_EQ(map.LineLabelFormat(), "##0.0#");
    EXPECT_EQ(map.LineColor(), clBlack);
    EXPECT_EQ(map.LineLabelFont().Name(), "Arial");
    EXPECT_EQ(map.LineLabelFont().Size(), 10);
    EXPECT_EQ(map.ZDist(), 0);
    EXPECT_FALSE(map.ShowContours());
    EXPECT_FALSE(map.AxisLabels());
    EXPECT_TRUE(map.LineLabelDeleteBackground());
    EXPECT_EQ(map.LabelFactor(), 1.0);
    EXPECT_FALSE(static_cast<bool>(map.ConvertFunction()));
    EXPECT_TRUE(map.SkipZeroLine());
    EXPECT_EQ(map.TheLines.Count(), 0);
    ASSERT_EQ(map.LineStyles.Count(), 2);
    EXPECT_EQ(map.Styles(0)->ZValue(), -1);
    EXPECT_EQ(map.Styles(0)->Color(), 0xFF0000u);
    EXPECT_EQ(map.Styles(1)->ZValue(), 1);
    EXPECT_EQ(map.Styles(1)->Color(), 0x0000FFu);
    EXPECT_EQ(map.Styles(1)->Width(), 5.0f);
    EXPECT_EQ(map.X().size(), 100);
    EXPECT_EQ(map.Y().size(), 100);
    EXPECT_EQ(map.Z().size(), 6);

    const TContourLine line;
    EXPECT_EQ(line.Width(), 1.0f);
    EXPECT_EQ(line.LabelDistance(), 50);
    EXPECT_EQ(line.Font().Name(), "Verdana");
    EXPECT_EQ(line.Font().Size(), 8);
    EXPECT_FALSE(line.ShowLabels());

    const TMVContourLineStyle style;
    EXPECT_EQ(style.ZValue(), 1);
    EXPECT_EQ(style.Color(), 0u);
    EXPECT_EQ(style.Width(), 5.0f);
}

TEST_F(ContourMapRecord, WrittenByteForByte)
{
    TMVContourMap map;
    TMemoryStream s;
    map.WriteData(s);
    EXPECT_EQ(s.Data(), Head() + Styles() + Hex("01") + GridSize());
}

TEST_F(ContourMapRecord, ReadByFileVersion)
{
    struct TCase {
        const char* Name;
        int Major, Minor;
        QByteArray Record;
        int WantStyles;
        bool WantSkip;
    };
    const TCase cases[] = {
        {"1.2: no styles, skip set", 1, 2, Head() + GridSize(), 0, true},
        {"1.3: styles, skip set", 1, 3, Head() + Styles() + GridSize(), 2, true},
        {"2.0: styles, skip set", 2, 0, Head() + Styles() + GridSize(), 2, true},
        {"2.1: styles and the stored skip", 2, 1, Head() + Styles() + Hex("00") + GridSize(), 2, false},
    };
    for (const TCase& c : cases) {
        TFileVersionScope version(c.Major, c.Minor);
        TMVContourMap map;
        map.SetSkipZeroLine(!c.WantSkip);
        map.SetLineLabelFormat(QStringLiteral("anders"));
        TMemoryStream s(c.Record);
        map.ReadData(s);
        EXPECT_EQ(s.Remaining(), 0) << c.Name;
        EXPECT_EQ(map.LineStyles.Count(), c.WantStyles) << c.Name;
        EXPECT_EQ(map.SkipZeroLine(), c.WantSkip) << c.Name;
        EXPECT_EQ(map.LineLabelFormat(), "##0.0#") << c.Name;
    }
}

TEST_F(ContourMapRecord, RoundTripOfChangedSettings)
{
    TFileVersionScope version(2, 1);
    TMVContourMap map;
    map.SetShowContours(true);
    map.SetLineColor(0x123456);
    map.SetLineWidth(2.25f);
    map.SetLineLabels(false);
    map.SetLineLabelDist(777);
    map.SetLineLabelFormat(QStringLiteral("0.000"));
    map.LineLabelFont().SetName(QStringLiteral("Liberation Mono"));
    map.LineLabelFont().SetStyle(TFontStyles{fsItalic});
    map.SetZAutoMin(false);
    map.SetZAutoMax(false);
    map.SetZAutoDist(false);
    map.SetZMin(-3.5);
    map.SetZMax(12.25);
    map.SetZDist(0.75);
    map.SetAxisLabels(true);
    map.SetLineLabelDeleteBackground(false);
    map.SetSkipZeroLine(false);
    map.LineStyles.Clear();
    map.LineStyles.Add(std::make_unique<TMVContourLineStyle>(4.5, 0xABCDEF, 3.0f));
    map.X().resize(51);
    map.Y().resize(21);
    TMemoryStream s;
    map.WriteData(s);

    TMVContourMap back;
    s.SetPosition(0);
    back.ReadData(s);
    TMemoryStream again;
    back.WriteData(again);
    EXPECT_EQ(again.Data(), s.Data());
    EXPECT_EQ(back.ZMax(), 12.25);
    EXPECT_EQ(back.LineLabelFont().Name(), "Liberation Mono");
    ASSERT_EQ(back.LineStyles.Count(), 1);
    EXPECT_EQ(back.Styles(0)->Color(), 0xABCDEFu);
    EXPECT_EQ(back.X().size(), 51);
    EXPECT_EQ(back.Y().size(), 21);
}

class TNotAStyle : public TObject {
    KP_CLASS(TNotAStyle)
public:
    explicit TNotAStyle(TBlank) {}
    void Read(TStream&) {}
    void Write(TStream&) {}
};

TEST_F(ContourMapRecord, CorruptRecordsFailAndChangeNothing)
{
    RegisterStreamClass<TNotAStyle>();
    const QByteArray full = Head() + Styles() + Hex("01") + GridSize();
    struct TCase {
        const char* Name;
        QByteArray Record;
    };
    const TCase cases[] = {
        {"cut in the font", full.left(30)},
        {"cut in the styles", full.left(Head().size() + 20)},
        {"cut in the grid size", full.left(full.size() - 2)},
        {"negative style count", Head() + Hex("01" "ffffffff") + Hex("01") + GridSize()},
        {"absurd style count", Head() + Hex("01" "ffffff7f") + Hex("01") + GridSize()},
        {"foreign class among the styles", Head() + Hex("01" "01000000") + Str("TNotAStyle") + Hex("01") + GridSize()},
        {"negative grid columns", Head() + Styles() + Hex("01") + Hex("f6ffffff" "0a000000")},
        {"absurd grid rows", Head() + Styles() + Hex("01") + Hex("0a000000" "ffffff7f")},
    };
    for (const TCase& c : cases) {
        TFileVersionScope version(2, 1);
        TMVContourMap map;
        map.SetLineLabelFormat(QStringLiteral("vorher"));
        map.SetSkipZeroLine(false);
        TMemoryStream s(c.Record);
        EXPECT_THROW(map.ReadData(s), EKPError) << c.Name;
        EXPECT_EQ(map.LineLabelFormat(), "vorher") << c.Name;
        EXPECT_FALSE(map.SkipZeroLine()) << c.Name;
        EXPECT_EQ(map.LineStyles.Count(), 2) << c.Name;
        EXPECT_EQ(map.X().size(), 100) << c.Name;
    }
}

TEST_F(ContourMapRecord, LineStyleIsARegisteredStreamClass)
{
    const TMVContourLineStyle style(-2.5, 0x00FF7F, 1.5f);
    TMemoryStream s;
    WriteObjectToStream(&style, s);
    EXPECT_EQ(s.Data(), Str("TMVContourLineStyle") + Raw(-2.5) + Hex("7fff0000") + Raw(1.5f));
    s.SetPosition(0);
    const std::unique_ptr<TMVContourLineStyle> back = ReadObjectFromStreamAs<TMVContourLineStyle>(s, "Linienstil");
    EXPECT_EQ(back->ZValue(), -2.5);
    EXPECT_EQ(back->Color(), 0x00FF7Fu);
    EXPECT_EQ(back->Width(), 1.5f);
}

}  // namespace
