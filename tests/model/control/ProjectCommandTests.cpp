// New, open, save, save-as and close at the controller: project, file name,
// caption and changed flag, and files that must not cost the open project.

#include "ControlTestUtil.h"
#include "model/base/NumberText.h"

using namespace controltest;

namespace {

class ProjectCommands : public TControlTest
{
protected:
    // A saved project named Name at File.
    void SaveNamedProject(const QString& Name, const QString& File)
    {
        TProjectControl other;
        other.NewProject();
        other.Project()->SetName(Name);
        other.SaveProjectAs(File);
    }
    // The current project, named "Offen", changed and with a file name.
    TProject* OpenChangedProject()
    {
        SaveNamedProject(QStringLiteral("Offen"), WorkFile("offen.kpm"));
        Control.OpenProject(WorkFile("offen.kpm"));
        Control.SetIsChanged(true);
        return Control.Project();
    }
};

TEST_F(ProjectCommands, NewSaveAndClose)
{
    EXPECT_EQ(Control.Project(), nullptr);
    EXPECT_EQ(Control.Caption(), QStringLiteral("Mirvatek KP"));
    ExpectError([&] { Control.SaveProject(); }, QStringLiteral("kein Projekt"));

    Control.NewProject();
    ASSERT_NE(Control.Project(), nullptr);
    EXPECT_EQ(Control.Project()->LoadProfils().Count(), 1);
    EXPECT_EQ(Control.Project()->Models().Count(), 1);
    EXPECT_TRUE(Control.FileName().isEmpty());
    EXPECT_FALSE(Control.IsChanged());
    EXPECT_EQ(Control.Caption(), QStringLiteral("Mirvatek KP - "));
    EXPECT_EQ(Control.RunState(), TRunState::Idle);

    // Save without a file name is refused: the window asks for one.
    Control.SetIsChanged(true);
    ExpectError([&] { Control.SaveProject(); }, QStringLiteral("keinen Dateinamen"));
    EXPECT_TRUE(Control.IsChanged());

    // A save-as that fails keeps name and flag; the file does not appear.
    // Its folder would have to be where a file is.
    WriteBytes(WorkFile("datei"), QByteArray("x"));
    const QString bad = WorkFile("datei/projekt.kpm");
    EXPECT_THROW(Control.SaveProjectAs(bad), EKPError);
    EXPECT_TRUE(Control.FileName().isEmpty());
    EXPECT_TRUE(Control.IsChanged());
    EXPECT_FALSE(QFile::exists(bad));

    const QString file = WorkFile("projekt.kpm");
    Control.SaveProjectAs(file);
    EXPECT_EQ(Control.FileName(), file);
    EXPECT_FALSE(Control.IsChanged());
    EXPECT_EQ(Control.Caption(), QStringLiteral("Mirvatek KP - projekt.kpm"));
    ASSERT_TRUE(QFile::exists(file));

    Control.Project()->SetName(QStringLiteral("Geändert"));
    Control.SetIsChanged(true);
    Control.SaveProject();
    EXPECT_FALSE(Control.IsChanged());
    TProject check;
    check.Load(file);
    EXPECT_EQ(check.Name(), QStringLiteral("Geändert"));

    int freed = 0;
    Control.OnProjectFreeing = [&] {
        EXPECT_NE(Control.Project(), nullptr);
        ++freed;
    };
    Control.CloseProject();
    EXPECT_EQ(freed, 1);
    EXPECT_EQ(Control.Project(), nullptr);
    EXPECT_TRUE(Control.FileName().isEmpty());
    EXPECT_FALSE(Control.IsChanged());
    EXPECT_EQ(Control.Caption(), QStringLiteral("Mirvatek KP"));
    Control.CloseProject();
    EXPECT_EQ(freed, 1);
}

TEST_F(ProjectCommands, OpenTakesTheFileOrLeavesEverythingAsItWas)
{
    const QString good = WorkFile("gut.kpm");
    SaveNamedProject(QStringLiteral("Gut"), good);
    const QByteArray bytes = FileBytes(good);
    ASSERT_GT(bytes.size(), 100);

    // Major version after the signature (Int32 count + UTF-16 "Mirvatek KP").
    QByteArray newer = bytes;
    const qint32 major = ProgramVersionMajor + 1;
    newer.replace(4 + 2 * 11, 4, reinterpret_cast<const char*>(&major), 4);

    WriteBytes(WorkFile("gross.KPM"), bytes);
    WriteBytes(WorkFile("gut.txt"), bytes);
    WriteBytes(WorkFile("kaputt.kpm"), bytes.left(bytes.size() / 2));
    WriteBytes(WorkFile("neuer.kpm"), newer);
    WriteBytes(WorkFile("leer.kpm"), QByteArray());

    struct TCase {
        const char* File;
        const char* Error; // nullptr: opens
    };
    const TCase cases[] = {
        {"gut.kpm", nullptr},
        {"gross.KPM", nullptr},
        {"fehlt.kpm", "ist nicht vorhanden."},
        {"gut.txt", "keine Projektdatei"},
        {"kaputt.kpm", ""},
        {"neuer.kpm", ""},
        {"leer.kpm", ""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.File);
        TProject* before = OpenChangedProject();
        const QString beforeName = Control.FileName();
        int freed = 0;
        Control.OnProjectFreeing = [&] { ++freed; };
        const QString file = WorkFile(QString::fromUtf8(c.File));
        if (!c.Error) {
            Control.OpenProject(file);
            EXPECT_NE(Control.Project(), before);
            EXPECT_EQ(Control.Project()->Name(), QStringLiteral("Gut"));
            EXPECT_EQ(Control.FileName(), file);
            EXPECT_FALSE(Control.IsChanged());
            EXPECT_EQ(freed, 1);
        } else {
            ExpectError([&] { Control.OpenProject(file); }, QString::fromUtf8(c.Error));
            EXPECT_EQ(Control.Project(), before);
            EXPECT_EQ(Control.Project()->Name(), QStringLiteral("Offen"));
            EXPECT_EQ(Control.FileName(), beforeName);
            EXPECT_TRUE(Control.IsChanged());
            EXPECT_EQ(freed, 0);
        }
        Control.OnProjectFreeing = nullptr;
    }
}

TEST_F(ProjectCommands, MissingFileMessageNamesTheFile)
{
    const QString file = WorkFile("nirgends.kpm");
    ExpectError([&] { Control.OpenProject(file); },
                Format(QStringLiteral("Die Datei %s ist nicht vorhanden."), {file}));
    EXPECT_EQ(Control.Project(), nullptr);
}

TEST_F(ProjectCommands, ANewProjectIsOfThisVersionAfterAnOlderFile)
{
    FileVersionMajor = 1;
    FileVersionMinor = 0;
    Control.NewProject();
    EXPECT_EQ(FileVersionMajor, ProgramVersionMajor);
    EXPECT_EQ(FileVersionMinor, ProgramVersionMinor);
}

TEST_F(ProjectCommands, NewAndOpenedProjectsHaveConsistentRunTimes)
{
    Control.NewProject();
    EXPECT_TRUE(Control.RunTimesConsistent());
    EXPECT_EQ(Control.RunSettings().Multiplier, 1);

    // The multiplier is not stored; the stored steps give it back.
    Control.SetRunTimes(1800, 4);
    const QString file = WorkFile("zeiten.kpm");
    Control.SaveProjectAs(file);
    Control.NewProject();
    Control.OpenProject(file);
    EXPECT_EQ(Control.Model()->MainLoop()->FieldMultiplier(), 4);
    EXPECT_TRUE(Control.RunTimesConsistent());
    EXPECT_FALSE(Control.IsChanged());
}

} // namespace
