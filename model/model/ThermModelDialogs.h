#pragma once

// The two dialogs the thermal model fills, shows and reads back: the
// model-parameter dialog and the contours dialog. Plain data only; the user
// interface installs the real dialogs, headless both are cancelled.

#include "gfx/Colors.h"
#include "model/settings/KPStreamFt.h"

#include <QString>
#include <functional>
#include <vector>

// The model-parameter dialog's edits, numbers as text in the user's locale.
struct TModelParamsEditData {
    QString Lambda;            // EdtLambda
    QString RhoCP;             // EdtRhoCP
    QString Thickness;         // EdtThickness
    QString AirTemperature;    // EdtAirTemperature
    QString Alpha;             // EdtAlpha
    QString QEarth;            // EdtQEarth
    QString FA;                // EdtFA
    QString MaxInnerArea;      // EdtMaxInnerArea
    QString MaxOuterArea;      // EdtMaxOuterArea
    QString ScaleFactorInner;  // EdtScaleFactorInner
    QString MinDistance;       // EdtMinDistance
};

// One row of the contours dialog's line-style grid: the level and width cells
// as text, the colour of the row's shape.
struct TContourStyleRow {
    QString Level;
    TColor Color = 0;
    QString Width;
};

// The contours dialog's controls.
struct TContoursEditData {
    bool UseFE = true;            // RBUseFE, else RBOwnGrid
    int NumCols = 0;              // EdtNumCols
    int NumRows = 0;              // EdtNumRows
    bool Delta = true;            // RBDelta, else RBAbsolute
    bool SkipZeroLine = true;     // CBoxSkipZeroLine
    QString ValueFormat;          // ComboValueFormat
    bool ShowLabels = true;       // CBoxShowLabels
    bool Opak = true;             // CBoxOpak
    KPStreamFt::TStreamFont LabelFont;  // the font dialog's font
    int MinDistance = 0;          // EdtMinDistance, millimetres
    QString ZMin;                 // ComboZMin ("Auto" or a number)
    QString ZMax;                 // ComboZMax
    QString ZDelta;               // ComboZDelta
    TContourStyleRow Standard;    // grid row 1 ("Standard"); its Level is "Standard"
    std::vector<TContourStyleRow> Styles;  // grid rows 2 and on
};

class TThermModelDialogs {
public:
    virtual ~TThermModelDialogs() = default;
    // True when the user closed the dialog with OK; Data then holds the edits.
    virtual bool EditModelParams(TModelParamsEditData& Data)
    {
        (void)Data;
        return false;
    }
    // Apply is the handler of the dialog's "Übernehmen" button: it takes the
    // dialog's current values into the model. True on OK.
    virtual bool EditContours(TContoursEditData& Data, const std::function<void(const TContoursEditData&)>& Apply)
    {
        (void)Data;
        (void)Apply;
        return false;
    }
};
