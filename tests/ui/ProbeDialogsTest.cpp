// The probe, probe-type and probe-field dialogs: what OK refuses and where
// the focus goes, that Cancel always closes, the layout pictures by dpi,
// and that a probe confirmed without edits keeps its exact position.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

#include "ScriptedPrompter.h"
#include "model/base/ModelUI.h"
#include "model/probes/BHEObj.h"
#include "model/probes/BHETypelistObj.h"
#include "ui/dialogs/DlgFrameOKCancel.h"
#include "ui/probes/BHEDialogsUI.h"
#include "ui/probes/BHEEditTypeDlg.h"
#include "ui/probes/BHEFieldCreateDlg.h"
#include "ui/probes/DlgBHE.h"
#include "ui/probes/TubePictures.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace {

class ProbeDialogs : public ::testing::Test
{
protected:
    void SetUp() override { ScriptedPrompter().Reset(); }
};

TBHEEditData ProbeTexts()
{
    TBHEEditData d;
    d.Caption = QStringLiteral("Doppel-U-Sonde");
    d.Name = QStringLiteral("EWS 1");
    d.Depth = QStringLiteral("100");
    d.RB = QStringLiteral("0,08");
    d.X = QStringLiteral("12,35");
    d.Y = QStringLiteral("-4,5");
    return d;
}

bool SameBits(double A, double B)
{
    return std::memcmp(&A, &B, sizeof A) == 0;
}

} // namespace

TEST_F(ProbeDialogs, ProbeDialogRefusesOKForABadNumberButAlwaysCancels)
{
    const struct {
        const char* Case;
        QLineEdit* TDlgEditBHE::*Edit;
        QString Text;
        QString Message;  // empty: refused without a message
    } cases[] = {
        {"length no number", &TDlgEditBHE::EdtDepth, QStringLiteral("hundert"), QString()},
        {"RB no number", &TDlgEditBHE::EdtRB, QStringLiteral("0,08x"), QString()},
        {"X no number", &TDlgEditBHE::EdtX, QStringLiteral("1,2,3"), QString()},
        {"Y no number", &TDlgEditBHE::EdtY, QStringLiteral("y"), QString()},
        {"negative length", &TDlgEditBHE::EdtDepth, QStringLiteral("-5"),
         QStringLiteral("Die Sondenlänge ist kleiner 0")},
        {"negative RB", &TDlgEditBHE::EdtRB, QStringLiteral("-0,1"), QStringLiteral("Der RB-Wert ist kleiner 0")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Case);
        ScriptedPrompter().Reset();
        TDlgEditBHE dlg;
        dlg.SetData(ProbeTexts());
        dlg.show();
        (dlg.*c.Edit)->setText(c.Text);
        dlg.RzDialogButtons1->BtnOK->click();
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_EQ(dlg.focusWidget(), dlg.*c.Edit);
        EXPECT_EQ(ScriptedPrompter().Messages(), c.Message.isEmpty() ? QStringList() : QStringList{c.Message});
        dlg.RzDialogButtons1->BtnCancel->click();
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_EQ(dlg.result(), QDialog::Rejected);
    }
    // The close box, too.
    TDlgEditBHE dlg;
    dlg.SetData(ProbeTexts());
    dlg.show();
    dlg.EdtDepth->setText(QStringLiteral("x"));
    EXPECT_TRUE(dlg.close());
}

TEST_F(ProbeDialogs, ProbeDialogTakesADecimalCommaAndEmptyFields)
{
    TDlgEditBHE dlg;
    dlg.SetData(ProbeTexts());
    dlg.show();
    dlg.EdtDepth->setText(QStringLiteral("12,5"));
    dlg.EdtRB->clear();
    dlg.RzDialogButtons1->BtnOK->click();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Doppel-U-Sonde"));
    EXPECT_EQ(dlg.Data().Depth, QStringLiteral("12,5"));
    EXPECT_TRUE(ScriptedPrompter().Messages().isEmpty());
}

TEST_F(ProbeDialogs, ProbeConfirmedWithoutEditsKeepsItsExactValues)
{
    TBHEDialogsUI hooks;
    TModelUIScope<TBHEDialogs> scope(&hooks);
    TBHE bhe;
    bhe.SetName(QStringLiteral("EWS 1"));
    bhe.SetX(12.345678901);
    bhe.SetY(-4.00499999);
    bhe.SetCasingLength(99.95);
    bhe.SetRB(0.0812345);

    QString shownX;
    ScriptedPrompter().QueueDialog([&](QDialog& d) {
        auto& dlg = dynamic_cast<TDlgEditBHE&>(d);
        shownX = dlg.EdtX->text();
        return QDialog::Accepted;
    });
    ASSERT_TRUE(bhe.Edit());
    EXPECT_EQ(shownX, QStringLiteral("12,35"));
    EXPECT_TRUE(SameBits(bhe.X(), 12.345678901));
    EXPECT_TRUE(SameBits(bhe.Y(), -4.00499999));
    EXPECT_TRUE(SameBits(bhe.CasingLength(), 99.95));
    EXPECT_TRUE(SameBits(bhe.RB(), 0.0812345));

    // An edited field takes the typed value; the others still keep theirs.
    ScriptedPrompter().QueueDialog([](QDialog& d) {
        auto& dlg = dynamic_cast<TDlgEditBHE&>(d);
        dlg.EdtY->setText(QStringLiteral("7,25"));
        dlg.EdtName->setText(QStringLiteral("EWS 9"));
        return QDialog::Accepted;
    });
    ASSERT_TRUE(bhe.Edit());
    EXPECT_EQ(bhe.Y(), 7.25);
    EXPECT_EQ(bhe.Name(), QStringLiteral("EWS 9"));
    EXPECT_TRUE(SameBits(bhe.X(), 12.345678901));

    // Cancel changes nothing.
    ScriptedPrompter().QueueDialog([](QDialog& d) {
        dynamic_cast<TDlgEditBHE&>(d).EdtX->setText(QStringLiteral("0"));
        return QDialog::Rejected;
    });
    EXPECT_FALSE(bhe.Edit());
    EXPECT_TRUE(SameBits(bhe.X(), 12.345678901));
}

TEST_F(ProbeDialogs, TypeDialogChecksInOrderAndFocusesTheFieldToFix)
{
    const struct {
        const char* Case;
        QString Name, RB, Length;
        int Symbol;
        QString Message;
    } cases[] = {
        {"name before RB", QString(), QStringLiteral("x"), QStringLiteral("100"), 0,
         QStringLiteral("Bitte geben Sie eine Bezeichung an")},
        {"RB below 0", QStringLiteral("STD"), QStringLiteral("-0,1"), QStringLiteral("100"), 0,
         QStringLiteral("Der RB-Wert ist kleiner 0")},
        {"RB no number", QStringLiteral("STD"), QStringLiteral("x"), QStringLiteral("-1"), -1,
         QStringLiteral("Der RB-Wert ist keine Zahl")},
        {"no symbol", QStringLiteral("STD"), QStringLiteral("0,1"), QStringLiteral("x"), -1,
         QStringLiteral("Bitte geben Sie ein Symbol an")},
        {"length below 0", QStringLiteral("STD"), QStringLiteral("0,1"), QStringLiteral("-1"), 0,
         QStringLiteral("Die Sondenlänge ist kleiner 0")},
        {"length no number", QStringLiteral("STD"), QStringLiteral("0"), QStringLiteral("lang"), 0,
         QStringLiteral("Die Sondenlänge ist keine Zahl")},
    };
    const QList<QIcon> symbols = DefaultProbeSymbols();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Case);
        ScriptedPrompter().Reset();
        TDlgBHEType dlg;
        dlg.UpdateImagelist(&symbols);
        dlg.show();
        dlg.EdtName->setText(c.Name);
        dlg.EdtRB->setText(c.RB);
        dlg.EdtLength->setText(c.Length);
        dlg.ComboSymbol->setCurrentIndex(c.Symbol);
        dlg.FrameOKCancel1->BtnOK->click();
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_EQ(ScriptedPrompter().Messages(), QStringList{c.Message});
        const QString focus = dlg.focusWidget() ? dlg.focusWidget()->objectName() : QString();
        const QString expected = c.Message.contains(QStringLiteral("Bezeichung"))  ? QStringLiteral("EdtName")
                                 : c.Message.contains(QStringLiteral("RB"))        ? QStringLiteral("EdtRB")
                                 : c.Message.contains(QStringLiteral("Symbol"))    ? QStringLiteral("ComboSymbol")
                                                                                   : QStringLiteral("EdtLength");
        EXPECT_EQ(focus, expected);
        const auto kind = ScriptedPrompter().Asked().back().Kind;
        EXPECT_EQ(kind, c.Message.contains(QStringLiteral("kleiner")) ? TScriptedPrompter::TKind::Error
                                                                      : TScriptedPrompter::TKind::Message);
        dlg.FrameOKCancel1->BtnCancel->click();
        EXPECT_FALSE(dlg.isVisible());
    }
}

TEST_F(ProbeDialogs, TypeDialogRoundTripsThroughTheProbeType)
{
    TBHEDialogsUI hooks;
    TModelUIScope<TBHEDialogs> scope(&hooks);
    TBHE type;
    type.SetName(QStringLiteral("STD 2U"));
    type.SetTubeType(ttDoubleU);
    type.SetRB(0.08);
    type.SetCasingLength(100);
    type.SetImageIndex(2);
    ScriptedPrompter().QueueDialog([](QDialog& d) {
        auto& dlg = dynamic_cast<TDlgBHEType&>(d);
        EXPECT_TRUE(dlg.RBDouble->isChecked());
        EXPECT_EQ(dlg.ComboSymbol->currentIndex(), 2);
        EXPECT_EQ(dlg.EdtRB->text(), QStringLiteral("0,08"));
        dlg.RBCoax->setChecked(true);
        dlg.EdtRB->setText(QStringLiteral("0"));  // 0 passes
        dlg.EdtLength->setText(QStringLiteral("0"));
        dlg.ComboSymbol->setCurrentIndex(4);
        dlg.show();
        dlg.FrameOKCancel1->BtnOK->click();
        return dlg.result();
    });
    ASSERT_TRUE(type.EditType());
    EXPECT_EQ(type.TubeType(), ttCoax);
    EXPECT_EQ(type.RB(), 0.0);
    EXPECT_EQ(type.CasingLength(), 0.0);
    EXPECT_EQ(type.ImageIndex(), 4);
    EXPECT_TRUE(ScriptedPrompter().Messages().isEmpty());
}

TEST_F(ProbeDialogs, LayoutPictureSizeFollowsTheDpi)
{
    const struct {
        int Dpi, Size;
    } cases[] = {{96, 64}, {120, 64}, {144, 96}, {192, 128}, {288, 128}, {384, 256}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Dpi);
        EXPECT_EQ(TubePictureSize(c.Dpi), c.Size);
    }
    TDlgBHEType dlg(nullptr, 144);
    EXPECT_EQ(dlg.PictureSize(), 96);
    for (QLabel* img : {dlg.Image1, dlg.Image2, dlg.Image3}) EXPECT_EQ(img->pixmap().size(), QSize(96, 96));
    // Drawn, not blank: the borehole's filling at a point between the tubes
    // of the single U, its corner transparent.
    const QImage single = TubeCrossSection(ttSingleU, 128).toImage();
    EXPECT_EQ(single.pixelColor(0, 0).alpha(), 0);
    EXPECT_GT(single.pixelColor(64, 30).alpha(), 200);
    const QImage coax = TubeCrossSection(ttCoax, 128).toImage();
    EXPECT_NE(coax.pixelColor(64, 64), single.pixelColor(64, 64));  // the inner tube sits in the centre
}

TEST_F(ProbeDialogs, FieldDialogShowsBothMessagesAndTakesADecimalComma)
{
    TBHETypelist types;
    types.CreateDummy();
    TDlgCreateBHEField dlg;
    dlg.SetSpacing(10);
    dlg.SetBHETypes(types);
    dlg.SetLoadProfiles({QStringLiteral("Wohnhaus"), QStringLiteral("Büro")}, 1);
    dlg.show();
    EXPECT_EQ(dlg.EdtBHEDist->text(), QStringLiteral("10"));
    ASSERT_NE(dlg.SelectedType(), nullptr);
    EXPECT_EQ(dlg.SelectedType(), types.Items(0));
    EXPECT_EQ(dlg.LoadProfileIndex(), 1);

    dlg.EdtBHEDist->setText(QStringLiteral("0"));
    dlg.LV_BHETypes->clearSelection();
    dlg.FrameOKCancel1->BtnOK->click();
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(ScriptedPrompter().Messages(), (QStringList{QStringLiteral("Der Sondenabstand muss >0 m sein!"),
                                                          QStringLiteral("Auswahl des Sondentyps erforderlich.")}));
    EXPECT_EQ(dlg.focusWidget(), dlg.EdtBHEDist);

    ScriptedPrompter().Reset();
    dlg.EdtBHEDist->setText(QStringLiteral("abc"));
    dlg.FrameOKCancel1->BtnOK->click();
    EXPECT_EQ(ScriptedPrompter().Messages(), (QStringList{QStringLiteral("Ungültige Eingabe für den Sondenabstand."),
                                                          QStringLiteral("Auswahl des Sondentyps erforderlich.")}));
    EXPECT_EQ(dlg.Spacing(10), 10.0);

    // A group header is no type.
    ScriptedPrompter().Reset();
    dlg.EdtBHEDist->setText(QStringLiteral("12,5"));
    dlg.LV_BHETypes->setCurrentItem(dlg.LV_BHETypes->topLevelItem(0));
    EXPECT_EQ(dlg.SelectedType(), nullptr);
    dlg.LV_BHETypes->setCurrentItem(dlg.LV_BHETypes->topLevelItem(0)->child(0));
    dlg.EdtPrefix->setText(QStringLiteral("EWS"));
    dlg.FrameOKCancel1->BtnOK->click();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_TRUE(ScriptedPrompter().Messages().isEmpty());
    EXPECT_EQ(dlg.Spacing(10), 12.5);
    EXPECT_EQ(dlg.Prefix(), QStringLiteral("EWS"));
    ASSERT_NE(dlg.SelectedType(), nullptr);
    EXPECT_EQ(dlg.SelectedType()->TubeType(), ttSingleU);
}

TEST_F(ProbeDialogs, FieldDialogCancelNeedsNothing)
{
    TDlgCreateBHEField dlg;
    dlg.show();
    dlg.EdtBHEDist->setText(QStringLiteral("0"));
    dlg.FrameOKCancel1->BtnCancel->click();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_TRUE(ScriptedPrompter().Messages().isEmpty());
}
