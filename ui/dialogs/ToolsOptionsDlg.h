#pragma once

#include "model/settings/SettingsDialogs.h"
#include "model/settings/Streamft.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTextEdit;
class TFrameOKCancel;

// The options dialog "Optionen": five pages over the program settings. The
// settings object fills it (SetData), shows it through the prompter and reads
// it back on OK (Data); the dialog itself only shows values and picks files,
// folders, the company font and the logo preview.
class TToolsOptionsDlg : public QDialog {
    Q_OBJECT

public:
    explicit TToolsOptionsDlg(QWidget* Parent = nullptr);

    // The installed printers ComboPDF lists; call before SetData.
    void SetPrinterNames(const QStringList& Names);
    void SetData(const TOptionsDialogData& D);
    TOptionsDialogData Data() const;

    // Carries the company font while the dialog is open.
    Streamft::TStreamFont CompanyFont;

    // Handlers (public so that tests can call them).
    void BtnFontClick();
    void EditTempDirRightButtonClick();
    void EdtDataDirRightButtonClick();
    void EditBHETypesRightButtonClick();
    void EdtHeatpumpsFileRightButtonClick();
    void EdtLogoFileRightButtonClick();
    void EdtLogoFileExit();

    QTabWidget* PageControl = nullptr;
    QDoubleSpinBox* SpinEditBHEMapSize = nullptr;
    QDoubleSpinBox* SpinEditNodeSize = nullptr;
    QLineEdit* EditBHETypes = nullptr;
    QLineEdit* EdtHeatpumpsFile = nullptr;
    QLineEdit* EditTempDir = nullptr;
    QLineEdit* EdtDataDir = nullptr;
    QLineEdit* EditLambda = nullptr;
    QLineEdit* EditRhoCP = nullptr;
    QCheckBox* CBoxAutosaveEmpty = nullptr;
    QLineEdit* EdtRadialR = nullptr;
    QCheckBox* CBoxPDFEnable = nullptr;
    QComboBox* ComboPDF = nullptr;
    QCheckBox* CBDrawFrame = nullptr;
    QSpinBox* PMLeft = nullptr;
    QSpinBox* PMRight = nullptr;
    QSpinBox* PMTop = nullptr;
    QSpinBox* PMBottom = nullptr;
    QTextEdit* REdtCompany = nullptr;
    QPushButton* BtnFont = nullptr;
    QButtonGroup* RGLogo = nullptr;
    QLineEdit* EdtLogoFile = nullptr;
    QLabel* ImageLogo = nullptr;
    TFrameOKCancel* Frame = nullptr;

protected:
    void showEvent(QShowEvent* Event) override;

private:
    QWidget* BuildDisplayPage();
    QWidget* BuildEnvironmentPage();
    QWidget* BuildParameterPage();
    QWidget* BuildModelPage();
    QWidget* BuildPrintPage();
    QGroupBox* BuildCompanyGroup();
    void ApplyCompanyFont();
    void PickFile(QLineEdit* Edit, const QString& Filter);
    void PickFolder(QLineEdit* Edit);

    TOptionsDialogData FShown;
    QPixmap FLogo;
};
