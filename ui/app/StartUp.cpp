#include "ui/app/StartUp.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "model/base/ModelUI.h"
#include "model/control/ModelUISet.h"
#include "model/project/StreamClasses.h"
#include "model/settings/KPSettings.h"
#include "ui/common/CommonNonVisuals.h"
#include "ui/common/Prompter.h"
#include "ui/common/QtPrompter.h"
#include "ui/dialogs/SettingsDialogsUI.h"
#include "ui/groundwater/GWGridDialogsUI.h"
#include "ui/heatpump/HeatpumpDialogsUI.h"
#include "ui/loads/ProjectDialogsUI.h"
#include "ui/mesh/MeshDialogsUI.h"
#include "ui/params/ParameterSetDialogsUI.h"
#include "ui/probes/BHEDialogsUI.h"

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
    // The dialogs live as long as the program; the run display, the gauge window
    // and the monitoring window belong to the main window, which installs them.
    static TQtPrompter prompter;
    static TPromptsBridge prompts;
    static TUISettingsDialogs settingsDialogs;
    static TUIFontDialogs fontDialogs;
    static TBHEDialogsUI bheDialogs;
    static THeatpumpDialogsUI heatpumpDialogs;
    static TParameterSetDialogsUI parameterSetDialogs;
    static TUIGWGridDialogs gwGridDialogs;
    static TUIThermModelDialogs thermModelDialogs;
    static TUITriangleDialogs triangleDialogs;
    static TProjectDialogsUI projectDialogs;
    InstallPrompter(&prompter);
    TModelUISet set;
    set.Prompts = &prompts;
    set.BHEDialogs = &bheDialogs;
    set.HeatpumpDialogs = &heatpumpDialogs;
    set.ParameterSetDialogs = &parameterSetDialogs;
    set.GWGridDialogs = &gwGridDialogs;
    set.ThermModelDialogs = &thermModelDialogs;
    set.TriangleDialogs = &triangleDialogs;
    set.SettingsDialogs = &settingsDialogs;
    set.FontDialogs = &fontDialogs;
    set.ProjectDialogs = &projectDialogs;
    InstallModelUISet(set);
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
