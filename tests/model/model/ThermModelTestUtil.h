#pragma once

// Helpers of the thermal-model tests: registration, fixtures, scripted
// dialogs and prompts, and a fake generator program.

#include "TestLocale.h"
#include "model/base/ModelUI.h"
#include "model/base/Versions.h"
#include "model/contours/MVContourObj.h"
#include "model/fe/NumElements.h"
#include "model/loads/LoadStreamClasses.h"
#include "model/model/MainModelObj.h"
#include "model/model/ThermModelDialogs.h"
#include "model/monitoring/Monitoring.h"
#include "model/probes/BHEObj.h"
#include "model/settings/KPSettings.h"
#include "model/time/TimelineDataObj.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

inline void RegisterModelTestClasses()
{
    RegisterFEStreamClasses();
    RegisterProbeStreamClasses();
    RegisterContourStreamClasses();
    RegisterLoadStreamClasses();
    RegisterMonitoringStreamClasses();
    RegisterTimeStreamClasses();
    RegisterThermModelStreamClasses();
}

inline QString ModelFixture(const char* Name)
{
    return QDir(QStringLiteral(KP_TEST_DATA "/model")).filePath(QString::fromUtf8(Name));
}

// The model's dialogs, scripted: they record what they were shown and answer
// with the prepared values.
class TFakeModelDialogs : public TThermModelDialogs {
public:
    bool EditModelParams(TModelParamsEditData& Data) override
    {
        ++ParamsCalls;
        ShownParams = Data;
        if (Answer) Answer(Data);
        return Ok;
    }
    bool EditContours(TContoursEditData& Data, const std::function<void(const TContoursEditData&)>& Apply) override
    {
        ShownContours = Data;
        if (ContoursAnswer) ContoursAnswer(Data, Apply);
        return Ok;
    }
    bool Ok = true;
    int ParamsCalls = 0;
    std::function<void(TModelParamsEditData&)> Answer;
    std::function<void(TContoursEditData&, const std::function<void(const TContoursEditData&)>&)> ContoursAnswer;
    TModelParamsEditData ShownParams;
    TContoursEditData ShownContours;
};

class TRecordingPrompts : public TPrompts {
public:
    void ShowMessage(const QString& Text) override { Messages << Text; }
    void ShowError(const QString& Text) override { Errors << Text; }
    QStringList Messages;
    QStringList Errors;
};

// Each test works with fresh settings and its own work folder.
class TModelTestBase : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterModelTestClasses();
        ResetProgramSettings();
        ProgramSettings();
        ASSERT_TRUE(Work.isValid());
        TempDir = Work.filePath(QStringLiteral("tmp"));
    }
    void TearDown() override { ResetProgramSettings(); }

    // A model whose mesh is the fixture field (probe nodes at (0; 0) and (5; 0)).
    static void ImportFixtureMesh(TThermModel& M) { M.ImportMesh(ModelFixture("field.1.node")); }
    static TBHE* AddProbe(TThermModel& M, const QString& Name, double X, double Y)
    {
        TBHE* b = M.AddBHE();
        b->SetName(Name);
        b->SetX(X);
        b->SetY(Y);
        return b;
    }

    QTemporaryDir Work;
    // Records are read as the program writes them unless a test says otherwise.
    TFileVersionScope Version{ProgramVersionMajor, ProgramVersionMinor};
};

// A generator that exits with Code after writing nothing (or, with
// WriteGarbage, an unreadable mesh).
inline QString WriteFakeGenerator(const QString& Dir, int Code, bool WriteGarbage = false)
{
    const QString path = QDir(Dir).filePath(QStringLiteral("fake-triangle-%1%2").arg(Code).arg(WriteGarbage));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    QByteArray script = "#!/bin/sh\n";
    if (WriteGarbage) script += "for b in \"$@\"; do base=\"$b\"; done\necho kaputt > \"$base.1.node\"\n"
                                "echo kaputt > \"$base.1.ele\"\n";
    script += "exit " + QByteArray::number(Code) + "\n";
    f.write(script);
    f.close();
    f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return path;
}
