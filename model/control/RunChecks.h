#pragma once

// The checks a run must pass before it starts or continues, on the texts of
// the run page as the user typed them. A failed check names its message and
// the setting at fault, so that the window can show the message in the right
// kind of box and put the focus on that setting. Nothing here changes the
// model.

#include <QString>

#include "model/base/DateTime.h"

#include <array>

class TThermModel;
class TProject;

// The run page's settings.
struct TRunSettings {
    QString Duration;              // days, user's locale ("365,5")
    TDateTime StartDate = 0;       // calendar date of simulation time 0
    QString DeltaTime;             // minutes, the finite-element time step
    int Multiplier = 1;            // load-side evaluations per Δt, 1 .. 100
    std::array<bool, 12> Months{}; // January .. December: save the field when the month begins
    QString DataDir;               // folder of the saved fields
    QString DataFile;              // file stem of the saved fields
    // The user answered "Ignore" to the question about no month chosen.
    bool IgnoreNoMonths = false;

    int CountMonthsToSave() const;
};

// Where the window shows a check's message and what it focuses.
enum class TRunCheckKind {
    Ok,
    Error,              // error message, OK button
    Information,        // task message with Title, information icon, OK
    MissingLoadProfile, // task dialog with Title and the button "Sondenübersicht anzeigen"
    AskAbortIgnore,     // question with Abort and Ignore; Ignore runs again with IgnoreNoMonths
};

enum class TRunField { None, Duration, DeltaTime, Multiplier, DataDir, DataFile, Probes };

struct TRunCheck {
    TRunCheckKind Kind = TRunCheckKind::Ok;
    TRunField Field = TRunField::None;
    QString Title;
    QString Message;

    bool Ok() const { return Kind == TRunCheckKind::Ok; }
    static TRunCheck Error(TRunField Field, const QString& Message);
};

// The multiplier's range on the run page.
inline constexpr int MinTimeMultiplier = 1;
inline constexpr int MaxTimeMultiplier = 100;

// A duration in days and a Δt in minutes as typed; False when the text is
// no finite number.
bool ParseRunNumber(const QString& Text, double& Value);

// The checks of a fresh start, in order: duration, mesh, probes changed since
// meshing, probes without a load profile, Δt, multiplier, then the saving.
TRunCheck CheckFreshRun(const TThermModel& Model, int LoadProfileCount, const TRunSettings& Settings);

// A paused run keeps its duration and times: only the saving is checked.
TRunCheck CheckSaving(const TRunSettings& Settings);
