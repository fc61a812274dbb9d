// The probe overview: its row texts, deletions bottom-up (buttons, menu and
// the Delete key), editing a probe from it, load profiles for every selected
// row, and refusing all of that while a run holds the probes.
#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTreeWidget>

#include "ScriptedPrompter.h"
#include "model/base/ModelUI.h"
#include "model/control/ProjectControl.h"
#include "model/model/MainModelObj.h"
#include "model/probes/BHEObj.h"
#include "model/run/MainLoopObj.h"
#include "model/time/TimeEngineObj.h"
#include "ui/probes/BHEDialogsUI.h"
#include "ui/probes/BHEsOverview.h"
#include "ui/probes/DlgBHE.h"

#include <gtest/gtest.h>

namespace {

class ProbeOverview : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ScriptedPrompter().Reset();
        FProbes.clear();
        FFired.clear();
        FControl.NewProject();
        for (int i = 0; i < 4; ++i)
            FProbes.push_back(FControl.AddProbe(nullptr, 10.0 * i, 5.125, QStringLiteral("EWS %1").arg(i + 1)));
        FProbes[1]->SetLoadProfilIndex(-1);
        FProbes[2]->SetLoadProfilIndex(1);
        FControl.Model()->SetNumModelDirty(false);
        FControl.SetIsChanged(false);
        FForm.SetControl(&FControl);
        FForm.OnChangeLoadProfile = [this](int Index) { return Index < FNames.size() ? FNames[Index] : QString(); };
        FForm.BHEsChanged = [this](TBHE* B) {
            FFired.push_back(B);
            if (B) FControl.DeleteProbe(B);
        };
        FForm.Refill();
        FForm.show();
    }

    void Select(std::initializer_list<int> Rows)
    {
        FForm.ListViewBHE->clearSelection();
        for (int r : Rows) FForm.ListViewBHE->topLevelItem(r)->setSelected(true);
    }

    QStringList Column(int Col) const
    {
        QStringList texts;
        for (int r = 0; r < FForm.RowCount(); ++r) texts << FForm.ListViewBHE->topLevelItem(r)->text(Col);
        return texts;
    }

    void Pause()
    {
        TTimeEngine& e = FControl.Model()->MainLoop()->TimeEngine();
        e.SetAborted(true);
        e.SetFinished(false);
    }

    QStringList FNames{QStringLiteral("Wohnhaus"), QString()};
    TProjectControl FControl;
    std::vector<TBHE*> FProbes;
    std::vector<TBHE*> FFired;
    TFormBHEs FForm;
};

} // namespace

TEST_F(ProbeOverview, RowsShowTheProbesAndTheirLoadProfiles)
{
    ASSERT_EQ(FForm.RowCount(), 4);
    EXPECT_EQ(FForm.BHEAt(2), FProbes[2]);
    EXPECT_EQ(Column(0), (QStringList{QStringLiteral("EWS 1"), QStringLiteral("EWS 2"), QStringLiteral("EWS 3"),
                                      QStringLiteral("EWS 4")}));
    EXPECT_EQ(Column(2)[0], QStringLiteral("5,13"));
    const QStringList profiles = Column(5);
    EXPECT_EQ(profiles[0], QStringLiteral("Wohnhaus"));
    EXPECT_EQ(profiles[1], QStringLiteral("nicht zugewiesen"));
    EXPECT_EQ(profiles[2], QStringLiteral("ohne Bezeichnung"));
    EXPECT_EQ(FForm.windowTitle(), QStringLiteral("Sonden"));
}

TEST_F(ProbeOverview, DeletionsFireBottomUpAndMarkTheMeshOutOfDate)
{
    const struct {
        const char* Case;
        std::function<void(TFormBHEs&)> Act;
    } cases[] = {
        {"button", [](TFormBHEs& f) { f.BtnDelete->trigger(); }},
        {"menu", [](TFormBHEs& f) { f.Lschen1->trigger(); }},
        {"Delete key", [](TFormBHEs& f) { QTest::keyClick(f.ListViewBHE, Qt::Key_Delete); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Case);
        SetUp();
        Select({0, 1, 3});
        c.Act(FForm);
        EXPECT_EQ(FFired, (std::vector<TBHE*>{FProbes[3], FProbes[1], FProbes[0]}));
        ASSERT_EQ(FForm.RowCount(), 1);
        EXPECT_EQ(FForm.BHEAt(0), FProbes[2]);
        EXPECT_EQ(FControl.Model()->BHEs().Count(), 1);
        EXPECT_TRUE(FControl.Model()->NumModelDirty());
        EXPECT_TRUE(FControl.IsChanged());
    }
}

TEST_F(ProbeOverview, NothingSelectedDeletesNothingDeleteAllDeletesEverything)
{
    FForm.ListViewBHE->clearSelection();
    FForm.BtnDelete->trigger();
    EXPECT_TRUE(FFired.empty());
    FForm.PopupMenu1->popup(QPoint());
    EXPECT_FALSE(FForm.Lschen1->isEnabled());
    EXPECT_FALSE(FForm.Bearbeiten1->isEnabled());
    FForm.PopupMenu1->hide();

    FForm.BtnDeleteAll->trigger();
    EXPECT_EQ(FFired.size(), 4u);
    EXPECT_EQ(FFired.front(), FProbes[3]);
    EXPECT_EQ(FForm.RowCount(), 0);
    EXPECT_EQ(FControl.Model()->BHEs().Count(), 0);
}

TEST_F(ProbeOverview, EditingARowUpdatesItAndMarksTheMeshOutOfDate)
{
    TBHEDialogsUI hooks;
    TModelUIScope<TBHEDialogs> scope(&hooks);
    FProbes[1]->SetX(10.004);
    Select({1});
    FForm.ListViewBHE->setCurrentItem(FForm.ListViewBHE->topLevelItem(1));

    // Confirmed without edits: nothing moves, the mesh stays valid.
    ScriptedPrompter().QueueDialog([](QDialog&) { return QDialog::Accepted; });
    FForm.Bearbeiten1->trigger();
    EXPECT_EQ(FProbes[1]->X(), 10.004);
    EXPECT_FALSE(FControl.Model()->NumModelDirty());
    EXPECT_EQ(FFired, std::vector<TBHE*>{nullptr});

    ScriptedPrompter().QueueDialog([](QDialog& d) {
        auto& dlg = dynamic_cast<TDlgEditBHE&>(d);
        dlg.EdtName->setText(QStringLiteral("Neu"));
        dlg.EdtX->setText(QStringLiteral("11,5"));
        return QDialog::Accepted;
    });
    emit FForm.ListViewBHE->itemDoubleClicked(FForm.ListViewBHE->topLevelItem(1), 0);
    EXPECT_EQ(FProbes[1]->X(), 11.5);
    EXPECT_EQ(FForm.ListViewBHE->topLevelItem(1)->text(0), QStringLiteral("Neu"));
    EXPECT_EQ(FForm.ListViewBHE->topLevelItem(1)->text(1), QStringLiteral("11,5"));
    EXPECT_TRUE(FControl.Model()->NumModelDirty());
    EXPECT_TRUE(FControl.IsChanged());
}

TEST_F(ProbeOverview, ALoadProfileGoesToEverySelectedRow)
{
    FForm.SetLoadProfiles(FNames);
    ASSERT_EQ(FForm.PopupMenuLoadProfils->actions().size(), 2);
    ASSERT_EQ(FForm.Lastprofilzuweisen1->actions().size(), 2);
    Select({1, 3});
    FForm.PopupMenuLoadProfils->actions()[0]->trigger();
    EXPECT_EQ(FProbes[1]->LoadProfilIndex(), 0);
    EXPECT_EQ(FProbes[3]->LoadProfilIndex(), 0);
    EXPECT_EQ(FProbes[2]->LoadProfilIndex(), 1);
    EXPECT_EQ(Column(5)[1], QStringLiteral("Wohnhaus"));
    EXPECT_EQ(Column(5)[3], QStringLiteral("Wohnhaus"));
    EXPECT_TRUE(FControl.IsChanged());
    EXPECT_FALSE(FControl.Model()->NumModelDirty());
}

TEST_F(ProbeOverview, ARunHoldsTheProbes)
{
    TBHEDialogsUI hooks;
    TModelUIScope<TBHEDialogs> scope(&hooks);
    FForm.SetLoadProfiles(FNames);
    Pause();
    ASSERT_TRUE(FControl.IsRunActive());
    Select({0, 2});
    FForm.BtnDelete->trigger();
    QTest::keyClick(FForm.ListViewBHE, Qt::Key_Delete);
    FForm.Bearbeiten1->trigger();
    FForm.Lastprofilzuweisen1->actions()[0]->trigger();
    EXPECT_TRUE(FFired.empty());
    EXPECT_EQ(FForm.RowCount(), 4);
    EXPECT_EQ(FProbes[2]->LoadProfilIndex(), 1);
    EXPECT_EQ(ScriptedPrompter().Messages().size(), 4);
    EXPECT_FALSE(ScriptedPrompter().Asked().empty());
    for (const auto& r : ScriptedPrompter().Asked()) EXPECT_NE(r.Kind, TScriptedPrompter::TKind::Dialog);
}

TEST_F(ProbeOverview, ARowLeftFromAClosedProjectIsNotEdited)
{
    TBHEDialogsUI hooks;
    TModelUIScope<TBHEDialogs> scope(&hooks);
    FForm.OnChangeLoadProfile = nullptr;
    FForm.Clear();
    TBHE stranger;
    FForm.AddBHERow(&stranger);
    Select({0});
    FForm.ListViewBHEDblClick();
    EXPECT_TRUE(ScriptedPrompter().Asked().empty());
    EXPECT_EQ(FForm.RowCount(), 4);  // refilled from the model
}
