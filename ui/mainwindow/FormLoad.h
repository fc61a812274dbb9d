#pragma once

// The main window: the start page and the project view with its six pages,
// main menu, file tool bar and status bar. The window is composed: the start
// page, each card and each group of commands is its own class, and the window
// owns and wires them. Everything that changes the project goes through the
// headless project controller (TProjectControl) that the window owns; the
// window only asks, shows and refreshes.
//
// The window is the plan's host (status text, inspector, changed flag,
// questions) and previews every key press of the program, so that Enter and
// Esc end the placing of a probe field or the picking of the map scale
// wherever the focus is.

#include <QMainWindow>

#include "plan/PlanHost.h"

#include <cstdint>
#include <functional>
#include <memory>

class QLabel;
class QStackedWidget;
class TBHETypelist;
class TExampleFilelist;
class TFileInfolist;
class THeatPumplist;
class THeatPumpCard;
class TLoadCard;
class TMainActions;
class TMapCommands;
class TMeshCommands;
class TProbeCommands;
class TRunControl;
class TPipingCard;
class TPlanView;
class TProbesCard;
class TProject;
class TProjectCard;
class TProjectCommands;
class TProjectControl;
class TSimulationCard;
class TSmallCommands;
class TStartPage;
class TViewBar;
enum class TRunState : std::uint8_t;

// Card indices: the tag of the view button that shows the card.
enum TMainCard : int { mcProject, mcLoad, mcHeatpump, mcPiping, mcMap, mcMonitoring, mcCount };

class TFormLoad : public QMainWindow, public TPlanHost
{
    Q_OBJECT
public:
    // The window's creation: the lists, the pages, the actions; the start page
    // is shown. The first show queues the first activation.
    explicit TFormLoad(QWidget* Parent = nullptr);
    ~TFormLoad() override;

    TProjectControl& Control() const { return *FControl; }
    TProject* Project() const;

    // ---- parts
    TStartPage* StartPage() const { return FStartPage; }
    TMainActions* Actions() const { return FActions; }
    TProjectCommands* Commands() const { return FCommands; }
    TSmallCommands* SmallCommands() const { return FSmallCommands; }
    TProbeCommands* ProbeCommands() const { return FProbeCommands; }
    TRunControl* RunControl() const { return FRunControl; }
    TMeshCommands* MeshCommands() const { return FMeshCommands; }
    TMapCommands* MapCommands() const { return FMapCommands; }
    TViewBar* ViewBar() const { return FViewBar; }
    QStackedWidget* CardPanelMain() const { return FCardPanelMain; }
    TProjectCard* ProjectCard() const { return FProjectCard; }
    TLoadCard* LoadCard() const { return FLoadCard; }
    THeatPumpCard* HeatPumpCard() const { return FHeatPumpCard; }
    TPipingCard* PipingCard() const { return FPipingCard; }
    TProbesCard* ProbesCard() const { return FProbesCard; }
    TSimulationCard* SimulationCard() const { return FSimulationCard; }
    TPlanView* PlanView() const;

    // ---- owned lists
    THeatPumplist& Heatpumps() const { return *FHeatpumps; }
    TBHETypelist& BHETypelist() const { return *FBHETypelist; }
    TFileInfolist& FileInfolist() const { return *FFileInfolist; }
    TExampleFilelist& ExampleFileList() const { return *FExampleFileList; }

    // ---- state
    bool FirstTime() const { return FFirstTime; }
    bool IsChanged() const;
    // Sets the changed flag; nothing else.
    void SetIsChanged(bool Value);
    // Changed, and the plan repainted.
    void RefreshAndChanged();
    // The caption from the controller's file: "Mirvatek KP - <file>", or
    // "Mirvatek KP" without a project.
    void SetFileNameAndCaption();
    // The picking of the map scale; Esc ends it.
    bool SettingScaling() const { return FSettingScaling; }
    void SetSettingScaling(bool Value) { FSettingScaling = Value; }

    // ---- project commands (the work is TProjectCommands')
    void NewProject();
    bool OpenProject(const QString& AFileName);
    void BindProjectToView();
    // The pages edit P (null: none).
    void SetProjectOfCards(TProject* P);
    bool QuerySaveChanges();
    void AddToRecentFiles(const QString& AFileName);

    // ---- pages
    void SetActiveCard(int Index);
    int ActiveCard() const;
    void RefreshProjectPage();
    void RefreshLoadPage();
    void RefreshHeatPumpPage();
    void RefreshPipingPage();
    void RefreshBHEOverview();
    void RefreshRunPage();
    void RebuildPlanItems();
    void RefreshBHETypeList();
    // The hint memo from the controller's message lines.
    void RefreshMessages();

    // ---- faces (the posted window messages 1026 and 1027)
    void PostHideMessage();
    void PostShowMessage();
    void HandleHideMessage();
    void HandleShowMessage();
    bool ProjectViewShown() const { return FProjectView; }

    // The run state changed (the run page's SetRunState builds on it).
    void SetRunState(TRunState State);
    // The first activation; runs once.
    void FormActivate();
    void SetupLanguageTexts();

    // ---- plan host
    void SetStatusText(const QString& Text) override;
    void ProjectChanged() override;
    void MeshOutOfDate() override;
    void BHEAdded(TBHE* BHE) override;
    void BHEMoved(TBHE* BHE) override;
    void SetMessageLines(const QStringList& Lines) override;
    void ShowError(const QString& Text) override;
    bool AskYesNo(const QString& Question) override;
    const TBHE* BHETypeAt(int Index) override;

    // FileItemDblClick: opens the file of a start-page entry; a file that is
    // gone is reported and the recent list re-read.
    void FileItemDblClick(const QString& AFileName);

signals:
    // A project file was recorded as recently used (the list is stored).
    void FilesChanged();

protected:
    void showEvent(QShowEvent* Event) override;
    void closeEvent(QCloseEvent* Event) override;
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void CreateLists();
    void CreatePages();
    void WireCommands();
    void LoadHeatpumps();
    void CardPanelMainCardChange(int Index);
    // FormCloseQuery: false keeps the window open.
    bool FormCloseQuery();
    // FormClose: the heat-pump list written; a failure is only reported.
    void FormClose();
    bool FormKeyDown(int Key);

    std::unique_ptr<TProjectControl> FControl;
    std::unique_ptr<THeatPumplist> FHeatpumps;
    std::unique_ptr<TBHETypelist> FBHETypelist;
    std::unique_ptr<TFileInfolist> FFileInfolist;
    std::unique_ptr<TExampleFilelist> FExampleFileList;

    TStartPage* FStartPage = nullptr;
    TViewBar* FViewBar = nullptr;
    QStackedWidget* FCardPanelMain = nullptr;
    TProjectCard* FProjectCard = nullptr;
    TLoadCard* FLoadCard = nullptr;
    THeatPumpCard* FHeatPumpCard = nullptr;
    TPipingCard* FPipingCard = nullptr;
    TProbesCard* FProbesCard = nullptr;
    TSimulationCard* FSimulationCard = nullptr;
    TMainActions* FActions = nullptr;
    TProjectCommands* FCommands = nullptr;
    TSmallCommands* FSmallCommands = nullptr;
    TProbeCommands* FProbeCommands = nullptr;
    TRunControl* FRunControl = nullptr;
    TMeshCommands* FMeshCommands = nullptr;
    TMapCommands* FMapCommands = nullptr;
    QLabel* FStatusText = nullptr;
    QLabel* FStatusMesh = nullptr;

    bool FFirstTime = true;
    // The heat-pump list file could not be read: it is not overwritten.
    bool FHeatpumpsLoadFailed = false;
    bool FActivationQueued = false;
    bool FProjectView = false;
    bool FSettingScaling = false;
    // Closing was asked while the run loop was on the stack: it closes once
    // the loop has unwound.
    bool FCloseDeferred = false;
};
