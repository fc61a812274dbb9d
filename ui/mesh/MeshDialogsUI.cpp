#include "ui/mesh/MeshDialogsUI.h"

#include "ui/common/Prompter.h"
#include "ui/contours/ContoursDialog.h"
#include "ui/mesh/DlgInitParams.h"
#include "ui/mesh/MeshProgress.h"
#include "ui/mesh/TriangleDlg.h"

bool TUIThermModelDialogs::EditModelParams(TModelParamsEditData& Data)
{
    TDlgInitalParams dlg(TPrompter::DialogParent());
    dlg.SetData(Data);
    if (Prompter().ExecDialog(dlg) != QDialog::Accepted) return false;
    Data = dlg.Data();
    return true;
}

bool TUIThermModelDialogs::EditContours(TContoursEditData& Data,
                                        const std::function<void(const TContoursEditData&)>& Apply)
{
    // The dialog and its apply handler live for this opening only: a later
    // opening cannot add a second handler, and no click can reach the model
    // of a project closed since.
    TContoursDlg dlg(TPrompter::DialogParent());
    dlg.SetData(Data);
    dlg.SetApplyHandler(Apply);
    const bool ok = Prompter().ExecDialog(dlg) == QDialog::Accepted;
    dlg.SetApplyHandler({});
    if (!ok) return false;
    Data = dlg.Data();
    return true;
}

bool TUITriangleDialogs::EditTriangleSettings(TTriangleSettingsData& Data)
{
    TDlgTriangleSettings dlg(TPrompter::DialogParent());
    dlg.SetData(Data);
    if (Prompter().ExecDialog(dlg) != QDialog::Accepted) return false;
    Data = dlg.Data();
    return true;
}

TUITriangleDialogs::TUITriangleDialogs() : FProgress(std::make_unique<TMeshProgress>()) {}

TUITriangleDialogs::~TUITriangleDialogs() = default;

void TUITriangleDialogs::GeneratorStarted()
{
    FProgress->Start();
}

bool TUITriangleDialogs::GeneratorRunning()
{
    return FProgress->Running();
}

void TUITriangleDialogs::GeneratorFinished()
{
    FProgress->Finish();
}
