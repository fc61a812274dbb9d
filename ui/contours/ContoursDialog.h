#pragma once

#include <QDialog>

#include "model/model/ThermModelDialogs.h"

#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class TContourLinesGrid;
class TFrameOKCancelHelp;

// "Isothermen": the isotherm settings of a thermal model: method and grid
// size, absolute temperatures or ΔT, the level range and spacing, the default
// line and the highlighted levels, and the labels. The model fills it
// (SetData), hands it the apply operation for "Übernehmen" and reads it back
// on OK (Data). Every cell is checked before anything is applied, so a bad
// cell never leaves the model half changed.
class TContoursDlg : public QDialog
{
    Q_OBJECT

public:
    explicit TContoursDlg(QWidget* Parent = nullptr);

    void SetData(const TContoursEditData& D);
    TContoursEditData Data() const;
    // The apply operation of this opening; it replaces the one of an earlier
    // opening. Empty: "Übernehmen" only checks the cells.
    void SetApplyHandler(std::function<void(const TContoursEditData&)> Apply);

    // Grid size edits only for the own grid.
    void UpdateUI();
    // Adds a highlight row: empty level, black, width 5, a delete button.
    void BtnAddLinestyleClick();
    // "Übernehmen": checks every cell, then applies.
    void BtnHelpClick();
    void BtnLabelFontClick();
    // True when every cell and the label format can be read; otherwise the
    // user is told why and the bad control has the focus.
    bool CheckValues();

    void done(int R) override;

    QGroupBox* GroupBoxGrid = nullptr;
    QRadioButton* RBUseFE = nullptr;
    QRadioButton* RBOwnGrid = nullptr;
    QLabel* Label1 = nullptr;
    QSpinBox* EdtNumCols = nullptr;
    QLabel* Label2 = nullptr;
    QSpinBox* EdtNumRows = nullptr;
    QGroupBox* GroupBoxIntervals = nullptr;
    QRadioButton* RBAbsolute = nullptr;
    QRadioButton* RBDelta = nullptr;
    QCheckBox* CBoxSkipZeroLine = nullptr;
    QComboBox* ComboZMin = nullptr;
    QComboBox* ComboZMax = nullptr;
    QComboBox* ComboZDelta = nullptr;
    TContourLinesGrid* LinesGrid = nullptr;
    QPushButton* BtnAddLinestyle = nullptr;
    QGroupBox* GroupBoxLabels = nullptr;
    QCheckBox* CBoxShowLabels = nullptr;
    QSpinBox* EdtMinDistance = nullptr;
    QComboBox* ComboValueFormat = nullptr;
    QCheckBox* CBoxOpak = nullptr;
    QPushButton* BtnLabelFont = nullptr;
    TFrameOKCancelHelp* FrameOKCancelHelp1 = nullptr;

    // The label font while the dialog is open (the font dialog's font).
    KPStreamFt::TStreamFont LabelFont;

private:
    QWidget* BuildGridGroup();
    QWidget* BuildIntervalsGroup();
    QWidget* BuildLabelsGroup();

    std::function<void(const TContoursEditData&)> FApply;
};

// Longest label format the dialog takes: every label repeats it along the lines.
inline constexpr int MaxLabelFormatLength = 30;
