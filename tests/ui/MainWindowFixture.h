#pragma once

// The main window under test: list files and the recent list in a temporary
// folder, the scripted prompter reset, and project files made through the
// controller as the program writes them.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>

#include "ScriptedPrompter.h"
#include "model/control/ProjectControl.h"
#include "model/project/ProjectObj.h"
#include "model/settings/KPSettings.h"
#include "model/settings/MRUList.h"
#include "ui/mainwindow/FormLoad.h"
#include "ui/mainwindow/SmallCommands.h"

#include <memory>

class MainWindowFixture : public ::testing::Test
{
public:
    void SetUp() override
    {
        ASSERT_TRUE(FDir.isValid());
        FOldHeatpumps = HeatpumpsFile;
        FOldBHETypes = BHETypesFile;
        HeatpumpsFile = Path(QStringLiteral("listen/heatpumps.kph"));
        BHETypesFile = Path(QStringLiteral("listen/bhetypes.xml"));
        ClearRecent();
        QSettings(QSettings::SystemScope, QStringLiteral("Mirvatek"), QStringLiteral("KP"))
            .remove(QStringLiteral("2.0/Examples"));
        FOldOpener = TSmallCommands::UrlOpener();
        TSmallCommands::UrlOpener() = [this](const QUrl& U) {
            Opened.push_back(U);
            return true;
        };
        ScriptedPrompter().Reset();
    }

    void TearDown() override
    {
        W.reset();
        TSmallCommands::UrlOpener() = FOldOpener;
        HeatpumpsFile = FOldHeatpumps;
        BHETypesFile = FOldBHETypes;
        ShowExampleList = true;
        ScriptedPrompter().Reset();
    }

    static void ClearRecent()
    {
        TFileInfolist l;
        l.SetRegPath(RegistryBasePath + QStringLiteral("\\MRU"));
        l.WriteToRegistry();
    }

    // The window, shown, with its first activation done.
    TFormLoad& Window()
    {
        if (!W) {
            W = std::make_unique<TFormLoad>();
            W->show();
            Settle();
        }
        return *W;
    }

    static void Settle()
    {
        for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    }

    QString Path(const QString& Name) const { return FDir.filePath(Name); }

    // A project file named Name holding a project called ProjectName.
    QString MakeProject(const QString& Name, const QString& ProjectName, bool UseGW = false)
    {
        TProjectControl c;
        c.NewProject();
        c.Project()->SetName(ProjectName);
        c.Project()->SetClient(QStringLiteral("Stadtwerke"));
        if (UseGW) c.SetUseGW(true);
        const QString file = Path(Name);
        c.SaveProjectAs(file);
        return file;
    }

    std::unique_ptr<TFormLoad> W;
    std::vector<QUrl> Opened;

private:
    QTemporaryDir FDir;
    QString FOldHeatpumps;
    QString FOldBHETypes;
    std::function<bool(const QUrl&)> FOldOpener;
};
