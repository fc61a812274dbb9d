// The checks before a run: message, kind, the setting at fault, and nothing
// started.

#include "ControlTestUtil.h"

#if defined(KP_TRIANGLE_EXE)

using namespace controltest;

namespace {

class RunChecks : public TControlTest
{
protected:
    void SetUp() override
    {
        TControlTest::SetUp();
        MakeProbeField();
        ASSERT_TRUE(Control.GenerateMesh(false));
        ASSERT_TRUE(Data.isValid());
    }
    QTemporaryDir Data;
};

TEST_F(RunChecks, RefusedRunsStartNothing)
{
    struct TCase {
        const char* Name;
        std::function<void(TRunSettings&)> Setup;
        TRunCheckKind Kind;
        TRunField Field;
        QString Message;
    };
    const QString missingFolder = QDir(Data.path()).filePath(QStringLiteral("fehlt"));
    const TCase cases[] = {
        {"duration not a number", [](TRunSettings& s) { s.Duration = QStringLiteral("x"); },
         TRunCheckKind::Error, TRunField::Duration, QStringLiteral("Bitte eine gültig Dauer eingeben.")},
        {"duration 0", [](TRunSettings& s) { s.Duration = QStringLiteral("0"); }, TRunCheckKind::Error,
         TRunField::Duration, QStringLiteral("Bitte eine gültig Dauer eingeben.")},
        {"probe moved after meshing",
         [this](TRunSettings&) { Control.MoveProbe(Control.Model()->BHE(1), 7, 0); },
         TRunCheckKind::Information, TRunField::None,
         QStringLiteral(
             "Anzahl oder Position der EWS wurden geändert. Das FE-Modell muss neu erstellt werden.")},
        {"second probe without a load profile",
         [this](TRunSettings&) { Control.Model()->BHE(1)->SetLoadProfilIndex(-1); },
         TRunCheckKind::MissingLoadProfile, TRunField::Probes,
         QStringLiteral(
             "Der Sonde \"Sonde 2\" ist kein Lastprofil zugeordnet. Nehmen Sie die Zuordnung in der "
             "Sondenübersicht vor.")},
        {"probe with a profile past the list",
         [this](TRunSettings&) { Control.Model()->BHE(2)->SetLoadProfilIndex(1); },
         TRunCheckKind::MissingLoadProfile, TRunField::Probes,
         QStringLiteral(
             "Der Sonde \"Sonde 3\" ist kein Lastprofil zugeordnet. Nehmen Sie die Zuordnung in der "
             "Sondenübersicht vor.")},
        {"Δt not a number", [](TRunSettings& s) { s.DeltaTime = QStringLiteral("x"); }, TRunCheckKind::Error,
         TRunField::DeltaTime, QStringLiteral("Bitte geben Sie einen gültigen Wert für den Zeitschritt an")},
        {"Δt 0", [](TRunSettings& s) { s.DeltaTime = QStringLiteral("0"); }, TRunCheckKind::Error,
         TRunField::DeltaTime, QStringLiteral("Bitte geben Sie einen Wert>0 für den Zeitschritt an")},
        {"multiplier 0", [](TRunSettings& s) { s.Multiplier = 0; }, TRunCheckKind::Error,
         TRunField::Multiplier, QStringLiteral("Der Multiplikator muss zwischen 1 und 100 liegen.")},
        {"no month, not yet ignored", [](TRunSettings& s) { s.IgnoreNoMonths = false; },
         TRunCheckKind::AskAbortIgnore, TRunField::None,
         QStringLiteral("Sie haben keine Monate zum automatischen Abspeichern des Feldes auswählt.")},
        {"month without a folder",
         [&](TRunSettings& s) {
             s.Months[0] = true;
             s.DataDir = missingFolder;
             s.DataFile = QStringLiteral("feld");
         },
         TRunCheckKind::Error, TRunField::DataDir,
         QStringLiteral("Bitte geben Sie ein Verzeichnis zum Abspeichern des Felds an.")},
        {"month without a stem",
         [&](TRunSettings& s) {
             s.Months[5] = true;
             s.DataDir = Data.path();
         },
         TRunCheckKind::Error, TRunField::DataFile,
         QStringLiteral("Bitte geben Sie ein Dateinamen zum Abspeichern des Felds an.")},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        MakeProbeField();
        ASSERT_TRUE(Control.GenerateMesh(false));
        TRunSettings s = Settings();
        c.Setup(s);
        const std::vector<double> before = Temperatures();
        const TRunCheck r = Control.RunExecute(s);
        EXPECT_EQ(r.Kind, c.Kind);
        EXPECT_EQ(r.Field, c.Field);
        EXPECT_EQ(r.Message, c.Message);
        EXPECT_EQ(Starts, 0);
        EXPECT_EQ(Engine().NumTimeStep(), 0);
        EXPECT_EQ(Control.RunState(), TRunState::Idle);
        EXPECT_EQ(Temperatures(), before);
        EXPECT_DOUBLE_EQ(Control.Model()->FieldModel()->DeltaTime(), 3600);
    }
    EXPECT_TRUE(States.empty() || States.back() == TRunState::Idle);
}

TEST_F(RunChecks, TitlesOfTheTaskMessages)
{
    Control.MoveProbe(Control.Model()->BHE(0), 1, 1);
    EXPECT_EQ(Control.RunExecute(Settings()).Title,
              QStringLiteral("Simulation kann nicht gestartet werden!"));
    ASSERT_TRUE(Control.GenerateMesh(false));
    Control.Model()->BHE(0)->SetLoadProfilIndex(-1);
    EXPECT_EQ(Control.RunExecute(Settings()).Title, QStringLiteral("EWS ohne Lastprofil"));
}

TEST_F(RunChecks, AModelWithoutMeshIsRefused)
{
    Control.NewProject();
    Control.AddProbe(nullptr, 0, 0);
    const TRunCheck r = Control.RunExecute(Settings());
    EXPECT_EQ(r.Kind, TRunCheckKind::Information);
    EXPECT_EQ(r.Message,
              QStringLiteral("Das Modell hat kein Finite-Elemente-Netz. Bitte zuerst das Netz erzeugen."));
    EXPECT_EQ(Starts, 0);
}

TEST_F(RunChecks, IgnoreOrNoWarningRunsWithoutSaving)
{
    for (bool warn : {true, false}) {
        SCOPED_TRACE(warn);
        WarnOnEmptyAutosave = warn;
        TRunSettings s = Settings();
        s.IgnoreNoMonths = warn;
        ASSERT_TRUE(Control.RunExecute(s).Ok());
        EXPECT_FALSE(Control.Model()->MainLoop()->AutoSaveMonthly());
        EXPECT_EQ(Engine().NumTimeStep(), 24);
    }
}

TEST_F(RunChecks, MonthsFolderAndStemReachTheLoop)
{
    TRunSettings s = Settings(QStringLiteral("2"));
    s.StartDate = EncodeDate(2026, 1, 31);
    s.Months[1] = true; // February
    s.DataDir = Data.path();
    s.DataFile = QStringLiteral("feld");
    ASSERT_TRUE(Control.RunExecute(s).Ok());
    const TMainLoop& loop = *Control.Model()->MainLoop();
    EXPECT_TRUE(loop.AutoSaveMonthly());
    EXPECT_TRUE(loop.SavedMonth(2));
    EXPECT_FALSE(loop.SavedMonth(1));
    EXPECT_EQ(loop.SaveDataLocation(), QDir(Data.path()).filePath(QStringLiteral("feld")));
    // The dump of the first of February.
    EXPECT_EQ(QDir(Data.path()).entryList({QStringLiteral("feld*.txt")}, QDir::Files).size(), 1);
}

TEST_F(RunChecks, GermanNumbersAreAccepted)
{
    const TLocaleScope german(QLocale::German);
    double v = 0;
    EXPECT_TRUE(ParseRunNumber(QStringLiteral("365,5"), v));
    EXPECT_DOUBLE_EQ(v, 365.5);
    EXPECT_FALSE(ParseRunNumber(QStringLiteral("x"), v));
    EXPECT_FALSE(ParseRunNumber(QStringLiteral("inf"), v));
    EXPECT_FALSE(ParseRunNumber(QStringLiteral("nan"), v));
}

} // namespace

#endif
