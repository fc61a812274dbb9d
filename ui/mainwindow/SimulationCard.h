#pragma once

// The simulation page: where results are written (folder and file stem), the
// months whose temperature fields are saved, the time step, the run buttons,
// the counter grid and the run's log. The run control fills the page's
// behaviour; the window wires the data-file stem and the explorer command.

#include <QWidget>

#include <functional>

class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QSpinBox;
class QTableWidget;
class QToolButton;
class QAction;
class TProject;

class TSimulationCard : public QWidget
{
    Q_OBJECT
public:
    explicit TSimulationCard(QWidget* Parent = nullptr);

    void SetProject(TProject* Project) { FProject = Project; }
    TProject* Project() const { return FProject; }
    void RefreshRunPage();
    // The twelve short month names of the user's locale, January first.
    void FillMonthList();

    // EdtDataFileChange: the model's data-file stem := the text, changed.
    std::function<void()> OnChanged;

    QLineEdit* EdtDataDir = nullptr;
    QToolButton* BtnDataDir = nullptr;
    // "im Explorer anzeigen" of the data-folder button's menu.
    QAction* imExploreranzeigen1 = nullptr;
    QLineEdit* EdtDataFile = nullptr;
    QListWidget* ListMonthSave = nullptr;
    QLineEdit* EdtDeltaTime = nullptr;
    QSpinBox* SpinEditTimeMulti = nullptr;
    QToolButton* BtnRun = nullptr;
    QToolButton* BtnPause = nullptr;
    QToolButton* BtnStop = nullptr;
    QTableWidget* GridCounter = nullptr;
    QPlainTextEdit* MemoLog = nullptr;

private:
    void EdtDataFileChange(const QString& Text);
    QWidget* MakeSettingsBox();

    TProject* FProject = nullptr;
};
