#pragma once

// The load page: the current load profile's name, kind, values and optional
// validity window, the value grid in the layout of the profile's kind, the
// spreadsheet import and the chart with the yearly demand.
//
// Showing the page never marks the project changed: it writes under signal
// blockers, and only the user's own edits (textEdited, clicked) change the
// profile and report OnChanged. The grid is copied into the profile only by
// "Daten übernehmen", "Alle löschen" and the import.

#include <QWidget>

#include <functional>

class QCheckBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TLoadChart;
class TLoadGrid;
class TLoadObj;
class TProject;
class TProjectControl;

class TLoadCard : public QWidget
{
    Q_OBJECT
public:
    explicit TLoadCard(QWidget* Parent = nullptr);

    void SetProject(TProject* Project) { FProject = Project; }
    TProject* Project() const { return FProject; }
    // Gives the load-profile window the run state and the changed flag.
    void SetControl(TProjectControl* Control) { FControl = Control; }

    // The current profile into every control, the grid and the chart.
    void RefreshLoadPage();
    void FillLoadGrid();
    // The grid into the profile (all rows or nothing), changed, chart.
    void ApplyLoadGrid();
    void RefreshLoadChart();

    // The commands of the page, also for tests.
    void BtnGetLoadDataClick() { ApplyLoadGrid(); }
    void Allelschen1Click();
    void BtnImportLoadProfilClick();
    // Reads the first worksheet of FileName into the current time series.
    void ImportLoadProfil(const QString& FileName);
    void LblEditLoadProfilsClick();

    // The user changed the project (the window marks it changed).
    std::function<void()> OnChanged;

    QLineEdit* EdtLoadProfilName = nullptr;
    QLabel* LblEditLoadProfils = nullptr;
    QRadioButton* RBLoadConstant = nullptr;
    QLineEdit* EdtConstantLoad = nullptr;
    QRadioButton* RBLoadYearly = nullptr;
    QRadioButton* RBLoadMonthPower = nullptr;
    QRadioButton* RBloadVariable = nullptr;
    QLabel* LblCoolingTemp = nullptr;
    QLineEdit* EdtCoolingTemp = nullptr;
    QLineEdit* EdtCOPHeat = nullptr;
    QLineEdit* EdtCOPCool = nullptr;
    QLabel* Label6 = nullptr;
    QGroupBox* GBoxStartEndDate = nullptr;
    QCheckBox* CBoxStartDate = nullptr;
    QDateEdit* DateTimeLoadStart = nullptr;
    QCheckBox* CBoxEndDate = nullptr;
    QDateEdit* DateTimeLoadEnd = nullptr;
    TLoadGrid* LoadGrid = nullptr;
    QPushButton* BtnGetLoadData = nullptr;
    QPushButton* BtnImportLoadProfil = nullptr;
    TLoadChart* ChartLoad = nullptr;
    QLabel* LblHeatDemand = nullptr;
    QLabel* LblCoolDemand = nullptr;

private:
    QWidget* CreateSettings();
    QWidget* CreateGridPanel();
    QWidget* CreateChartPanel();
    void WireEdits();
    void RefreshControls(const TLoadObj& Load);
    TLoadObj* Load() const;
    void SetLoadKind(int Kind);
    // Text typed into a number edit: empty is "not set", other text that is
    // no number keeps the value.
    void NumberEdited(const QString& Text, void (TLoadObj::*Set)(double));
    void Changed();

    TProject* FProject = nullptr;
    TProjectControl* FControl = nullptr;
};
