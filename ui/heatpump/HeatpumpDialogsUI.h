#pragma once

#include "model/loads/HeatpumpDialogs.h"

// The heat pump's edit dialog (TDlgHeatPump) as the model reaches it: filled
// from the data, shown through the prompter, read back on OK.
class THeatpumpDialogsUI : public THeatpumpDialogs {
public:
    int EditHeatpump(THeatpumpEditData& Data) override;
};
