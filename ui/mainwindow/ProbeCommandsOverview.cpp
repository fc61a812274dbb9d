// The probe overview's side of the probe commands: filling it, keeping it in
// step with the plan, and its callbacks.

#include "ui/mainwindow/ProbeCommands.h"

#include "model/control/ProjectControl.h"
#include "model/loads/LoadObject.h"
#include "model/model/MainModelObj.h"
#include "model/probes/BHEObj.h"
#include "model/project/ProjectObj.h"
#include "plan/PlanView.h"
#include "ui/mainwindow/FormLoad.h"
#include "ui/mainwindow/ParamSetCommands.h"
#include "ui/probes/BHEsOverview.h"

void TProbeCommands::BHEOverviewExecute()
{
    FFormBHEs->setVisible(!FFormBHEs->isVisible());
    if (!FFormBHEs->isVisible()) return;
    RefreshBHEOverview();
    FFormBHEs->raise();
}

void TProbeCommands::RefreshBHEOverview()
{
    // Rows and menus point into the project: a project bound or closed
    // refills or empties them before anyone can click a stale row.
    FFormBHEs->Refill();
    QStringList names;
    if (TProject* p = FWindow.Project())
        for (int i = 0; i < p->LoadProfils().Count(); ++i) names << p->LoadProfil(i)->Name();
    FFormBHEs->SetLoadProfiles(names);
    FParamSets->Refill();
}

void TProbeCommands::BHEAdded(TBHE* BHE)
{
    if (BHE) FFormBHEs->AddBHERow(BHE);
}

void TProbeCommands::UpdateBHEListPosition(TBHE* BHE)
{
    if (BHE) FFormBHEs->UpdateBHEListPosition(BHE);
}

void TProbeCommands::ToggleBHEInModel(TBHE* Sender)
{
    TThermModel* model = FWindow.Control().Model();
    if (!model) return;
    // The overview never creates probes: a row whose probe is no longer in
    // the model (it went with an earlier project) only leaves the table.
    if (Sender && model->BHEs().IndexOf(Sender) >= 0) FWindow.Control().DeleteProbe(Sender);
    FWindow.PlanView()->BuildBHEItems();
    if (model->NumModelDirty()) FWindow.MeshOutOfDate();
    FWindow.RefreshAndChanged();
}

QString TProbeCommands::LoadProfileName(int Index) const
{
    const TProject* p = FWindow.Project();
    if (!p || Index < 0 || Index >= p->LoadProfils().Count()) return QString();
    return p->LoadProfil(Index)->Name();
}
