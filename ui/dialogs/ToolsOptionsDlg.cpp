#include "ui/dialogs/ToolsOptionsDlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>

#include "ui/common/Prompter.h"
#include "ui/common/QtFonts.h"
#include "ui/dialogs/DlgFrameOKCancel.h"

#include <algorithm>
#include <cmath>

namespace {

// A value outside the control's range would be clamped and then read back as
// a change the user never made: the range widens to hold it.
void SetSpin(QDoubleSpinBox* S, double V)
{
    if (std::isfinite(V)) S->setRange(std::min(S->minimum(), V), std::max(S->maximum(), V));
    S->setValue(V);
}

void SetSpin(QSpinBox* S, int V)
{
    S->setRange(std::min(S->minimum(), V), std::max(S->maximum(), V));
    S->setValue(V);
}

// The stored value unless the user moved the spin box away from what it showed
// (it shows one decimal, so 4.25 would otherwise come back as 4.3).
double SpinValue(const QDoubleSpinBox* S, double Shown)
{
    const double shownRounded = std::round(Shown * 10) / 10;
    return S->value() == shownRounded ? Shown : S->value();
}

} // namespace

TToolsOptionsDlg::TToolsOptionsDlg(QWidget* Parent) : QDialog(Parent)
{
    setObjectName(QStringLiteral("ToolsOptionsDlg"));
    setWindowTitle(QStringLiteral("Optionen"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 0, 0);
    PageControl = new QTabWidget(this);
    PageControl->addTab(BuildDisplayPage(), QStringLiteral("Darstellung"));
    PageControl->addTab(BuildEnvironmentPage(), QStringLiteral("Umgebung"));
    PageControl->addTab(BuildParameterPage(), QStringLiteral("Parameter"));
    PageControl->addTab(BuildModelPage(), QStringLiteral("Modell"));
    PageControl->addTab(BuildPrintPage(), QStringLiteral("Ausdruck"));
    auto* inner = new QVBoxLayout;
    inner->setContentsMargins(0, 0, 8, 0);
    inner->addWidget(PageControl);
    layout->addLayout(inner);
    Frame = new TFrameOKCancel(this);
    layout->addWidget(Frame);
    // A fixed dialog border: the pages decide the size.
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TToolsOptionsDlg::SetPrinterNames(const QStringList& Names)
{
    ComboPDF->clear();
    ComboPDF->addItems(Names);
    ComboPDF->setCurrentIndex(-1);
}

void TToolsOptionsDlg::SetData(const TOptionsDialogData& D)
{
    FShown = D;
    SetSpin(SpinEditBHEMapSize, D.BHEMapSize);
    SetSpin(SpinEditNodeSize, D.NodeSize);
    EditBHETypes->setText(D.BHETypes);
    EdtHeatpumpsFile->setText(D.HeatpumpsFile);
    EditTempDir->setText(D.TempDir);
    EdtDataDir->setText(D.DataDir);
    EditLambda->setText(D.Lambda);
    EditRhoCP->setText(D.RhoCP);
    CBoxAutosaveEmpty->setChecked(D.AutosaveEmpty);
    EdtRadialR->setText(D.RadialR);
    CBoxPDFEnable->setChecked(D.PDFEnable);
    ComboPDF->setCurrentIndex(ComboPDF->findText(D.PDFDriver, Qt::MatchExactly));
    CBDrawFrame->setChecked(D.DrawFrame);
    SetSpin(PMLeft, D.PMLeft);
    SetSpin(PMRight, D.PMRight);
    SetSpin(PMTop, D.PMTop);
    SetSpin(PMBottom, D.PMBottom);
    CompanyFont.Assign(D.CompanyFont);
    REdtCompany->setPlainText(D.CompanyLines.join(QLatin1Char('\n')));
    ApplyCompanyFont();
    if (QAbstractButton* b = RGLogo->button(D.LogoStyle)) b->setChecked(true);
    EdtLogoFile->setText(D.LogoFile);
    EdtLogoFileExit();
}

TOptionsDialogData TToolsOptionsDlg::Data() const
{
    TOptionsDialogData d;
    d.BHEMapSize = SpinValue(SpinEditBHEMapSize, FShown.BHEMapSize);
    d.NodeSize = SpinValue(SpinEditNodeSize, FShown.NodeSize);
    d.BHETypes = EditBHETypes->text();
    d.HeatpumpsFile = EdtHeatpumpsFile->text();
    d.TempDir = EditTempDir->text();
    d.DataDir = EdtDataDir->text();
    d.Lambda = EditLambda->text();
    d.RhoCP = EditRhoCP->text();
    d.AutosaveEmpty = CBoxAutosaveEmpty->isChecked();
    d.RadialR = EdtRadialR->text();
    d.PDFEnable = CBoxPDFEnable->isChecked();
    d.PDFDriver = ComboPDF->currentIndex() < 0 ? QString() : ComboPDF->currentText();
    d.DrawFrame = CBDrawFrame->isChecked();
    d.PMLeft = PMLeft->value();
    d.PMRight = PMRight->value();
    d.PMTop = PMTop->value();
    d.PMBottom = PMBottom->value();
    d.CompanyFont.Assign(CompanyFont);
    const QString company = REdtCompany->toPlainText();
    d.CompanyLines = company.isEmpty() ? QStringList() : company.split(QLatin1Char('\n'));
    // No selection keeps what was stored (an unknown stored style shows none).
    d.LogoStyle = RGLogo->checkedId() < 0 ? FShown.LogoStyle : RGLogo->checkedId();
    d.LogoFile = EdtLogoFile->text();
    return d;
}

void TToolsOptionsDlg::showEvent(QShowEvent* Event)
{
    ApplyCompanyFont();
    QDialog::showEvent(Event);
}

void TToolsOptionsDlg::ApplyCompanyFont()
{
    REdtCompany->document()->setDefaultFont(ToQFont(CompanyFont));
}

void TToolsOptionsDlg::BtnFontClick()
{
    QFont f = ToQFont(CompanyFont);
    if (!Prompter().ChooseFont(f)) return;
    FromQFont(f, CompanyFont);
    ApplyCompanyFont();
}

void TToolsOptionsDlg::PickFolder(QLineEdit* Edit)
{
    const QString folder = Prompter().ExistingDirectory(QString(), Edit->text());
    if (!folder.isEmpty()) Edit->setText(QDir::toNativeSeparators(folder));
}

void TToolsOptionsDlg::PickFile(QLineEdit* Edit, const QString& Filter)
{
    const QString name = Prompter().OpenFileName(QString(), Edit->text(), Filter);
    if (!name.isEmpty()) Edit->setText(name);
}

void TToolsOptionsDlg::EditTempDirRightButtonClick()
{
    PickFolder(EditTempDir);
}

void TToolsOptionsDlg::EdtDataDirRightButtonClick()
{
    PickFolder(EdtDataDir);
}

void TToolsOptionsDlg::EditBHETypesRightButtonClick()
{
    PickFile(EditBHETypes, QStringLiteral("BHE Sondentypen (*.xml)|*.XML"));
}

void TToolsOptionsDlg::EdtHeatpumpsFileRightButtonClick()
{
    PickFile(EdtHeatpumpsFile, QStringLiteral("KP Wärmepumpen (*.kph)|*.KPH"));
}

void TToolsOptionsDlg::EdtLogoFileRightButtonClick()
{
    const QString before = EdtLogoFile->text();
    PickFile(EdtLogoFile, QStringLiteral("Alle unterstützten Formate|*.png;*.bmp;*.jpg"));
    if (EdtLogoFile->text() != before) EdtLogoFileExit();
}

void TToolsOptionsDlg::EdtLogoFileExit()
{
    // A file that cannot be read leaves the previous preview; no message.
    const QString name = EdtLogoFile->text();
    if (name.isEmpty() || !QFileInfo::exists(name)) return;
    QImageReader reader(name);
    const QImage img = reader.read();
    if (img.isNull()) return;
    FLogo = QPixmap::fromImage(img);
    ImageLogo->setPixmap(FLogo.scaled(ImageLogo->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}
