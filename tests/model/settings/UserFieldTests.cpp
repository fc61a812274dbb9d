#include "SettingsTestHelpers.h"

#include "gfx/Canvas.h"
#include "model/settings/Preferences.h"
#include "model/settings/RegistryIniFile.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

class TFakeControl : public TFieldControl {
public:
    int Visible = -1;
    QString Text = "unberührt";
    void SetVisible(bool Value) override { Visible = Value; }
    void SetText(const QString& Value) override { Text = Value; }
};

class TFakeLabeledControl : public TLabeledFieldControl {
public:
    int Visible = -1;
    QString LabelText = "unberührt";
    void SetLabelText(const QString& Value) override { LabelText = Value; }
    void SetVisible(bool Value) override { Visible = Value; }
};

std::unique_ptr<TUserField> PlacedField()
{
    auto f = std::make_unique<TUserField>("AnalysisField");
    f->SetVisible(true);
    f->SetCaption("Analyse");
    f->SetDefaultPos(false);
    f->SetDefaultFont(false);
    f->SetX(20);
    f->SetY(15);
    f->Font()->SetSize(10);
    f->Font()->SetFontName("Verdana");
    return f;
}

TEST(UserFieldTest, NewFieldDefaults)
{
    const TUserField f("TestField");
    EXPECT_EQ(f.Name(), "TestField");
    EXPECT_FALSE(f.Visible());
    EXPECT_EQ(f.Caption(), "");
    EXPECT_TRUE(f.DefaultFont());
    EXPECT_TRUE(f.DefaultPos());
    EXPECT_EQ(f.X(), 0);
    EXPECT_EQ(f.Y(), 0);
    ASSERT_NE(f.Font(), nullptr);
    EXPECT_EQ(*f.Font(), Streamft::TStreamFont());
    EXPECT_FALSE(f.Selected());
}

TEST(UserFieldTest, TheProgramsFields)
{
    const auto& fields = UserFields();
    ASSERT_EQ(fields.size(), 4u);
    const char* names[] = {"TestField", "DischargeField", "WaterlevelField", "AnalysisField"};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(fields[i]->Name(), names[i]);
    EXPECT_EQ(UserFieldCompanyLines().size(), 4);
    EXPECT_EQ(UserFieldDefaultFont(), Streamft::TStreamFont());
}

TEST(UserFieldTest, SettingsKeysAndRoundTrip)
{
    TMemIniFile ini;
    PlacedField()->WriteToReg(ini);
    EXPECT_EQ(ini.Written("User"),
              QStringList({"AnalysisFieldVisible", "AnalysisFieldCaption", "AnalysisFieldDefFont",
                           "AnalysisFieldDefPos", "AnalysisFieldPosX", "AnalysisFieldPosY"}));
    EXPECT_EQ(ini.Written("User\\Fonts").first(), "AnalysisFieldName");
    EXPECT_EQ(ini.Written("User\\Fonts").size(), 7);

    TUserField back("AnalysisField");
    back.ReadFromReg(ini);
    const auto expected = PlacedField();
    EXPECT_TRUE(back.Visible());
    EXPECT_EQ(back.Caption(), "Analyse");
    EXPECT_FALSE(back.DefaultFont());
    EXPECT_FALSE(back.DefaultPos());
    EXPECT_EQ(back.X(), 20);
    EXPECT_EQ(back.Y(), 15);
    EXPECT_EQ(*back.Font(), *expected->Font());
}

TEST(UserFieldTest, InTheProgramsSettingsStore)
{
    ClearSettingsStores();
    {
        TRegistryIniFile r(QStringLiteral("Software\\Mirvatek\\KP\\2.0"));
        PlacedField()->WriteToReg(r);
        r.UpdateFile();
    }
    EXPECT_EQ(StoredValue("2.0/User/AnalysisFieldPosX").toString(), "20");
    EXPECT_EQ(StoredValue("2.0/User/Fonts/AnalysisFieldName").toString(), "Verdana");
    TUserField back("AnalysisField");
    back.ReadFromReg(TRegistryIniFile(QStringLiteral("Software\\Mirvatek\\KP\\2.0"), TRegistryRoot::CurrentUser,
                                      TRegistryAccess::ReadOnly));
    EXPECT_EQ(back.Caption(), "Analyse");
    EXPECT_EQ(back.Font()->Size(), 10);
}

TEST(UserFieldTest, ReadingFromAnEmptyStoreKeepsEveryValue)
{
    const TMemIniFile empty;
    auto f = PlacedField();
    f->ReadFromReg(empty);
    const auto expected = PlacedField();
    EXPECT_TRUE(f->Visible());
    EXPECT_EQ(f->Caption(), expected->Caption());
    EXPECT_FALSE(f->DefaultFont());
    EXPECT_FALSE(f->DefaultPos());
    EXPECT_EQ(f->X(), 20);
    EXPECT_EQ(f->Y(), 15);
    EXPECT_EQ(*f->Font(), *expected->Font());
}

TEST(UserFieldTest, SetGUI)
{
    for (bool visible : {false, true}) {
        auto f = PlacedField();
        f->SetVisible(visible);
        TFakeControl edit, label;
        f->SetGUI(&edit, &label);
        EXPECT_EQ(edit.Visible, visible);
        EXPECT_EQ(edit.Text, "unberührt");
        EXPECT_EQ(label.Visible, visible);
        EXPECT_EQ(label.Text, "Analyse");
        f->SetGUI(nullptr, nullptr);

        TFakeLabeledControl labeled;
        f->SetGUI(&labeled);
        EXPECT_EQ(labeled.Visible, visible);
        EXPECT_EQ(labeled.LabelText, "Analyse");
        f->SetGUI(nullptr);
    }
}

TEST(UserFieldTest, DrawPlacesTheText)
{
    Streamft::TStreamFont page;
    page.SetFontName("Page");
    page.SetSize(8);
    struct Case {
        bool DefaultPos, DefaultFont;
        int X, Y;
        const char* FontName;
        int Height;
    } cases[] = {{false, false, 200, 150, "Verdana", -35},
                 {true, false, 7, 9, "Verdana", -35},
                 {false, true, 200, 150, "Canvas", -11},
                 {true, true, 7, 9, "Canvas", -11}};
    for (const Case& c : cases) {
        auto f = PlacedField();
        f->SetDefaultPos(c.DefaultPos);
        f->SetDefaultFont(c.DefaultFont);
        TRecordingCanvas canvas;
        canvas.Font().SetName("Canvas");
        f->Draw(&canvas, "12,5 m", &page, 7, 9);
        ASSERT_EQ(canvas.Texts.size(), 1u);
        EXPECT_EQ(canvas.Texts[0].X, c.X);
        EXPECT_EQ(canvas.Texts[0].Y, c.Y);
        EXPECT_EQ(canvas.Texts[0].Text, "12,5 m");
        EXPECT_EQ(canvas.Texts[0].Font.Name(), c.FontName);
        EXPECT_EQ(canvas.Texts[0].Font.Height(), c.Height);
        // Afterwards the page font is back, unless the canvas font was used.
        EXPECT_EQ(canvas.Font().Name(), c.DefaultFont ? "Canvas" : "Page");
    }
}

TEST(UserFieldTest, NothingIsDrawnForAnInvisibleField)
{
    auto f = PlacedField();
    f->SetVisible(false);
    f->SetSelected(true);
    TRecordingCanvas canvas;
    f->Draw(&canvas, "x", nullptr, 0, 0);
    f->DrawSelected(&canvas, "x", nullptr);
    EXPECT_TRUE(canvas.Texts.empty());
    EXPECT_TRUE(canvas.Rects.empty());
    EXPECT_EQ(f->GetDrawRect(&canvas, "x", nullptr), TRect{});
    PlacedField()->Draw(nullptr, "x", nullptr, 0, 0);
}

TEST(UserFieldTest, WithoutPageFontTheCanvasFontComesBack)
{
    TRecordingCanvas canvas;
    canvas.Font().SetName("Canvas");
    canvas.Font().SetHeight(-40);
    PlacedField()->Draw(&canvas, "x", nullptr, 0, 0);
    EXPECT_EQ(canvas.Texts[0].Font.Name(), "Verdana");
    EXPECT_EQ(canvas.Font().Name(), "Canvas");
    EXPECT_EQ(canvas.Font().Height(), -40);
}

TEST(UserFieldTest, DrawRectMeasuresCaptionAndText)
{
    Streamft::TStreamFont page;
    auto f = PlacedField();
    TRecordingCanvas canvas;
    // "Analyse: 12" is 11 characters of 6 units; height 35 for 10 points.
    EXPECT_EQ(f->GetDrawRect(&canvas, "12", &page), (TRect{200, 150, 266, 185}));
    EXPECT_EQ(canvas.MeasuredWith.back().Name(), "Verdana");
    EXPECT_EQ(canvas.Font().Height(), -28);

    f->SetDefaultPos(true);
    EXPECT_EQ(f->GetDrawRect(&canvas, "12", &page), TRect{});
}

TEST(UserFieldTest, SelectionFrameKeepsThePen)
{
    Streamft::TStreamFont page;
    auto f = PlacedField();
    TRecordingCanvas canvas;
    canvas.Pen().SetColor(clBlue);
    canvas.Pen().SetWidth(4);
    const TPen before = canvas.Pen();

    f->DrawSelected(&canvas, "12", &page);
    EXPECT_TRUE(canvas.Rects.empty());  // not selected

    f->SetSelected(true);
    f->DrawSelected(&canvas, "12", &page);
    ASSERT_EQ(canvas.Rects.size(), 1u);
    EXPECT_EQ(canvas.Rects[0].R, (TRect{200, 150, 266, 185}));
    EXPECT_EQ(canvas.Rects[0].Pen.Color(), clRed);
    EXPECT_EQ(canvas.Rects[0].Pen.Style(), psDash);
    EXPECT_EQ(canvas.Rects[0].Pen.Width(), 0);
    EXPECT_EQ(canvas.Pen(), before);
    EXPECT_EQ(canvas.Font().Name(), "Arial");

    f->SetDefaultPos(true);
    f->DrawSelected(&canvas, "12", &page);
    EXPECT_EQ(canvas.Rects.size(), 1u);
}

// Dark pixels of an image inside and outside a rectangle.
int DarkPixels(const QImage& Img, const QRect& R, bool Inside)
{
    int n = 0;
    for (int y = 0; y < Img.height(); ++y)
        for (int x = 0; x < Img.width(); ++x)
            if (R.contains(x, y) == Inside && qGray(Img.pixel(x, y)) < 128) ++n;
    return n;
}

TEST(UserFieldTest, DrawnOnAPageInTenthsOfAMillimetre)
{
    // 1 pixel per millimetre: 300 x 200 mm of page.
    QImage img(300, 200, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        TCanvas canvas(&img);
        canvas.SetMapMode(MM_ANISOTROPIC);
        canvas.SetWindowExtEx(3000, 2000);
        canvas.SetViewportExtEx(300, 200);
        canvas.Brush().SetStyle(bsClear);
        auto f = PlacedField();
        f->SetX(100);
        f->SetY(80);
        f->Font()->SetSize(72);  // 25.4 mm high
        f->Draw(&canvas, "XXXX", &UserFieldDefaultFont(), 0, 0);
    }
    EXPECT_GT(DarkPixels(img, QRect(100, 80, 200, 40), true), 200);
    EXPECT_EQ(DarkPixels(img, QRect(98, 78, 204, 44), false), 0);
}

} // namespace
