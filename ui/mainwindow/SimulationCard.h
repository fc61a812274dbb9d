#pragma once

// The simulation page: the run settings (duration, start date, Δt, the
// load-side multiplier, groundwater), where results are written (folder,
// file stem, the months whose fields are saved), the run buttons, the run's
// date, progress and remaining time, its log, the counter grid and the
// temperature surface. The card edits the settings through the project
// controller; the run control drives everything else.

#include <QWidget>

#include "model/control/RunChecks.h"

#include <functional>

class QAction;
class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableView;
class QToolButton;
class TProject;
class TProjectControl;
class TSurfaceView;

class TSimulationCard : public QWidget
{
    Q_OBJECT
public:
    explicit TSimulationCard(QWidget* Parent = nullptr);

    // Called with the project the pages edit, null before it is freed.
    void SetProject(TProject* Project);
    TProject* Project() const { return FProject; }
    // Where the edits go; without it the page only shows.
    void SetControl(TProjectControl* Control) { FControl = Control; }
    // Fills the page from the model; never marks the project changed.
    void RefreshRunPage();
    // The twelve short month names of the user's locale, January first.
    void FillMonthList();
    // Button7Click: every month ticked.
    void Button7Click();
    int CountMonthsToSave() const;
    // The run page's settings as typed.
    TRunSettings RunSettings() const;
    // The settings the running loop depends on (duration, start date, Δt,
    // multiplier, groundwater); months, folder and stem stay editable.
    void SetRunSettingsEnabled(bool On);
    // "<Δt / multiplier> min".
    static QString TimestepLoadText(double Minutes, int Multiplier);

    // The project was changed by an edit of the page.
    std::function<void()> OnChanged;
    // The project the page shows is about to go or another one comes.
    std::function<void()> OnProjectChanging;

    QLineEdit* EditDuration = nullptr;
    QDateEdit* RzDateTimeEditStart = nullptr;
    QLineEdit* EdtDeltaTime = nullptr;
    QSpinBox* SpinEditTimeMulti = nullptr;
    QLabel* LblTimestepLoad = nullptr;
    QCheckBox* CBoxUseGW = nullptr;
    QLineEdit* EdtDataDir = nullptr;
    QToolButton* BtnDataDir = nullptr;
    // "im Explorer anzeigen" of the data-folder button's menu.
    QAction* imExploreranzeigen1 = nullptr;
    QToolButton* BtnDisplayDataDir = nullptr;
    QLineEdit* EdtDataFile = nullptr;
    QListWidget* ListMonthSave = nullptr;
    QPushButton* Button7 = nullptr;
    QPushButton* BtnSaveField = nullptr;
    QToolButton* BtnRun = nullptr;
    QToolButton* BtnPause = nullptr;
    QToolButton* BtnStop = nullptr;
    QToolButton* BtnShowDashboard = nullptr;
    QLabel* LblCurrentDate = nullptr;
    QProgressBar* RzProgressBarRun = nullptr;
    QLabel* LblCalcDuration = nullptr;
    // The end-of-run note ("Simulationsende erreicht"); hides itself.
    QLabel* LblSmartMessage = nullptr;
    QTableView* GridCounter = nullptr;
    TSurfaceView* ChartSurface = nullptr;
    QPlainTextEdit* MemoLog = nullptr;

private:
    QWidget* MakeRunBox();
    QWidget* MakeSaveBox();
    QWidget* MakeRunBar();
    QWidget* MakeResults();
    void Connect();
    void Changed();
    void EditDurationChange();
    void SpinEditTimeMultiChange();
    void CBoxUseGWClick(bool On);
    void EdtDataDirChange(const QString& Text);
    void EdtDataFileChange(const QString& Text);

    TProject* FProject = nullptr;
    TProjectControl* FControl = nullptr;
};
