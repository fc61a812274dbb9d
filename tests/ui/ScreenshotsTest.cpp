// Pictures of the foundation's windows for a look by eye, written into
// KP_SCREENSHOT_DIR (scripts/screenshots.sh); skipped without it.
#include <gtest/gtest.h>

#include "Screenshot.h"

#include <QDir>
#include <QTabWidget>

#include "gfx/Canvas.h"
#include "ui/print/PageObj.h"
#include "ui/version/ApplicationInfo.h"
#include "ui/version/BMPAbout.h"
#include "ui/dialogs/ToolsOptionsDlg.h"
#include "ui/version/ApplicationVersionHelper.h"

TEST(Screenshots, OptionsDialog)
{
    SkipWithoutScreenshotDir();
    TToolsOptionsDlg dlg;
    dlg.SetPrinterNames({QStringLiteral("PDF"), QStringLiteral("Laserdrucker")});
    TOptionsDialogData d;
    d.BHEMapSize = 4;
    d.NodeSize = 4;
    d.BHETypes = QStringLiteral("/home/planer/.local/share/Mirvatek/bhetypes.xml");
    d.HeatpumpsFile = QStringLiteral("/home/planer/.local/share/Mirvatek/heatpumps.kph");
    d.TempDir = QStringLiteral("/tmp/KP");
    d.DataDir = QStringLiteral("/home/planer/Projekte");
    d.Lambda = QStringLiteral("2,2");
    d.RhoCP = QStringLiteral("2,4");
    d.RadialR = QStringLiteral("0,5");
    d.AutosaveEmpty = true;
    d.PDFEnable = true;
    d.PDFDriver = QStringLiteral("PDF");
    d.DrawFrame = true;
    d.PMLeft = 20;
    d.PMTop = 15;
    d.PMRight = 10;
    d.PMBottom = 15;
    d.CompanyLines = {QStringLiteral("Mirvatek"), QStringLiteral("Software für Erdwärmesonden"),
                      QStringLiteral("Deutschland"), QStringLiteral("www.mirvatek.de")};
    d.LogoStyle = 1;
    dlg.SetData(d);
    dlg.show();
    for (int i = 0; i < dlg.PageControl->count(); ++i) {
        dlg.PageControl->setCurrentIndex(i);
        dlg.adjustSize();
        SaveScreenshot(dlg.grab().toImage(), QStringLiteral("options_%1.png").arg(i + 1));
    }
}

TEST(Screenshots, AboutBox)
{
    SkipWithoutScreenshotDir();
    TMVAppInfo info;
    SetMainWindowAppInfo(info);
    TBmpAboutForm form(nullptr);
    form.SetContents(info.ScreenPicture, info.Publisher, info.Website, info.GetVersionText(), info.LabelsColor);
    form.show();
    SaveScreenshot(form.grab().toImage(), QStringLiteral("about.png"));
}

TEST(Screenshots, PageHeader)
{
    SkipWithoutScreenshotDir();
    QImage img(2000, 300, QImage::Format_RGB32);
    img.fill(Qt::white);
    TPageHeader h;
    h.SetLeft(100);
    h.SetTop(25);
    h.Title = QStringLiteral("Karte");
    h.Project = QStringLiteral("Schule Nord, Erweiterung");
    h.LblProjectNo = QStringLiteral("Simulationsdauer:");
    h.ProjectNo = QStringLiteral("3650 d 0 h");
    h.Client = QStringLiteral("Gemeinde Musterstadt");
    h.Enclosure = QStringLiteral("Anlage 1");
    h.PageText = QStringLiteral("Seite 1");
    QImage logo(QStringLiteral(":/icons/probefield_64.png"));
    h.SetLogo(logo);
    h.UseLogo = true;
    {
        TCanvas c(&img);
        h.Draw(c);
    }
    SaveScreenshot(img, QStringLiteral("page_header.png"));
}
