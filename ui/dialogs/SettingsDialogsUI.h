#pragma once

#include "model/settings/FontDialogs.h"
#include "model/settings/SettingsDialogs.h"

// The options dialog and the font dialog of the model's settings, shown
// through the prompter. Installed at start-up (InstallModelUI).
class TUISettingsDialogs : public TSettingsDialogs {
public:
    bool EditProgramSettings(TOptionsDialogData& Data) override;
};

class TUIFontDialogs : public TFontDialogs {
public:
    bool ExecuteFontDialog(TFont& Font, bool TrueTypeOnly) override;
};
