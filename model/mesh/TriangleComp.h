#pragma once

// Runs the mesh generator on the builder's input: checks that program and
// input exist, removes the outputs of an earlier run, starts the program with
// the switches and the input's base path, waits for it and makes sure it
// left its two output files.

#include <QString>
#include <QStringList>

#include "model/base/KPError.h"

class QProcess;

// The values the generator's settings dialog edits.
struct TTriangleSettingsData {
    QString PathToExe;
    QString CommandLineParams;
};

// Dialog hook of the wrapper, installed by the user interface. Headless:
// cancelled.
class TTriangleDialogs {
public:
    virtual ~TTriangleDialogs() = default;
    // Shows Data; on OK Data holds the edited values and the result is true.
    virtual bool EditTriangleSettings(TTriangleSettingsData& Data)
    {
        (void)Data;
        return false;
    }
    // The generator runs: Started before it starts, Running every few
    // milliseconds while it runs (false: the user cancelled it), Finished
    // once it is gone, also after an error. Headless: nothing is shown and
    // nothing cancels.
    virtual void GeneratorStarted() {}
    virtual bool GeneratorRunning() { return true; }
    virtual void GeneratorFinished() {}
};

// The user ended the generator; its outputs are gone and nothing was meshed.
class EMeshCancelled : public EKPError {
public:
    using EKPError::EKPError;
};

class TTriangleWrapper {
public:
    // Results of Execute and SettingsDialog.
    static constexpr int mrOk = 1;
    static constexpr int mrCancel = 2;
    // Long enough for the largest fields; a generator still running then is stopped.
    static constexpr int DefaultTimeoutMs = 10 * 60 * 1000;

    TTriangleWrapper();

    const QString& CommandLineParams() const { return FCommandLineParams; }
    void SetCommandLineParams(const QString& V) { FCommandLineParams = V; }
    const QString& PathToExe() const { return FPathToExe; }
    void SetPathToExe(const QString& V) { FPathToExe = V; }
    const QString& InputFile() const { return FInputFile; }
    void SetInputFile(const QString& V) { FInputFile = V; }
    int TimeoutMs() const { return FTimeoutMs; }
    void SetTimeoutMs(int V) { FTimeoutMs = V; }

    // mrOk when the generator ran and left its mesh; mrCancel when a check
    // failed (the user was told) and nothing ran. Raises EKPError when the
    // generator cannot start, fails, crashes, runs past the time-out or
    // leaves an output missing, and EMeshCancelled when the user ended it
    // (TTriangleDialogs::GeneratorRunning); the outputs of an earlier run
    // are gone then.
    int Execute();
    // Edits PathToExe and CommandLineParams; mrOk when they were taken over.
    int SettingsDialog();
    // Program and input present; otherwise tells the user and gives false.
    bool CheckFiles();

    // The program's arguments: the switches, then the input without extension.
    QStringList Arguments() const;
    // The input the switches call for: ".poly" with the letter p, else ".node".
    QString InputPath() const;
    // The mesh the generator writes: "<input without extension>.1.node" and ".1.ele".
    QString OutputNodeFile() const;
    QString OutputEleFile() const;
    // "triangle" in the folder of the running program.
    static QString DefaultPathToExe();

private:
    QString BasePath() const;
    void RemoveOldOutputs() const;
    void RunGenerator() const;
    void WaitForGenerator(QProcess& P) const;

    QString FCommandLineParams;
    QString FPathToExe;
    QString FInputFile;
    int FTimeoutMs = DefaultTimeoutMs;
};

// Replaces the extension of FileName (the part from the last "." of its last
// path component) with Ext, or appends Ext when there is none.
QString ChangeFileExt(const QString& FileName, const QString& Ext);
