#include "ui/app/StartUp.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "model/base/ModelUI.h"
#include "model/project/StreamClasses.h"
#include "model/settings/KPSettings.h"
#include "ui/common/CommonNonVisuals.h"
#include "ui/common/Prompter.h"
#include "ui/common/QtPrompter.h"
#include "ui/dialogs/SettingsDialogsUI.h"

#include <clocale>

namespace {

void LoadQtTranslation(QApplication& App)
{
    auto* t = new QTranslator(&App);
    if (t->load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(t);
    else
        delete t;
}

} // namespace

void InstallUIHooks()
{
    static TQtPrompter prompter;
    static TPromptsBridge prompts;
    static TUISettingsDialogs settingsDialogs;
    static TUIFontDialogs fontDialogs;
    InstallPrompter(&prompter);
    InstallModelUI<TPrompts>(&prompts);
    InstallModelUI<TSettingsDialogs>(&settingsDialogs);
    InstallModelUI<TFontDialogs>(&fontDialogs);
}

void StartUp(QApplication& App)
{
    QCoreApplication::setOrganizationName(QStringLiteral("Mirvatek"));
    QCoreApplication::setApplicationName(QStringLiteral("KP"));
    InitProgramSettings();
    RegisterStreamClasses();
    LoadQtTranslation(App);
    std::setlocale(LC_NUMERIC, "C");
    InstallUIHooks();
    NonVisModul();
}
