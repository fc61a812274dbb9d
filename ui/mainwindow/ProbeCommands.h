#pragma once

// The probe commands of the probes page: the probe-type list (add, edit,
// delete, drag onto the plan), the probe overview, the probe-field command
// and the parameter sets. The group owns its actions and wires them to the
// page.

#include <QObject>

class TFormLoad;

class TProbeCommands : public QObject
{
    Q_OBJECT
public:
    explicit TProbeCommands(TFormLoad& Window);

    // Enables the group's actions; runs after the window's action rules.
    void UpdateActions();

private:
    TFormLoad& FWindow;
};
