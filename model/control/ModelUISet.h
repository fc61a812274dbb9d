#pragma once

// Every user-interface hook of the model in one set. The model calls each
// hook through its own slot (ModelUI<I>()); the program fills one
// TModelUISet with its implementations and installs it once at start-up, so
// that no hook is forgotten, and tests install scripted ones for a scope.
// A member left null installs the headless default of that hook.
//
// A hook added to the model must be added here, to ForEachSlot and to
// HookNames(); the control tests look for hooks the model uses that the set
// does not name.

#include <QStringList>

#include "model/base/ModelUI.h"

class TBHEDialogs;
class TDashboardHooks;
class TFontDialogs;
class TGWGridDialogs;
class THeatpumpDialogs;
class TMonitoringWindow;
class TParameterSetDialogs;
class TProjectDialogs;
class TRunDisplay;
class TSettingsDialogs;
class TThermModelDialogs;
class TTriangleDialogs;

struct TModelUISet {
    TPrompts* Prompts = nullptr;
    TBHEDialogs* BHEDialogs = nullptr;
    THeatpumpDialogs* HeatpumpDialogs = nullptr;
    TParameterSetDialogs* ParameterSetDialogs = nullptr;
    TGWGridDialogs* GWGridDialogs = nullptr;
    TThermModelDialogs* ThermModelDialogs = nullptr;
    TTriangleDialogs* TriangleDialogs = nullptr;
    TSettingsDialogs* SettingsDialogs = nullptr;
    TFontDialogs* FontDialogs = nullptr;
    TProjectDialogs* ProjectDialogs = nullptr;
    TDashboardHooks* DashboardHooks = nullptr;
    TRunDisplay* RunDisplay = nullptr;
    TMonitoringWindow* MonitoringWindow = nullptr;

    // Calls Fn(Name, Member) for every member of Set (const or not), Member
    // being a reference to the pointer and Name the hook's class name.
    template <typename Self, typename F> static void ForEachSlot(Self& Set, F&& Fn)
    {
        Fn("TPrompts", Set.Prompts);
        Fn("TBHEDialogs", Set.BHEDialogs);
        Fn("THeatpumpDialogs", Set.HeatpumpDialogs);
        Fn("TParameterSetDialogs", Set.ParameterSetDialogs);
        Fn("TGWGridDialogs", Set.GWGridDialogs);
        Fn("TThermModelDialogs", Set.ThermModelDialogs);
        Fn("TTriangleDialogs", Set.TriangleDialogs);
        Fn("TSettingsDialogs", Set.SettingsDialogs);
        Fn("TFontDialogs", Set.FontDialogs);
        Fn("TProjectDialogs", Set.ProjectDialogs);
        Fn("TDashboardHooks", Set.DashboardHooks);
        Fn("TRunDisplay", Set.RunDisplay);
        Fn("TMonitoringWindow", Set.MonitoringWindow);
    }

    // The class names of all hooks of the set.
    static QStringList HookNames();
    // The implementations installed right now (null where the default is).
    static TModelUISet Installed();
};

// Installs every hook of Set, the null ones as their headless defaults.
void InstallModelUISet(const TModelUISet& Set);

// Installs a set for a scope (tests) and restores the set that was installed.
class TModelUISetScope
{
public:
    explicit TModelUISetScope(const TModelUISet& Set);
    ~TModelUISetScope();
    TModelUISetScope(const TModelUISetScope&) = delete;
    TModelUISetScope& operator=(const TModelUISetScope&) = delete;

private:
    TModelUISet FOld;
};
