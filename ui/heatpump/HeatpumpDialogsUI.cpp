#include "ui/heatpump/HeatpumpDialogsUI.h"

#include "ui/common/Prompter.h"
#include "ui/heatpump/DlgHeatPump.h"

int THeatpumpDialogsUI::EditHeatpump(THeatpumpEditData& Data)
{
    TDlgHeatPump dlg(TPrompter::DialogParent());
    dlg.SetData(Data);
    if (Prompter().ExecDialog(dlg) != QDialog::Accepted) return mrCancel;
    dlg.GetData(Data);
    return mrOk;
}
