#include "PlanTestUtil.h"

#include "model/fe/NumNodes.h"
#include "model/contours/MVContourObj.h"
#include "model/run/MainLoopObj.h"
#include "plan/BHEField.h"

#include <QDir>
#include <algorithm>
#include <functional>

namespace {

// The 10 m square mesh at the world origin lies on the screen at (100, 200)-(200, 300);
// (180, 280) is inside the lower-right triangle.
class TPlanPaintTest : public TPlanTest
{
protected:
    void Bind()
    {
        View->SetProject(Project.get());
        View->Mapping().SetTransform(QTransform::fromTranslate(100, 300));
    }
    static bool White(QRgb C) { return qRed(C) > 245 && qGreen(C) > 245 && qBlue(C) > 245; }
    static bool Dark(QRgb C) { return qRed(C) < 60 && qGreen(C) < 60 && qBlue(C) < 60; }
};

TEST_F(TPlanPaintTest, MeshLayerSelectionAndDraggedProbe)
{
    SquareMesh(0, 0, 10);
    AddProbe(QStringLiteral("EWS 1"), 2, 8);
    Bind();
    const QRgb shown = Paint().pixel(180, 280);
    EXPECT_FALSE(White(shown));
    View->SetLayer(plGrid, false);
    View->SetLayer(plNodes, true);
    EXPECT_TRUE(White(Paint().pixel(180, 280)));  // nodes need the grid layer too
    View->SetLayer(plGrid, true);

    View->MVPaintBoxD2MouseMove({}, 180, 280);
    View->MVPaintBoxD2MouseDown(mbLeft, TShiftState{ssCtrl}, 180, 280);
    View->MVPaintBoxD2MouseMove({}, 500, 500);  // hover off, selection stays
    const QRgb selected = Paint().pixel(180, 280);
    EXPECT_GT(qBlue(selected) - qRed(selected), qBlue(shown) - qRed(shown) + 20);

    View->MVPaintBoxD2MouseMove({}, 120, 220);  // the probe at (2, 8) m
    View->MVPaintBoxD2MouseDown(mbMiddle, {}, 120, 220);
    ASSERT_TRUE(View->DraggingBHE());
    EXPECT_TRUE(White(Paint().pixel(180, 280)));
    View->MVPaintBoxD2MouseUp(mbMiddle, {}, 120, 220);
    EXPECT_FALSE(White(Paint().pixel(180, 280)));
}

TEST_F(TPlanPaintTest, LegendStaysAndScaleBarShowsTenMetreSegments)
{
    SquareMesh(0, 0, 10);
    Bind();
    View->SetLayer(plBC, true);
    for (double zoom : {1.0, 3.0}) {
        SCOPED_TRACE(zoom);
        View->Mapping().SetTransform(QTransform::fromScale(zoom, zoom) * QTransform::fromTranslate(100, 300));
        const QImage image = Paint();
        const QRgb dot = image.pixel(20, 20);
        EXPECT_GT(qRed(dot), 150);
        EXPECT_LT(qBlue(dot), 120);
        // Three segments of 10 m from x = 20, 40 pixels above the bottom; the second filled.
        const double seg = 100 * zoom;
        EXPECT_TRUE(White(image.pixel(20 + int(seg / 2), 564)));
        EXPECT_TRUE(Dark(image.pixel(20 + int(seg * 1.5), 564)));
        EXPECT_TRUE(White(image.pixel(20 + int(seg * 2.5), 564)));
    }
}

TEST_F(TPlanPaintTest, GroundwaterCellsOnlyWithAGridAndTheHoveredCellsLines)
{
    for (int i = 0; i < 4; ++i)
        FE().NodesList().Add(std::make_unique<TNode>(i == 1 || i == 2 ? 10 : 0, i >= 2 ? 10 : 0));
    AddTriangle(0, 1, 2);  // only the lower-right half of the square
    Bind();
    View->SetLayer(plGW, true);
    View->SetLayer(plGrid, false);
    Model().GW()->DropCells();  // binding laid the default grid over the mesh
    View->BuildGWGridItems();
    EXPECT_TRUE(View->D2GWGrid().empty());
    EXPECT_TRUE(White(Paint().pixel(150, 200)));  // no cells to outline
    SetGWCellSize(5);
    View->GenerateGWGrid();
    ASSERT_EQ(View->D2GWGrid().size(), 4u);
    EXPECT_FALSE(White(Paint().pixel(150, 201)));  // the grid's upper edge on the screen
    TD2GWElement* straddling = nullptr;
    for (const auto& cell : View->D2GWGrid())
        if (std::abs(Model().GW()->Cells(cell->Index())->Area() - 12.5) < 1e-9) straddling = cell.get();
    ASSERT_NE(straddling, nullptr);
    View->SetD2HoveredObj(straddling);
    ASSERT_EQ(Host.Lines.size(), 2);
    EXPECT_EQ(Host.Lines[0], QStringLiteral("Schnittfläche: 12,5 m²"));
    const double t = Model().GW()->Cells(straddling->Index())->Temperature();
    EXPECT_EQ(Host.Lines[1], QStringLiteral("Temperatur: ") + FormatFloat(QStringLiteral("0.##"), t) +
                                 QStringLiteral(" °C"));
}

TEST_F(TPlanPaintTest, IsothermLayerLooksDrawnDirectlyAndIsRedrawnOnlyWhenSomethingChanged)
{
    SquareMesh(0, 0, 10);
    for (int k = 0; k < FE().NodeCount(); ++k) FE().GetNodes(k)->SetFCustom(k);
    Bind();
    View->SetLayer(plGrid, false);
    View->ListViewMapItemChecked(plContours, true);
    TMVContourMap& map = *Model().ContourMap();
    ASSERT_GT(map.TheLines.Count(), 0);

    const QImage layered = Paint();
    EXPECT_TRUE(View->ContourLayer().LastPaintRedrew());
    // The same lines drawn straight onto the plan without them.
    View->SetLayer(plContours, false);
    QImage direct = Paint();
    View->SetLayer(plContours, true);
    {
        QPainter painter(&direct);
        TDirect2DCanvas canvas;
        canvas.Font().SetName(QStringLiteral("Liberation Sans"));
        canvas.Font().SetSize(8);
        canvas.BeginDraw(painter);
        canvas.RenderTarget().SetTransform(FromQTransform(View->Mapping().Transform()));
        map.D2Draw(canvas);
        canvas.EndDraw();
    }
    int worst = 0, inked = 0;
    for (int y = 0; y < direct.height(); ++y)
        for (int x = 0; x < direct.width(); ++x) {
            const QRgb a = layered.pixel(x, y), b = direct.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                              std::abs(qBlue(a) - qBlue(b))});
            inked += !White(b);
        }
    EXPECT_GT(inked, 100);
    EXPECT_LE(worst, 2);  // blending in two steps rounds differently, nothing more

    const struct {
        const char* Name;
        std::function<void()> Change;
        bool Redraw;
    } cases[] = {
        {"nothing changed", [] {}, false},
        {"hovered item", [&] { View->MVPaintBoxD2MouseMove({}, 150, 250); }, false},
        {"line colour", [&] { map.Lines(0)->SetColor(0x00FF00); }, true},
        {"line moved", [&] { map.Lines(0)->DPIPoints[0].x += 5; }, true},
        {"labels off", [&] { map.SetLineLabels(!map.LineLabels()); }, true},
        {"view panned", [&] { View->Mapping().Pan(QPointF(1, 0)); }, true},
        {"lines recomputed", [&] {
             FE().GetNodes(0)->SetFCustom(0.5);
             Model().MainLoop()->SetIsDirty(true);
         }, true},
        {"lines recomputed alike", [&] { Model().MainLoop()->SetIsDirty(true); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Paint();
        c.Change();
        Paint();
        EXPECT_EQ(View->ContourLayer().LastPaintRedrew(), c.Redraw);
    }
}

// ---- pictures for the screenshot script

class Screenshots : public TPlanTest
{
protected:
    void Save(const QImage& Image, const char* Name)
    {
        ASSERT_TRUE(Image.save(QDir(Dir).filePath(QString::fromUtf8(Name))));
    }
    QString Dir = qEnvironmentVariable("KP_SCREENSHOT_DIR");
};

TEST_F(Screenshots, PlanWithProbeFieldMeshGroundwaterAndIsotherms)
{
    if (Dir.isEmpty()) GTEST_SKIP() << "KP_SCREENSHOT_DIR not set";
#if !defined(KP_TRIANGLE_EXE)
    GTEST_SKIP() << "no mesh generator in this build";
#else
    TriangleLocation = QStringLiteral(KP_TRIANGLE_EXE);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) AddProbe(QStringLiteral("EWS %1").arg(i * 3 + j + 1), 8.0 * i, 8.0 * j);
    Model().GridGenerate(nullptr, false);
    for (int k = 0; k < FE().NodeCount(); ++k) {
        TNode& n = *FE().GetNodes(k);
        double t = 10;
        for (int b = 0; b < Model().BHEs().Count(); ++b)
            t -= 2.5 * std::exp(-std::hypot(n.X() - Model().BHE(b)->X(), n.Y() - Model().BHE(b)->Y()) / 12);
        n.SetFCustom(t);
    }
    View->SetProject(Project.get());
    View->Mapping().SetTransform(QTransform::fromScale(0.45, 0.45) * QTransform::fromTranslate(400, 300));
    View->SetLayer(plOrigin, true);
    View->ListViewMapItemChecked(plContours, true);
    Save(Paint(), "plan-mesh-isotherms.png");

    SetGWCellSize(20, 0.5);
    View->GenerateGWGrid();
    View->SetLayer(plGW, true);
    View->SetLayer(plContours, false);
    View->SetD2HoveredObj(View->D2GWGrid()[View->D2GWGrid().size() / 2].get());
    Save(Paint(), "plan-groundwater.png");

    View->SetLayer(plGW, false);
    View->SetD2HoveredObj(nullptr);
    View->StartBHEField(nullptr, QStringLiteral("F"), 0, 800, 600);
    View->BHEField()->Rotate(20);
    Save(Paint(), "plan-placer.png");
#endif
}

}  // namespace
