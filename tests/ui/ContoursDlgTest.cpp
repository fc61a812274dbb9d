// The contours dialog: its grid, the mapping of its controls onto the
// model's contour settings, and "Übernehmen" (checked before anything is
// applied, once per click, only while its opening lasts).
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "ScriptedPrompter.h"
#include "model/model/MainModelObj.h"
#include "ui/contours/ContourLinesGrid.h"
#include "ui/contours/ContoursDialog.h"
#include "ui/dialogs/DlgFrameOKCancel.h"
#include "ui/mesh/MeshDialogsUI.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

using G = TContourLinesGrid;

class ContoursDlg : public ::testing::Test
{
protected:
    void SetUp() override { ScriptedPrompter().Reset(); }

    // The model's contours dialog with Work acting on the shown dialog.
    bool Edit(const std::function<void(TContoursDlg&)>& Work)
    {
        ScriptedPrompter().QueueShownDialog<TContoursDlg>(Work);
        return Model.ContoursEdit();
    }

    TUIThermModelDialogs Dialogs;
    TModelUIScope<TThermModelDialogs> Scope{&Dialogs};
    TThermModel Model;
};

TEST_F(ContoursDlg, TheGridSizeIsOnlyEditableForTheOwnGrid)
{
    TContoursDlg dlg;
    TContoursEditData d;
    d.UseFE = true;
    d.NumCols = 40;
    d.NumRows = 60;
    dlg.SetData(d);
    const auto enabled = [&] {
        return dlg.EdtNumCols->isEnabled() && dlg.EdtNumRows->isEnabled() && dlg.Label1->isEnabled() &&
               dlg.Label2->isEnabled();
    };
    const auto disabled = [&] {
        return !dlg.EdtNumCols->isEnabled() && !dlg.EdtNumRows->isEnabled() && !dlg.Label1->isEnabled() &&
               !dlg.Label2->isEnabled();
    };
    EXPECT_TRUE(disabled());
    dlg.RBOwnGrid->click();
    EXPECT_TRUE(enabled());
    dlg.RBUseFE->click();
    EXPECT_TRUE(disabled());
    EXPECT_EQ(dlg.EdtNumCols->value(), 40);
}

TEST_F(ContoursDlg, WhichCellsCanBeEditedAndWhatANewRowHolds)
{
    TContoursDlg dlg;
    TContoursEditData d;
    d.Standard = {QStringLiteral("Standard"), 0x0000FF, QStringLiteral("1,5")};
    d.Styles = {{QStringLiteral("12"), 0x00FF00, QStringLiteral("3")}};
    dlg.SetData(d);
    G& g = *dlg.LinesGrid;
    const struct {
        int Row, Col;
        bool CanEdit;
    } cases[] = {{0, 0, false}, {0, 2, false}, {1, 0, false}, {1, 1, true}, {1, 2, true},
                 {1, 3, false}, {2, 0, true},  {2, 1, true},  {2, 2, true}};
    for (const auto& c : cases) {
        EXPECT_EQ(g.CanEditCell(c.Row, c.Col), c.CanEdit) << c.Row << "," << c.Col;
        if (c.Row > 0 && c.Col < G::ColDelete) {
            EXPECT_EQ(bool(g.item(c.Row - 1, c.Col)->flags() & Qt::ItemIsEditable), c.CanEdit)
                << c.Row << "," << c.Col;
        }
    }
    EXPECT_EQ(g.CellText(1, G::ColLevel), QStringLiteral("Standard"));
    EXPECT_EQ(g.DeleteButton(1), nullptr);
    ASSERT_NE(g.DeleteButton(2), nullptr);
    EXPECT_EQ(g.DeleteButton(2)->text(), QStringLiteral("Löschen"));
    EXPECT_EQ(g.CellColor(1), 0x0000FFu);

    dlg.BtnAddLinestyle->click();
    ASSERT_EQ(g.RowCount(), 4);
    EXPECT_EQ(g.CellText(3, G::ColLevel), QString());
    EXPECT_EQ(g.CellColor(3), clBlack);
    EXPECT_EQ(g.CellText(3, G::ColWidth), QStringLiteral("5"));
    EXPECT_NE(g.DeleteButton(3), nullptr);

    // A second opening starts from the header and the default line again.
    dlg.SetData(TContoursEditData{});
    EXPECT_EQ(g.RowCount(), 2);
}

TEST_F(ContoursDlg, ShowsTheModelsSettingsAndMapsTheControlsBackOnOK)
{
    TMVContourMap& map = *Model.ContourMap();
    map.SetLineLabelDist(70);
    TContoursEditData shown;
    ASSERT_TRUE(Edit([&](TContoursDlg& d) {
        shown = d.Data();
        d.RBOwnGrid->click();
        d.EdtNumCols->setValue(120);
        d.RBDelta->click();
        d.EdtMinDistance->setValue(150);
        d.ComboZDelta->setCurrentText(QStringLiteral("2,5"));
        d.ComboZMin->setCurrentText(QStringLiteral("Auto"));
        d.ComboZMax->setCurrentText(QStringLiteral("14"));
        d.ComboValueFormat->setCurrentText(QStringLiteral("0.00 °C"));
        d.LinesGrid->SetCellText(1, G::ColWidth, QStringLiteral("2,5"));
        d.LinesGrid->SetCellColor(1, 0x808080);
        d.BtnAddLinestyle->click();
        d.LinesGrid->SetCellText(d.LinesGrid->RowCount() - 1, G::ColLevel, QStringLiteral("-1,5"));
        d.FrameOKCancelHelp1->BtnOK->click();
    }));
    EXPECT_EQ(shown.MinDistance, 7);
    EXPECT_EQ(Model.ContourMethod(), lcGrid);
    EXPECT_EQ(Model.ContourMapCols(), 120);
    EXPECT_TRUE(Model.ShowDeltaInContour());
    EXPECT_EQ(map.LineLabelDist(), 1500);
    EXPECT_DOUBLE_EQ(map.ZDist(), 2.5);
    EXPECT_FALSE(map.ZAutoDist());
    EXPECT_TRUE(map.ZAutoMin());
    EXPECT_FALSE(map.ZAutoMax());
    EXPECT_DOUBLE_EQ(map.ZMax(), 14);
    EXPECT_EQ(map.LineLabelFormat(), QStringLiteral("0.00 °C"));
    EXPECT_FLOAT_EQ(map.LineWidth(), 2.5f);
    EXPECT_EQ(map.LineColor(), 0x808080u);
    ASSERT_EQ(map.LineStyles.Count(), int(shown.Styles.size()) + 1);
    const TMVContourLineStyle* added = map.Styles(map.LineStyles.Count() - 1);
    EXPECT_DOUBLE_EQ(added->ZValue(), -1.5);
    EXPECT_EQ(added->Color(), clBlack);
    EXPECT_FLOAT_EQ(added->Width(), 5);

    // "Auto" switches the spacing back to automatic.
    ASSERT_TRUE(Edit([&](TContoursDlg& d) {
        d.ComboZDelta->setCurrentText(QStringLiteral("Auto"));
        d.FrameOKCancelHelp1->BtnOK->click();
    }));
    EXPECT_TRUE(map.ZAutoDist());
    EXPECT_DOUBLE_EQ(map.ZDist(), 2.5);
}

TEST_F(ContoursDlg, ADeleteButtonRemovesItsOwnRowAfterRowsAboveWentAway)
{
    TContoursEditData d = Model.ContourSettings();
    d.Styles = {{QStringLiteral("8"), 0, QStringLiteral("1")},
                {QStringLiteral("9"), 0, QStringLiteral("1")},
                {QStringLiteral("11"), 0, QStringLiteral("1")}};
    Model.ApplyContourSettings(d);
    ASSERT_TRUE(Edit([&](TContoursDlg& dlg) {
        QPushButton* last = dlg.LinesGrid->DeleteButton(4);
        dlg.LinesGrid->DeleteButton(2)->click();
        last->click(); // row 4 has become row 3
        dlg.FrameOKCancelHelp1->BtnOK->click();
    }));
    ASSERT_EQ(Model.ContourMap()->LineStyles.Count(), 1);
    EXPECT_DOUBLE_EQ(Model.ContourMap()->Styles(0)->ZValue(), 9);
}

TEST_F(ContoursDlg, ABadCellStopsApplyBeforeAnythingChanges)
{
    const struct {
        const char* Name;
        int Row, Col;
        QString Text;
        QString Message;
    } cases[] = {
        {"width abc", 2, G::ColWidth, QStringLiteral("abc"),
         QStringLiteral("'abc' ist kein gültiger Gleitkommawert.")},
        {"default width", 1, G::ColWidth, QStringLiteral("1,2,3"),
         QStringLiteral("'1,2,3' ist kein gültiger Gleitkommawert.")},
        {"level", 3, G::ColLevel, QStringLiteral("zehn"),
         QStringLiteral("'zehn' ist kein gültiger Gleitkommawert.")},
        {"negative width", 3, G::ColWidth, QStringLiteral("-2"),
         QStringLiteral("Die Linienbreite darf nicht negativ sein.")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        ScriptedPrompter().Reset();
        TThermModel m;
        TContoursEditData before = m.ContourSettings();
        ASSERT_GE(before.Styles.size(), 2u);
        ScriptedPrompter().QueueDialog([&](QDialog& d) {
            auto& dlg = dynamic_cast<TContoursDlg&>(d);
            dlg.show();
            dlg.EdtMinDistance->setValue(222);
            dlg.LinesGrid->SetCellText(c.Row, c.Col, c.Text);
            dlg.FrameOKCancelHelp1->BtnHelp->click();
            EXPECT_EQ(dlg.LinesGrid->currentRow(), c.Row - 1);
            EXPECT_EQ(dlg.LinesGrid->currentColumn(), c.Col);
            EXPECT_EQ(dlg.focusWidget(), dlg.LinesGrid);
            dlg.FrameOKCancelHelp1->BtnOK->click();
            EXPECT_TRUE(dlg.isVisible());
            dlg.FrameOKCancelHelp1->BtnCancel->click();
            return dlg.result();
        });
        EXPECT_FALSE(m.ContoursEdit());
        EXPECT_EQ(ScriptedPrompter().Messages(), (QStringList{c.Message, c.Message}));
        EXPECT_EQ(m.ContourMap()->LineLabelDist(), before.MinDistance * 10);
        EXPECT_EQ(m.ContourMap()->LineStyles.Count(), int(before.Styles.size()));
    }
}

TEST_F(ContoursDlg, ApplyActsAtOnceAndCancelKeepsWhatWasApplied)
{
    int redraws = 0;
    Model.SetRedrawEvent([&](TObject*) { ++redraws; });
    EXPECT_FALSE(Edit([&](TContoursDlg& d) {
        d.EdtMinDistance->setValue(33);
        d.FrameOKCancelHelp1->BtnHelp->click();
        EXPECT_EQ(Model.ContourMap()->LineLabelDist(), 330);
        d.EdtMinDistance->setValue(44);
        d.FrameOKCancelHelp1->BtnCancel->click();
    }));
    EXPECT_EQ(Model.ContourMap()->LineLabelDist(), 330);
    EXPECT_EQ(redraws, 1);
}

TEST_F(ContoursDlg, TwoOpeningsThenOneClickApplyOnceToTheLastModel)
{
    TContoursDlg dlg;
    int first = 0, second = 0;
    dlg.SetData(TContoursEditData{});
    dlg.SetApplyHandler([&](const TContoursEditData&) { ++first; });
    dlg.SetData(TContoursEditData{});
    dlg.SetApplyHandler([&](const TContoursEditData&) { ++second; });
    dlg.FrameOKCancelHelp1->BtnHelp->click();
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 1);

    // Through the model: each opening applies to its own model, once per click.
    int redrawsA = 0, redrawsB = 0;
    TThermModel other;
    Model.SetRedrawEvent([&](TObject*) { ++redrawsA; });
    other.SetRedrawEvent([&](TObject*) { ++redrawsB; });
    const auto clickApply = [&](QDialog& d) {
        dynamic_cast<TContoursDlg&>(d).FrameOKCancelHelp1->BtnHelp->click();
        return int(QDialog::Rejected);
    };
    ScriptedPrompter().QueueDialog(clickApply);
    EXPECT_FALSE(Model.ContoursEdit());
    ScriptedPrompter().QueueDialog(clickApply);
    EXPECT_FALSE(other.ContoursEdit());
    EXPECT_EQ(redrawsA, 1);
    EXPECT_EQ(redrawsB, 1);
}

TEST_F(ContoursDlg, TheLabelFontAndALongFormat)
{
    QFont chosen(QStringLiteral("DejaVu Sans"));
    chosen.setPointSize(14);
    chosen.setBold(true);
    TScriptedPrompter::TAnswer a;
    a.Ok = true;
    a.Font = chosen;
    ScriptedPrompter().Queue(a);
    TContoursDlg dlg;
    TContoursEditData d;
    d.LabelFont.SetColor(0x0000FF);
    dlg.SetData(d);
    dlg.BtnLabelFont->click();
    EXPECT_EQ(dlg.LabelFont.Name(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(dlg.LabelFont.Size(), 14);
    EXPECT_TRUE(dlg.LabelFont.Style().Contains(fsBold));
    EXPECT_EQ(dlg.LabelFont.Color(), 0x0000FFu); // the colour is not the font dialog's

    dlg.show();
    dlg.ComboValueFormat->setCurrentText(QString(MaxLabelFormatLength + 1, QLatin1Char('0')));
    dlg.FrameOKCancelHelp1->BtnOK->click();
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(ScriptedPrompter().Messages(),
              QStringList{QStringLiteral("Das Zahlenformat darf höchstens 30 Zeichen lang sein.")});
    dlg.ComboValueFormat->setCurrentText(QStringLiteral("0.0"));
    dlg.FrameOKCancelHelp1->BtnOK->click();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
}

} // namespace
