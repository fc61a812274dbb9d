#pragma once

#include "model/settings/Streamft.h"

#include <QString>
#include <QStringList>

// What the options dialog shows and gives back, one member per control.
struct TOptionsDialogData {
    double BHEMapSize = 0;            // SpinEditBHEMapSize
    double NodeSize = 0;              // SpinEditNodeSize
    QString BHETypes;                 // EditBHETypes
    QString HeatpumpsFile;            // EdtHeatpumpsFile
    QString Lambda;                   // EditLambda, user's locale
    QString RhoCP;                    // EditRhoCP, user's locale
    QString TempDir;                  // EditTempDir
    QString DataDir;                  // EdtDataDir
    bool AutosaveEmpty = false;       // CBoxAutosaveEmpty
    QString RadialR;                  // EdtRadialR, user's locale
    // ComboPDF: the dialog lists the installed printers and selects the one
    // of this name (none when it is not installed); it gives back the text.
    QString PDFDriver;
    bool PDFEnable = false;           // CBoxPDFEnable
    bool DrawFrame = false;           // CBDrawFrame
    int PMLeft = 0;                   // margins in whole millimetres
    int PMTop = 0;
    int PMRight = 0;
    int PMBottom = 0;
    Streamft::TStreamFont CompanyFont;
    QStringList CompanyLines;         // REdtCompany
    int LogoStyle = 0;                // RGLogo: 0 none, 1 small, 2 large
    QString LogoFile;                 // EdtLogoFile
};

// The options dialog. Headless: cancelled.
class TSettingsDialogs {
public:
    virtual ~TSettingsDialogs() = default;
    // Shows the dialog filled from Data; true on OK, Data then holds the
    // controls' values.
    virtual bool EditProgramSettings(TOptionsDialogData& Data)
    {
        (void)Data;
        return false;
    }
};
