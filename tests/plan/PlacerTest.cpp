#include "PlanTestUtil.h"

#include "plan/BHEField.h"

#include <cmath>

namespace {

using TPlacerTest = TPlanTest;

// A rectangle drawn once, so that its handles can be hit.
void DrawOnce(TRotRect& R)
{
    QImage image(400, 400, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    TDirect2DCanvas canvas;
    CreateD2Brushes(canvas);
    canvas.BeginDraw(painter);
    R.Draw(canvas);
    canvas.EndDraw();
}

TEST_F(TPlacerTest, HandlesHitOnlyAfterTheFirstDrawAndWorkTheRectangle)
{
    TRotRect r;
    EXPECT_FALSE(r.IsHit(QTransform(), {0, 0}));  // no handle boxes before a draw
    r.SetSize(D2D1SizeF(200, 100));
    DrawOnce(r);
    const struct {
        const char* Name;
        QPointF Grip, Pull;
        D2D_SIZE_F Size;
    } rows[] = {
        {"diagonal", {200, 100}, {100, 50}, {100, 50}},
        {"vertical", {50, 50}, {50, 80}, {100, 80}},  // bottom middle of 100 × 50 lies at (50, 50)
        {"horizontal", {100, 40}, {-30, 40}, {-30, 80}},  // past the opposite edge
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        DrawOnce(r);
        ASSERT_TRUE(r.IsHit(QTransform(), row.Grip));
        EXPECT_TRUE(r.DoAction(row.Pull));
        EXPECT_EQ(r.Size(), row.Size);
    }
    r.SetActiveHandler(nullptr);
    EXPECT_FALSE(r.DoAction({1, 1}));
}

TEST_F(TPlacerTest, RotatingKeepsTheCentreAndMovingShiftsIt)
{
    TRotRect r;
    r.SetSize(D2D1SizeF(200, 100));
    r.Transform = QTransform::fromTranslate(30, 40);
    const QPointF centre = r.PlanCenter();
    r.Rotate(90);
    EXPECT_NEAR(r.PlanCenter().x(), centre.x(), 1e-9);
    EXPECT_NEAR(r.PlanCenter().y(), centre.y(), 1e-9);
    EXPECT_NEAR(r.Transform.map(QPointF(0, 0)).x(), centre.x() + 50, 1e-9);  // clockwise on the screen
    DrawOnce(r);
    ASSERT_TRUE(r.IsHit(QTransform(), centre));  // the move handle
    r.DoAction(centre + QPointF(5, -3));
    EXPECT_NEAR(r.PlanCenter().x(), centre.x() + 5, 1e-9);
    EXPECT_NEAR(r.PlanCenter().y(), centre.y() - 3, 1e-9);
}

TEST_F(TPlacerTest, CountsProbesOfTheField)
{
    Project->MapImage->SetX1(0);
    View->SetProject(Project.get());
    TD2BHEField field(View.get());
    const struct {
        const char* Name;
        D2D_SIZE_F Size;
        const char* Text;
    } rows[] = {
        {"20 m x 15 m", {200, 150}, "Sonden: 6 (3 x 2)"},
        {"20 m x 20 m", {200, 200}, "Sonden: 9 (3 x 3)"},
        {"9.9 m square", {99, 99}, "Sonden: 1 (1 x 1)"},
        {"negative width", {-200, 150}, "Sonden: 6 (3 x 2)"},
        {"zero width", {0, 150}, "Sonden: 2 (1 x 2)"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Name);
        field.SetSize(r.Size);
        EXPECT_EQ(field.InfoText(), QString::fromUtf8(r.Text));
    }
    View->SetBHEDistance(0);
    EXPECT_FALSE(field.Grid().Valid);
    EXPECT_THROW(field.CreateBHEs(), EKPError);
}

TEST_F(TPlacerTest, PlacesProbesAtTheTurnedGridPointsAndContinuesTheNames)
{
    View->SetProject(Project.get());
    for (int i = 1; i <= 4; ++i) AddProbe(QStringLiteral("EWS %1").arg(i), i, 0);
    TD2BHEField field(View.get());
    field.SetPrefix(QStringLiteral("F"));
    field.SetLoadProfilIndex(0);
    field.SetSize(D2D1SizeF(100, 0));  // 10 m, zero height: one row of two
    field.Transform = QTransform::fromTranslate(100, -200);  // world (10, 20)
    field.Rotate(90);  // about (50, 0): the row turns to point down the screen (south)
    ASSERT_TRUE(field.CreateBHEs());
    ASSERT_EQ(Model().BHEs().Count(), 6);
    EXPECT_EQ(Model().BHE(4)->Name(), QStringLiteral("F5"));
    EXPECT_EQ(Model().BHE(5)->Name(), QStringLiteral("F6"));
    EXPECT_NEAR(Model().BHE(4)->X(), 15, 1e-9);
    EXPECT_NEAR(Model().BHE(4)->Y(), 25, 1e-9);
    EXPECT_NEAR(Model().BHE(5)->X(), 15, 1e-9);
    EXPECT_NEAR(Model().BHE(5)->Y(), 15, 1e-9);
    EXPECT_EQ(Model().BHE(5)->LoadProfilIndex(), 0);
    EXPECT_TRUE(Model().NumModelDirty());
    EXPECT_EQ(View->D2BHEsList().size(), 6u);
    EXPECT_EQ(Host.Added, 2);
}

TEST_F(TPlacerTest, MoreThanAThousandProbesNeedAYesAndAFieldNeedsAModel)
{
    TD2BHEField orphan(View.get());  // no project bound
    orphan.SetSize(D2D1SizeF(200, 200));
    EXPECT_FALSE(orphan.CreateBHEs());

    View->SetProject(Project.get());
    View->SetBHEDistance(1);
    TD2BHEField field(View.get());
    field.SetSize(D2D1SizeF(400, 400));  // 41 × 41 = 1681 probes
    EXPECT_FALSE(field.CreateBHEs());
    ASSERT_EQ(Host.Questions.size(), 1);
    EXPECT_TRUE(Host.Questions[0].contains(QStringLiteral("1681")));
    EXPECT_EQ(Model().BHEs().Count(), 0);
    Host.Answer = true;
    EXPECT_TRUE(field.CreateBHEs());
    EXPECT_EQ(Model().BHEs().Count(), 1681);
}

TEST_F(TPlacerTest, EnterPlacesAndEscCancels)
{
    View->SetProject(Project.get());
    ASSERT_NE(View->StartBHEField(nullptr, QStringLiteral("S"), 0, 800, 600), nullptr);
    EXPECT_NEAR(View->BHEField()->PlanCenter().x(), 400, 1e-9);  // centred in the view
    EXPECT_TRUE(View->PlacerKey(Qt::Key_Escape));
    EXPECT_FALSE(View->AddingField());
    EXPECT_EQ(Model().BHEs().Count(), 0);
    EXPECT_EQ(Host.Changed, 0);
    View->StartBHEField(nullptr, QStringLiteral("S"), 0, 800, 600);
    EXPECT_TRUE(View->PlacerKey(Qt::Key_Return));
    EXPECT_FALSE(View->AddingField());
    EXPECT_EQ(Model().BHEs().Count(), 9);
    EXPECT_EQ(Host.Changed, 1);
    EXPECT_FALSE(View->PlacerKey(Qt::Key_Return));  // no placer: the key is not ours
}

}  // namespace
