#include "ui/mainwindow/MapCommands.h"

#include "ui/mainwindow/FormLoad.h"

TMapCommands::TMapCommands(TFormLoad& Window) : QObject(&Window), FWindow(Window) {}

void TMapCommands::UpdateActions() {}
