// The page header drawn on an image of tenths of a millimetre (one pixel per
// page unit): frame and rows in place, the company text start, logo layouts
// and the right-aligned enclosure. Read at a few pixels, no golden images.
#include <gtest/gtest.h>

#include <QImage>

#include "gfx/Canvas.h"
#include "model/settings/KPSettings.h"
#include "ui/print/PageObj.h"
#include "ui/print/PrintInfo.h"

namespace {

constexpr int L = 100, T = 20, W = 1800, H = 250, R = L + W, B = T + H, M = L + W / 2, Row = H / 4;

bool Dark(const QImage& I, int x, int y)
{
    const QColor c = I.pixelColor(x, y);
    return c.red() < 110 && c.green() < 110 && c.blue() < 110;
}

bool AnyDark(const QImage& I, int x1, int y1, int x2, int y2)
{
    for (int y = y1; y < y2; ++y)
        for (int x = x1; x < x2; ++x)
            if (Dark(I, x, y)) return true;
    return false;
}

class PageHeader : public ::testing::Test {
protected:
    PageHeader() : Img(2000, 320, QImage::Format_RGB32)
    {
        Img.fill(Qt::white);
        Header.SetLeft(L);
        Header.SetTop(T);
        Header.SetWidth(W);
        Header.SetHeight(H);
        Header.Title = QStringLiteral("Karte");
        Header.Project = QStringLiteral("Schule Nord");
        Header.Client = QStringLiteral("Gemeinde");
    }
    int Draw()
    {
        TCanvas c(&Img);
        return Header.Draw(c);
    }
    QImage Img;
    TPageHeader Header;
};

} // namespace

TEST_F(PageHeader, FrameAndRowLinesInPlace)
{
    EXPECT_EQ(Draw(), H);
    EXPECT_TRUE(Dark(Img, L, T + H / 2));       // left frame
    EXPECT_TRUE(Dark(Img, R - 1, T + H / 2));   // right frame
    EXPECT_TRUE(Dark(Img, L + 50, T));          // top frame
    EXPECT_TRUE(Dark(Img, L + 50, B - 1));      // bottom frame
    EXPECT_TRUE(Dark(Img, M, T + 30));          // the middle line
    for (int y : {T + Row, T + H / 2, B - Row}) {
        EXPECT_TRUE(Dark(Img, R - 5, y)) << y;
        EXPECT_FALSE(Dark(Img, M - 200, y)) << y;  // rows only on the right half
    }
    EXPECT_FALSE(Dark(Img, 50, 10));  // nothing outside
}

TEST_F(PageHeader, MirvatekLayoutIsBlankButKeepsItsHeight)
{
    Header.Layout = hlMirvatek;
    Header.LblProjectNo = QStringLiteral("Simulationsdauer:");
    Header.LblClient = QStringLiteral("x");
    EXPECT_EQ(Draw(), 250);
    EXPECT_FALSE(AnyDark(Img, 0, 0, Img.width(), Img.height()));
    EXPECT_EQ(Header.LblClient, QStringLiteral("Auftraggeber:"));
    EXPECT_EQ(Header.LblProjectNo, QStringLiteral("Simulationsdauer:"));
}

TEST_F(PageHeader, CompanyTextStartsAtTheInsetWithoutALogo)
{
    Draw();
    EXPECT_FALSE(AnyDark(Img, L + 4, T + 4, L + 14, T + 100));
    EXPECT_TRUE(AnyDark(Img, L + 15, T + 10, L + 400, T + 60));
    EXPECT_FALSE(AnyDark(Img, L + 15, T + 4, L + 400, T + 9));
}

TEST_F(PageHeader, LongCompanyLinesAreClippedToTheirBox)
{
    Header.SetCompanyName({QString(200, QLatin1Char('W'))});
    Draw();
    EXPECT_TRUE(AnyDark(Img, M - 60, T + 10, M - 4, T + 50));
    EXPECT_FALSE(AnyDark(Img, M + 4, T + 4, M + 14, T + Row - 4));  // not into the title row
}

TEST_F(PageHeader, ALargeLogoTakesTheLeftHalfWithoutCompanyText)
{
    QImage logo(300, 100, QImage::Format_RGB32);
    logo.fill(QColor(220, 30, 30));
    Header.SetLogo(logo);
    Header.UseLogo = true;
    Header.SmallLogo = false;
    Draw();
    EXPECT_EQ(Img.pixelColor(L + W / 4, T + H / 2), QColor(220, 30, 30));
    EXPECT_FALSE(AnyDark(Img, L + 4, T + 4, M - 4, B - 4));

    // A small logo: a square box, the company text moved right by the height.
    Img.fill(Qt::white);
    Header.SmallLogo = true;
    Draw();
    EXPECT_TRUE(AnyDark(Img, L + H + 15, T + 10, L + H + 400, T + 60));
    EXPECT_FALSE(AnyDark(Img, L + H + 4, T + 4, L + H + 14, T + 100));
}

TEST_F(PageHeader, EnclosureIsRightAligned)
{
    Header.Enclosure = QStringLiteral("Anlage 1");
    Header.PageText = QStringLiteral("Seite 2");
    Draw();
    EXPECT_TRUE(AnyDark(Img, R - 15 - 30, T + 5, R - 15, T + Row - 5));
    EXPECT_FALSE(AnyDark(Img, R - 14, T + 5, R - 3, T + Row - 5));
}

TEST_F(PageHeader, TextIsSizedInPageUnits)
{
    TCanvas c(&Img);
    Header.DefaultFont().SetCanvasFont(&c);
    EXPECT_EQ(c.Font().Height(), -(Header.DefaultFont().Size() * 254 + 36) / 72);
    // The glyphs of a 10 pt line are about 3.5 mm high, not scaled a second time.
    const int h = c.TextHeight(QStringLiteral("Xy"));
    EXPECT_GT(h, 20);
    EXPECT_LT(h, 60);
}

TEST_F(PageHeader, SettersReplaceWhatTheyHold)
{
    Header.SetCompanyName({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    Header.SetCompanyName({QStringLiteral("d")});
    EXPECT_EQ(Header.CompanyName().size(), 1);
    Header.SetLogoFilename(QStringLiteral("/does/not/exist.png"));
    EXPECT_TRUE(Header.Logo().isNull());
    Header.UseLogo = true;
    EXPECT_EQ(Draw(), H);  // drawn without the logo
}

TEST(PrintInfo, PaperSizesInTenthsOfAMillimetre)
{
    TPrintInfo info;
    TPrinterCaps c = TPrintInfo::A4Fallback();
    c.DPIX = c.DPIY = 600;
    c.PaperHorzRes = 4960;
    c.PaperVertRes = 7016;
    c.HorzRes = 4760;
    c.VertRes = 6816;
    c.HorzPaperMargin = 100;
    c.VertPaperMargin = 100;
    info.SetCaps(c);
    EXPECT_EQ(info.PaperSizeHorz(), 2100);
    EXPECT_EQ(info.PaperSizeVert(), 2970);
    const TRect m = info.PaperMargin();
    EXPECT_EQ(m.Left, 42);
    EXPECT_EQ(m.Top, 42);
    EXPECT_EQ(m.Right, 42);
    EXPECT_EQ(m.Bottom, 42);
    c.DPIX = 0;
    info.SetCaps(c);
    EXPECT_EQ(info.PaperSizeHorz(), 0);
}

TEST(PrintInfo, WithoutAPrinterTheA4Fallback)
{
    TPrintInfo info;
    if (info.GetInfo()) GTEST_SKIP() << "a printer answers on this machine";
    EXPECT_EQ(info.DPIX(), 300);
    EXPECT_EQ(info.PaperSizeHorz(), 2100);
    EXPECT_EQ(info.PaperSizeVert(), 2970);
}
