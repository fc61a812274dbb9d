#include "ui/probes/BHEDialogsUI.h"

#include "ui/common/Prompter.h"
#include "ui/probes/BHEEditTypeDlg.h"
#include "ui/probes/DlgBHE.h"
#include "ui/probes/TubePictures.h"

TBHEDialogsUI::TBHEDialogsUI() : FSymbols(DefaultProbeSymbols()) {}

bool TBHEDialogsUI::EditBHE(TBHEEditData& Data)
{
    TDlgEditBHE dlg(TPrompter::DialogParent());
    dlg.SetData(Data);
    if (Prompter().ExecDialog(dlg) != QDialog::Accepted) return false;
    Data = dlg.Data();
    return true;
}

bool TBHEDialogsUI::EditBHEType(TBHETypeEditData& Data)
{
    TDlgBHEType dlg(TPrompter::DialogParent());
    dlg.UpdateImagelist(&FSymbols);
    dlg.SetData(Data);
    if (Prompter().ExecDialog(dlg) != QDialog::Accepted) return false;
    Data = dlg.Data();
    return true;
}
