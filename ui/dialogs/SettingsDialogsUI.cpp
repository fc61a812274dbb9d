#include "ui/dialogs/SettingsDialogsUI.h"

#include <QPrinterInfo>

#include "ui/common/Prompter.h"
#include "ui/common/QtFonts.h"
#include "ui/dialogs/ToolsOptionsDlg.h"

bool TUISettingsDialogs::EditProgramSettings(TOptionsDialogData& Data)
{
    TToolsOptionsDlg dlg(TPrompter::DialogParent());
    dlg.SetPrinterNames(QPrinterInfo::availablePrinterNames());
    dlg.SetData(Data);
    if (Prompter().ExecDialog(dlg) != QDialog::Accepted) return false;
    Data = dlg.Data();
    return true;
}

bool TUIFontDialogs::ExecuteFontDialog(TFont& Font, bool TrueTypeOnly)
{
    // Every font Qt offers here is scalable; TrueTypeOnly asks nothing more.
    (void)TrueTypeOnly;
    QFont f = ToQFont(Font);
    if (!Prompter().ChooseFont(f)) return false;
    FromQFont(f, Font);
    return true;
}
