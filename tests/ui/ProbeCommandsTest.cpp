// The probe commands of the main window: the grouped probe-type list with
// its file, dragging a type onto the plan, the probe overview kept in step
// with the model, the probe-field command with Enter and Esc, and the
// parameter sets.
#include "MainWindowFixture.h"

#include <QAction>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QRadioButton>
#include <QComboBox>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "model/base/ModelUI.h"
#include "model/fe/NumElements.h"
#include "model/fe/NumModel.h"
#include "model/fe/ParameterSet.h"
#include "model/model/MainModelObj.h"
#include "model/probes/BHEObj.h"
#include "model/probes/BHETypelistObj.h"
#include "plan/BHEField.h"
#include "plan/D2DPaintbox.h"
#include "plan/PlanView.h"
#include "ui/dialogs/DlgFrameOKCancel.h"
#include "ui/mainwindow/MainActions.h"
#include "ui/mainwindow/ParamSetCommands.h"
#include "ui/mainwindow/ProbeCommands.h"
#include "ui/mainwindow/ProbesCard.h"
#include "ui/params/DlgParameterSet.h"
#include "ui/params/FormParamsSet.h"
#include "ui/params/ParameterSetDialogsUI.h"
#include "ui/probes/BHEDialogsUI.h"
#include "ui/probes/BHEEditTypeDlg.h"
#include "ui/probes/BHEFieldCreateDlg.h"
#include "ui/probes/BHEsOverview.h"
#include "ui/probes/FluidPropertiesWnd.h"

#include <memory>

namespace {

class ProbeCommands : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        FBHEScope = std::make_unique<TModelUIScope<TBHEDialogs>>(&FBHEHooks);
        FSetScope = std::make_unique<TModelUIScope<TParameterSetDialogs>>(&FSetHooks);
    }
    void TearDown() override
    {
        W.reset();
        FSetScope.reset();
        FBHEScope.reset();
        MainWindowFixture::TearDown();
    }

    // The window with an empty project on the probes page.
    TFormLoad& ProjectWindow()
    {
        TFormLoad& w = Window();
        w.NewProject();
        Settle();
        w.SetActiveCard(mcMap);
        return w;
    }
    TProbeCommands& Commands() { return *Window().ProbeCommands(); }
    TThermModel& Model() { return *Window().Control().Model(); }
    TBHETypeListView& TypeList() { return *Window().ProbesCard()->ListViewBHETypes; }

    // Group caption → type names shown below it (visible groups only).
    QStringList TypeRows()
    {
        QStringList rows;
        for (int g = 0; g < TypeList().topLevelItemCount(); ++g) {
            QTreeWidgetItem* group = TypeList().topLevelItem(g);
            if (group->isHidden()) continue;
            QStringList names;
            for (int c = 0; c < group->childCount(); ++c) names << group->child(c)->text(0);
            rows << group->text(0) + QStringLiteral(": ") + names.join(QStringLiteral(", "));
        }
        return rows;
    }

    int TypesInFile()
    {
        TBHETypelist l;
        l.LoadXML(BHETypesFile);
        return l.Count();
    }

    // Nx × Ny squares of 10 m from the origin, two triangles each.
    void SquareMesh(int Nx, int Ny)
    {
        T2DTriangleTransient& m = *Model().FieldModel();
        for (int j = 0; j <= Ny; ++j)
            for (int i = 0; i <= Nx; ++i) m.NodesList().Add(new TNode(i * 10.0, j * 10.0));
        auto n = [&](int i, int j) { return m.Nodes(j * (Nx + 1) + i); };
        for (int j = 0; j < Ny; ++j)
            for (int i = 0; i < Nx; ++i) {
                m.ElementsList().Add(new TTransientTriangle(n(i, j), n(i + 1, j), n(i + 1, j + 1), 1, 0, 1e30, 1));
                m.ElementsList().Add(new TTransientTriangle(n(i, j), n(i + 1, j + 1), n(i, j + 1), 1, 0, 1e30, 1));
            }
        Window().RebuildPlanItems();
    }

    void SelectElements(std::initializer_list<int> Indices)
    {
        TPlanView& plan = *Window().PlanView();
        for (int i : Indices) {
            plan.SetD2HoveredObj(plan.D2ElementsList()[size_t(i)].get());
            plan.ToggleHoveredElementSelection();
        }
    }

    // Queues the parameter-set dialog: its proposed name noted, then OK or Cancel.
    void QueueSetDialog(QStringList& Proposed, bool OK)
    {
        ScriptedPrompter().QueueDialog([&Proposed, OK](QDialog& d) {
            auto& dlg = dynamic_cast<TDlgParameterSet&>(d);
            Proposed << dlg.EdtName->text();
            if (OK) {
                dlg.EdtLambda->setText(QStringLiteral("2,5"));
                dlg.EdtThickness->setText(QStringLiteral("1"));
            }
            return OK ? QDialog::Accepted : QDialog::Rejected;
        });
    }

    TBHEDialogsUI FBHEHooks;
    TParameterSetDialogsUI FSetHooks;
    std::unique_ptr<TModelUIScope<TBHEDialogs>> FBHEScope;
    std::unique_ptr<TModelUIScope<TParameterSetDialogs>> FSetScope;
};

} // namespace

TEST_F(ProbeCommands, TypeListIsGroupedAndEveryChangeIsSaved)
{
    TFormLoad& w = ProjectWindow();
    EXPECT_EQ(TypeRows(), (QStringList{QStringLiteral("U-Sonden: STD 1U"), QStringLiteral("Doppel-U-Sonden: STD 2U")}));
    ASSERT_EQ(TypesInFile(), 2);
    EXPECT_FALSE(w.Actions()->BHETypeEdit->isEnabled());

    // Cancelled: neither list nor file change.
    ScriptedPrompter().QueueDialog([](QDialog&) { return QDialog::Rejected; });
    Commands().BHETypeAdd->trigger();
    EXPECT_EQ(w.BHETypelist().Count(), 2);

    ScriptedPrompter().QueueDialog([](QDialog& d) {
        auto& dlg = dynamic_cast<TDlgBHEType&>(d);
        dlg.EdtName->setText(QStringLiteral("Koax 80"));
        dlg.EdtRB->setText(QStringLiteral("0,12"));
        dlg.EdtLength->setText(QStringLiteral("80"));
        dlg.RBCoax->setChecked(true);
        dlg.ComboSymbol->setCurrentIndex(2);
        return QDialog::Accepted;
    });
    Commands().BHETypeAdd->trigger();
    ASSERT_EQ(w.BHETypelist().Count(), 3);
    EXPECT_EQ(TypesInFile(), 3);
    EXPECT_EQ(TypeRows().last(), QStringLiteral("Koaxialsonden: Koax 80"));
    ASSERT_EQ(TypeList().SelectedTypeIndex(), 2);
    EXPECT_EQ(TypeList().selectedItems().first()->text(2), QStringLiteral("0,12"));
    EXPECT_TRUE(w.Actions()->BHETypeEdit->isEnabled());

    // Edited into a single U: the row moves to its group.
    ScriptedPrompter().QueueDialog([](QDialog& d) {
        dynamic_cast<TDlgBHEType&>(d).RBSingle->setChecked(true);
        return QDialog::Accepted;
    });
    emit TypeList().itemDoubleClicked(TypeList().selectedItems().first(), 0);
    EXPECT_EQ(TypeRows(), (QStringList{QStringLiteral("U-Sonden: STD 1U, Koax 80"),
                                       QStringLiteral("Doppel-U-Sonden: STD 2U")}));

    // A probe of the first type; deleting the type leaves it alone and the
    // overview loses that group.
    TBHE* probe = w.Control().AddProbe(w.BHETypelist().Items(0), 5, 5, QStringLiteral("EWS 1"));
    Commands().BuildBHETypeGroups();
    TFormBHEs& overview = *Commands().FormBHEs();
    ASSERT_EQ(overview.ListViewBHE->topLevelItemCount(), 1);
    EXPECT_EQ(overview.ListViewBHE->topLevelItem(0)->text(0), QStringLiteral("STD 2U"));
    TypeList().SelectType(0);
    w.Actions()->BHETypeDelete->trigger();
    EXPECT_EQ(TypesInFile(), 2);
    EXPECT_EQ(overview.GroupCount(), 2);
    ASSERT_EQ(overview.RowCount(), 1);
    EXPECT_EQ(overview.ListViewBHE->topLevelItem(0)->text(0), QStringLiteral("EWS 1"));  // no group any more
    EXPECT_EQ(probe->RB(), 0.1);
    EXPECT_EQ(probe->TubeType(), ttDoubleU);
}

TEST_F(ProbeCommands, ADraggedTypeBecomesAProbeWithARow)
{
    TFormLoad& w = ProjectWindow();
    Commands().BHEOverviewExecute();
    TypeList().SelectType(1);
    std::unique_ptr<QMimeData> data(TypeList().MimeDataForSelection());
    ASSERT_TRUE(data);
    EXPECT_EQ(data->data(TPlanView::BHETypeMimeType()), QByteArray("1"));
    w.SetIsChanged(false);
    TBHE* probe = w.PlanView()->MVPaintBoxD2DragDrop(data.get(), 50, 40);
    ASSERT_TRUE(probe);
    EXPECT_EQ(probe->Name(), QStringLiteral("Sonde 1"));
    EXPECT_EQ(probe->TubeType(), ttSingleU);
    EXPECT_TRUE(w.IsChanged());
    ASSERT_EQ(Commands().FormBHEs()->RowCount(), 1);
    EXPECT_EQ(Commands().FormBHEs()->BHEAt(0), probe);
    EXPECT_EQ(Commands().FormBHEs()->ListViewBHE->topLevelItem(0)->text(0), QStringLiteral("STD 1U"));
    // No selection, no drag.
    TypeList().clearSelection();
    EXPECT_EQ(TypeList().MimeDataForSelection(), nullptr);
}

TEST_F(ProbeCommands, OverviewFollowsTheModelAndTheProject)
{
    TFormLoad& w = ProjectWindow();
    for (int i = 0; i < 3; ++i) w.Control().AddProbe(nullptr, 10.0 * i, 0, QStringLiteral("EWS %1").arg(i + 1));
    w.Actions()->BHEOverview->trigger();
    TFormBHEs& overview = *Commands().FormBHEs();
    ASSERT_TRUE(overview.isVisible());
    ASSERT_EQ(overview.RowCount(), 3);
    EXPECT_EQ(overview.PopupMenuLoadProfils->actions().size(), Window().Project()->LoadProfils().Count());

    // A delete in the overview: the probe leaves the model and the plan, the
    // mesh is out of date.
    Model().SetNumModelDirty(false);
    w.SetIsChanged(false);
    overview.RowItem(1)->setSelected(true);
    overview.BtnDelete->trigger();
    EXPECT_EQ(Model().BHEs().Count(), 2);
    EXPECT_EQ(w.PlanView()->D2BHEsList().size(), 2u);
    EXPECT_TRUE(Model().NumModelDirty());
    EXPECT_TRUE(w.IsChanged());

    // A probe moved on the plan: its row's position.
    TBHE* moved = Model().BHE(0);
    moved->SetX(3.25);
    w.BHEMoved(moved);
    EXPECT_EQ(overview.RowItem(0)->text(1), QStringLiteral("3,25"));

    // The load-profile name is a plain getter.
    w.SetIsChanged(false);
    EXPECT_EQ(Commands().LoadProfileName(0), w.Project()->LoadProfil(0)->Name());
    EXPECT_EQ(Commands().LoadProfileName(99), QString());
    EXPECT_FALSE(w.IsChanged());

    // Closing the project empties it.
    w.SetIsChanged(false);
    w.Actions()->FileClose->trigger();
    Settle();
    EXPECT_EQ(w.Project(), nullptr);
    EXPECT_EQ(overview.RowCount(), 0);
}

TEST_F(ProbeCommands, FieldDialogThenEnterPlacesTheFieldAndEscCancelsIt)
{
    TFormLoad& w = ProjectWindow();
    TPlanView& plan = *w.PlanView();
    // Cancelled: nothing starts.
    ScriptedPrompter().QueueDialog([](QDialog&) { return QDialog::Rejected; });
    Commands().BHECreateField->trigger();
    EXPECT_FALSE(plan.AddingField());

    QString shownSpacing;
    ScriptedPrompter().QueueDialog([&](QDialog& d) {
        auto& dlg = dynamic_cast<TDlgCreateBHEField&>(d);
        shownSpacing = dlg.EdtBHEDist->text();
        dlg.EdtBHEDist->setText(QStringLiteral("10"));
        dlg.EdtPrefix->setText(QStringLiteral("EWS "));
        return QDialog::Accepted;
    });
    Commands().BHECreateField->trigger();
    EXPECT_EQ(shownSpacing, QStringLiteral("10"));
    ASSERT_TRUE(plan.AddingField());
    // Centred in the plan control: 20 m = 200 plan units around the centre.
    const TMVPaintBoxD2D& box = *w.ProbesCard()->MVPaintBoxD2;
    const QPointF centre = plan.DeviceToPlan(box.width() / 2, box.height() / 2);
    const QPointF topLeft = plan.BHEField()->Transform.map(QPointF(0, 0));
    EXPECT_NEAR(topLeft.x(), centre.x() - 100, 1e-3);
    EXPECT_NEAR(topLeft.y(), centre.y() - 100, 1e-3);

    w.SetIsChanged(false);
    QTest::keyClick(w.ProbesCard()->MVPaintBoxD2, Qt::Key_Return);
    EXPECT_FALSE(plan.AddingField());
    EXPECT_EQ(Model().BHEs().Count(), 9);  // 3 × 3 at 10 m
    EXPECT_EQ(Commands().FormBHEs()->RowCount(), 9);
    EXPECT_TRUE(w.IsChanged());
    EXPECT_TRUE(Model().NumModelDirty());

    // Esc ends the next one with nothing placed; the spacing was kept.
    ScriptedPrompter().QueueDialog([&](QDialog& d) {
        shownSpacing = dynamic_cast<TDlgCreateBHEField&>(d).EdtBHEDist->text();
        return QDialog::Accepted;
    });
    Commands().BHECreateField->trigger();
    ASSERT_TRUE(plan.AddingField());
    QTest::keyClick(w.ProbesCard()->MVPaintBoxD2, Qt::Key_Escape);
    EXPECT_FALSE(plan.AddingField());
    EXPECT_EQ(Model().BHEs().Count(), 9);
}

TEST_F(ProbeCommands, ParameterSetsNewAssignAndDelete)
{
    TFormLoad& w = ProjectWindow();
    SquareMesh(2, 1);
    w.Actions()->Parameterstze1->trigger();
    TParamSetCommands& sets = *Commands().ParamSets();
    TFormParamsSet& form = *sets.FormParamsSet();
    ASSERT_TRUE(form.isVisible());
    EXPECT_EQ(form.ListViewItems->topLevelItemCount(), Model().Paramsets().Count());
    while (Model().Paramsets().Count() > 2) Model().Paramsets().Delete(Model().Paramsets().Count() - 1);
    while (Model().Paramsets().Count() < 2) Model().Paramsets().Add(new TParameterSet(QStringLiteral("X"), 0));
    sets.Refill();

    // Two sets: the next is proposed as number 3; a cancelled one is dropped.
    QStringList proposed;
    QueueSetDialog(proposed, false);
    form.BtnInsertRecord->click();
    QueueSetDialog(proposed, true);
    form.BtnInsertRecord->click();
    EXPECT_EQ(proposed, (QStringList{QStringLiteral("Satz 3"), QStringLiteral("Satz 3")}));
    ASSERT_EQ(Model().Paramsets().Count(), 3);
    auto* added = Model().Paramsets().ItemAs<TParameterSet>(2);
    EXPECT_EQ(added->Color(), TColor(0x0000FF));
    EXPECT_EQ(sets.FormParamsSet()->SelectedSet(), added);

    // No element selected: only the changed mark.
    w.SetIsChanged(false);
    form.BtnApply->click();
    EXPECT_TRUE(w.IsChanged());
    T2DTriangleTransient& fe = *Model().FieldModel();
    for (int i = 0; i < fe.ElementCount(); ++i) EXPECT_EQ(fe.GetElement(i)->Tag(), nullptr);

    SelectElements({0, 3});
    form.BtnApply->click();
    for (int i = 0; i < fe.ElementCount(); ++i)
        EXPECT_EQ(fe.GetElement(i)->Tag(), (i == 0 || i == 3) ? added : nullptr) << i;
    EXPECT_EQ(static_cast<TTransientTriangle*>(fe.GetElement(0))->T(), 2.5);

    // Deleting it: no element keeps it.
    form.BtnDelete->click();
    EXPECT_EQ(Model().Paramsets().Count(), 2);
    EXPECT_EQ(form.ListViewItems->topLevelItemCount(), 2);
    for (int i = 0; i < fe.ElementCount(); ++i) EXPECT_EQ(fe.GetElement(i)->Tag(), nullptr);

    // A new project refills the window; closing empties it.
    w.SetIsChanged(false);
    w.NewProject();
    Settle();
    EXPECT_EQ(form.ListViewItems->topLevelItemCount(), Model().Paramsets().Count());
    w.Actions()->FileClose->trigger();
    Settle();
    EXPECT_EQ(form.ListViewItems->topLevelItemCount(), 0);
}

TEST_F(ProbeCommands, FluidTableOpensFromTheMenu)
{
    TFormLoad& w = ProjectWindow();
    ASSERT_TRUE(w.Actions()->FluidEingeschaften1->isEnabled());
    w.Actions()->FluidEingeschaften1->trigger();
    EXPECT_TRUE(Commands().FluidPropForm()->isVisible());
}
