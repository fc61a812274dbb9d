// The model-parameter dialog as the thermal model drives it: the values shown,
// the built-in defaults, OK refused for values the mesh cannot be built
// from, nothing taken on Cancel.
#include <QLineEdit>
#include <QPushButton>

#include "ScriptedPrompter.h"
#include "model/model/MainModelObj.h"
#include "model/settings/ModelDefaults.h"
#include "ui/dialogs/DlgFrameOKCancel.h"
#include "ui/mesh/DlgInitParams.h"
#include "ui/mesh/MeshDialogsUI.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

class InitalParamsDlg : public ::testing::Test
{
protected:
    void SetUp() override { ScriptedPrompter().Reset(); }
    void TearDown() override { ResetModelDefaults(); }

    // The model's parameter dialog with Work acting on the shown dialog.
    bool Edit(const std::function<void(TDlgInitalParams&)>& Work)
    {
        ScriptedPrompter().QueueShownDialog<TDlgInitalParams>(Work);
        return Model.GridParamsDlg();
    }

    TUIThermModelDialogs Dialogs;
    TModelUIScope<TThermModelDialogs> Scope{&Dialogs};
    TThermModel Model;
};

TEST_F(InitalParamsDlg, ShowsTheModelsValuesAndTakesTheEditsOnOK)
{
    Model.SetDefLambda(3.1);
    Model.SetGridInnerArea(7.5);
    QString lambda, inner;
    ASSERT_TRUE(Edit([&](TDlgInitalParams& d) {
        lambda = d.EdtLambda->text();
        inner = d.EdtMaxInnerArea->text();
        d.EdtThickness->setText(QStringLiteral("150,5"));
        d.EdtMinDistance->setText(QStringLiteral("40"));
        d.FrameOKCancel1->BtnOK->click();
    }));
    EXPECT_EQ(lambda, QStringLiteral("3,1"));
    EXPECT_EQ(inner, QStringLiteral("7,5"));
    EXPECT_DOUBLE_EQ(Model.DefThickness(), 150.5);
    EXPECT_DOUBLE_EQ(Model.GridDeltaBorder(), 40);
    EXPECT_DOUBLE_EQ(Model.DefLambda(), 3.1);
    EXPECT_TRUE(ScriptedPrompter().Messages().isEmpty());
}

TEST_F(InitalParamsDlg, DefaultValuesAreWrittenInGermanAndTakenOnlyOnOK)
{
    DefaultLambda = 2.4;
    Model.SetDefLambda(3);
    Model.SetDefAlphaSurface(5);
    QStringList shown;
    EXPECT_FALSE(Edit([&](TDlgInitalParams& d) {
        d.BtnDefaultValues->click();
        for (QLineEdit* e :
             {d.EdtLambda, d.EdtRhoCP, d.EdtThickness, d.EdtAirTemperature, d.EdtAlpha, d.EdtQEarth, d.EdtFA,
              d.EdtMaxInnerArea, d.EdtMaxOuterArea, d.EdtScaleFactorInner, d.EdtMinDistance})
            shown << e->text();
        d.FrameOKCancel1->BtnCancel->click();
    }));
    EXPECT_EQ(shown, (QStringList{QStringLiteral("2,4"), QStringLiteral("2,5"), QStringLiteral("100"),
                                  QStringLiteral("10"), QStringLiteral("0"), QStringLiteral("0,05"),
                                  QStringLiteral("10"), QStringLiteral("5"), QStringLiteral("50"),
                                  QStringLiteral("3"), QStringLiteral("50")}));
    EXPECT_DOUBLE_EQ(Model.DefLambda(), 3);
    EXPECT_DOUBLE_EQ(Model.DefAlphaSurface(), 5);

    ASSERT_TRUE(Edit([&](TDlgInitalParams& d) {
        d.BtnDefaultValues->click();
        d.FrameOKCancel1->BtnOK->click();
    }));
    EXPECT_DOUBLE_EQ(Model.DefLambda(), 2.4);
    EXPECT_DOUBLE_EQ(Model.DefAlphaSurface(), 0);
}

TEST_F(InitalParamsDlg, OKIsRefusedUntilEveryValueCanBeTaken)
{
    const struct {
        const char* Name;
        QLineEdit* TDlgInitalParams::*Edit;
        QString Text;
        QString Message;
    } cases[] = {
        {"thickness 0", &TDlgInitalParams::EdtThickness, QStringLiteral("0"),
         QStringLiteral("„Mächtigkeit m“ muss größer als 0 sein.")},
        {"negative thickness", &TDlgInitalParams::EdtThickness, QStringLiteral("-5"),
         QStringLiteral("„Mächtigkeit m“ muss größer als 0 sein.")},
        {"lambda no number", &TDlgInitalParams::EdtLambda, QStringLiteral("abc"),
         QStringLiteral("Bitte für „Wärmeleitfähigkeit W/m/K“ eine Zahl eingeben.")},
        {"empty inner area", &TDlgInitalParams::EdtMaxInnerArea, QString(),
         QStringLiteral("Bitte für „Innerer Bereich: Max. Elementfläche [m²]“ eine Zahl eingeben.")},
        {"outer area 0", &TDlgInitalParams::EdtMaxOuterArea, QStringLiteral("0"),
         QStringLiteral("„Äußerer Bereich: Max. Elementfläche [m²]“ muss größer als 0 sein.")},
        {"initial temperature with two separators", &TDlgInitalParams::EdtFA, QStringLiteral("1,2,3"),
         QStringLiteral("Bitte für „Temperatur bei t=0 [°C]“ eine Zahl eingeben.")},
        {"air temperature infinite", &TDlgInitalParams::EdtAirTemperature, QStringLiteral("1e400"),
         QStringLiteral("Bitte für „Lufttemperatur °C“ eine Zahl eingeben.")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        ScriptedPrompter().Reset();
        Model.SetDefLambda(2);
        Model.SetDefThickness(100);
        const double rhoCP = Model.DefRhoCP();
        bool stayedOpen = false, focused = false;
        EXPECT_FALSE(Edit([&](TDlgInitalParams& d) {
            d.EdtRhoCP->setText(QStringLiteral("3"));
            (d.*c.Edit)->setText(c.Text);
            d.FrameOKCancel1->BtnOK->click();
            stayedOpen = d.isVisible();
            focused = d.focusWidget() == d.*c.Edit;
            d.FrameOKCancel1->BtnCancel->click();
        }));
        EXPECT_TRUE(stayedOpen);
        EXPECT_TRUE(focused);
        EXPECT_EQ(ScriptedPrompter().Messages(), QStringList{c.Message});
        EXPECT_DOUBLE_EQ(Model.DefRhoCP(), rhoCP); // nothing assigned
        EXPECT_DOUBLE_EQ(Model.DefThickness(), 100);
    }
}

TEST_F(InitalParamsDlg, ABadValueCorrectedThenOKIsTaken)
{
    ASSERT_TRUE(Edit([&](TDlgInitalParams& d) {
        d.EdtThickness->setText(QStringLiteral("0"));
        d.FrameOKCancel1->BtnOK->click();
        d.EdtThickness->setText(QStringLiteral("80"));
        d.FrameOKCancel1->BtnOK->click();
    }));
    EXPECT_DOUBLE_EQ(Model.DefThickness(), 80);
    EXPECT_EQ(ScriptedPrompter().Messages().size(), 1);
}

} // namespace
