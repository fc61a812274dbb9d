#include "ui/mainwindow/MeshCommands.h"

#include "ui/mainwindow/FormLoad.h"

TMeshCommands::TMeshCommands(TFormLoad& Window) : QObject(&Window), FWindow(Window) {}

void TMeshCommands::UpdateActions() {}
