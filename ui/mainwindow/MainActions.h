#pragma once

// The window's actions, its main menu and its file tool bar, and the rules
// that enable them. The rules are one pure function of the program's state
// (ActionRules), so they can be read and tested as a table; UpdateActions
// applies them and runs after every command and every 200 ms.

#include <QObject>

#include <functional>

class QAction;
class QMenuBar;
class QToolBar;
class TFormLoad;

// What the action rules depend on.
struct TActionInputs {
    bool HasProject = false;
    bool RunLoopActive = false;    // the run loop is on the stack
    bool YearProfile = false;      // the current load profile is a year profile
    bool PDFEnable = false;        // setting Program/PDFEnable
    bool BHETypeSelected = false;  // a row of the probe-type list is selected
};

struct TActionRules {
    bool FileNew = false;
    bool FileOpenModel = false;
    bool FileClose = false;
    bool ActionFileSave = false;
    bool FileSaveAsModel = false;
    bool ActionShowDashboard = false;
    bool MapCreatePDF = false;     // visible and enabled
    bool BHETypeEdit = false;
    bool BHETypeDelete = false;
};

// Nothing frees or replaces the project while the run loop is on the stack,
// and there is nothing to save or close without a project.
TActionRules ActionRules(const TActionInputs& In);

class TMainActions : public QObject
{
    Q_OBJECT
public:
    explicit TMainActions(TFormLoad& Window);

    QAction* FileNew = nullptr;
    QAction* FileOpenModel = nullptr;
    QAction* FileClose = nullptr;
    QAction* ActionFileSave = nullptr;
    QAction* FileSaveAsModel = nullptr;
    QAction* FileExit1 = nullptr;
    QAction* BHEOverview = nullptr;
    QAction* Parameterstze1 = nullptr;
    QAction* emperaturfelder1 = nullptr;
    QAction* Zhler1 = nullptr;
    QAction* ToolsOptions = nullptr;
    QAction* TriSettings = nullptr;
    QAction* FluidEingeschaften1 = nullptr;
    QAction* Inhalt1 = nullptr;
    QAction* Info1 = nullptr;
    QAction* ActionShowDashboard = nullptr;
    QAction* MapCreatePDF = nullptr;
    QAction* BHETypeEdit = nullptr;
    QAction* BHETypeDelete = nullptr;

    QMenuBar* MainMenu1() const { return FMenu; }
    QToolBar* ToolBarMain() const { return FToolBar; }

    // Connects Action to Command inside the command guard. An action of a
    // later page without a command stays disabled, so that no menu entry
    // silently does nothing.
    void SetCommand(QAction* Action, std::function<void()> Command);
    bool HasCommand(const QAction* Action) const;

    // ActionManager1Update.
    void UpdateActions();
    TActionInputs CurrentInputs() const;

signals:
    // After every UpdateActions: the page command groups apply their rules.
    void Updated();

private:
    QAction* Make(const QString& Name, const QString& Caption, const QString& Hint = QString(), int Image = -1);
    void BuildMenu();
    void BuildToolBar();

    TFormLoad& FWindow;
    QMenuBar* FMenu = nullptr;
    QToolBar* FToolBar = nullptr;
};
