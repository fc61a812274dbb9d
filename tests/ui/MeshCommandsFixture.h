#pragma once

// The main window with a project of two probes and a stand-in mesh
// generator: fake-triangle.sh writes a fixed square of two triangles and four
// nodes, hanging-triangle.sh never finishes.

#include "MainWindowFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "model/fe/NumModel.h"
#include "model/model/MainModelObj.h"
#include "plan/PlanView.h"
#include "ui/mainwindow/MeshCommands.h"
#include "ui/mainwindow/ProbesCard.h"

class MeshCommandsFixture : public MainWindowFixture
{
public:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        FOldLocation = TriangleLocation;
        FOldParameter = TriangleParameter;
        TriangleLocation = Generator(QStringLiteral("fake-triangle.sh"));
        TriangleParameter = QStringLiteral("-pqa");
    }

    void TearDown() override
    {
        MainWindowFixture::TearDown();
        TriangleLocation = FOldLocation;
        TriangleParameter = FOldParameter;
    }

    // A copy of the script Name of tests/ui/data that the user may execute.
    QString Generator(const QString& Name)
    {
        const QString source = QDir(QStringLiteral(KP_UI_TEST_DATA)).filePath(Name);
        const QString copy = Path(Name);
        if (!QFileInfo::exists(copy)) {
            EXPECT_TRUE(QFile::copy(source, copy)) << source.toStdString();
            QFile::setPermissions(copy, QFile::permissions(copy) | QFileDevice::ExeOwner | QFileDevice::ReadOwner);
        }
        return copy;
    }

    // A new project with two probes on the probe page.
    TFormLoad& ProjectWithProbes()
    {
        TFormLoad& w = Window();
        w.NewProject();
        w.Control().AddProbe(nullptr, -5, 0);
        w.Control().AddProbe(nullptr, 5, 0);
        w.SetActiveCard(mcMap);
        w.resize(1000, 700);
        Settle();
        return w;
    }

    // The mesh command with the parameter dialog confirmed.
    void Generate(TFormLoad& w)
    {
        ScriptedPrompter().QueueDialog([](QDialog&) { return int(QDialog::Accepted); });
        w.MeshCommands()->GridGenerate->trigger();
    }

    TFormLoad& MeshedProject()
    {
        TFormLoad& w = ProjectWithProbes();
        Generate(w);
        EXPECT_EQ(w.Control().Model()->FieldModel()->ElementCount(), 2);
        w.Control().ClearMessages();
        w.RefreshMessages();
        w.SetIsChanged(false);
        ScriptedPrompter().Reset();
        return w;
    }

    static QString Memo(TFormLoad& w) { return w.ProbesCard()->MemoMsg->toPlainText(); }

private:
    QString FOldLocation;
    QString FOldParameter;
};
