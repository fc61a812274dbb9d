#include "ui/params/ParameterSetDialogsUI.h"

#include "ui/common/Prompter.h"
#include "ui/params/DlgParameterSet.h"

bool TParameterSetDialogsUI::EditParameterSet(TParameterSetEditData& Data)
{
    TDlgParameterSet dlg(TPrompter::DialogParent());
    dlg.SetData(Data);
    if (Prompter().ExecDialog(dlg) != QDialog::Accepted) return false;
    dlg.GetData(Data);
    return true;
}
