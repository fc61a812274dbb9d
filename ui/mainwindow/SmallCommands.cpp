#include "ui/mainwindow/SmallCommands.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QSaveFile>

#include "model/base/NumberText.h"
#include "model/settings/KPSettings.h"
#include "plan/PlanView.h"
#include "ui/common/Prompter.h"
#include "ui/mainwindow/FormLoad.h"
#include "ui/mainwindow/SimulationCard.h"
#include "ui/version/ApplicationInfo.h"

TSmallCommands::TSmallCommands(TFormLoad& Window) : QObject(&Window), FWindow(Window) {}

std::function<bool(const QUrl&)>& TSmallCommands::UrlOpener()
{
    static std::function<bool(const QUrl&)> opener = [](const QUrl& Url) { return QDesktopServices::openUrl(Url); };
    return opener;
}

void TSmallCommands::ToolsOptionsExecute()
{
    if (!ProgramSettings().Edit()) return;
    FWindow.PlanView()->BuildNodeItems();
    FWindow.PlanView()->Repaint();
}

bool TSmallCommands::Inhalt1Click()
{
    QFile source(HelpResource());
    QByteArray page;
    if (source.open(QIODevice::ReadOnly)) page = source.readAll();
    const QString target = QDir(WorkTempDir()).filePath(QStringLiteral("kp-hilfe.html"));
    QSaveFile out(target);
    if (page.isEmpty() || !out.open(QIODevice::WriteOnly) || out.write(page) != page.size() || !out.commit()) {
        Prompter().ShowError(Format(QStringLiteral("Die Hilfe konnte nicht nach %s geschrieben werden."), {target}));
        return false;
    }
    if (!UrlOpener()(QUrl::fromLocalFile(target))) {
        Prompter().ShowError(Format(QStringLiteral("Die Hilfe %s konnte nicht geöffnet werden."), {target}));
        return false;
    }
    return true;
}

void TSmallCommands::Info1Click()
{
    TMVAppInfo info;
    SetMainWindowAppInfo(info);
    info.AboutDlg(&FWindow);
}

void TSmallCommands::FluidEingeschaften1Click()
{
    if (FluidTable) FluidTable();
}

void TSmallCommands::imExploreranzeigen1Click()
{
    const QString dir = FWindow.SimulationCard()->EdtDataDir->text();
    if (dir.isEmpty() || !QFileInfo(dir).isDir()) return;
    UrlOpener()(QUrl::fromLocalFile(dir));
}

void TSmallCommands::BtnVisitWebsiteClick()
{
    UrlOpener()(QUrl(WebsiteAddress()));
}
