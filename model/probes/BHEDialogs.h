#pragma once

#include "model/probes/boreholeObj.h"

#include <QString>
#include <optional>

// What the probe dialog shows and gives back: the texts of its edits, in the
// user's locale. The probe fills it, the dialog edits it, the probe reads it
// back when the user chose OK.
struct TBHEEditData {
    QString Caption;  // after the tube layout
    QString Name;
    QString Depth;  // the probe length
    QString RB;
    QString X;
    QString Y;
};

// The probe-type dialog's values.
struct TBHETypeEditData {
    QString Name;
    QString RB;
    QString Length;
    int ImageIndex = -1;                  // selected symbol, -1 = none
    std::optional<TTubeType> TubeType;    // checked radio button, none = unchanged
};

// Dialog hooks of the probes. The user interface installs the real dialogs;
// without it every dialog is cancelled.
class TBHEDialogs {
public:
    virtual ~TBHEDialogs() = default;
    // True when the user closed the probe dialog with OK.
    virtual bool EditBHE(TBHEEditData& Data)
    {
        (void)Data;
        return false;
    }
    // True when the user closed the probe-type dialog with OK.
    virtual bool EditBHEType(TBHETypeEditData& Data)
    {
        (void)Data;
        return false;
    }
};

// The grid a developer can hand to the segment model to watch its last pass.
// The user interface adapts a string grid to it.
class TBHEDebugGrid {
public:
    virtual ~TBHEDebugGrid() = default;
    virtual void Clear() = 0;
    virtual void SetSize(int ColCount, int RowCount) = 0;
    virtual void SetCell(int Col, int Row, const QString& Text) = 0;
    // Every column as wide as its widest text plus ExtraPixels.
    virtual void AutoSizeColumns(int ExtraPixels) = 0;
};
