// The map, zoom, export and print commands in the main window: a TIFF placed
// by its world file, the zoom buttons, the PDF path without a printer, and
// the rules that enable the commands.
#include "MainWindowFixture.h"

#include <QAction>
#include <QFile>
#include <QPlainTextEdit>
#include <QPrinterInfo>
#include <QTextStream>

#include "model/fe/NumModel.h"
#include "model/fe/NumNodes.h"
#include "plan/D2DPaintbox.h"
#include "plan/PlanView.h"
#include "ui/mainwindow/MainActions.h"
#include "ui/mainwindow/MapCommands.h"
#include "ui/mainwindow/PlanZoom.h"
#include "ui/mainwindow/ProbesCard.h"

namespace {

class MapCommands : public MainWindowFixture {
protected:
    // A new project on the probes page.
    TFormLoad& Shown()
    {
        TFormLoad& w = Window();
        w.resize(1000, 700);
        w.NewProject();
        w.SetActiveCard(mcMap);
        Settle();
        return w;
    }
    void AddNodes(TFormLoad& W, std::initializer_list<QPointF> Points)
    {
        for (QPointF p : Points)
            W.Project()->Model()->FieldModel()->NodesList().Add(std::make_unique<TNode>(p.x(), p.y()));
    }
    // 200 × 100 pixels, left half red, right half blue; 0.5 m per pixel from
    // (1000, 2000) at the top-left corner.
    QString GeoTIFF()
    {
        QImage img(200, 100, QImage::Format_RGB32);
        img.fill(Qt::blue);
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 100; ++x) img.setPixelColor(x, y, Qt::red);
        const QString file = Path(QStringLiteral("lageplan.tif"));
        EXPECT_TRUE(img.save(file, "TIFF"));
        QFile world(Path(QStringLiteral("lageplan.tfw")));
        EXPECT_TRUE(world.open(QIODevice::WriteOnly | QIODevice::Text));
        QTextStream(&world) << "0.5\n0\n0\n-0.5\n1000\n2000\n";
        return file;
    }
};

QColor ScreenColour(TFormLoad& W, const QImage& Shot, QPointF World)
{
    const TPlanView& v = *W.PlanView();
    const QPointF s = v.Mapping().PlanToScreen(v.WorldToPlan(World)) * Shot.devicePixelRatio();
    return Shot.pixelColor(int(s.x()), int(s.y()));
}

} // namespace

TEST(MapActionRules, Table)
{
    const struct {
        TMapActionInputs In;
        bool Map, Zoom, ZoomModel, Output;
    } cases[] = {
        {{false, false, false}, false, false, false, false},
        {{true, false, false}, true, true, false, false},
        {{true, true, false}, true, true, true, true},
        {{true, true, true, true}, false, true, true, false},  // the run owns the node values
        {{true, true, false, true}, false, true, true, true},  // paused: the map stays as the run knows it
    };
    for (const auto& c : cases) {
        const TMapActionRules r = MapActionRules(c.In);
        EXPECT_EQ(r.Map, c.Map);
        EXPECT_EQ(r.Zoom, c.Zoom);
        EXPECT_EQ(r.ZoomModel, c.ZoomModel);
        EXPECT_EQ(r.Output, c.Output);
    }
}

TEST_F(MapCommands, GeoTIFFIsDrawnAtItsWorldPlace)
{
    TFormLoad& w = Shown();
    TMapCommands& m = *w.MapCommands();
    ScriptedPrompter().Reset();
    ScriptedPrompter().QueueText(GeoTIFF());
    w.Actions()->UpdateActions();
    ASSERT_TRUE(m.MapOpenImage->isEnabled());
    m.MapOpenImage->trigger();
    ASSERT_EQ(ScriptedPrompter().Asked().size(), 1u);
    const QString filter = ScriptedPrompter().Asked()[0].DialogName;
    EXPECT_TRUE(filter.contains(QStringLiteral("*.tif"))) << filter.toStdString();
    EXPECT_FALSE(filter.contains(QStringLiteral("wmf")) || filter.contains(QStringLiteral("emf")));
    const TBackgroundPict& map = *w.Project()->MapImage;
    EXPECT_DOUBLE_EQ(map.X1(), 1000);
    EXPECT_DOUBLE_EQ(map.Y1(), 1950);
    EXPECT_DOUBLE_EQ(map.X2(), 1100);
    EXPECT_DOUBLE_EQ(map.Y2(), 2000);
    EXPECT_TRUE(map.HasPicture());
    EXPECT_EQ(w.PlanView()->D2WorldOrg(), QPointF(1000, 1950));
    EXPECT_TRUE(w.IsChanged());
    // The map's top edge is the view's top.
    EXPECT_NEAR(w.PlanView()->Mapping().PlanToScreen(w.PlanView()->WorldToPlan(QPointF(1000, 2000))).y(), 0, 1e-9);

    m.ZoomMap->trigger();
    Settle();
    const QImage shot = w.ProbesCard()->MVPaintBoxD2->grab().toImage();
    const QColor left = ScreenColour(w, shot, QPointF(1025, 1975));
    const QColor right = ScreenColour(w, shot, QPointF(1075, 1975));
    EXPECT_GT(left.red(), left.blue() + 100) << left.name().toStdString();
    EXPECT_GT(right.blue(), right.red() + 100) << right.name().toStdString();

    m.MapDelete->trigger();
    EXPECT_TRUE(map.Filename().isEmpty());
    EXPECT_FALSE(map.HasPicture());
    w.Control().SetIsChanged(false);
}

TEST_F(MapCommands, ZoomButtonsAndFitting)
{
    TFormLoad& w = Shown();
    TMapCommands& m = *w.MapCommands();
    AddNodes(w, {QPointF(0, 0), QPointF(400, 100)});
    w.Actions()->UpdateActions();
    TPlanMapping& map = w.PlanView()->Mapping();
    map.SetTransform(QTransform(0.5, 0, 0, 0.5, 12, -7));
    const QTransform start = map.Transform();
    m.ZoomIn->trigger();
    EXPECT_NEAR(map.Transform().m11(), 0.55, 1e-12);
    m.ZoomOut->trigger();
    EXPECT_NEAR(map.Transform().dx(), start.dx(), 1e-9);
    EXPECT_NEAR(map.Transform().dy(), start.dy(), 1e-9);
    EXPECT_NEAR(map.Transform().m11(), 0.5, 1e-12);
    m.ZoomOneToOne->trigger();
    EXPECT_TRUE(map.Transform().isIdentity());
    ASSERT_TRUE(m.ZoomModel->isEnabled());
    m.ZoomModel->trigger();
    EXPECT_TRUE(w.ProbesCard()->MemoMsg->toPlainText().endsWith(ZoomScaleLine(map.Transform().m11())));
    // The model's centre is the control's centre.
    const QSize size = w.ProbesCard()->MVPaintBoxD2->size();
    const QPointF c = map.PlanToScreen(w.PlanView()->WorldToPlan(QPointF(200, 50)));
    EXPECT_NEAR(c.x(), size.width() / 2.0, 1e-6);
    EXPECT_NEAR(c.y(), size.height() / 2.0, 1e-6);
    w.Control().SetIsChanged(false);
}

TEST_F(MapCommands, PDFWithoutInstalledPrinterGoesToAFile)
{
    const bool oldEnable = PDFEnable;
    const QString oldDriver = PDFDriver;
    PDFEnable = true;
    PDFDriver = QStringLiteral("Kein solcher Drucker");
    TFormLoad& w = Shown();
    AddNodes(w, {QPointF(0, 0), QPointF(40, 20)});
    w.Actions()->UpdateActions();
    QAction* pdf = w.Actions()->MapCreatePDF;
    ASSERT_TRUE(pdf->isVisible());
    ASSERT_TRUE(pdf->isEnabled());
    std::vector<std::pair<QAction*, QString>> runs{{pdf, QStringLiteral("karte-pdf")}};
    // "Karte drucken" takes the same path when there is no printer at all.
    if (QPrinterInfo::availablePrinters().isEmpty())
        runs.emplace_back(w.MapCommands()->MapPrint, QStringLiteral("karte-druck"));
    for (auto [action, name] : runs) {
        ScriptedPrompter().Reset();
        ScriptedPrompter().QueueText(Path(name));
        action->trigger();
        EXPECT_TRUE(ScriptedPrompter().Messages().isEmpty()) << ScriptedPrompter().Messages().join(u'\n').toStdString();
        QFile file(Path(name + QStringLiteral(".pdf")));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        EXPECT_TRUE(file.read(4).startsWith("%PDF"));
        const QPointF p(12, 3);
        EXPECT_EQ(w.Project()->ConvertFunction()(p), w.PlanView()->WorldToPlan(p));
    }
    PDFEnable = oldEnable;
    PDFDriver = oldDriver;
    w.Control().SetIsChanged(false);
}
