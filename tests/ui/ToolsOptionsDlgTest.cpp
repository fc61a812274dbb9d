// The options dialog as the settings object drives it: shown values, values
// stored on OK, nothing on Cancel.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTextEdit>

#include "ScriptedPrompter.h"
#include "model/settings/KPSettings.h"
#include "model/settings/ModelDefaults.h"
#include "ui/dialogs/DlgFrameOKCancel.h"
#include "ui/dialogs/ToolsOptionsDlg.h"

#include <QPushButton>

namespace {

class ToolsOptionsDlg : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetProgramSettings();
        ProgramSettings();
        ScriptedPrompter().Reset();
    }
    void TearDown() override { ResetProgramSettings(); }

    // Runs the settings' Edit with Work acting on the shown dialog.
    bool Edit(const std::function<int(TToolsOptionsDlg&)>& Work)
    {
        ScriptedPrompter().QueueDialog([&](QDialog& d) {
            auto* dlg = dynamic_cast<TToolsOptionsDlg*>(&d);
            EXPECT_NE(dlg, nullptr);
            return dlg ? Work(*dlg) : int(QDialog::Rejected);
        });
        return ProgramSettings().Edit();
    }
};

int ClickOK(TToolsOptionsDlg& D)
{
    D.Frame->BtnOK->click();
    return D.result();
}

} // namespace

TEST_F(ToolsOptionsDlg, MarginsShowMillimetresAndStoreTenths)
{
    PrintMargins.Bottom = 300;
    PrintMargins.Left = 205;  // 20.5 mm shows 20 but stays 205 when untouched
    int shownBottom = -1, shownLeft = -1;
    ASSERT_TRUE(Edit([&](TToolsOptionsDlg& d) {
        shownBottom = d.PMBottom->value();
        shownLeft = d.PMLeft->value();
        d.PMTop->setValue(25);
        return ClickOK(d);
    }));
    EXPECT_EQ(shownBottom, 30);
    EXPECT_EQ(shownLeft, 20);
    EXPECT_EQ(PrintMargins.Bottom, 300);
    EXPECT_EQ(PrintMargins.Left, 205);
    EXPECT_EQ(PrintMargins.Top, 250);
    ResetProgramSettings();
    EXPECT_EQ(ProgramSettings().RegPath(), RegistryBasePath);
    EXPECT_EQ(PrintMargins.Top, 250);  // written to the store
}

TEST_F(ToolsOptionsDlg, AMarginBeyondTheSpinRangeIsNotClampedSilently)
{
    PrintMargins.Right = 1500;
    int shown = -1;
    ASSERT_TRUE(Edit([&](TToolsOptionsDlg& d) {
        shown = d.PMRight->value();
        return ClickOK(d);
    }));
    EXPECT_EQ(shown, 150);
    EXPECT_EQ(PrintMargins.Right, 1500);
}

TEST_F(ToolsOptionsDlg, APrinterNotInstalledSelectsNothingAndStoresEmpty)
{
    PDFDriver = QStringLiteral("Kein solcher Drucker");
    int index = 0;
    ASSERT_TRUE(Edit([&](TToolsOptionsDlg& d) {
        index = d.ComboPDF->currentIndex();
        return ClickOK(d);
    }));
    EXPECT_EQ(index, -1);
    EXPECT_EQ(PDFDriver, QString());

    TToolsOptionsDlg dlg;
    dlg.SetPrinterNames({QStringLiteral("Laser"), QStringLiteral("PDF")});
    TOptionsDialogData data;
    data.PDFDriver = QStringLiteral("PDF");
    dlg.SetData(data);
    EXPECT_EQ(dlg.ComboPDF->currentText(), QStringLiteral("PDF"));
    EXPECT_EQ(dlg.Data().PDFDriver, QStringLiteral("PDF"));
}

TEST_F(ToolsOptionsDlg, NumbersInGermanAndABadLambdaKeepsTheOldValue)
{
    DefaultLambda = 2.5;
    DefaultRhoCP = 2.0;
    QString shown;
    ASSERT_TRUE(Edit([&](TToolsOptionsDlg& d) {
        shown = d.EditLambda->text();
        d.EditLambda->setText(QStringLiteral("zwei"));
        d.EditRhoCP->setText(QStringLiteral("2,25"));
        return ClickOK(d);
    }));
    EXPECT_EQ(shown, QStringLiteral("2,5"));
    EXPECT_EQ(DefaultLambda, 2.5);
    EXPECT_EQ(DefaultRhoCP, 2.25);
}

TEST_F(ToolsOptionsDlg, CancelLeavesTheSettingsUntouched)
{
    CompanyLines = {QStringLiteral("A"), QStringLiteral("B")};
    const int bottom = PrintMargins.Bottom;
    const QString temp = TempDir;
    EXPECT_FALSE(Edit([&](TToolsOptionsDlg& d) {
        d.PMBottom->setValue(1);
        d.REdtCompany->setPlainText(QStringLiteral("X"));
        d.EditTempDir->setText(QStringLiteral("/anders"));
        d.Frame->BtnCancel->click();
        return d.result();
    }));
    EXPECT_EQ(PrintMargins.Bottom, bottom);
    EXPECT_EQ(CompanyLines, (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
    EXPECT_EQ(TempDir, temp);
}

TEST_F(ToolsOptionsDlg, ThreeCompanyLinesThenOne)
{
    ASSERT_TRUE(Edit([&](TToolsOptionsDlg& d) {
        d.REdtCompany->setPlainText(QStringLiteral("Mirvatek\nSonnenweg 1\nMusterstadt"));
        return ClickOK(d);
    }));
    EXPECT_EQ(CompanyLines.size(), 3);
    QStringList shown;
    ASSERT_TRUE(Edit([&](TToolsOptionsDlg& d) {
        shown = d.REdtCompany->toPlainText().split(QLatin1Char('\n'));
        d.REdtCompany->setPlainText(QStringLiteral("Nur eine Zeile"));
        return ClickOK(d);
    }));
    EXPECT_EQ(shown.size(), 3);
    ResetProgramSettings();
    ProgramSettings();
    EXPECT_EQ(CompanyLines, QStringList{QStringLiteral("Nur eine Zeile")});
}

TEST_F(ToolsOptionsDlg, FolderAndFileButtonsAskThePrompter)
{
    TScriptedPrompter& p = ScriptedPrompter();
    TToolsOptionsDlg dlg;
    p.QueueText(QStringLiteral("/daten"));
    dlg.EdtDataDirRightButtonClick();
    EXPECT_EQ(dlg.EdtDataDir->text(), QStringLiteral("/daten"));
    p.QueueText(QStringLiteral("/etc/typen.xml"));
    dlg.EditBHETypesRightButtonClick();
    EXPECT_EQ(dlg.EditBHETypes->text(), QStringLiteral("/etc/typen.xml"));
    EXPECT_EQ(p.Asked().back().DialogName, QStringLiteral("BHE Sondentypen (*.xml)|*.XML"));
    dlg.EdtHeatpumpsFileRightButtonClick();  // cancelled: unchanged
    EXPECT_EQ(dlg.EdtHeatpumpsFile->text(), QString());
    // A logo that cannot be read shows no error and is still stored.
    dlg.EdtLogoFile->setText(QStringLiteral("/does/not/exist.png"));
    dlg.EdtLogoFileExit();
    EXPECT_EQ(dlg.Data().LogoFile, QStringLiteral("/does/not/exist.png"));
    EXPECT_TRUE(p.Messages().isEmpty());
}
