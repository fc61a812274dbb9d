#include "ui/mainwindow/ProbeCommands.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>

#include "model/control/ProjectControl.h"
#include "model/loads/LoadObject.h"
#include "model/probes/BHEObj.h"
#include "model/probes/BHETypelistObj.h"
#include "model/project/ProjectObj.h"
#include "plan/D2DPaintbox.h"
#include "plan/PlanView.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/CommonNonVisuals.h"
#include "ui/common/Prompter.h"
#include "ui/mainwindow/BHETypePanel.h"
#include "ui/mainwindow/FormLoad.h"
#include "ui/mainwindow/MainActions.h"
#include "ui/mainwindow/ParamSetCommands.h"
#include "ui/mainwindow/ProbesCard.h"
#include "ui/mainwindow/SmallCommands.h"
#include "ui/probes/BHEFieldCreateDlg.h"
#include "ui/probes/BHEsOverview.h"
#include "ui/probes/FluidPropertiesWnd.h"

#include <vector>

TProbeCommands::TProbeCommands(TFormLoad& Window) : QObject(&Window), FWindow(Window)
{
    FFormBHEs = new TFormBHEs(&FWindow);
    FFormBHEs->SetControl(&FWindow.Control());
    FFormBHEs->BHEsChanged = [this](TBHE* B) { ToggleBHEInModel(B); };
    FFormBHEs->OnChangeLoadProfile = [this](int Index) { return LoadProfileName(Index); };
    FParamSets = new TParamSetCommands(FWindow, this);
    FFluidPropForm = new TFluidPropForm(&FWindow);
    MakeActions();
    // The plan draws each probe with the symbol of its type.
    std::vector<QImage> bullets;
    for (const QIcon& icon : FWindow.ProbesCard()->BHESymbols()) bullets.push_back(icon.pixmap(16, 16).toImage());
    FWindow.PlanView()->SetBullets(bullets);
}

void TProbeCommands::MakeActions()
{
    TMainActions& a = *FWindow.Actions();
    TProbesCard& card = *FWindow.ProbesCard();
    BHETypeAdd = new QAction(KPIcon(iiAdd), QStringLiteral("Neu"), this);
    BHETypeAdd->setObjectName(QStringLiteral("BHETypeAdd"));
    BHETypeAdd->setToolTip(QStringLiteral("Neuen Sondentyp hinzufügen"));
    connect(BHETypeAdd, &QAction::triggered, this, Guarded([this] { BHETypeAddExecute(); }));
    a.BHETypeDelete->setToolTip(QStringLiteral("Ausgewählten Sondentyp löschen"));
    a.SetCommand(a.BHETypeEdit, [this] { BHETypeEditExecute(); });
    a.SetCommand(a.BHETypeDelete, [this] { BHETypeDeleteExecute(); });
    card.ToolBarBHETypes->addActions({BHETypeAdd, a.BHETypeEdit, a.BHETypeDelete});

    TBHETypeListView* list = card.ListViewBHETypes;
    PopupMenuBHETypes = new QMenu(list);
    PopupMenuBHETypes->addActions({BHETypeAdd, a.BHETypeEdit, a.BHETypeDelete});
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(list, &QWidget::customContextMenuRequested, this,
            [this, list](const QPoint& P) { PopupMenuBHETypes->popup(list->viewport()->mapToGlobal(P)); });
    connect(list, &QTreeWidget::itemDoubleClicked, this, Guarded([this, list] {
                if (list->SelectedTypeIndex() >= 0) BHETypeEditExecute();
            }));
    // Edit and delete follow the selection at once, not at the next tick.
    connect(list, &QTreeWidget::itemSelectionChanged, this, [this] { FWindow.Actions()->UpdateActions(); });

    BHECreateField = new QAction(KPIcon(iiProbeField), QStringLiteral("Feld erstellen..."), this);
    BHECreateField->setObjectName(QStringLiteral("BHECreateField"));
    BHECreateField->setToolTip(QStringLiteral("Erstellt ein Sondenfeld"));
    connect(BHECreateField, &QAction::triggered, this, Guarded([this] { BHECreateFieldExecute(); }));
    card.ToolBarMap->addAction(BHECreateField);

    a.SetCommand(a.BHEOverview, [this] { BHEOverviewExecute(); });
    a.SetCommand(a.Parameterstze1, [this] { FParamSets->Parameterstze1Click(); });
    a.SetCommand(a.FluidEingeschaften1, [this] { FWindow.SmallCommands()->FluidEingeschaften1Click(); });
    FWindow.SmallCommands()->FluidTable = [this] { ShowFluidTable(); };
}

void TProbeCommands::UpdateActions()
{
    const bool project = FWindow.Project() != nullptr;
    const bool runActive = FWindow.Control().IsRunActive();
    // Finishing a field being placed stays possible; starting one needs a
    // model the run does not hold.
    BHECreateField->setEnabled(FWindow.PlanView()->AddingField() || (project && !runActive));
    FParamSets->UpdateActions();
}

// ---- probe types

void TProbeCommands::RefreshBHETypeList()
{
    FWindow.ProbesCard()->RefreshBHETypeList(FWindow.BHETypelist());
    BuildBHETypeGroups();
}

void TProbeCommands::BuildBHETypeGroups()
{
    const TBHETypelist& types = FWindow.BHETypelist();
    const QList<QIcon>& symbols = FWindow.ProbesCard()->BHESymbols();
    QList<TFormBHEs::TGroup> groups;
    for (int i = 0; i < types.Count(); ++i) {
        const int image = types.Items(i)->ImageIndex();
        groups.push_back({types.Items(i)->Name(), image >= 0 && image < symbols.size() ? symbols[image] : QIcon()});
    }
    FFormBHEs->SetGroups(groups, [this](const TBHE* B) {
        const TBHETypelist& list = FWindow.BHETypelist();
        for (int i = 0; i < list.Count(); ++i)
            if (B->IsType(*list.Items(i))) return i;
        return -1;
    });
}

void TProbeCommands::BHETypelistSaveExecute()
{
    const TBHETypelist& list = FWindow.BHETypelist();
    list.SaveXML(list.FileName());
}

void TProbeCommands::BHETypeAddExecute()
{
    TBHETypelist& list = FWindow.BHETypelist();
    if (!list.AddNewType()) return;
    RefreshBHETypeList();
    FWindow.ProbesCard()->ListViewBHETypes->SelectType(list.Count() - 1);
    BHETypelistSaveExecute();
}

void TProbeCommands::BHETypeEditExecute()
{
    const int index = FWindow.ProbesCard()->ListViewBHETypes->SelectedTypeIndex();
    TBHETypelist& list = FWindow.BHETypelist();
    if (index < 0 || index >= list.Count()) return;
    if (!list.Items(index)->EditType()) return;
    // Name, layout or values may have changed: the group, the row and the
    // overview's headers and grouping follow.
    RefreshBHETypeList();
    FWindow.ProbesCard()->ListViewBHETypes->SelectType(index);
    BHETypelistSaveExecute();
}

void TProbeCommands::BHETypeDeleteExecute()
{
    const int index = FWindow.ProbesCard()->ListViewBHETypes->SelectedTypeIndex();
    TBHETypelist& list = FWindow.BHETypelist();
    if (index < 0 || index >= list.Count()) return;
    // The probes made from the type keep the values they took from it.
    list.Delete(index);
    RefreshBHETypeList();
    BHETypelistSaveExecute();
}

// ---- probe field

void TProbeCommands::BHECreateFieldExecute()
{
    TPlanView* plan = FWindow.PlanView();
    if (plan->AddingField()) {
        plan->FinishBHEField();
        return;
    }
    TProject* project = FWindow.Project();
    if (!project) return;
    FWindow.Control().CheckRunInactive(QStringLiteral("Das Setzen von Sonden"));
    TDlgCreateBHEField dlg(&FWindow);
    dlg.SetSpacing(plan->BHEDistance());
    dlg.SetBHETypes(FWindow.BHETypelist());
    QStringList names;
    for (int i = 0; i < project->LoadProfils().Count(); ++i) names << project->LoadProfil(i)->Name();
    dlg.SetLoadProfiles(names, project->LoadProfils().IndexOf(project->LoadProfile()));
    if (Prompter().ExecDialog(dlg) != QDialog::Accepted) return;
    plan->SetBHEDistance(dlg.Spacing(plan->BHEDistance()));
    const TMVPaintBoxD2D* box = FWindow.ProbesCard()->MVPaintBoxD2;
    plan->StartBHEField(dlg.SelectedType(), dlg.Prefix(), dlg.LoadProfileIndex(), box->width(), box->height());
}

// ---- fluid table

void TProbeCommands::ShowFluidTable()
{
    FFluidPropForm->show();
    FFluidPropForm->raise();
    FFluidPropForm->activateWindow();
}
