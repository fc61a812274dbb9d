#pragma once

#include <QString>

// What the heat-pump dialog shows and gives back: every value as the text of
// its edit, numbers in the user's locale. The model fills and reads it, so a
// text that is not a number is handled in one place (THeatpump::Edit).
struct THeatpumpEditData {
    QString Name;
    QString WaterTemp;
    QString PowerA;
    QString PowerB;
    QString COPA;
    QString COPB;
    QString CoolWaterTemp;
    QString CoolPowerA;
    QString CoolPowerB;
    QString CoolCOPA;
    QString CoolCOPB;
};

// The heat-pump dialog as the model sees it. The user interface installs its
// implementation with InstallModelUI; headless, editing is cancelled.
class THeatpumpDialogs {
public:
    // Modal results, as the dialog returns them.
    static constexpr int mrOk = 1;
    static constexpr int mrCancel = 2;

    virtual ~THeatpumpDialogs() = default;
    // Shows Data modally; on OK the dialog has written the edited texts back.
    virtual int EditHeatpump(THeatpumpEditData& Data)
    {
        (void)Data;
        return mrCancel;
    }
};
