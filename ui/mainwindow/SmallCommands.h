#pragma once

// The window's small commands: options, help, about box, fluid table, the
// explorer command of the data folder and the product's web site. Help is our
// own short HTML page, shipped in the resources and opened from a temporary
// copy by the desktop's browser.

#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>

class TFormLoad;

class TSmallCommands : public QObject
{
    Q_OBJECT
public:
    explicit TSmallCommands(TFormLoad& Window);

    // How an address is opened; QDesktopServices::openUrl unless a test
    // replaces it.
    static std::function<bool(const QUrl&)>& UrlOpener();
    static QString WebsiteAddress() { return QStringLiteral("https://www.mirvatek.de"); }
    static QString HelpResource() { return QStringLiteral(":/help/kp-hilfe.html"); }

    // The options dialog; on OK the node items are rebuilt and the plan repainted.
    void ToolsOptionsExecute();
    // The help page copied to TempDir and opened; false when that failed
    // (the reason shown).
    bool Inhalt1Click();
    void Info1Click();
    // The fluid table window, when one is installed (FluidTable).
    void FluidEingeschaften1Click();
    // Opens the data folder when it exists; nothing otherwise.
    void imExploreranzeigen1Click();
    void BtnVisitWebsiteClick();

    // Shows the fluid table modally; installed by the fluid window.
    std::function<void()> FluidTable;

private:
    TFormLoad& FWindow;
};
