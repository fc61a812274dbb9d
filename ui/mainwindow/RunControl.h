#pragma once

// The run control of the simulation page: the run settings and their checks,
// Run, Pause and Stop, the run state and the end of a run; the results,
// monitoring and inspector commands live beside it. The run happens on the
// user-interface thread and is never entered twice.

#include <QObject>

class TFormLoad;

class TRunControl : public QObject
{
    Q_OBJECT
public:
    explicit TRunControl(TFormLoad& Window);

    // Enables the group's actions; runs after the window's action rules.
    void UpdateActions();

private:
    TFormLoad& FWindow;
};
