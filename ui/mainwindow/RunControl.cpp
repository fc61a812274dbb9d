#include "ui/mainwindow/RunControl.h"

#include "ui/mainwindow/FormLoad.h"

TRunControl::TRunControl(TFormLoad& Window) : QObject(&Window), FWindow(Window) {}

void TRunControl::UpdateActions() {}
