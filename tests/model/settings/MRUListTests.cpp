#include "SettingsTestHelpers.h"

#include "model/base/KPError.h"
#include "model/settings/KPSettings.h"
#include "model/settings/MRUList.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString MRUKey = RegistryBasePath + "\\MRU";
const QString ExamplesKey = RegistryBasePath + "\\Examples";

class MRUListTest : public ::testing::Test {
protected:
    void SetUp() override { ClearSettingsStores(); }

    // A project file that exists.
    QString MakeFile(const QString& Name)
    {
        const QString path = QDir(FDir.path()).filePath(Name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("KP");
        return path;
    }
    static void StoreEntry(const QString& Group, const QString& File, const QVariant& Project,
                           QSettings::Scope Scope = QSettings::UserScope)
    {
        StoreValue(Group + "/Filename", File, Scope);
        if (Project.isValid()) StoreValue(Group + "/Projectname", Project, Scope);
    }
    static QStringList Files(const TFileInfolist& L)
    {
        QStringList r;
        for (int i = 0; i < L.Count(); ++i) r << QFileInfo(L.Items(i)->Filename()).fileName();
        return r;
    }
    static QStringList StoredGroups(const QString& Group)
    {
        QSettings s(QSettings::NativeFormat, QSettings::UserScope, "Mirvatek", "KP");
        s.beginGroup(Group);
        return s.childGroups();
    }

    QTemporaryDir FDir;
};

TEST_F(MRUListTest, NewListDefaults)
{
    TFileInfolist l;
    EXPECT_EQ(l.RegPath(), "Software\\Mirvatek");
    EXPECT_EQ(l.MaxFilesInList(), 20);
    EXPECT_EQ(l.Count(), 0);
    EXPECT_THROW(l.Items(0), EKPError);
}

TEST_F(MRUListTest, AddFileOrdersFromOldestToNewest)
{
    struct Step {
        const char* File;
        const char* Project;
        const char* Expected;  // file names after the step, oldest first
    } steps[] = {{"a", "A", "a"},         {"b", "B", "a b"},      {"a", "A2", "b a"},
                 {"a", "A3", "b a"},      {"A", "groß", "b a A"}, {"b", "B2", "a A b"}};
    TFileInfolist l;
    for (const Step& s : steps) {
        TFileListInfo* e = l.AddFile(s.File, s.Project);
        EXPECT_EQ(e, l.Items(l.Count() - 1)) << s.File;
        EXPECT_EQ(e->ProjectName(), s.Project);
        QStringList names;
        for (int i = 0; i < l.Count(); ++i) names << l.Items(i)->Filename();
        EXPECT_EQ(names.join(' '), s.Expected) << s.File;
    }
    EXPECT_EQ(l.Items(0)->ProjectName(), "A3");
}

TEST_F(MRUListTest, ReAddingTheLastEntryChangesOnlyItsProjectName)
{
    TFileInfolist l;
    l.AddFile("a", "A");
    TFileListInfo* b = l.AddFile("b", "B");
    b->SetDateModified(45000.5);
    EXPECT_EQ(l.AddFile("b", "B neu"), b);
    EXPECT_EQ(l.Count(), 2);
    EXPECT_EQ(b->ProjectName(), "B neu");
    EXPECT_EQ(b->DateModified(), 45000.5);
}

TEST_F(MRUListTest, TheOldestEntryGoesBeyondTheMaximum)
{
    TFileInfolist l;
    for (int i = 0; i < 21; ++i) l.AddFile(QString("f%1").arg(i), "P");
    EXPECT_EQ(l.Count(), 20);
    EXPECT_EQ(l.Items(0)->Filename(), "f1");
    EXPECT_EQ(l.Items(19)->Filename(), "f20");

    // A maximum below one would drop the entry just added.
    l.SetMaxFilesInList(0);
    EXPECT_EQ(l.MaxFilesInList(), 1);
    EXPECT_EQ(l.AddFile("neu", "P")->Filename(), "neu");
    EXPECT_EQ(l.Count(), 1);
}

TEST_F(MRUListTest, WriteThenReadTheRecentList)
{
    const QString a = MakeFile("a.kpm"), b = MakeFile("b.kpm");
    TFileInfolist l;
    l.SetRegPath(MRUKey);
    l.AddFile(a, "Projekt A");
    l.AddFile(b, "");
    l.WriteToRegistry();
    EXPECT_EQ(StoredGroups("2.0/MRU"), (QStringList{"File00", "File01"}));
    EXPECT_EQ(StoredValue("2.0/MRU/File00/Filename").toString(), a);
    EXPECT_EQ(StoredValue("2.0/MRU/File00/Projectname").toString(), "Projekt A");

    TFileInfolist back;
    back.SetRegPath(MRUKey);
    back.CreateFromRegistry();
    ASSERT_EQ(back.Count(), 2);
    EXPECT_EQ(back.Items(0)->Filename(), a);
    EXPECT_EQ(back.Items(0)->ProjectName(), "Projekt A");
    EXPECT_EQ(back.Items(1)->ProjectName(), "");
    // The file's time, to the second, as a local date-time.
    const QDateTime t = QFileInfo(a).lastModified();
    const TDateTime expected = EncodeDateTime(t.date().year(), t.date().month(), t.date().day(), t.time().hour(),
                                              t.time().minute(), t.time().second(), t.time().msec());
    EXPECT_NEAR(back.Items(0)->DateModified(), expected, 1e-8);
}

TEST_F(MRUListTest, ReadingSkipsMissingFilesAndFillsDefaults)
{
    const QString a = MakeFile("a.kpm"), c = MakeFile("c.kpm");
    StoreEntry("2.0/MRU/File00", a, "erste");
    StoreEntry("2.0/MRU/File01", QDir(FDir.path()).filePath("weg.kpm"), "gelöscht");
    StoreEntry("2.0/MRU/File02", c, QVariant());  // no project name
    StoreEntry("2.0/MRU/File03", a, "später");     // same file again
    StoreEntry("2.0/MRU/File04", FDir.path(), "ein Ordner");
    StoreEntry("2.0/MRU/File05", "", "leer");

    TFileInfolist l;
    l.SetRegPath(MRUKey);
    l.AddFile("vorher", "wird ersetzt");
    l.CreateFromRegistry();
    EXPECT_EQ(Files(l), (QStringList{"c.kpm", "a.kpm"}));
    EXPECT_EQ(l.Items(0)->ProjectName(), SNoProjectName);
    EXPECT_EQ(l.Items(1)->ProjectName(), "später");
    // The skipped sub-key stays where it was.
    EXPECT_EQ(StoredValue("2.0/MRU/File01/Projectname").toString(), "gelöscht");
}

TEST_F(MRUListTest, ReadingFollowsTheNumbersOfTheSubKeys)
{
    TFileInfolist l;
    l.SetRegPath(MRUKey);
    l.SetMaxFilesInList(200);
    QStringList expected;
    {
        QSettings s(QSettings::NativeFormat, QSettings::UserScope, "Mirvatek", "KP");
        for (int i = 0; i < 101; ++i) {
            const QString name = QString("p%1.kpm").arg(i);
            s.setValue(QString("2.0/MRU/File%1/Filename").arg(i, 2, 10, QChar('0')), MakeFile(name));
            expected << name;
        }
    }
    l.CreateFromRegistry();
    EXPECT_EQ(Files(l), expected);

    // More stored entries than the maximum: the oldest go.
    TFileInfolist small;
    small.SetRegPath(MRUKey);
    small.CreateFromRegistry();
    EXPECT_EQ(Files(small), expected.mid(81));
}

TEST_F(MRUListTest, AShrunkListLeavesNoStaleEntries)
{
    TFileInfolist l;
    l.SetRegPath(MRUKey);
    QStringList files;
    for (int i = 0; i < 5; ++i) files << MakeFile(QString("p%1.kpm").arg(i));
    for (const QString& f : files) l.AddFile(f, "P");
    l.WriteToRegistry();
    StoreValue("2.0/MRU/Anderes", "bleibt");

    l.Delete(0);
    l.Delete(0);
    l.Delete(0);
    l.WriteToRegistry();
    EXPECT_EQ(StoredGroups("2.0/MRU"), (QStringList{"File00", "File01"}));
    EXPECT_EQ(StoredValue("2.0/MRU/Anderes").toString(), "bleibt");

    TFileInfolist back;
    back.SetRegPath(MRUKey);
    back.CreateFromRegistry();
    EXPECT_EQ(Files(back), (QStringList{"p3.kpm", "p4.kpm"}));
}

TEST_F(MRUListTest, ExamplesComeFromTheMachineWideStore)
{
    const QString a = MakeFile("beispiel.kpm");
    StoreEntry("2.0/Examples/File00", a, "Beispiel", QSettings::SystemScope);
    StoreEntry("2.0/Examples/File01", QDir(FDir.path()).filePath("fehlt.kpm"), "fehlt", QSettings::SystemScope);
    // The user's store does not count for the examples, nor the reverse.
    StoreEntry("2.0/Examples/File02", MakeFile("privat.kpm"), "privat");
    StoreEntry("2.0/MRU/File00", MakeFile("maschine.kpm"), "M", QSettings::SystemScope);

    TExampleFilelist ex;
    ex.SetRegPath(ExamplesKey);
    ex.CreateFromRegistry();
    EXPECT_EQ(Files(ex), QStringList{"beispiel.kpm"});
    EXPECT_EQ(ex.Items(0)->ProjectName(), "Beispiel");

    TFileInfolist mru;
    mru.SetRegPath(MRUKey);
    mru.CreateFromRegistry();
    EXPECT_EQ(mru.Count(), 0);
}

TEST_F(MRUListTest, ReadingTheExamplesNeverCreatesAnything)
{
    const QString file =
        QSettings(QSettings::NativeFormat, QSettings::SystemScope, "Mirvatek", "KP").fileName();
    QFile::remove(file);
    TExampleFilelist ex;
    ex.SetRegPath(ExamplesKey);
    ex.AddFile("alt", "alt");
    ex.CreateFromRegistry();
    EXPECT_EQ(ex.Count(), 0);
    EXPECT_FALSE(QFileInfo::exists(file));
}

} // namespace
