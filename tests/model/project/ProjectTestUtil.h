#pragma once

// Helpers of the project tests: registration, settings and work folder per
// test, scripted windows and prompts, and project files of older versions.

#include "TestLocale.h"
#include "model/base/ModelUI.h"
#include "model/base/StreamStrings.h"
#include "model/base/Versions.h"
#include "model/project/ProjectDialogs.h"
#include "model/project/ProjectObj.h"
#include "model/project/StreamClasses.h"
#include "model/settings/KPSettings.h"

// The model tests' builder of older model records.
#include "model/ThermModelRecords.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

inline QString ProjectFixture(const char* Name)
{
    return QDir(QStringLiteral(KP_TEST_DATA)).filePath(QString::fromUtf8(Name));
}

class TRecordingPrompts : public TPrompts {
public:
    void ShowMessage(const QString& Text) override { Messages << Text; }
    void ShowError(const QString& Text) override { Errors << Text; }
    QStringList Messages;
    QStringList Errors;
};

// The project's windows, scripted.
class TFakeProjectDialogs : public TProjectDialogs {
public:
    bool EditLoadProfils(TLoadProfilsEditData& Data, const TLoadProfilsHandler& NewClick,
                         const TLoadProfilsHandler& DeleteClick) override
    {
        Shown = Data;
        if (Script) Script(Data, NewClick, DeleteClick);
        return Ok;
    }
    bool GeoreferenceMap(TGeoreferenceEditData& Data) override
    {
        ShownGeo = Data;
        if (GeoAnswer) GeoAnswer(Data);
        return Ok;
    }
    bool Ok = true;
    std::function<void(TLoadProfilsEditData&, const TLoadProfilsHandler&, const TLoadProfilsHandler&)> Script;
    std::function<void(TGeoreferenceEditData&)> GeoAnswer;
    TLoadProfilsEditData Shown;
    TGeoreferenceEditData ShownGeo;
};

class TProjectTestBase : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterStreamClasses();
        ResetProgramSettings();
        ProgramSettings();
        ASSERT_TRUE(Work.isValid());
        TempDir = Work.filePath(QStringLiteral("tmp"));
    }
    void TearDown() override { ResetProgramSettings(); }

    QString WorkFile(const QString& Name) const { return Work.filePath(Name); }
    static QByteArray FileBytes(const QString& Name)
    {
        QFile f(Name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void WriteBytes(const QString& Name, const QByteArray& Bytes)
    {
        QFile f(Name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(Bytes);
    }
    static TBHE* AddProbe(TThermModel& M, const QString& Name, double X, double Y, int Profile = 0)
    {
        TBHE* b = M.AddBHE();
        b->SetName(Name);
        b->SetX(X);
        b->SetY(Y);
        b->SetLoadProfilIndex(Profile);
        return b;
    }

    QTemporaryDir Work;
    TFileVersionScope Version{ProgramVersionMajor, ProgramVersionMinor};
};

// A project file of version Major.Minor. Below 2.1 the project's models must
// hold no probes and no mesh nodes (see WriteOldModelRecord); a version-1
// file holds the current profile alone.
// Marks, when given, receives the stream position after every record and field.
inline QByteArray OldProjectFile(TProject& P, int Major, int Minor, std::vector<qint64>* Marks = nullptr)
{
    TMemoryStream S;
    auto mark = [&] {
        if (Marks) Marks->push_back(S.Position());
    };
    WriteStringToStream(S, TProject::Signature());
    mark();
    S.WriteInt32(Major);
    mark();
    S.WriteInt32(Minor);
    mark();
    WriteStringToStream(S, P.Name());
    mark();
    WriteStringToStream(S, P.Client());
    mark();
    WriteStringToStream(S, P.User());
    mark();
    P.MapImage->Store(S);
    mark();
    if (Major == 1) {
        // The version-1 profile record lacks the name and the validity window.
        TMemoryStream profile;
        P.LoadProfile()->WriteData(profile);
        const qsizetype header = 4 + 2 * P.LoadProfile()->Name().size() + 1 + 1 + 8 + 8;
        const QByteArray rest = profile.Data().mid(header);
        S.WriteBuffer(rest.constData(), rest.size());
    } else {
        S.WriteByte(1);
        S.WriteInt32(P.LoadProfils().Count());
        mark();
        for (int i = 0; i < P.LoadProfils().Count(); ++i) {
            WriteStringToStream(S, TLoadObj::StaticClassName());
            mark();
            P.LoadProfil(i)->WriteData(S);
            mark();
        }
    }
    mark();
    S.WriteByte(1);
    S.WriteInt32(P.Models().Count());
    mark();
    for (int i = 0; i < P.Models().Count(); ++i) {
        WriteStringToStream(S, TThermModel::StaticClassName());
        mark();
        WriteOldModelRecord(*P.Models().ItemAs<TThermModel>(i), S, Major, Minor, Marks);
    }
    return S.Data();
}
