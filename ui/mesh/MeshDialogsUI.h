#pragma once

#include "model/mesh/TriangleComp.h"
#include "model/model/ThermModelDialogs.h"

// The model's mesh and isotherm dialogs shown through the prompter: each
// call makes a fresh dialog, fills it, shows it modally and reads it back on
// OK. Installed at start-up (InstallModelUI).
class TUIThermModelDialogs : public TThermModelDialogs
{
public:
    bool EditModelParams(TModelParamsEditData& Data) override;
    // Apply serves "Übernehmen" only while this opening's dialog is shown.
    bool EditContours(TContoursEditData& Data,
                      const std::function<void(const TContoursEditData&)>& Apply) override;
};

class TUITriangleDialogs : public TTriangleDialogs
{
public:
    bool EditTriangleSettings(TTriangleSettingsData& Data) override;
};
