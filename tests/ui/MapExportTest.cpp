// The plan drawn off-screen for the picture export and the printout: size
// within the pixel budget, where the mesh lands, the PNG file, and the
// project's conversion going back to the plan in every case.
#include <gtest/gtest.h>

#include <QImageReader>
#include <QTemporaryDir>

#include "model/base/KPError.h"
#include "model/fe/NumModel.h"
#include "model/contours/MVContourObj.h"
#include "model/fe/NumNodes.h"
#include "model/probes/BHEObj.h"
#include "model/project/ProjectObj.h"
#include "plan/PlanView.h"
#include "ui/mainwindow/PlanExport.h"

#include <cmath>
#include <memory>

namespace {

class TFailingProject : public TProject {
public:
    void Draw(TCanvas*, bool, bool, bool, bool, std::uint8_t, double, const TWorldRect&, const TRect&,
              const std::vector<QImage>*) override
    {
        throw EKPError(QStringLiteral("Zeichnen fehlgeschlagen"));
    }
};

class MapExport : public ::testing::Test {
protected:
    void Init(std::unique_ptr<TProject> P)
    {
        Project = std::move(P);
        View = std::make_unique<TPlanView>(nullptr);
        View->SetProject(Project.get());
    }
    void AddNode(double X, double Y)
    {
        Project->Model()->FieldModel()->NodesList().Add(std::make_unique<TNode>(X, Y));
    }
    // The project converts as the plan does.
    void ExpectPlanConversion()
    {
        const QPointF w(1234.5, 678.25);
        ASSERT_TRUE(Project->ConvertFunction());
        EXPECT_EQ(Project->ConvertFunction()(w), View->WorldToPlan(w));
    }
    void TearDown() override
    {
        View.reset();
        Project.reset();
    }

    std::unique_ptr<TProject> Project;
    std::unique_ptr<TPlanView> View;
};

} // namespace

TEST_F(MapExport, ExtentFillsThePixelBudget)
{
    Init(std::make_unique<TProject>());
    AddNode(1000, 2000);
    AddNode(1100, 2050);
    View->SetLayer(plGrid, false);
    QImage bitmap;
    ASSERT_TRUE(RenderPlanToBitmap(*View, bitmap));
    EXPECT_NEAR(bitmap.width(), 4096, 1);
    EXPECT_NEAR(bitmap.height(), 2048, 1);
    EXPECT_NEAR(View->Mapping().ExportScaleFactor(), 100.0 / 4096, 1e-9);
    // The extent's top-left corner is pixel (0, 0).
    const QPointF corner = View->WorldToExport(QPointF(1000, 2050));
    EXPECT_NEAR(corner.x(), 0, 1e-9);
    EXPECT_NEAR(corner.y(), 0, 1e-9);
    EXPECT_EQ(bitmap.pixelColor(10, 10), QColor(Qt::white));
    ExpectPlanConversion();
}

TEST_F(MapExport, ProbesAreDrawnAtTheirPlace)
{
    Init(std::make_unique<TProject>());
    AddNode(0, 0);
    AddNode(40, 40);
    TBHE* bhe = Project->Model()->AddBHE();
    bhe->SetName(QStringLiteral("S1"));
    bhe->SetX(10);
    bhe->SetY(30);
    QImage bitmap;
    ASSERT_TRUE(RenderPlanToBitmap(*View, bitmap));
    const QPointF p = View->WorldToExport(QPointF(10, 30));
    const QColor c = bitmap.pixelColor(int(p.x()), int(p.y()));
    EXPECT_LT(c.lightness(), 100);
    EXPECT_EQ(bitmap.pixelColor(int(p.x()) + 400, int(p.y())), QColor(Qt::white));
}

TEST_F(MapExport, NothingWithoutMeshOrProject)
{
    QImage bitmap(3, 3, QImage::Format_RGB32);
    Init(nullptr);
    EXPECT_FALSE(RenderPlanToBitmap(*View, bitmap));
    Init(std::make_unique<TProject>());
    EXPECT_FALSE(RenderPlanToBitmap(*View, bitmap));
    EXPECT_EQ(bitmap.size(), QSize(3, 3));
}

TEST_F(MapExport, PlanConversionIsBackAfterAFailedDrawing)
{
    Init(std::make_unique<TFailingProject>());
    AddNode(0, 0);
    AddNode(10, 10);
    View->SetLayer(plContours, true);
    QImage bitmap;
    EXPECT_THROW(RenderPlanToBitmap(*View, bitmap), EKPError);
    ExpectPlanConversion();
    const QPointF w(3, 4);
    ASSERT_TRUE(Project->Model()->ContourMap()->ConvertFunction());
    EXPECT_EQ(Project->Model()->ContourMap()->ConvertFunction()(w), View->WorldToPlan(w));
}

TEST_F(MapExport, PNGFile)
{
    QTemporaryDir dir;
    QImage picture(30, 20, QImage::Format_ARGB32_Premultiplied);
    picture.fill(QColor(10, 200, 30));
    const QString file = dir.filePath(QStringLiteral("plan.png"));
    SavePlanPNG(picture, file);
    QImageReader reader(file);
    EXPECT_EQ(reader.format(), "png");
    const QImage back = reader.read();
    EXPECT_EQ(back.size(), QSize(30, 20));
    EXPECT_TRUE(back.hasAlphaChannel());
    EXPECT_EQ(back.pixelColor(5, 5), QColor(10, 200, 30));
    EXPECT_THROW(SavePlanPNG(picture, dir.filePath(QStringLiteral("fehlt/plan.png"))), EKPError);
}
