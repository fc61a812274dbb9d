#include "model/mesh/TriangleComp.h"

#include "model/base/KPError.h"
#include "model/base/ModelUI.h"
#include "model/base/NumberText.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace {

// The generator's own words end the message; a chatty one is cut short.
constexpr qsizetype MaxOutputChars = 4000;
// After a kill the process must be gone quickly; this only bounds the wait.
constexpr int KillWaitMs = 5000;
// How often a running generator asks whether the user cancelled it.
constexpr int PollMs = 50;

QString WithOutput(const QString& Message, const QString& Output)
{
    return Output.isEmpty() ? Message : Message + QStringLiteral("\n\n") + Output;
}

QString ProcessOutput(QProcess& P)
{
    QString Out = QString::fromLocal8Bit(P.readAll()).trimmed();
    if (Out.size() > MaxOutputChars) Out = QStringLiteral("…") + Out.right(MaxOutputChars);
    return Out;
}

}  // namespace

QString ChangeFileExt(const QString& FileName, const QString& Ext)
{
    const qsizetype Slash = FileName.lastIndexOf(QLatin1Char('/'));
    const qsizetype Dot = FileName.lastIndexOf(QLatin1Char('.'));
    return (Dot > Slash ? FileName.left(Dot) : FileName) + Ext;
}

TTriangleWrapper::TTriangleWrapper()
    : FCommandLineParams(QStringLiteral("-pq")), FPathToExe(DefaultPathToExe())
{
}

QString TTriangleWrapper::DefaultPathToExe()
{
    const QString Dir = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QString();
    return Dir.isEmpty() ? QStringLiteral("triangle") : QDir(Dir).filePath(QStringLiteral("triangle"));
}

QString TTriangleWrapper::BasePath() const
{
    const QString Base = ChangeFileExt(FInputFile, QString());
    // A relative name beginning with "-" would be read as switches.
    return Base.startsWith(QLatin1Char('-')) ? QStringLiteral("./") + Base : Base;
}

QStringList TTriangleWrapper::Arguments() const
{
    return QProcess::splitCommand(FCommandLineParams) << BasePath();
}

QString TTriangleWrapper::InputPath() const
{
    const bool Poly = FCommandLineParams.contains(QLatin1Char('p'));
    return ChangeFileExt(FInputFile, Poly ? QStringLiteral(".poly") : QStringLiteral(".node"));
}

QString TTriangleWrapper::OutputNodeFile() const
{
    return BasePath() + QStringLiteral(".1.node");
}

QString TTriangleWrapper::OutputEleFile() const
{
    return BasePath() + QStringLiteral(".1.ele");
}

bool TTriangleWrapper::CheckFiles()
{
    if (!QFileInfo(FPathToExe).isFile()) {
        const QString Msg = QStringLiteral("Die ausführbare Datei für Triangle \"%1\" wurde nicht gefunden.\r\n\r\n"
                                           "Möchten Sie jetzt den Dateiort angeben?")
                                .arg(FPathToExe);
        if (ModelUI<TPrompts>().AskYesNo(Msg) == TPromptResult::Yes) SettingsDialog();
        return false;
    }
    const QString Input = InputPath();
    if (QFileInfo(Input).isFile()) return true;
    if (FCommandLineParams.contains(QLatin1Char('p')))
        ModelUI<TPrompts>().ShowError(QStringLiteral("POLY-Datei nicht gefunden!\r\nDer Aufruf von Triangle erfolgt "
                                                     "mit dem Parameter -p.\r\nDie Eingabedatei \"%1\" wurde aber "
                                                     "nicht gefunden.")
                                          .arg(Input));
    else
        ModelUI<TPrompts>().ShowError(QStringLiteral("NODE-Datei nicht gefunden!\r\nDer Aufruf von Triangle erfolgte "
                                                     "ohne den Parameter -p.\r\nDie Eingabedatei \"%1\" wurde aber "
                                                     "nicht gefunden.")
                                          .arg(Input));
    return false;
}

int TTriangleWrapper::Execute()
{
    // Gone first, whatever follows: a mesh left from an earlier run must
    // never be read back as the result of this one.
    if (!FInputFile.isEmpty()) RemoveOldOutputs();
    if (!CheckFiles()) return mrCancel;
    RunGenerator();
    return mrOk;
}

void TTriangleWrapper::RemoveOldOutputs() const
{
    for (const QString& F : {OutputNodeFile(), OutputEleFile()})
        if (QFileInfo::exists(F) && !QFile::remove(F))
            throw EFileError(QStringLiteral("Die alte Ausgabedatei \"%1\" von Triangle konnte nicht gelöscht werden.")
                                 .arg(F));
}

void TTriangleWrapper::RunGenerator() const
{
    QProcess P;
    P.setProcessChannelMode(QProcess::MergedChannels);
    // The file CheckFiles found, not a namesake somewhere on the search path.
    P.setProgram(QFileInfo(FPathToExe).absoluteFilePath());
    P.setArguments(Arguments());
    TTriangleDialogs& Hooks = ModelUI<TTriangleDialogs>();
    Hooks.GeneratorStarted();
    try {
        WaitForGenerator(P);
    } catch (...) {
        Hooks.GeneratorFinished();
        throw;
    }
    Hooks.GeneratorFinished();
}

void TTriangleWrapper::WaitForGenerator(QProcess& P) const
{
    P.start(QIODevice::ReadOnly);
    if (!P.waitForStarted(-1))
        throw EKPError(QStringLiteral("Triangle \"%1\" konnte nicht gestartet werden: %2")
                           .arg(FPathToExe, P.errorString()));
    // Waiting in short slices lets the user interface stay alive and end
    // the generator; a half-written mesh is removed then.
    const auto Stop = [&] {
        P.kill();
        P.waitForFinished(KillWaitMs);
        const QString Output = ProcessOutput(P);
        try {
            RemoveOldOutputs();
        } catch (const EKPError&) {
            // The generator's end is what the user must learn about.
        }
        return Output;
    };
    QElapsedTimer Clock;
    Clock.start();
    while (P.state() != QProcess::NotRunning && !P.waitForFinished(PollMs)) {
        if (P.state() == QProcess::NotRunning) break;
        if (!ModelUI<TTriangleDialogs>().GeneratorRunning()) {
            Stop();
            throw EMeshCancelled(QStringLiteral("Triangle wurde abgebrochen. Das FE-Netz bleibt unverändert."));
        }
        if (FTimeoutMs > 0 && Clock.elapsed() >= FTimeoutMs) {
            const QString Output = Stop();
            throw EKPError(WithOutput(QStringLiteral("Triangle ist nach %1 s nicht fertig geworden und wurde abgebrochen.")
                                          .arg(FloatToStr(FTimeoutMs / 1000.0)),
                                      Output));
        }
    }
    const QString Output = ProcessOutput(P);
    if (P.exitStatus() == QProcess::CrashExit)
        throw EKPError(WithOutput(QStringLiteral("Triangle ist abgestürzt."), Output));
    if (P.exitCode() != 0)
        throw EKPError(
            WithOutput(QStringLiteral("Triangle ist mit dem Fehlercode %1 beendet worden.").arg(P.exitCode()), Output));
    for (const QString& F : {OutputNodeFile(), OutputEleFile()})
        if (!QFileInfo(F).isFile())
            throw EKPError(WithOutput(QStringLiteral("Triangle hat die Datei \"%1\" nicht erzeugt.").arg(F), Output));
}

int TTriangleWrapper::SettingsDialog()
{
    TTriangleSettingsData Data{FPathToExe, FCommandLineParams};
    if (!ModelUI<TTriangleDialogs>().EditTriangleSettings(Data)) return mrCancel;
    FPathToExe = Data.PathToExe;
    FCommandLineParams = Data.CommandLineParams;
    return mrOk;
}
