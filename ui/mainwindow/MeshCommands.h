#pragma once

// The mesh, groundwater and boundary-condition commands of the probes page:
// generate, import and configure the mesh, groundwater flow, boundary
// conditions on selected nodes, the groundwater log and the contours dialog.

#include <QObject>

class TFormLoad;

class TMeshCommands : public QObject
{
    Q_OBJECT
public:
    explicit TMeshCommands(TFormLoad& Window);

    // Enables the group's actions; runs after the window's action rules.
    void UpdateActions();

private:
    TFormLoad& FWindow;
};
