// The heat-pump and piping pages in the real main window: the list and its
// commands, the model's heat pump, the charts' axes, the flow and the fluid,
// and the information boxes of the load kinds without a heat pump.
#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QGroupBox>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

#include "MainWindowFixture.h"
#include "chart/MVChart.h"
#include "model/loads/HeatpumpObj.h"
#include "model/loads/LoadObject.h"
#include "model/model/MainModelObj.h"
#include "ui/mainwindow/HeatPumpCard.h"
#include "ui/mainwindow/PipingCard.h"
#include "ui/heatpump/CharlineText.h"
#include "ui/heatpump/DlgHeatPump.h"

namespace {

class HeatPumpPage : public MainWindowFixture
{
public:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        Window().NewProject();
        W->Project()->LoadProfile()->SetLoadType(ltYearProfile);
        Card = W->HeatPumpCard();
        W->SetActiveCard(mcHeatpump);
        W->SetIsChanged(false);
    }

    THeatpump& Model() const { return *W->Project()->Model()->HeatPump(); }
    QTreeWidget& List() const { return *Card->ListViewHeatpumps; }
    QTreeWidgetItem* Row(int I) const { return List().topLevelItem(I); }

    void Click(int I)
    {
        List().setCurrentItem(Row(I));
        Card->ListViewHeatpumpsClick();
    }

    THeatPumpCard* Card = nullptr;
};

} // namespace

TEST(HeatPumpAxes, MaximaForPowerAndCOP)
{
    struct { double At30, Power; } power[] = {{14.5, 20}, {20, 20}, {0, 10}, {-3, 10}, {31, 40}, {NAN, 10}};
    for (const auto& c : power) EXPECT_DOUBLE_EQ(THeatPumpCard::PowerAxisMax(c.At30), c.Power) << c.At30;
    struct { double At30; int COP; } cop[] = {{5.2, 6}, {6, 6}, {0, 1}, {0.3, 1}, {NAN, 1}};
    for (const auto& c : cop) EXPECT_EQ(THeatPumpCard::COPAxisMax(c.At30), c.COP) << c.At30;
}

TEST_F(HeatPumpPage, ListShowsTheModelsHeatPumpSelectedWithItsLines)
{
    ASSERT_GE(List().topLevelItemCount(), 1);
    ASSERT_EQ(List().selectedItems().size(), 1);
    QTreeWidgetItem* row = List().selectedItems().first();
    EXPECT_EQ(row->text(0), Model().Name());
    EXPECT_EQ(row->text(1), CharlineText(Model().COP()->A(), Model().COP()->B()));
    EXPECT_EQ(List().headerItem()->text(6), QStringLiteral("Wasseraustrittstemperatur (Kühlbetrieb)"));
    EXPECT_TRUE(Card->GroupBoxHeatpump->isVisibleTo(Card));
    EXPECT_FALSE(Card->GroupBoxHeatpumpInfo->isVisibleTo(Card));

    // A line set in the list reads in the German locale.
    Model().COP()->SetA(0.1);
    Model().COP()->SetB(2.2);
    Model().CoolCOP()->SetA(-0.2);
    Model().CoolCOP()->SetB(9);
    Model().HeatPower()->SetA(0.15);
    Model().HeatPower()->SetB(10);
    W->RefreshHeatPumpPage();
    row = List().selectedItems().first();
    EXPECT_EQ(row->text(1), QStringLiteral("2,20+0,10×ϑ"));
    EXPECT_EQ(row->text(4), QStringLiteral("9,00-0,20×ϑ"));
    // 0,1 × 30 + 2,2 = 5,2 → 6 with 6 segments; 0,15 × 30 + 10 = 14,5 → 20.
    EXPECT_DOUBLE_EQ(Card->ChartCOP->LeftAxis()->Max(), 6);
    EXPECT_EQ(Card->ChartCOP->LeftAxis()->SegmentCount(), 6);
    EXPECT_DOUBLE_EQ(Card->ChartPower->LeftAxis()->Max(), 20);
    EXPECT_FALSE(W->IsChanged());
}

TEST_F(HeatPumpPage, PickingMarksChangedOnlyWhenTheHeatPumpDiffers)
{
    THeatPumplist& list = W->Heatpumps();
    THeatpump* other = list.AddHeatPump();
    other->SetName(QStringLiteral("WP groß"));
    W->RefreshHeatPumpPage();
    const int mine = List().indexOfTopLevelItem(List().selectedItems().first());
    Click(mine);
    EXPECT_FALSE(W->IsChanged());
    Click(list.IndexOf(other));
    EXPECT_TRUE(W->IsChanged());
    EXPECT_TRUE(Model().Match(other));
    EXPECT_NE(&Model(), other);
}

TEST_F(HeatPumpPage, NewHeatPumpIsKeptOnlyWhenConfirmed)
{
    const int before = W->Heatpumps().Count();
    ScriptedPrompter().QueueDialog([](QDialog&) { return QDialog::Rejected; });
    Card->HeatpumpCreate->trigger();
    EXPECT_EQ(W->Heatpumps().Count(), before);
    EXPECT_EQ(List().topLevelItemCount(), before);

    ScriptedPrompter().QueueDialog([](QDialog& D) {
        dynamic_cast<TDlgHeatPump&>(D).EdtName->setText(QStringLiteral("WP neu"));
        return QDialog::Accepted;
    });
    Card->HeatpumpCreate->trigger();
    EXPECT_EQ(W->Heatpumps().Count(), before + 1);
    EXPECT_EQ(List().topLevelItemCount(), before + 1);
    EXPECT_FALSE(W->IsChanged()) << "the list is not the project";
}

TEST_F(HeatPumpPage, DeletingTheModelsEntryKeepsTheModelAndRefreshAddsItAgain)
{
    const QString name = Model().Name();
    const int before = W->Heatpumps().Count();
    ASSERT_EQ(List().selectedItems().size(), 1);
    Card->HeatpumpDelete->trigger();
    EXPECT_EQ(W->Heatpumps().Count(), before - 1);
    EXPECT_EQ(List().topLevelItemCount(), before - 1);
    EXPECT_EQ(Model().Name(), name);
    W->RefreshHeatPumpPage();
    EXPECT_EQ(W->Heatpumps().Count(), before);
    EXPECT_EQ(List().selectedItems().size(), 1);
}

TEST_F(HeatPumpPage, EditingTheSelectedEntryTakesItIntoTheModel)
{
    ScriptedPrompter().QueueDialog([](QDialog& D) {
        dynamic_cast<TDlgHeatPump&>(D).EdtName->setText(QStringLiteral("WP bearbeitet"));
        return QDialog::Accepted;
    });
    EXPECT_TRUE(Card->EditSelectedHeatPump());
    EXPECT_EQ(Model().Name(), QStringLiteral("WP bearbeitet"));
    EXPECT_TRUE(W->IsChanged());
    EXPECT_EQ(List().selectedItems().first()->text(0), QStringLiteral("WP bearbeitet"));
}

TEST_F(HeatPumpPage, OtherLoadKindsShowOnlyTheInformationBoxes)
{
    TPipingCard* piping = W->PipingCard();
    for (TLoadType kind : {ltConstant, ltFile, ltMonthProfile, ltYearProfile}) {
        W->Project()->LoadProfile()->SetLoadType(kind);
        W->RefreshHeatPumpPage();
        W->RefreshPipingPage();
        const bool year = kind == ltYearProfile;
        EXPECT_EQ(Card->GroupBoxHeatpump->isVisibleTo(Card), year) << kind;
        EXPECT_EQ(Card->GroupBoxHeatpumpInfo->isVisibleTo(Card), !year) << kind;
        EXPECT_EQ(piping->EditFlux->isVisibleTo(piping), year) << kind;
        EXPECT_EQ(piping->RGFluid->isVisibleTo(piping), year) << kind;
        EXPECT_EQ(piping->GroupBoxFluidInfo->isVisibleTo(piping), !year) << kind;
    }
    EXPECT_FALSE(W->IsChanged());
}

TEST_F(HeatPumpPage, PipingTakesTheFlowInCubicMetresPerHourAndTheFluid)
{
    TPipingCard* piping = W->PipingCard();
    W->SetActiveCard(mcPiping);
    TThermModel& model = *W->Project()->Model();
    piping->EditFlux->clear();
    QTest::keyClicks(piping->EditFlux, QStringLiteral("1"));
    EXPECT_DOUBLE_EQ(model.FluxFluid(), 1.0 / 3600);
    EXPECT_TRUE(W->IsChanged());
    W->RefreshPipingPage();
    EXPECT_EQ(piping->EditFlux->text(), QStringLiteral("1"));
    QTest::keyClicks(piping->EditFlux, QStringLiteral("x"));
    EXPECT_DOUBLE_EQ(model.FluxFluid(), 1.0 / 3600) << "text that is no number keeps the flow";

    W->SetIsChanged(false);
    piping->FluidButtons->button(flEE25)->click();
    EXPECT_EQ(model.Fluid(), flEE25);
    EXPECT_TRUE(W->IsChanged());
    model.SetFluid(flPE33);
    W->RefreshPipingPage();
    EXPECT_TRUE(piping->FluidButtons->button(flPE33)->isChecked());
}
