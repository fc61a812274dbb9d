#pragma once

// The probe commands of the probes page: the probe-type list (add, edit,
// delete, drag onto the plan), the probe overview, the probe-field command,
// the parameter sets and the fluid table. The group owns its actions and
// windows and wires them to the page.

#include <QObject>
#include <QString>

class QAction;
class QMenu;
class TBHE;
class TFluidPropForm;
class TFormBHEs;
class TFormLoad;
class TParamSetCommands;

class TProbeCommands : public QObject
{
    Q_OBJECT
public:
    explicit TProbeCommands(TFormLoad& Window);

    // Enables the group's actions; runs after the window's action rules.
    void UpdateActions();

    // ---- probe types; each change is written to the list file
    void BHETypeAddExecute();
    void BHETypeEditExecute();
    void BHETypeDeleteExecute();
    void BHETypelistSaveExecute();
    // The type list and the overview's groups from BHETypelist.
    void RefreshBHETypeList();
    void BuildBHETypeGroups();

    // ---- probe overview
    // BHEOverviewExecute: shows or hides the overview.
    void BHEOverviewExecute();
    // The overview's rows and load-profile menus, and the parameter-set
    // window, from the current project (emptied without one).
    void RefreshBHEOverview();
    // The plan's hooks: a probe added (new row) or moved (its position).
    void BHEAdded(TBHE* BHE);
    void UpdateBHEListPosition(TBHE* BHE);
    // The overview's BHEsChanged: a probe not in the model is added, one in
    // it removed; nullptr after an edit.
    void ToggleBHEInModel(TBHE* Sender);
    // The name of load profile Index; empty without one.
    QString LoadProfileName(int Index) const;

    // ---- probe field
    // Starts placing a field (dialog first), or places the field being placed.
    void BHECreateFieldExecute();

    TFormBHEs* FormBHEs() const { return FFormBHEs; }
    TParamSetCommands* ParamSets() const { return FParamSets; }
    TFluidPropForm* FluidPropForm() const { return FFluidPropForm; }

    QAction* BHETypeAdd = nullptr;
    QAction* BHECreateField = nullptr;
    QMenu* PopupMenuBHETypes = nullptr;

private:
    void MakeActions();
    void ShowFluidTable();
    void SelectedTypeChanged();

    TFormLoad& FWindow;
    TFormBHEs* FFormBHEs = nullptr;
    TParamSetCommands* FParamSets = nullptr;
    TFluidPropForm* FFluidPropForm = nullptr;
};
