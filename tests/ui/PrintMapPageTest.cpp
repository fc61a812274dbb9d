// The printed map page: drawn into an image of one pixel per tenth of a
// millimetre (frame, picture below the header, duration text), the page
// mapping of a printer (text sized once), and the PDF file.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QTemporaryDir>

#include "gfx/Canvas.h"
#include "model/base/KPError.h"
#include "model/settings/KPSettings.h"
#include "model/settings/Streamft.h"
#include "ui/print/MapPage.h"
#include "ui/print/MapPrinter.h"
#include "ui/print/PageObj.h"
#include "ui/print/PrintInfo.h"

namespace {

bool Dark(const QImage& I, int x, int y)
{
    const QColor c = I.pixelColor(x, y);
    return c.red() < 110 && c.green() < 110 && c.blue() < 110;
}

bool Red(const QImage& I, int x, int y)
{
    const QColor c = I.pixelColor(x, y);
    return c.red() > 200 && c.green() < 60 && c.blue() < 60;
}

// The first row from the top at column x that is red; -1 when none.
int FirstRedRow(const QImage& I, int x)
{
    for (int y = 0; y < I.height(); ++y)
        if (Red(I, x, y)) return y;
    return -1;
}

QImage RedPicture(int W, int H)
{
    QImage p(W, H, QImage::Format_ARGB32_Premultiplied);
    p.fill(Qt::red);
    return p;
}

TMapPageText Text()
{
    return TMapPageText{QStringLiteral("Schule Nord"), QStringLiteral("Gemeinde"), (3 * 24 + 5) * 3600.0 + 1234};
}

} // namespace

TEST(PrintMapPage, DurationTexts)
{
    const struct {
        double Seconds;
        const char* Text;
    } cases[] = {{0, "0 d 0 h"},
                 {(3 * 24 + 5) * 3600.0 + 3599, "3 d 5 h"},
                 {365 * 86400.0, "365 d 0 h"},
                 {-10, "0 d 0 h"},
                 {NAN, "0 d 0 h"}};
    for (const auto& c : cases) EXPECT_EQ(SimulationDurationText(c.Seconds), QString::fromUtf8(c.Text)) << c.Text;
}

TEST(PrintMapPage, PageInTenthsOfAMillimetre)
{
    const QStringList oldLines = CompanyLines;
    const int oldStyle = LogoStyle;
    CompanyLines = QStringList{QStringLiteral("Ingenieurbüro Beispiel")};
    LogoStyle = 0;
    TMapPageLayout page;  // A4, margins 200/150/100/150, frame
    TPageHeader header;
    SetupMapPageHeader(header, QStringLiteral("Schule Nord"), QStringLiteral("Gemeinde"),
                       (3 * 24 + 5) * 3600.0, page);
    EXPECT_EQ(header.Title, QStringLiteral("Karte"));
    EXPECT_EQ(header.LblProjectNo, QStringLiteral("Simulationsdauer:"));
    EXPECT_EQ(header.ProjectNo, QStringLiteral("3 d 5 h"));
    EXPECT_EQ(header.Left(), 200);
    EXPECT_EQ(header.Top(), 150);
    EXPECT_EQ(header.Width(), 1800);
    EXPECT_FALSE(header.UseLogo);
    EXPECT_EQ(header.CompanyName(), CompanyLines);
    CompanyLines = oldLines;
    LogoStyle = oldStyle;

    QImage img(2100, 2970, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        TCanvas canvas(&img);
        // A wide picture: fitted to the printable width, centred in height.
        DrawMapPage(canvas, header, RedPicture(400, 200), page);
    }
    for (auto [x, y] : {std::pair{200, 150}, {2000, 150}, {2000, 2820}, {200, 2820}, {1000, 2820}, {200, 1500}})
        EXPECT_TRUE(Dark(img, x, y)) << x << "," << y;
    EXPECT_FALSE(Dark(img, 100, 100));
    const int top = FirstRedRow(img, 1100);
    ASSERT_GT(top, 0);
    // Picture box: 450 .. 2820, 1800 wide; the 2:1 picture is 900 high, centred.
    EXPECT_NEAR(top, 450 + (2370 - 900) / 2, 2);
    EXPECT_TRUE(Red(img, 210, 1600));
    EXPECT_FALSE(Red(img, 1100, 440));
    // The header's rows keep their text inside the header box.
    EXPECT_FALSE(Dark(img, 1500, 430));
}

TEST(PrintMapPage, NoFrameWhenSwitchedOff)
{
    TMapPageLayout page;
    page.DrawFrame = false;
    TPageHeader header;
    QImage img(2100, 2970, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        TCanvas canvas(&img);
        DrawMapPage(canvas, header, QImage(), page);
    }
    EXPECT_FALSE(Dark(img, 200, 2820));
    EXPECT_FALSE(Dark(img, 2000, 1500));
}

TEST(PrintMapPage, PrinterMappingScalesTextOnce)
{
    // A4 at 150 dpi with 5 mm non-printable offsets: the device's (0, 0) is
    // the printable area's corner.
    TPrinterCaps caps;
    caps.DPIX = caps.DPIY = 150;
    caps.PaperHorzRes = 1240;
    caps.PaperVertRes = 1754;
    caps.HorzPaperMargin = caps.VertPaperMargin = 30;
    caps.HorzRes = 1240 - 60;
    caps.VertRes = 1754 - 60;
    caps.HorzSize = 200;
    caps.VertSize = 287;
    TPrintInfo info;
    info.SetCaps(caps);
    QImage img(caps.HorzRes, caps.VertRes, QImage::Format_RGB32);
    img.fill(Qt::white);
    TCanvas canvas(&img);
    SetPageMapping(canvas, info);
    // 20 mm from the paper's corner is 118 px from it, 88 px into the printable area.
    const TPoint p = canvas.LPtoDP(TPoint{200, 200});
    EXPECT_NEAR(p.X, 200 / 254.0 * 150 - 30, 1.0);
    EXPECT_NEAR(p.Y, 200 / 254.0 * 150 - 30, 1.0);
    Streamft::TStreamFont font;
    font.SetSize(10);
    font.SetCanvasFont(&canvas);
    // 10 pt at 150 dpi.
    EXPECT_NEAR(canvas.DeviceFont().pixelSize(), 10.0 / 72 * 150, 1.0);
}

TEST(PrintMapPage, PDFFileIsWrittenAndReplacesAnOldOne)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Karte.pdf"));
    {
        QFile old(file);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("alt");
    }
    TPageHeader header;
    const QPageLayout layout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(5, 5, 5, 5));
    WriteMapPDF(file, layout, header, RedPicture(300, 200), Text());
    QFile pdf(file);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(4).startsWith("%PDF"));
    EXPECT_EQ(header.ProjectNo, QStringLiteral("3 d 5 h"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(PrintMapPage, PDFIntoAMissingFolderIsAnError)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("fehlt/Karte.pdf"));
    TPageHeader header;
    EXPECT_THROW(WriteMapPDF(file, QPageLayout(), header, RedPicture(10, 10), Text()), EKPError);
    EXPECT_FALSE(QFile::exists(file));
}

TEST(PrintMapPage, PDFExtension)
{
    EXPECT_EQ(WithPDFExtension(QStringLiteral("/a/Karte")), QStringLiteral("/a/Karte.pdf"));
    EXPECT_EQ(WithPDFExtension(QStringLiteral("/a/Karte.PDF")), QStringLiteral("/a/Karte.PDF"));
    EXPECT_EQ(WithPDFExtension(QStringLiteral("/a/Karte.png")), QStringLiteral("/a/Karte.png.pdf"));
}
