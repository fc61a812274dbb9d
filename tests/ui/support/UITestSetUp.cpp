// The widget tests start like the program, then answer every modal
// interaction from the scripted prompter and show texts in German.
#include <QApplication>
#include <QLocale>

#include "ScriptedPrompter.h"
#include "ui/app/StartUp.h"

void KPTestUISetUp(QApplication& App)
{
    StartUp(App);
    InstallPrompter(&ScriptedPrompter());
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
}
