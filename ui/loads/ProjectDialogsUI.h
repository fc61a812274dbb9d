#pragma once

#include "model/project/ProjectDialogs.h"

class TProjectControl;

// The project's windows as the model reaches them: the load-profile window
// (TFormLoadProfils) and the georeference dialog (TGeoRefDlg), filled from
// the data, shown through the prompter and read back.
//
// With a project control the load-profile window marks the project changed
// after "Neu" and "Löschen" and refuses "Löschen" while a run is active or
// paused (the run computes with the profiles).
class TProjectDialogsUI : public TProjectDialogs {
public:
    // AControl is not owned and may be null (no change flag, no run).
    explicit TProjectDialogsUI(TProjectControl* AControl = nullptr) : FControl(AControl) {}
    void SetControl(TProjectControl* AControl) { FControl = AControl; }

    // True whenever the window was left with a profile chosen: the window
    // cannot be left without one, by its close box neither, and the project
    // then computes with the profile the user saw chosen.
    bool EditLoadProfils(TLoadProfilsEditData& Data, const TLoadProfilsHandler& NewClick,
                         const TLoadProfilsHandler& DeleteClick) override;
    bool GeoreferenceMap(TGeoreferenceEditData& Data) override;

private:
    TProjectControl* FControl;
};
