#pragma once

#include "model/fe/ParameterSet.h"

// The parameter-set dialog (TDlgParameterSet) as the model reaches it:
// filled from the data, shown through the prompter, read back on OK.
class TParameterSetDialogsUI : public TParameterSetDialogs {
public:
    bool EditParameterSet(TParameterSetEditData& Data) override;
};
