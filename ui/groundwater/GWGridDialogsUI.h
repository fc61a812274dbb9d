#pragma once

#include "model/groundwater/GWGrid.h"

// The groundwater dialog shown through the prompter: a fresh dialog per
// call, filled, shown modally and read back on OK. Installed at start-up.
class TUIGWGridDialogs : public TGWGridDialogs
{
public:
    bool EditGWGrid(TGWEditData& Data) override;
};
