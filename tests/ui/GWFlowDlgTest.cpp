// The groundwater dialog: its live labels, OK refused for values the grid
// cannot use, and the values the groundwater grid takes on OK.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ScriptedPrompter.h"
#include "model/groundwater/GWGrid.h"
#include "ui/dialogs/DlgFrameOKCancel.h"
#include "ui/groundwater/DlgGWFlow.h"
#include "ui/groundwater/GWGridDialogsUI.h"

#include <functional>
#include <gtest/gtest.h>
#include <numbers>

namespace {

TGWEditData Values(const QString& Kf, const QString& Gradient, const QString& Porosity,
                   const QString& GridTime)
{
    TGWEditData d;
    d.Direction = QStringLiteral("45");
    d.Kf = Kf;
    d.Gradient = Gradient;
    d.Porosity = Porosity;
    d.Thickness = QStringLiteral("20");
    d.GridTime = GridTime;
    return d;
}

QStringList Labels(const TDialogGWFlow& D)
{
    return {D.LblVFilter->text(), D.LblVDistance->text(), D.LblGridSize->text()};
}

const QStringList NoLabels{QStringLiteral("Filtergeschwindigkeit: -"),
                           QStringLiteral("Abstandsgeschwindigkeit: -"), QStringLiteral("Gittergröße: -")};

class GWFlowDlg : public ::testing::Test
{
protected:
    void SetUp() override { ScriptedPrompter().Reset(); }
};

TEST_F(GWFlowDlg, LabelsFollowTheTypedValues)
{
    TDialogGWFlow dlg;
    dlg.SetData(Values(QStringLiteral("0,001"), QStringLiteral("0,001"), QStringLiteral("0,15"),
                       QStringLiteral("100")));
    EXPECT_EQ(Labels(dlg), (QStringList{QStringLiteral("Filtergeschwindigkeit: 1E-6 m/s"),
                                        QStringLiteral("Abstandsgeschwindigkeit: 0,576 m/d"),
                                        QStringLiteral("Gittergröße: 57,6 m")}));
    EXPECT_TRUE(dlg.UpdateLabels());

    dlg.EdtKf->clear();
    EXPECT_EQ(Labels(dlg), NoLabels);
    dlg.EdtKf->setText(QStringLiteral("0,001"));

    // The thickness has no change handler: the labels stay until OK.
    dlg.EdtThickness->setText(QStringLiteral("x"));
    EXPECT_EQ(Labels(dlg)[1], QStringLiteral("Abstandsgeschwindigkeit: 0,576 m/d"));
    dlg.show();
    dlg.FrameOKCancel1->BtnOK->click();
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(Labels(dlg), NoLabels);
    EXPECT_EQ(dlg.focusWidget(), dlg.EdtThickness);
    EXPECT_EQ(
        ScriptedPrompter().Messages(),
        QStringList{QStringLiteral("Bitte für „wasserdurchströmte Mächtigkeit m“ eine Zahl eingeben.")});
}

TEST_F(GWFlowDlg, OKIsRefusedForValuesTheGridCannotUseCancelAlwaysCloses)
{
    const struct {
        const char* Name;
        TGWEditData Data;
        QString Message;
        QLineEdit* TDialogGWFlow::*Focus;
    } cases[] = {
        {"porosity 0",
         Values(QStringLiteral("0,001"), QStringLiteral("0,001"), QStringLiteral("0"), QStringLiteral("1")),
         QStringLiteral("Die Porosität darf nicht 0 sein."), &TDialogGWFlow::EdtPorosity},
        {"no flow and porosity 0",
         Values(QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("1")),
         QStringLiteral("Die Porosität darf nicht 0 sein."), &TDialogGWFlow::EdtPorosity},
        {"transport step 0",
         Values(QStringLiteral("0,001"), QStringLiteral("0,01"), QStringLiteral("0,2"), QStringLiteral("0")),
         QStringLiteral("Der Transportschritt muss größer als 0 sein."), &TDialogGWFlow::EdtGridTime},
        {"transport step negative",
         Values(QStringLiteral("0,001"), QStringLiteral("0,01"), QStringLiteral("0,2"), QStringLiteral("-1")),
         QStringLiteral("Der Transportschritt muss größer als 0 sein."), &TDialogGWFlow::EdtGridTime},
        {"kf no number",
         Values(QStringLiteral("1E-4x"), QStringLiteral("0,01"), QStringLiteral("0,2"), QStringLiteral("1")),
         QStringLiteral("Bitte für „Durchlässigkeitsbeiwert Kf m/s“ eine Zahl eingeben."),
         &TDialogGWFlow::EdtKf},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        ScriptedPrompter().Reset();
        TDialogGWFlow dlg;
        dlg.SetData(c.Data);
        dlg.show();
        EXPECT_FALSE(dlg.UpdateLabels());
        dlg.FrameOKCancel1->BtnOK->click();
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_EQ(dlg.focusWidget(), dlg.*c.Focus);
        EXPECT_EQ(ScriptedPrompter().Messages(), QStringList{c.Message});
        dlg.FrameOKCancel1->BtnCancel->click();
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_EQ(dlg.result(), QDialog::Rejected);
    }
}

TEST_F(GWFlowDlg, TheGridTakesTheValuesOnOKAndNothingOnCancel)
{
    TUIGWGridDialogs dialogs;
    TModelUIScope<TGWGridDialogs> scope(&dialogs);
    TGWGrid grid;
    grid.SetKF(2.5e-4);
    grid.SetGradient(0.005);
    grid.SetPorosity(0.2);
    grid.SetThickness(30);
    grid.SetDirection(std::numbers::pi / 2);
    const auto edit = [&](const std::function<void(TDialogGWFlow&)>& Work) {
        ScriptedPrompter().QueueDialog([&](QDialog& d) {
            auto* dlg = dynamic_cast<TDialogGWFlow*>(&d);
            if (!dlg) return int(QDialog::Rejected);
            Work(*dlg);
            return dlg->result();
        });
        return grid.Edit();
    };
    QString kf, direction;
    EXPECT_FALSE(edit([&](TDialogGWFlow& d) {
        kf = d.EdtKf->text();
        direction = d.EdtDirection->text();
        d.EdtPorosity->setText(QStringLiteral("0,1"));
        d.FrameOKCancel1->BtnCancel->click();
    }));
    EXPECT_EQ(kf, QStringLiteral("2,5E-4"));
    EXPECT_EQ(direction, QStringLiteral("90"));
    EXPECT_DOUBLE_EQ(grid.Porosity(), 0.2);

    // OK without edits keeps every value.
    EXPECT_TRUE(edit([&](TDialogGWFlow& d) { d.FrameOKCancel1->BtnOK->click(); }));
    EXPECT_DOUBLE_EQ(grid.KF(), 2.5e-4);
    EXPECT_DOUBLE_EQ(grid.Direction(), std::numbers::pi / 2);

    EXPECT_TRUE(edit([&](TDialogGWFlow& d) {
        d.EdtDirection->setText(QStringLiteral("180"));
        d.EdtKf->setText(QStringLiteral("1E-3"));
        d.EdtThickness->setText(QStringLiteral("12,5"));
        d.FrameOKCancel1->BtnOK->click();
    }));
    EXPECT_DOUBLE_EQ(grid.Direction(), std::numbers::pi);
    EXPECT_DOUBLE_EQ(grid.KF(), 1e-3);
    EXPECT_DOUBLE_EQ(grid.Thickness(), 12.5);
}

} // namespace
