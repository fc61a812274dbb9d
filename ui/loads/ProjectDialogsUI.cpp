#include "ui/loads/ProjectDialogsUI.h"

#include <QPushButton>

#include "model/control/ProjectControl.h"
#include "ui/common/Prompter.h"
#include "ui/loads/FormLoadProfils.h"
#include "ui/map/GeoRefDlg.h"

bool TProjectDialogsUI::EditLoadProfils(TLoadProfilsEditData& Data, const TLoadProfilsHandler& NewClick,
                                        const TLoadProfilsHandler& DeleteClick)
{
    TFormLoadProfils form(TPrompter::DialogParent());
    form.SetData(Data);
    if (FControl) form.BtnDelete->setEnabled(!FControl->IsRunActive());
    // Each handler works on what the window shows (the user may have chosen
    // another entry) and the window then shows what the project holds.
    auto run = [&](const TLoadProfilsHandler& Handler) {
        form.GetData(Data);
        Handler(Data);
        form.SetData(Data);
        if (FControl) FControl->SetIsChanged(true);
    };
    form.OnNewClick = [&] {
        if (NewClick) run(NewClick);
    };
    form.OnDeleteClick = [&] {
        if (FControl) FControl->CheckRunInactive(QStringLiteral("Das Löschen eines Lastprofils"));
        if (DeleteClick) run(DeleteClick);
    };
    Prompter().ExecDialog(form);
    form.GetData(Data);
    return Data.Selected >= 0;
}

bool TProjectDialogsUI::GeoreferenceMap(TGeoreferenceEditData& Data)
{
    TGeoRefDlg dlg(TPrompter::DialogParent());
    dlg.SetData(Data);
    if (Prompter().ExecDialog(dlg) != QDialog::Accepted) return false;
    dlg.GetData(Data);
    return true;
}
