// The parameter-set dialog as a set edits itself, its colour table, and the
// parameter-set window with its rows, double click and Delete key.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "ScriptedPrompter.h"
#include "model/base/ModelUI.h"
#include "model/fe/ParameterSet.h"
#include "ui/dialogs/DlgFrameOKCancel.h"
#include "ui/params/ColorBox.h"
#include "ui/params/DlgParameterSet.h"
#include "ui/params/FormParamsSet.h"
#include "ui/params/ParameterSetDialogsUI.h"
#include "ui/params/WebColors.h"

#include <cmath>

namespace {

// A set with only λ given, as "Satz 1" in red.
TParameterSet LambdaOnly()
{
    TParameterSet set(QStringLiteral("Satz 1"), clRed);
    set.SetT(2.5);
    return set;
}

int ClickOK(TDlgParameterSet& D)
{
    D.FrameOKCancel1->BtnOK->click();
    return D.result();
}

QColor SwatchCentre(const QTreeWidgetItem* Item)
{
    return Item->icon(0).pixmap(16, 16).toImage().pixelColor(8, 8);
}

class ParameterSetDlg : public ::testing::Test {
protected:
    void SetUp() override { ScriptedPrompter().Reset(); }

    void QueueWork(const std::function<int(TDlgParameterSet&)>& Work)
    {
        ScriptedPrompter().QueueDialog([Work](QDialog& d) {
            auto* dlg = dynamic_cast<TDlgParameterSet*>(&d);
            EXPECT_NE(dlg, nullptr);
            return dlg ? Work(*dlg) : int(QDialog::Rejected);
        });
    }

    TParameterSetDialogsUI FDialogs;
    TModelUIScope<TParameterSetDialogs> FScope{&FDialogs};
};

} // namespace

TEST(WebColors, ThePlatformTableInItsOrder)
{
    const auto colors = WebColors();
    ASSERT_EQ(colors.size(), 138u);
    EXPECT_EQ(colors.front().Name, u"Snow");
    EXPECT_EQ(colors.front().Value, RGB(0xFF, 0xFA, 0xFA));
    EXPECT_EQ(colors[1].Name, u"FloralWhite");
    EXPECT_EQ(colors.back().Name, u"Black");
    EXPECT_EQ(colors.back().Value, clBlack);
    QSet<QString> names;
    for (const TWebColor& c : colors) names.insert(QString::fromUtf16(c.Name.data(), c.Name.size()));
    EXPECT_EQ(names.size(), 138);
    for (const TWebColor& c : colors) {
        if (c.Name == u"CornFlowerBlue") {
            EXPECT_EQ(c.Value, RGB(0x64, 0x95, 0xED));  // $BBGGRR, not #RRGGBB
        }
    }
    EXPECT_EQ(ColorSwatchIcon(RGB(0x64, 0x95, 0xED)).pixmap(16, 16).toImage().pixelColor(8, 8),
              QColor(0x64, 0x95, 0xED));
}

TEST_F(ParameterSetDlg, ShowsTheSetAndTakesItBackOnOK)
{
    TParameterSet set = LambdaOnly();
    QString lambda, storage, hint;
    TColor shownColor = 0;
    QueueWork([&](TDlgParameterSet& d) {
        d.show();
        lambda = d.EdtLambda->text();
        storage = d.EdtRhoCP->text();
        hint = d.EdtRhoCP->placeholderText();
        shownColor = d.EdtColor->Selected();
        d.EdtColor->setCurrentIndex(d.EdtColor->findText(QStringLiteral("CornFlowerBlue")));
        d.EdtRhoCP->setText(QStringLiteral("2,4"));
        d.EdtQEarth->setText(QStringLiteral("0,05"));
        d.EdtLambda->clear();  // empty: not set
        return ClickOK(d);
    });
    ASSERT_TRUE(set.Edit());
    EXPECT_EQ(lambda, QStringLiteral("2,5"));
    EXPECT_TRUE(storage.isEmpty());
    EXPECT_EQ(hint, QStringLiteral("typ. Wertebereich 1-10"));
    EXPECT_EQ(shownColor, clRed);
    EXPECT_EQ(set.Color(), RGB(0x64, 0x95, 0xED));
    EXPECT_TRUE(std::isnan(set.T()));
    EXPECT_DOUBLE_EQ(set.Storage(), 2.4);
    EXPECT_DOUBLE_EQ(set.Infiltration(), 0.05);
    EXPECT_TRUE(std::isnan(set.Thickness()));
}

TEST_F(ParameterSetDlg, ATextThatIsNoNumberKeepsTheDialogOpen)
{
    TParameterSet set = LambdaOnly();
    bool refused = false;
    bool focused = false;
    QueueWork([&](TDlgParameterSet& d) {
        d.show();
        d.EdtThickness->setText(QStringLiteral("abc"));
        d.FrameOKCancel1->BtnOK->click();
        refused = d.isVisible() && d.result() != QDialog::Accepted;
        focused = d.focusWidget() == d.EdtThickness;
        d.EdtThickness->setText(QStringLiteral("120"));
        return ClickOK(d);
    });
    ASSERT_TRUE(set.Edit());
    EXPECT_TRUE(refused);
    EXPECT_TRUE(focused);
    ASSERT_EQ(ScriptedPrompter().Messages().size(), 1);
    EXPECT_TRUE(ScriptedPrompter().Messages()[0].contains(QStringLiteral("Mächtigkeit m")));
    EXPECT_DOUBLE_EQ(set.Thickness(), 120);
    EXPECT_DOUBLE_EQ(set.T(), 2.5);
}

TEST_F(ParameterSetDlg, AColourOutsideTheListIsKept)
{
    TColorBox box;
    const TColor odd = RGB(1, 2, 3);
    box.SetSelected(odd);
    EXPECT_EQ(box.Selected(), odd);
    EXPECT_EQ(box.currentText(), QStringLiteral("#010203"));
    box.SetSelected(clWhite);
    EXPECT_EQ(box.currentText(), QStringLiteral("White"));
}

TEST_F(ParameterSetDlg, WindowRowsDoubleClickAndDeleteKey)
{
    TParameterSet lambdaOnly = LambdaOnly();
    TParameterSet full(QStringLiteral("Kies"), clBlue);
    full.SetT(1.8);
    full.SetStorage(2.2);
    full.SetThickness(100);
    full.SetInfiltration(0.065);
    full.SetLeakage(0);
    TFormParamsSet form;
    form.Fill({&lambdaOnly, &full});
    ASSERT_EQ(form.ListViewItems->topLevelItemCount(), 2);
    QTreeWidgetItem* row = form.ListViewItems->topLevelItem(0);
    const QStringList want{QStringLiteral("Satz 1"), QStringLiteral("2,5"), {}, {}, {}, {}};
    for (int c = 0; c < 6; ++c) EXPECT_EQ(row->text(c), want[c]) << c;
    const QStringList wantFull{QStringLiteral("Kies"), QStringLiteral("1,8"), QStringLiteral("2,2"),
                               QStringLiteral("100"), QStringLiteral("0,065"), QStringLiteral("0")};
    for (int c = 0; c < 6; ++c) EXPECT_EQ(form.ListViewItems->topLevelItem(1)->text(c), wantFull[c]) << c;
    EXPECT_EQ(SwatchCentre(row), QColor(Qt::red));

    int changed = 0;
    form.ItemChanged = [&](QObject* Sender) {
        EXPECT_EQ(Sender, nullptr);
        ++changed;
    };
    form.ListViewItems->setCurrentItem(row);
    QueueWork([](TDlgParameterSet& d) {
        d.EdtName->setText(QStringLiteral("Sand"));
        d.EdtColor->SetSelected(clLime);
        return ClickOK(d);
    });
    emit form.ListViewItems->itemDoubleClicked(row, 0);
    EXPECT_EQ(row->text(0), QStringLiteral("Sand"));
    EXPECT_EQ(SwatchCentre(row), QColor(Qt::green));
    EXPECT_EQ(changed, 1);
    // A cancelled edit changes neither the row nor calls ItemChanged.
    QueueWork([](TDlgParameterSet& d) {
        d.EdtName->setText(QStringLiteral("verworfen"));
        return int(QDialog::Rejected);
    });
    emit form.ListViewItems->itemDoubleClicked(row, 0);
    EXPECT_EQ(row->text(0), QStringLiteral("Sand"));
    EXPECT_EQ(changed, 1);

    QObject* deleteSender = nullptr;
    int deletes = 0;
    form.OnDeleteClick = [&](QObject* Sender) {
        deleteSender = Sender;
        ++deletes;
    };
    QTest::keyClick(form.ListViewItems, Qt::Key_Delete);
    EXPECT_EQ(deleteSender, static_cast<QObject*>(form.ListViewItems));
    QTest::keyClick(form.ListViewItems, Qt::Key_Down);
    form.BtnDelete->click();
    EXPECT_EQ(deletes, 2);
    EXPECT_EQ(deleteSender, static_cast<QObject*>(form.BtnDelete));
    EXPECT_EQ(form.SelectedSet(), &full);
}
