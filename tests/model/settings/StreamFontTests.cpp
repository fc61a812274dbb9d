#include "SettingsTestHelpers.h"

#include "model/base/KPError.h"
#include "model/base/ModelUI.h"
#include "model/base/StreamStrings.h"
#include "model/settings/FontDialogs.h"
#include "model/settings/KPStreamFt.h"
#include "model/settings/Streamft.h"

#include <gtest/gtest.h>

namespace {

QByteArray Hex(const char* Text)
{
    return QByteArray::fromHex(Text);
}

// "Ab" as stream string: count 2, then UTF-16LE.
const char* const AbString = "02000000" "41006200";

Streamft::TStreamFont SampleFont()
{
    Streamft::TStreamFont f;
    f.SetFontName("Ab");
    f.SetSize(12);
    f.SetBold(true);
    f.SetUnderLine(true);
    f.SetColor(0x123456);
    return f;
}

class StreamFontTest : public ::testing::Test {
protected:
    void SetUp() override { ClearSettingsStores(); }
};

TEST_F(StreamFontTest, DefaultsOfBothFonts)
{
    const Streamft::TStreamFont a;
    EXPECT_EQ(a.FontName(), "Arial");
    EXPECT_EQ(a.Size(), 8);
    EXPECT_TRUE(a.FontStyle().Empty());
    EXPECT_EQ(a.Color(), 0);

    const KPStreamFt::TStreamFont b;
    EXPECT_EQ(b.Name(), "Arial");
    EXPECT_EQ(b.Size(), 11);
    EXPECT_TRUE(b.Style().Empty());
    EXPECT_EQ(b.Color(), clBlack);
}

TEST_F(StreamFontTest, StyleSettersTouchOnlyTheirOwnBit)
{
    Streamft::TStreamFont f;
    f.SetBold(true);
    f.SetStrikeOut(true);
    f.SetItalic(false);
    f.SetBold(false);
    EXPECT_FALSE(f.Bold());
    EXPECT_FALSE(f.Italic());
    EXPECT_FALSE(f.UnderLine());
    EXPECT_TRUE(f.StrikeOut());
}

TEST_F(StreamFontTest, PlainFontRecordByteForByte)
{
    TMemoryStream s;
    SampleFont().Store(s);
    // name, size 12, bold 1, italic 0, underline 1, strike-out 0, colour.
    EXPECT_EQ(s.Data(), Hex(AbString) + Hex("0c000000" "01000100" "56341200"));

    s.SetPosition(0);
    Streamft::TStreamFont back;
    back.SetItalic(true);
    back.Load(s);
    EXPECT_EQ(back, SampleFont());
    EXPECT_EQ(s.Remaining(), 0);
}

TEST_F(StreamFontTest, LabelFontRecordByteForByte)
{
    KPStreamFt::TStreamFont f;
    f.SetName("Ab");
    f.SetSize(12);
    f.SetColor(0x123456);
    f.SetStyle({fsItalic, fsStrikeOut});
    TMemoryStream s;
    f.Store(s);
    // name, size, colour before the style bytes.
    EXPECT_EQ(s.Data(), Hex(AbString) + Hex("0c000000" "56341200" "00010001"));

    s.SetPosition(0);
    KPStreamFt::TStreamFont back;
    back.SetStyle({fsBold});
    back.Load(s);
    EXPECT_EQ(back.Name(), "Ab");
    EXPECT_EQ(back.Size(), 12);
    EXPECT_EQ(back.Color(), 0x123456u);
    EXPECT_EQ(back.Style(), (TFontStyles{fsItalic, fsStrikeOut}));
}

TEST_F(StreamFontTest, NonZeroStyleBytesCountAsSet)
{
    TMemoryStream s(Hex(AbString) + Hex("0a000000" "ff000200" "00000000"));
    Streamft::TStreamFont f;
    f.Load(s);
    EXPECT_TRUE(f.Bold());
    EXPECT_FALSE(f.Italic());
    EXPECT_TRUE(f.UnderLine());
    EXPECT_FALSE(f.StrikeOut());
}

TEST_F(StreamFontTest, EachClassReadsOnlyItsOwnRecord)
{
    // The colour stands at another place: a plain record read as a label
    // font takes the style bytes for the colour.
    TMemoryStream s;
    SampleFont().Store(s);
    s.SetPosition(0);
    KPStreamFt::TStreamFont misread;
    misread.Load(s);
    EXPECT_EQ(misread.Color(), 0x00010001u);
    EXPECT_NE(misread.Style(), SampleFont().FontStyle());
}

TEST_F(StreamFontTest, OlderRecordConvertsTheSize)
{
    struct Case {
        std::int32_t Stored;
        int Size;
    } cases[] = {{40, 10}, {36, 9}, {250, 64}, {-250, -64}, {0, 0}, {2, 1}, {1, 0}};
    for (const Case& c : cases) {
        TMemoryStream s;
        s.WriteByte(5);
        s.WriteBuffer("Arial", 5);
        s.WriteInt32(c.Stored);
        for (int i = 0; i < 4; ++i) s.WriteByte(i == 1);
        s.WriteInt32(0xFF);
        s.SetPosition(0);
        Streamft::TStreamFont f;
        f.LoadShortString(s);
        EXPECT_EQ(f.Size(), c.Size) << c.Stored;
        EXPECT_EQ(f.FontName(), "Arial");
        EXPECT_TRUE(f.Italic());
        EXPECT_EQ(f.Color(), 0xFF);
    }
}

TEST_F(StreamFontTest, CutRecordRaisesAndLeavesTheFont)
{
    TMemoryStream full;
    SampleFont().Store(full);
    for (int cut : {2, 8, 12, 15}) {
        TMemoryStream s(full.Data().left(cut));
        Streamft::TStreamFont f;
        EXPECT_THROW(f.Load(s), EReadError) << cut;
        EXPECT_EQ(f, Streamft::TStreamFont()) << cut;

        TMemoryStream s2(full.Data().left(cut));
        KPStreamFt::TStreamFont g;
        EXPECT_THROW(g.Load(s2), EReadError) << cut;
        EXPECT_EQ(g.Name(), "Arial");
        EXPECT_EQ(g.Size(), 11);
    }
}

TEST_F(StreamFontTest, CanvasFontInTenthsOfAMillimetre)
{
    struct Case {
        int Size;
        int Height;
    } cases[] = {{8, -28}, {10, -35}, {72, -254}, {0, 0}};
    for (const Case& c : cases) {
        Streamft::TStreamFont f = SampleFont();
        f.SetSize(c.Size);
        TRecordingCanvas canvas;
        f.SetCanvasFont(&canvas);
        EXPECT_EQ(canvas.Font().Height(), c.Height) << c.Size;
        EXPECT_EQ(canvas.Font().Name(), "Ab");
        EXPECT_EQ(canvas.Font().Style(), (TFontStyles{fsBold, fsUnderline}));
        EXPECT_EQ(canvas.Font().Color(), 0x123456u);
    }
    SampleFont().SetCanvasFont(nullptr);  // nothing happens
}

TEST_F(StreamFontTest, ExchangeWithCanvasFonts)
{
    TFont target;
    SampleFont().AssignTo(target);
    EXPECT_EQ(target.Name(), "Ab");
    EXPECT_EQ(target.Size(), 12);
    EXPECT_EQ(target.Style(), (TFontStyles{fsBold, fsUnderline}));
    EXPECT_EQ(target.Color(), 0x123456u);

    Streamft::TStreamFont back;
    back.Assign(target);
    EXPECT_EQ(back, SampleFont());

    SampleFont().SetFont(nullptr);  // nothing happens
}

TEST_F(StreamFontTest, LogFont)
{
    Streamft::TStreamFont f = SampleFont();
    f.SetFontName(QString(40, QChar('x')));
    Streamft::LOGFONT lf;
    lf.lfCharSet = 9;
    lf.lfWidth = 3;
    f.SetLogFont(lf);
    EXPECT_EQ(lf.lfHeight, 16);  // 12 pt at 96 dpi
    EXPECT_EQ(lf.lfWeight, 700);
    EXPECT_EQ(lf.lfItalic, 0);
    EXPECT_EQ(lf.lfUnderline, 1);
    EXPECT_EQ(lf.lfStrikeOut, 0);
    EXPECT_EQ(lf.lfOutPrecision, 7);
    EXPECT_EQ(lf.lfQuality, 2);
    EXPECT_EQ(lf.lfPitchAndFamily, 32);
    EXPECT_EQ(lf.lfCharSet, 0);
    EXPECT_EQ(lf.lfWidth, 0);
    EXPECT_EQ(QString::fromUtf16(lf.lfFaceName), QString(31, QChar('x')));

    Streamft::TStreamFont small;
    small.SetLogFont(lf);
    EXPECT_EQ(lf.lfHeight, 11);
    EXPECT_EQ(lf.lfWeight, 400);
    EXPECT_EQ(QString::fromUtf16(lf.lfFaceName), "Arial");
}

TEST_F(StreamFontTest, IniObjectForm)
{
    TMemIniFile ini;
    SampleFont().WriteToIniFile(&ini, "User\\Fonts", "Company");
    EXPECT_EQ(ini.Written("User\\Fonts"),
              QStringList({"CompanyName", "CompanySize", "CompanyBold", "CompanyItalic", "CompanyUnderLine",
                           "CompanyStrikeOut", "CompanyColor"}));
    EXPECT_EQ(ini.ReadInteger("User\\Fonts", "CompanyBold", -1), 1);
    EXPECT_EQ(ini.ReadInteger("User\\Fonts", "CompanyColor", -1), 0x123456);

    Streamft::TStreamFont back;
    back.ReadFromIniFile(&ini, "User\\Fonts", "Company");
    EXPECT_EQ(back, SampleFont());

    SampleFont().WriteToIniFile(nullptr, "Fonts", "X");
    back.ReadFromIniFile(nullptr, "Fonts", "X");
    EXPECT_EQ(back, SampleFont());
}

TEST_F(StreamFontTest, KeyPathFormsKeepValuesAsText)
{
    SampleFont().WriteToIniFile("Software\\Mirvatek\\KP\\2.0", "Company");
    KPStreamFt::TStreamFont label;
    label.SetName("Ab");
    label.SetStyle({fsItalic});
    label.SetColor(0x0000FF);
    label.WriteToIniFile("Software\\Mirvatek\\KP\\2.0", "Label");

    struct Case {
        const char* Key;
        const char* Text;
    } cases[] = {{"2.0/Fonts/CompanyName", "Ab"},     {"2.0/Fonts/CompanySize", "12"},
                 {"2.0/Fonts/CompanyBold", "1"},      {"2.0/Fonts/CompanyItalic", "0"},
                 {"2.0/Fonts/CompanyColor", "1193046"}, {"2.0/Schriften/LabelSize", "11"},
                 {"2.0/Schriften/LabelItalic", "1"},  {"2.0/Schriften/LabelStrikeOut", "0"},
                 {"2.0/Schriften/LabelColor", "255"}};
    for (const Case& c : cases) {
        const QVariant v = StoredValue(c.Key);
        EXPECT_EQ(v.metaType().id(), QMetaType::QString) << c.Key;
        EXPECT_EQ(v.toString(), c.Text) << c.Key;
    }

    Streamft::TStreamFont a;
    a.ReadFromIniFile("Software\\Mirvatek\\KP\\2.0", "Company");
    EXPECT_EQ(a, SampleFont());
    KPStreamFt::TStreamFont b;
    b.ReadFromIniFile("Software\\Mirvatek\\KP\\2.0", "Label");
    EXPECT_EQ(b.Name(), "Ab");
    EXPECT_EQ(b.Style(), TFontStyles{fsItalic});
    EXPECT_EQ(b.Color(), 0x0000FFu);
}

TEST_F(StreamFontTest, MissingValuesInTheSettings)
{
    // Only a name is stored: the plain font keeps everything else, the label
    // font keeps size and colour but clears its styles.
    StoreValue("2.0/Fonts/XName", "Verdana");
    StoreValue("2.0/Schriften/XName", "Verdana");

    Streamft::TStreamFont a = SampleFont();
    a.ReadFromIniFile("Software\\Mirvatek\\KP\\2.0", "X");
    Streamft::TStreamFont expected = SampleFont();
    expected.SetFontName("Verdana");
    EXPECT_EQ(a, expected);

    KPStreamFt::TStreamFont b;
    b.SetSize(14);
    b.SetStyle({fsBold, fsUnderline});
    b.SetColor(0xFF);
    b.ReadFromIniFile("Software\\Mirvatek\\KP\\2.0", "X");
    EXPECT_EQ(b.Name(), "Verdana");
    EXPECT_EQ(b.Size(), 14);
    EXPECT_TRUE(b.Style().Empty());
    EXPECT_EQ(b.Color(), 0xFFu);
}

TEST_F(StreamFontTest, TextThatIsNoNumberKeepsTheValue)
{
    StoreValue("2.0/Fonts/XSize", "gross");
    StoreValue("2.0/Fonts/XBold", "vielleicht");
    Streamft::TStreamFont a = SampleFont();
    a.ReadFromIniFile("Software\\Mirvatek\\KP\\2.0", "X");
    EXPECT_EQ(a, SampleFont());
}

class TFakeFontDialogs : public TFontDialogs {
public:
    bool Accept = false;
    TFont Shown;
    bool TrueTypeOnly = false;
    bool ExecuteFontDialog(TFont& Font, bool ATrueTypeOnly) override
    {
        Shown = Font;
        TrueTypeOnly = ATrueTypeOnly;
        if (!Accept) {
            Font.SetName("Discarded");
            return false;
        }
        Font.SetName("Verdana");
        Font.SetSize(14);
        Font.SetStyle({fsItalic});
        Font.SetColor(0xFF00);
        return true;
    }
};

TEST_F(StreamFontTest, EditThroughTheFontDialog)
{
    TFakeFontDialogs dialogs;
    TModelUIScope<TFontDialogs> scope(&dialogs);

    Streamft::TStreamFont f = SampleFont();
    EXPECT_EQ(f.Edit(), Streamft::mrCancel);
    EXPECT_EQ(f, SampleFont());
    EXPECT_EQ(dialogs.Shown.Name(), "Ab");
    EXPECT_EQ(dialogs.Shown.Size(), 12);
    EXPECT_TRUE(dialogs.TrueTypeOnly);

    dialogs.Accept = true;
    EXPECT_EQ(f.Edit(), Streamft::mrOk);
    EXPECT_EQ(f.FontName(), "Verdana");
    EXPECT_EQ(f.Size(), 14);
    EXPECT_EQ(f.FontStyle(), TFontStyles{fsItalic});
    EXPECT_EQ(f.Color(), 0xFF00);
}

TEST_F(StreamFontTest, EditWithoutUserInterfaceIsCancelled)
{
    Streamft::TStreamFont f = SampleFont();
    EXPECT_EQ(f.Edit(), Streamft::mrCancel);
    EXPECT_EQ(f, SampleFont());
}

} // namespace
