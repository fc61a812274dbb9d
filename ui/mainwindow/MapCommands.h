#pragma once

// The background map, zoom, picture export and printing commands of the
// probes page.

#include <QObject>

class TFormLoad;

class TMapCommands : public QObject
{
    Q_OBJECT
public:
    explicit TMapCommands(TFormLoad& Window);

    // Enables the group's actions; runs after the window's action rules.
    void UpdateActions();

private:
    TFormLoad& FWindow;
};
