#include "ui/groundwater/GWGridDialogsUI.h"

#include "ui/common/Prompter.h"
#include "ui/groundwater/DlgGWFlow.h"

bool TUIGWGridDialogs::EditGWGrid(TGWEditData& Data)
{
    TDialogGWFlow dlg(TPrompter::DialogParent());
    dlg.SetData(Data);
    if (Prompter().ExecDialog(dlg) != QDialog::Accepted) return false;
    Data = dlg.Data();
    return true;
}
