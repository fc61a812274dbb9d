// The project commands of the main window with a scripted prompter: what each
// command leaves behind (project, file, caption, changed flag, face, recent
// list), and that a file that cannot be read never costs the open project.
#include "MainWindowFixture.h"

#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QTest>

#include "ui/mainwindow/FileItemList.h"
#include "ui/mainwindow/MainActions.h"
#include "ui/mainwindow/ProjectCard.h"
#include "ui/mainwindow/ProjectCommands.h"
#include "ui/mainwindow/StartPage.h"

namespace {

class ProjectCommands : public MainWindowFixture
{
public:
    QString RecentHead()
    {
        TFileItemList* l = Window().StartPage()->FilesPolyList;
        return l->FileCount() ? QFileInfo(l->FileItem(0)->data(TFileItemList::FileNameRole).toString()).fileName()
                              : QString();
    }
};

struct TCommandCase {
    const char* Name;
    // Brings the window into the state before the command.
    std::function<void(ProjectCommands&, TFormLoad&)> Before;
    std::function<void(ProjectCommands&, TFormLoad&)> Command;
    bool HasProject;
    const char* FileName;  // file-name part of the project's file
    const char* Caption;
    bool Changed;
    bool ProjectView;
    const char* RecentHead;
    const char* Message;   // the one message or error shown, "" for none
};

} // namespace

TEST_F(ProjectCommands, EachCommandLeavesTheWindowInItsState)
{
    const auto nothing = [](ProjectCommands&, TFormLoad&) {};
    const auto openA = [](ProjectCommands& T, TFormLoad& W) {
        ASSERT_TRUE(W.OpenProject(T.MakeProject(QStringLiteral("a.kpm"), QStringLiteral("Anlage A"))));
        T.Settle();
    };
    const TCommandCase cases[] = {
        {"new from the start page", nothing, [](ProjectCommands&, TFormLoad& W) { W.NewProject(); }, true, "",
         "Mirvatek KP - ", false, true, "", ""},
        {"open", nothing, openA, true, "a.kpm", "Mirvatek KP - a.kpm", false, true, "a.kpm", ""},
        {"open a missing file",
         nothing,
         [](ProjectCommands& T, TFormLoad& W) { EXPECT_FALSE(W.OpenProject(T.Path(QStringLiteral("fehlt.kpm")))); },
         false, "", "Mirvatek KP", false, false, "", "Die Datei %1 ist nicht vorhanden."},
        {"open another extension",
         nothing,
         [](ProjectCommands& T, TFormLoad& W) {
             const QString txt = T.Path(QStringLiteral("notiz.txt"));
             QFile f(txt);
             ASSERT_TRUE(f.open(QIODevice::WriteOnly));
             f.write("x");
             f.close();
             EXPECT_FALSE(W.OpenProject(txt));
         },
         false, "", "Mirvatek KP", false, false, "", ""},
        {"open .KPM in capitals",
         nothing,
         [](ProjectCommands& T, TFormLoad& W) {
             EXPECT_TRUE(W.OpenProject(T.MakeProject(QStringLiteral("GROSS.KPM"), QStringLiteral("Groß"))));
         },
         true, "GROSS.KPM", "Mirvatek KP - GROSS.KPM", false, true, "GROSS.KPM", ""},
        {"save", openA,
         [](ProjectCommands&, TFormLoad& W) {
             QTest::keyClicks(W.ProjectCard()->EdtClient, QStringLiteral(" Nord"));
             EXPECT_TRUE(W.IsChanged());
             W.Actions()->ActionFileSave->trigger();
         },
         true, "a.kpm", "Mirvatek KP - a.kpm", false, true, "a.kpm", ""},
        {"save as, the extension added",
         [](ProjectCommands& T, TFormLoad& W) {
             W.NewProject();
             T.Settle();
         },
         [](ProjectCommands&, TFormLoad& W) { W.Actions()->ActionFileSave->trigger(); }, true, "neu.kpm",
         "Mirvatek KP - neu.kpm", false, true, "neu.kpm", ""},
        {"save as cancelled",
         [](ProjectCommands& T, TFormLoad& W) {
             W.NewProject();
             T.Settle();
             W.SetIsChanged(true);
         },
         [](ProjectCommands&, TFormLoad& W) { W.Actions()->FileSaveAsModel->trigger(); }, true, "", "Mirvatek KP - ",
         true, true, "", ""},
        {"close", openA, [](ProjectCommands&, TFormLoad& W) { W.Actions()->FileClose->trigger(); }, false, "",
         "Mirvatek KP", false, false, "a.kpm", ""},
    };
    for (const TCommandCase& c : cases) {
        SCOPED_TRACE(c.Name);
        W.reset();
        ClearRecent();
        TFormLoad& w = Window();
        c.Before(*this, w);
        ScriptedPrompter().Reset();
        // The save dialog's answer; only the save-as case asks.
        if (QString::fromUtf8(c.FileName) == QStringLiteral("neu.kpm"))
            ScriptedPrompter().QueueText(Path(QStringLiteral("neu")));
        w.Actions()->UpdateActions();
        c.Command(*this, w);
        Settle();
        EXPECT_EQ(w.Project() != nullptr, c.HasProject);
        EXPECT_EQ(QFileInfo(w.Control().FileName()).fileName(), QString::fromUtf8(c.FileName));
        EXPECT_EQ(w.windowTitle(), QString::fromUtf8(c.Caption));
        EXPECT_EQ(w.IsChanged(), c.Changed);
        EXPECT_EQ(w.ProjectViewShown(), c.ProjectView);
        EXPECT_EQ(RecentHead(), QString::fromUtf8(c.RecentHead));
        const QStringList shown = ScriptedPrompter().Messages();
        if (*c.Message) {
            ASSERT_EQ(shown.size(), 1);
            EXPECT_EQ(shown[0], QString::fromUtf8(c.Message).arg(Path(QStringLiteral("fehlt.kpm"))));
        } else {
            EXPECT_TRUE(shown.isEmpty()) << shown.join(QLatin1Char('|')).toStdString();
        }
    }
}

TEST_F(ProjectCommands, OpenShowsThePlanPageAndTheSavedTextsComeBack)
{
    TFormLoad& w = Window();
    ASSERT_TRUE(w.OpenProject(MakeProject(QStringLiteral("a.kpm"), QStringLiteral("Anlage A"))));
    Settle();
    EXPECT_EQ(w.ActiveCard(), mcMap);
    QTest::keyClicks(w.ProjectCard()->EdtUser, QStringLiteral("Meier"));
    w.Actions()->ActionFileSave->trigger();
    ASSERT_TRUE(w.QuerySaveChanges());
    ASSERT_TRUE(w.OpenProject(Path(QStringLiteral("a.kpm"))));
    EXPECT_EQ(w.Project()->User(), QStringLiteral("Meier"));
    EXPECT_EQ(w.Project()->Client(), QStringLiteral("Stadtwerke"));
}

TEST_F(ProjectCommands, AFileThatCannotBeReadKeepsTheOpenProject)
{
    const QString a = MakeProject(QStringLiteral("a.kpm"), QStringLiteral("Anlage A"));
    QFile src(a);
    ASSERT_TRUE(src.open(QIODevice::ReadOnly));
    const QByteArray bytes = src.readAll();
    // Signature (Int32 count + 11 UTF-16 characters), then the major version.
    QByteArray newer = bytes;
    newer[26] = char(99);
    const struct {
        const char* Name;
        QByteArray Content;
    } files[] = {{"kaputt.kpm", bytes.left(bytes.size() / 2)}, {"neuer.kpm", newer}, {"leer.kpm", QByteArray()}};
    TFormLoad& w = Window();
    ASSERT_TRUE(w.OpenProject(a));
    Settle();
    QTest::keyClicks(w.ProjectCard()->EdtProjectname, QStringLiteral(" neu"));
    for (const auto& f : files) {
        SCOPED_TRACE(f.Name);
        QFile out(Path(QString::fromLatin1(f.Name)));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(f.Content);
        out.close();
        ScriptedPrompter().Reset();
        // Keep the unsaved change: "No" would only matter if the open went through.
        ScriptedPrompter().QueueButton(QMessageBox::No);
        EXPECT_FALSE(w.OpenProject(out.fileName()));
        Settle();
        ASSERT_NE(w.Project(), nullptr);
        EXPECT_EQ(w.Project()->Name(), QStringLiteral("Anlage A neu"));
        EXPECT_EQ(w.Control().FileName(), a);
        EXPECT_EQ(w.windowTitle(), QStringLiteral("Mirvatek KP - a.kpm"));
        EXPECT_TRUE(w.IsChanged());
        int errors = 0;
        for (const auto& r : ScriptedPrompter().Asked()) errors += r.Kind == TScriptedPrompter::TKind::Error;
        EXPECT_EQ(errors, 1);
    }
}

TEST_F(ProjectCommands, OpeningFromTheProjectViewAsksToSaveFirst)
{
    TFormLoad& w = Window();
    ASSERT_TRUE(w.OpenProject(MakeProject(QStringLiteral("a.kpm"), QStringLiteral("Anlage A"))));
    const QString b = MakeProject(QStringLiteral("b.kpm"), QStringLiteral("Anlage B"));
    QTest::keyClicks(w.ProjectCard()->EdtProjectname, QStringLiteral("!"));
    ScriptedPrompter().Reset();
    ScriptedPrompter().QueueButton(QMessageBox::Cancel);
    EXPECT_FALSE(w.OpenProject(b));
    EXPECT_EQ(w.Project()->Name(), QStringLiteral("Anlage A!"));
    ScriptedPrompter().QueueButton(QMessageBox::Yes);
    EXPECT_TRUE(w.OpenProject(b));
    EXPECT_EQ(w.Project()->Name(), QStringLiteral("Anlage B"));
    TProjectControl check;
    check.OpenProject(Path(QStringLiteral("a.kpm")));
    EXPECT_EQ(check.Project()->Name(), QStringLiteral("Anlage A!"));
}

TEST_F(ProjectCommands, NewWithAChangedProjectAndCancelKeepsIt)
{
    TFormLoad& w = Window();
    ASSERT_TRUE(w.OpenProject(MakeProject(QStringLiteral("a.kpm"), QStringLiteral("Anlage A"))));
    QTest::keyClicks(w.ProjectCard()->EdtProjectname, QStringLiteral("!"));
    ScriptedPrompter().Reset();
    ScriptedPrompter().QueueButton(QMessageBox::Cancel);
    w.Actions()->FileNew->trigger();
    Settle();
    ASSERT_EQ(ScriptedPrompter().Asked().size(), 1u);
    EXPECT_EQ(ScriptedPrompter().Asked()[0].Text, QStringLiteral("Änderungen speichern?"));
    EXPECT_EQ(w.Project()->Name(), QStringLiteral("Anlage A!"));
    EXPECT_TRUE(w.IsChanged());
}
