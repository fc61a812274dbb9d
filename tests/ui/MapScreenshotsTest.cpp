// Pictures of the map commands for a look by eye: a small meshed probe field
// on a georeferenced site map with isotherms, on the probes page, as the
// exported PNG and as the printed page (drawn the way the printer gets it).
#include "MainWindowFixture.h"
#include "Screenshot.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTextStream>

#include "gfx/Canvas.h"
#include "model/fe/NumModel.h"
#include "model/fe/NumNodes.h"
#include "model/probes/BHEObj.h"
#include "model/probes/BHETypelistObj.h"
#include "plan/D2DPaintbox.h"
#include "plan/PlanView.h"
#include "ui/mainwindow/MainActions.h"
#include "ui/mainwindow/MapCommands.h"
#include "ui/mainwindow/PlanExport.h"
#include "ui/mainwindow/ProbesCard.h"
#include "ui/print/MapPage.h"
#include "ui/print/MapPrinter.h"
#include "ui/print/PageObj.h"
#include "ui/print/PrintInfo.h"

#include <cmath>

namespace {

QString Generator()
{
    const QString p =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../../tools/triangle/triangle"));
    return QFileInfo(p).isExecutable() ? QFileInfo(p).canonicalFilePath() : QString();
}

// A site plan of 600 × 400 pixels at 0.25 m per pixel: meadow, a road and
// two buildings, placed by a world file at (500000, 5400100) top-left.
QString SitePlan(const QString& Folder)
{
    QImage img(600, 400, QImage::Format_RGB32);
    img.fill(QColor(205, 225, 180));
    QPainter p(&img);
    p.fillRect(QRect(0, 300, 600, 40), QColor(170, 170, 170));
    p.fillRect(QRect(40, 40, 160, 110), QColor(200, 120, 100));
    p.fillRect(QRect(420, 60, 140, 180), QColor(200, 120, 100));
    p.setPen(QPen(QColor(120, 160, 220), 6));
    p.drawLine(0, 380, 600, 360);
    p.end();
    const QString file = QDir(Folder).filePath(QStringLiteral("lageplan.tif"));
    img.save(file, "TIFF");
    QFile world(QDir(Folder).filePath(QStringLiteral("lageplan.tfw")));
    if (world.open(QIODevice::WriteOnly | QIODevice::Text))
        QTextStream(&world) << "0.25\n0\n0\n-0.25\n500000\n5400100\n";
    return file;
}

} // namespace

using ScreenshotsMap = MainWindowFixture;

TEST_F(ScreenshotsMap, MapExportAndPrintedPage)
{
    SkipWithoutScreenshotDir();
    const QString gen = Generator();
    if (gen.isEmpty()) GTEST_SKIP() << "no mesh generator";
    TFormLoad& w = Window();
    w.resize(1200, 780);
    w.NewProject();
    Settle();
    TProjectControl& c = w.Control();
    c.Project()->SetName(QStringLiteral("Schule am Lindenhof"));
    c.Project()->SetClient(QStringLiteral("Gemeinde Musterstadt"));
    const TBHE* type = w.BHETypelist().Count() ? w.BHETypelist().Items(0) : nullptr;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) c.AddProbe(type, 500070.0 + 8 * i, 5400040.0 + 8 * j);
    const QString old = TriangleLocation;
    TriangleLocation = gen;
    ASSERT_TRUE(c.GenerateMesh(false));
    TriangleLocation = old;
    // A cooled spot around the field for the isotherms.
    T2DTriangleTransient& fe = *c.Project()->Model()->FieldModel();
    for (int k = 0; k < fe.NodeCount(); ++k) {
        TNode* n = fe.GetNodes(k);
        const double r = std::hypot(n->X() - 500078, n->Y() - 5400048);
        n->SetFCustom(10 - 6 * std::exp(-r / 15));
    }
    w.BindProjectToView();
    w.SetActiveCard(mcMap);
    Settle();
    TMapCommands& m = *w.MapCommands();
    ScriptedPrompter().QueueText(SitePlan(Path(QString())));
    w.Actions()->UpdateActions();
    m.MapOpenImage->trigger();
    TPlanView& v = *w.PlanView();
    v.ListViewMapItemChecked(plContours, true);
    w.ProbesCard()->RefreshLayerList();
    m.ZoomMap->trigger();
    Settle();
    SaveScreenshot(w, QStringLiteral("map-probes-page.png"));

    const QString png = QDir(ScreenshotDir()).filePath(QStringLiteral("map-export.png"));
    ScriptedPrompter().QueueText(png);
    w.Actions()->UpdateActions();
    m.MapSave->trigger();
    EXPECT_TRUE(QFileInfo::exists(png));

    QImage bitmap;
    ASSERT_TRUE(m.RenderPlanToBitmap(bitmap));
    // A4 at 150 dpi, mapped as a printer without non-printable margins.
    TPrinterCaps caps = TPrintInfo::A4Fallback();
    caps.DPIX = caps.DPIY = 150;
    caps.HorzRes = caps.PaperHorzRes = 1240;
    caps.VertRes = caps.PaperVertRes = 1754;
    TPrintInfo info;
    info.SetCaps(caps);
    QImage page(1240, 1754, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        TCanvas canvas(&page);
        SetPageMapping(canvas, info);
        const TMapPageLayout layout = MapPageLayout(info);
        TPageHeader& header = m.PageHeader();
        SetupMapPageHeader(header, c.Project()->Name(), c.Project()->Client(), (3 * 24 + 5) * 3600.0, layout);
        DrawMapPage(canvas, header, bitmap, layout);
    }
    SaveScreenshot(page, QStringLiteral("map-printed-page.png"));
    c.SetIsChanged(false);
}
