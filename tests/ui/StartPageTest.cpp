// The start page: the recent list (order, limit, names and dates), the example
// list, the toggle, and a double click on an entry whose file is gone.
#include "MainWindowFixture.h"

#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QTest>

#include "model/base/DateTime.h"
#include "ui/mainwindow/FileItemList.h"
#include "ui/mainwindow/StartPage.h"

namespace {

class StartPage : public MainWindowFixture
{
protected:
    static QStringList Names(const TFileItemList* L)
    {
        QStringList r;
        for (int i = 0; i < L->FileCount(); ++i)
            r << QFileInfo(L->FileItem(i)->data(TFileItemList::FileNameRole).toString()).fileName();
        return r;
    }
    static void StoreExample(int Index, const QString& File, const QString& Project)
    {
        QSettings s(QSettings::SystemScope, QStringLiteral("Mirvatek"), QStringLiteral("KP"));
        const QString g = QStringLiteral("2.0/Examples/File%1/").arg(Index, 2, 10, QLatin1Char('0'));
        s.setValue(g + QStringLiteral("Filename"), File);
        s.setValue(g + QStringLiteral("Projectname"), Project);
    }
};

} // namespace

TEST_F(StartPage, RecentListKeepsTheNewestOnTopAndTwentyAtMost)
{
    const QString a = MakeProject(QStringLiteral("a.kpm"), QStringLiteral("A"));
    const QString b = MakeProject(QStringLiteral("b.kpm"), QStringLiteral("B"));
    TFormLoad& w = Window();
    for (const QString& f : {a, b, a}) ASSERT_TRUE(w.OpenProject(f));
    EXPECT_EQ(Names(w.StartPage()->FilesPolyList), (QStringList{QStringLiteral("a.kpm"), QStringLiteral("b.kpm")}));

    for (int i = 0; i < 21; ++i) w.AddToRecentFiles(MakeProject(QStringLiteral("p%1.kpm").arg(i), QString()));
    const QStringList names = Names(w.StartPage()->FilesPolyList);
    ASSERT_EQ(names.size(), 20);
    EXPECT_EQ(names.first(), QStringLiteral("p20.kpm"));
    EXPECT_EQ(names.last(), QStringLiteral("p1.kpm"));
    // The list is stored: a new window reads the same.
    W.reset();
    EXPECT_EQ(Names(Window().StartPage()->FilesPolyList), names);
}

TEST_F(StartPage, NamesAndDatesInBothLists)
{
    const QString named = MakeProject(QStringLiteral("named.kpm"), QStringLiteral("Schule Nord"));
    const QString unnamed = MakeProject(QStringLiteral("unnamed.kpm"), QString());
    StoreExample(0, named, QStringLiteral("Schule Nord"));
    StoreExample(1, unnamed, QString());
    TFormLoad& w = Window();
    // The entries take the name of the project that was opened.
    ASSERT_TRUE(w.OpenProject(unnamed));
    ASSERT_TRUE(w.OpenProject(named));
    const TDateTime date = FileDateModified(named);
    int y, m, d;
    DecodeDate(date, y, m, d);
    const QString dateText = QLocale().toString(QDate(y, m, d), QStringLiteral("dd.MM.yyyy"));
    const TFileItemList* recent = w.StartPage()->FilesPolyList;
    ASSERT_EQ(recent->FileCount(), 2);
    EXPECT_EQ(recent->FileItem(0)->text(), QStringLiteral("Schule Nord (bearbeitet %1)").arg(dateText));
    EXPECT_TRUE(recent->FileItem(1)->text().startsWith(QStringLiteral("Kein Projektname angegeben (bearbeitet ")));
    EXPECT_EQ(recent->FileItem(0)->sizeHint().height(), TStartPage::RecentItemHeight);
    const TFileItemList* examples = w.StartPage()->ExamplesPolyList;
    ASSERT_EQ(examples->FileCount(), 2);
    EXPECT_EQ(examples->FileItem(0)->text(), QStringLiteral("Schule Nord"));
    EXPECT_EQ(examples->FileItem(1)->text(), QStringLiteral("Kein Projektname angegeben"));
    EXPECT_EQ(examples->FileItem(1)->sizeHint().height(), TStartPage::ExampleItemHeight);
    EXPECT_EQ(examples->item(0)->text(), QStringLiteral("Beispieldateien"));
    EXPECT_EQ(recent->item(0)->text(), QStringLiteral("Zuletzt verwendete Dateien"));
}

TEST_F(StartPage, TheLinkTogglesTheExamplesAndTheRecentListTakesTheRoom)
{
    TFormLoad& w = Window();
    TStartPage* s = w.StartPage();
    EXPECT_TRUE(s->ExamplesPolyList->isVisible());
    EXPECT_TRUE(s->LblExampleslist->text().contains(QStringLiteral("Beispielprojekte ausblenden")));
    const int before = s->FilesPolyList->height();
    s->LblExampleslistClick();
    EXPECT_FALSE(s->ExamplesPolyList->isVisible());
    EXPECT_TRUE(s->LblExampleslist->text().contains(QStringLiteral("Beispielprojekte anzeigen")));
    EXPECT_GT(s->FilesPolyList->height(), before);
    EXPECT_FALSE(ShowExampleList);
    // The choice lasts while the program runs.
    W.reset();
    EXPECT_FALSE(Window().StartPage()->ExamplesPolyList->isVisible());
    Window().StartPage()->LblExampleslistClick();
    EXPECT_TRUE(ShowExampleList);
}

TEST_F(StartPage, DoubleClickOpensTheEntryAndAGoneFileIsReported)
{
    const QString a = MakeProject(QStringLiteral("a.kpm"), QStringLiteral("A"));
    const QString gone = MakeProject(QStringLiteral("weg.kpm"), QStringLiteral("Weg"));
    TFormLoad& w = Window();
    w.AddToRecentFiles(a);
    w.AddToRecentFiles(gone);
    ASSERT_TRUE(QFile::remove(gone));
    TFileItemList* list = w.StartPage()->FilesPolyList;
    ASSERT_EQ(list->FileCount(), 2);
    ScriptedPrompter().Reset();
    emit list->itemDoubleClicked(list->FileItem(0));
    Settle();
    EXPECT_EQ(ScriptedPrompter().Messages(), QStringList{QStringLiteral("Die Datei %1 ist nicht vorhanden.").arg(gone)});
    EXPECT_FALSE(w.ProjectViewShown());
    EXPECT_EQ(w.Project(), nullptr);
    ASSERT_EQ(list->FileCount(), 1);
    emit list->itemDoubleClicked(list->FileItem(0));
    Settle();
    ASSERT_NE(w.Project(), nullptr);
    EXPECT_EQ(w.Project()->Name(), QStringLiteral("A"));
    EXPECT_TRUE(w.ProjectViewShown());
}

TEST_F(StartPage, ClosingReturnsToTheStartPage)
{
    TFormLoad& w = Window();
    w.NewProject();
    Settle();
    EXPECT_TRUE(w.ProjectViewShown());
    EXPECT_TRUE(w.menuBar()->isVisible());
    w.Commands();
    ASSERT_TRUE(w.QuerySaveChanges());
    w.PostShowMessage();
    Settle();
    EXPECT_FALSE(w.ProjectViewShown());
    EXPECT_FALSE(w.menuBar()->isVisible());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Mirvatek KP"));
}
