// The mesh generator's settings dialog as the wrapper drives it, and its
// program picker.
#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "ScriptedPrompter.h"
#include "model/settings/KPSettings.h"
#include "ui/dialogs/DlgFrameOKCancel.h"
#include "ui/mesh/MeshDialogsUI.h"
#include "ui/mesh/TriangleDlg.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

class TriangleSettingsDlg : public ::testing::Test
{
protected:
    void SetUp() override { ScriptedPrompter().Reset(); }

    int Edit(TTriangleWrapper& W, const std::function<void(TDlgTriangleSettings&)>& Work)
    {
        ScriptedPrompter().QueueDialog([&](QDialog& d) {
            auto* dlg = dynamic_cast<TDlgTriangleSettings*>(&d);
            EXPECT_NE(dlg, nullptr);
            if (!dlg) return int(QDialog::Rejected);
            Work(*dlg);
            return dlg->result();
        });
        return W.SettingsDialog();
    }

    // A file in Dir, executable or not.
    static QString MakeFile(const QTemporaryDir& Dir, const QString& Name, bool Executable)
    {
        QFile f(Dir.filePath(Name));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n");
        f.close();
        QFile::Permissions p = QFile::ReadOwner | QFile::WriteOwner;
        if (Executable) p |= QFile::ExeOwner;
        f.setPermissions(p);
        return f.fileName();
    }

    TUITriangleDialogs Dialogs;
    TModelUIScope<TTriangleDialogs> Scope{&Dialogs};
};

TEST_F(TriangleSettingsDlg, OKTakesPathAndSwitchesCancelKeepsThem)
{
    TTriangleWrapper w;
    w.SetPathToExe(QStringLiteral("/opt/kp/triangle"));
    w.SetCommandLineParams(QStringLiteral("-pq30aAQ"));
    QString shownPath, shownParams;
    EXPECT_EQ(Edit(w,
                   [&](TDlgTriangleSettings& d) {
                       shownPath = d.EditExeName->text();
                       shownParams = d.EditParams->text();
                       d.EditExeName->setText(QStringLiteral("/usr/local/bin/triangle"));
                       d.FrameOKCancel1->BtnCancel->click();
                   }),
              TTriangleWrapper::mrCancel);
    EXPECT_EQ(shownPath, QStringLiteral("/opt/kp/triangle"));
    EXPECT_EQ(shownParams, QStringLiteral("-pq30aAQ"));
    EXPECT_EQ(w.PathToExe(), QStringLiteral("/opt/kp/triangle"));

    EXPECT_EQ(Edit(w,
                   [&](TDlgTriangleSettings& d) {
                       d.EditExeName->setText(QStringLiteral("/usr/local/bin/triangle"));
                       d.EditParams->setText(QStringLiteral("-pq25aAQ"));
                       d.FrameOKCancel1->BtnOK->click();
                   }),
              TTriangleWrapper::mrOk);
    EXPECT_EQ(w.PathToExe(), QStringLiteral("/usr/local/bin/triangle"));
    EXPECT_EQ(w.CommandLineParams(), QStringLiteral("-pq25aAQ"));
}

TEST_F(TriangleSettingsDlg, ThePickerTakesOnlyAnExecutableAndReplacesTheWholeText)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString program = MakeFile(dir, QStringLiteral("triangle"), true);
    const QString data = MakeFile(dir, QStringLiteral("notes.txt"), false);
    TDlgTriangleSettings dlg;
    TScriptedPrompter& p = ScriptedPrompter();

    // Empty: the picker starts at our generator next to the program, any file offered.
    dlg.EditExeNameButton->trigger();
    ASSERT_EQ(p.Asked().size(), 1u);
    EXPECT_EQ(p.Asked()[0].Text, DefaultTriangleLocation());
    EXPECT_EQ(p.Asked()[0].DialogName, QStringLiteral("Ausführbare Dateien|*"));

    dlg.EditExeName->setText(QStringLiteral("/alt/triangle -V"));
    p.QueueText(program);
    dlg.EditExeNameButton->trigger();
    EXPECT_EQ(p.Asked().back().Text, QStringLiteral("/alt/triangle -V"));
    EXPECT_EQ(dlg.EditExeName->text(), program);

    p.QueueText(QString()); // cancelled
    dlg.EditExeNameButton->trigger();
    EXPECT_EQ(dlg.EditExeName->text(), program);

    p.QueueText(data);
    dlg.EditExeNameButton->trigger();
    EXPECT_EQ(dlg.EditExeName->text(), program);
    EXPECT_EQ(p.Messages(),
              QStringList{QStringLiteral("Die Datei \"%1\" ist kein ausführbares Programm.").arg(data)});
}

TEST(TriangleDlgImages, TheFolderPictureFollowsTheDpi)
{
    const struct {
        int Dpi, Size;
    } cases[] = {{96, 16}, {120, 16}, {144, 24}, {192, 32}, {288, 48}};
    for (const auto& c : cases) EXPECT_EQ(TriangleDlgImageSize(c.Dpi), c.Size) << c.Dpi;
}

} // namespace
