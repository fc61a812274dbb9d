#include "model/base/KPError.h"
#include "model/base/ModelUI.h"
#include "model/mesh/TriangleComp.h"
#include "tests/TestFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class TFakePrompts : public TPrompts {
public:
    void ShowError(const QString& Text) override { Errors << Text; }
    TPromptResult AskYesNo(const QString& Text) override
    {
        Questions << Text;
        return Answer;
    }
    QStringList Errors, Questions;
    TPromptResult Answer = TPromptResult::No;
};

class TFakeDialogs : public TTriangleDialogs {
public:
    bool EditTriangleSettings(TTriangleSettingsData& Data) override
    {
        ++Shown;
        Seen = Data;
        if (Ok) Data = NewData;
        return Ok;
    }
    int Shown = 0;
    bool Ok = false;
    TTriangleSettingsData Seen, NewData;
};

QByteArray ReadFile(const QString& Name)
{
    QFile F(Name);
    return F.open(QIODevice::ReadOnly) ? F.readAll() : QByteArray();
}

class TriangleWrapper : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(FDir.isValid());
        // a folder with a blank: the input path is one argument
        ASSERT_TRUE(QDir(FDir.path()).mkpath(QStringLiteral("tmp dir")));
        FWork = QDir(FDir.filePath(QStringLiteral("tmp dir")));
        WriteFile(FWork.filePath(QStringLiteral("KPMOD.poly")), "0 2 0 1\r\n");
        FW.SetInputFile(FWork.filePath(QStringLiteral("KPMOD.poly")));
    }

    // A fake generator: the shell script Body gets the arguments as "$@".
    QString Script(const QByteArray& Body)
    {
        const QString Name = FDir.filePath(QStringLiteral("fake-triangle"));
        WriteFile(Name, "#!/bin/sh\n" + Body + "\n", true);
        return Name;
    }

    void WriteStaleOutputs()
    {
        WriteFile(FW.OutputNodeFile(), "stale\n");
        WriteFile(FW.OutputEleFile(), "stale\n");
    }

    QTemporaryDir FDir;
    QDir FWork;
    TTriangleWrapper FW;
    TFakePrompts FPrompts;
    TModelUIScope<TPrompts> FPromptScope{&FPrompts};
    TFakeDialogs FDialogs;
    TModelUIScope<TTriangleDialogs> FDialogScope{&FDialogs};
};

// Writes both outputs and records its arguments one per line.
const QByteArray GoodGenerator = "for a in \"$@\"; do echo \"$a\"; done > \"$(dirname \"$0\")/args.txt\"\n"
                                 "for a in \"$@\"; do base=\"$a\"; done\n"
                                 "echo node > \"$base.1.node\"\n"
                                 "echo ele > \"$base.1.ele\"\n";

}  // namespace

TEST_F(TriangleWrapper, Defaults)
{
    const TTriangleWrapper W;
    EXPECT_EQ(W.CommandLineParams(), "-pq");
    EXPECT_EQ(W.PathToExe(), QDir(QCoreApplication::applicationDirPath()).filePath("triangle"));
    EXPECT_EQ(W.InputFile(), "");
    EXPECT_EQ(W.TimeoutMs(), TTriangleWrapper::DefaultTimeoutMs);
}

TEST(ChangeFileExt, ReplacesOnlyTheLastExtensionOfTheName)
{
    const char* Cases[][3] = {
        {"/tmp/KPMOD.poly", "", "/tmp/KPMOD"},
        {"/tmp/KPMOD.poly", ".node", "/tmp/KPMOD.node"},
        {"/tmp/a.b/KPMOD", ".poly", "/tmp/a.b/KPMOD.poly"},
        {"/tmp/KP.MOD.poly", "", "/tmp/KP.MOD"},
        {"KPMOD", ".poly", "KPMOD.poly"},
    };
    for (const auto& c : Cases) EXPECT_EQ(ChangeFileExt(c[0], c[1]), c[2]) << c[0];
}

// The letter p (lower case only) asks for the ".poly" input, otherwise ".node".
TEST_F(TriangleWrapper, SwitchesChooseInputAndArguments)
{
    const QString Base = FWork.filePath("KPMOD");
    struct Case {
        QString Params;
        QString Ext;
        QStringList Args;
    };
    const Case Cases[] = {
        {"-pq", ".poly", {"-pq", Base}},
        {"-q", ".node", {"-q", Base}},
        {"-Pq", ".node", {"-Pq", Base}},
        {"-p -q30 -a", ".poly", {"-p", "-q30", "-a", Base}},
        {"", ".node", {Base}},
    };
    FW.SetPathToExe(Script("exit 0"));
    for (const Case& c : Cases) {
        SCOPED_TRACE(c.Params.toStdString());
        FW.SetCommandLineParams(c.Params);
        EXPECT_EQ(FW.InputPath(), Base + c.Ext);
        EXPECT_EQ(FW.Arguments(), c.Args);
        FPrompts.Errors.clear();
        const bool Present = QFileInfo::exists(Base + c.Ext);
        EXPECT_EQ(FW.CheckFiles(), Present);
        if (Present) continue;
        ASSERT_EQ(FPrompts.Errors.size(), 1);
        EXPECT_TRUE(FPrompts.Errors[0].startsWith(c.Ext == ".poly" ? "POLY-Datei nicht gefunden!\r\n"
                                                                   : "NODE-Datei nicht gefunden!\r\n"));
        EXPECT_TRUE(FPrompts.Errors[0].endsWith("Die Eingabedatei \"" + Base + c.Ext + "\" wurde aber nicht gefunden."));
    }
    EXPECT_EQ(FPrompts.Questions.size(), 0);

    // a relative input beginning with "-" must not read as switches
    FW.SetCommandLineParams("-pq");
    FW.SetInputFile("-KPMOD.poly");
    EXPECT_EQ(FW.Arguments(), QStringList({"-pq", "./-KPMOD"}));
}

TEST_F(TriangleWrapper, MissingInputMessages)
{
    FW.SetPathToExe(Script("exit 0"));
    FW.SetInputFile(FWork.filePath("NONE.poly"));
    FW.SetCommandLineParams("-pq");
    EXPECT_EQ(FW.Execute(), TTriangleWrapper::mrCancel);
    FW.SetCommandLineParams("-q");
    EXPECT_EQ(FW.Execute(), TTriangleWrapper::mrCancel);
    ASSERT_EQ(FPrompts.Errors.size(), 2);
    EXPECT_EQ(FPrompts.Errors[0], "POLY-Datei nicht gefunden!\r\nDer Aufruf von Triangle erfolgt mit dem Parameter "
                                  "-p.\r\nDie Eingabedatei \"" + FWork.filePath("NONE.poly") +
                                      "\" wurde aber nicht gefunden.");
    EXPECT_EQ(FPrompts.Errors[1], "NODE-Datei nicht gefunden!\r\nDer Aufruf von Triangle erfolgte ohne den "
                                  "Parameter -p.\r\nDie Eingabedatei \"" + FWork.filePath("NONE.node") +
                                      "\" wurde aber nicht gefunden.");
}

// Yes opens the settings, but this call still does not run the generator.
TEST_F(TriangleWrapper, MissingProgramOffersTheSettings)
{
    const QString Missing = FDir.filePath("no-triangle");
    const TPromptResult Answers[] = {TPromptResult::No, TPromptResult::Yes};
    for (const TPromptResult Answer : Answers) {
        FPrompts.Answer = Answer;
        FPrompts.Questions.clear();
        FDialogs.Shown = 0;
        FDialogs.Ok = true;
        FDialogs.NewData = {Script(GoodGenerator), "-pq"};
        FW.SetPathToExe(Missing);
        WriteStaleOutputs();
        EXPECT_EQ(FW.Execute(), TTriangleWrapper::mrCancel);
        ASSERT_EQ(FPrompts.Questions.size(), 1);
        EXPECT_EQ(FPrompts.Questions[0], "Die ausführbare Datei für Triangle \"" + Missing +
                                             "\" wurde nicht gefunden.\r\n\r\nMöchten Sie jetzt den Dateiort "
                                             "angeben?");
        EXPECT_EQ(FDialogs.Shown, Answer == TPromptResult::Yes ? 1 : 0);
        EXPECT_FALSE(QFileInfo::exists(FW.OutputNodeFile())) << "a stale mesh survived";
    }
    EXPECT_EQ(FW.PathToExe(), FDialogs.NewData.PathToExe);
}

TEST_F(TriangleWrapper, SettingsDialogTakesValuesOnlyOnOk)
{
    FW.SetPathToExe("/opt/triangle");
    FW.SetCommandLineParams("-pq");
    FDialogs.NewData = {"/usr/local/bin/triangle", "-pqa"};
    EXPECT_EQ(FW.SettingsDialog(), TTriangleWrapper::mrCancel);
    EXPECT_EQ(FDialogs.Seen.PathToExe, "/opt/triangle");
    EXPECT_EQ(FDialogs.Seen.CommandLineParams, "-pq");
    EXPECT_EQ(FW.PathToExe(), "/opt/triangle");
    EXPECT_EQ(FW.CommandLineParams(), "-pq");
    FDialogs.Ok = true;
    EXPECT_EQ(FW.SettingsDialog(), TTriangleWrapper::mrOk);
    EXPECT_EQ(FW.PathToExe(), "/usr/local/bin/triangle");
    EXPECT_EQ(FW.CommandLineParams(), "-pqa");
}

TEST_F(TriangleWrapper, RunsTheGeneratorWithSwitchesAndBasePath)
{
    FW.SetPathToExe(Script(GoodGenerator));
    FW.SetCommandLineParams("-p -q");
    WriteStaleOutputs();
    EXPECT_EQ(FW.Execute(), TTriangleWrapper::mrOk);
    EXPECT_EQ(ReadFile(FDir.filePath("args.txt")), "-p\n-q\n" + FWork.filePath("KPMOD").toUtf8() + "\n");
    EXPECT_EQ(ReadFile(FW.OutputNodeFile()), "node\n");
    EXPECT_EQ(ReadFile(FW.OutputEleFile()), "ele\n");
    EXPECT_TRUE(FPrompts.Errors.isEmpty());
}

// A generator that fails in any way raises with its own words, and no
// output of an earlier run survives to be read as the new mesh.
TEST_F(TriangleWrapper, FailingGeneratorRaisesAndLeavesNoStaleMesh)
{
    struct Case {
        const char* Name;
        QByteArray Body;
        QStringList Expected;
        // Only the generator that never ends gets a short limit, so a slow,
        // loaded machine never turns another case into a timeout.
        int TimeoutMs = TTriangleWrapper::DefaultTimeoutMs;
    };
    const Case Cases[] = {
        {"exit 1", "echo 'Fehler: Knoten 7 fehlt' >&2\nexit 1",
         {"Triangle ist mit dem Fehlercode 1 beendet worden.", "Fehler: Knoten 7 fehlt"}},
        {"writes nothing", "echo fertig\nexit 0", {"Triangle hat die Datei", "KPMOD.1.node\" nicht erzeugt.", "fertig"}},
        {"node file only", "for a in \"$@\"; do base=\"$a\"; done\necho node > \"$base.1.node\"",
         {"KPMOD.1.ele\" nicht erzeugt."}},
        {"crash", "kill -SEGV $$", {"Triangle ist abgestürzt."}},
        {"never ends", "echo rechne\nexec sleep 60", {"Triangle ist nach 2 s nicht fertig geworden", "rechne"}, 2000},
    };
    QLocale Old;
    QLocale::setDefault(QLocale(QLocale::German));
    for (const Case& c : Cases) {
        SCOPED_TRACE(c.Name);
        FW.SetTimeoutMs(c.TimeoutMs);
        FW.SetPathToExe(Script(c.Body));
        WriteStaleOutputs();
        try {
            FW.Execute();
            ADD_FAILURE() << "no error";
        } catch (const EKPError& E) {
            for (const QString& Part : c.Expected) EXPECT_TRUE(E.Message().contains(Part)) << E.what();
        }
        EXPECT_FALSE(QFileInfo::exists(FW.OutputEleFile()));
    }
    QLocale::setDefault(Old);
}

TEST_F(TriangleWrapper, ProgramThatCannotStartRaises)
{
    const QString NotExecutable = FDir.filePath("triangle.txt");
    WriteFile(NotExecutable, "#!/bin/sh\nexit 0\n");
    FW.SetPathToExe(NotExecutable);
    WriteStaleOutputs();
    try {
        FW.Execute();
        ADD_FAILURE() << "no error";
    } catch (const EKPError& E) {
        EXPECT_TRUE(E.Message().startsWith("Triangle \"" + NotExecutable + "\" konnte nicht gestartet werden")) << E.what();
    }
    EXPECT_FALSE(QFileInfo::exists(FW.OutputNodeFile()));
}
