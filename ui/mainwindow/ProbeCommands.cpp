#include "ui/mainwindow/ProbeCommands.h"

#include "ui/mainwindow/FormLoad.h"

TProbeCommands::TProbeCommands(TFormLoad& Window) : QObject(&Window), FWindow(Window) {}

void TProbeCommands::UpdateActions() {}
