#pragma once

#include "model/mesh/TriangleComp.h"
#include "model/model/ThermModelDialogs.h"

#include <memory>

class TMeshProgress;

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

// The generator's settings dialog, and the progress dialog with its Cancel
// while the generator runs.
class TUITriangleDialogs : public TTriangleDialogs
{
public:
    TUITriangleDialogs();
    ~TUITriangleDialogs() override;
    bool EditTriangleSettings(TTriangleSettingsData& Data) override;
    void GeneratorStarted() override;
    bool GeneratorRunning() override;
    void GeneratorFinished() override;

    TMeshProgress& Progress() { return *FProgress; }

private:
    std::unique_ptr<TMeshProgress> FProgress;
};
