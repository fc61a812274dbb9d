// Pictures of the main window for a look by eye (scripts/screenshots.sh): the
// start page with recent and example entries, and a small meshed project on
// the project page and on the probe page.
#include "MainWindowFixture.h"
#include "Screenshot.h"

#include <QDir>
#include <QLineEdit>

#include "model/probes/BHETypelistObj.h"
#include "ui/mainwindow/ProbesCard.h"
#include "ui/mainwindow/ProjectCommands.h"
#include "ui/mainwindow/ProjectCard.h"
#include "ui/mainwindow/StartPage.h"

namespace {

// The mesh generator of this build, next to the test's build folder.
QString Generator()
{
    const QString p = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../../tools/triangle/triangle"));
    return QFileInfo(p).isExecutable() ? QFileInfo(p).canonicalFilePath() : QString();
}

} // namespace

using ScreenshotsMainWindow = MainWindowFixture;

TEST_F(ScreenshotsMainWindow, MainWindowStartPage)
{
    SkipWithoutScreenshotDir();
    const QString a = MakeProject(QStringLiteral("Schule Nord.kpm"), QStringLiteral("Schule Nord"));
    const QString b = MakeProject(QStringLiteral("Wohnanlage Lindenhof.kpm"), QStringLiteral("Wohnanlage Lindenhof"));
    const QString c = MakeProject(QStringLiteral("ohne Namen.kpm"), QString());
    QSettings s(QSettings::SystemScope, QStringLiteral("Mirvatek"), QStringLiteral("KP"));
    s.setValue(QStringLiteral("2.0/Examples/File00/Filename"), a);
    s.setValue(QStringLiteral("2.0/Examples/File00/Projectname"), QStringLiteral("Beispiel: Schule mit 12 Sonden"));
    s.setValue(QStringLiteral("2.0/Examples/File01/Filename"), b);
    s.setValue(QStringLiteral("2.0/Examples/File01/Projectname"), QStringLiteral("Beispiel: Grundwasserstrom"));
    s.sync();
    TFormLoad& w = Window();
    w.StartPage()->FillExamplesList();
    // Opened and closed again, so the entries carry their project names.
    for (const QString& f : {c, b, a}) ASSERT_TRUE(w.OpenProject(f));
    ASSERT_TRUE(w.QuerySaveChanges());
    // Closing the last one returns to the start page, which is the picture.
    w.Commands()->FileCloseExecute();
    w.HandleShowMessage();
    w.resize(1100, 720);
    Settle();
    SaveScreenshot(w, QStringLiteral("mainwindow-startpage.png"));
}

TEST_F(ScreenshotsMainWindow, MainWindowProjectView)
{
    SkipWithoutScreenshotDir();
    TFormLoad& w = Window();
    w.resize(1200, 780);
    w.NewProject();
    Settle();
    TProjectControl& c = w.Control();
    c.Project()->SetName(QStringLiteral("Bürogebäude Am Hang"));
    c.Project()->SetClient(QStringLiteral("Stadtwerke Musterstadt"));
    c.Project()->SetUser(QStringLiteral("M. Meier"));
    const TBHE* type = w.BHETypelist().Count() ? w.BHETypelist().Items(0) : nullptr;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 2; ++j) c.AddProbe(type, 10.0 * i, 8.0 * j);
    const QString gen = Generator();
    if (!gen.isEmpty()) {
        const QString old = TriangleLocation;
        TriangleLocation = gen;
        EXPECT_TRUE(c.GenerateMesh(false));
        TriangleLocation = old;
    }
    w.BindProjectToView();
    w.RefreshMessages();
    w.SetActiveCard(mcProject);
    Settle();
    SaveScreenshot(w, QStringLiteral("mainwindow-project.png"));
    w.SetActiveCard(mcMap);
    Settle();
    w.ProbesCard()->FitToScreen();
    Settle();
    SaveScreenshot(w, QStringLiteral("mainwindow-probes.png"));
    c.SetIsChanged(false);
}
