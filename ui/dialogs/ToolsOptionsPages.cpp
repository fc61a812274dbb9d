// The five pages of the options dialog, control by control.
#include "ui/dialogs/ToolsOptionsDlg.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTextEdit>
#include <QVBoxLayout>

#include "ui/common/CommandGuard.h"
#include "ui/common/CommonNonVisuals.h"

namespace {

QLineEdit* Edit(QWidget* Parent, const QString& Name, const QString& Hint = QString())
{
    auto* e = new QLineEdit(Parent);
    e->setObjectName(Name);
    e->setPlaceholderText(Hint);
    e->setMinimumWidth(260);
    return e;
}

// An edit with a picture button at its right end (file or folder picker).
template <typename F>
QLineEdit* ButtonEdit(QWidget* Parent, const QString& Name, const QString& Hint, TImageIndex Image, F Click)
{
    QLineEdit* e = Edit(Parent, Name, Hint);
    QAction* a = e->addAction(KPIcon(Image), QLineEdit::TrailingPosition);
    a->setObjectName(Name + QStringLiteral("Button"));
    QObject::connect(a, &QAction::triggered, e, Guarded(Click));
    return e;
}

QWidget* Page(QGroupBox* Group)
{
    auto* page = new QWidget;
    auto* l = new QVBoxLayout(page);
    l->addWidget(Group);
    l->addStretch(1);
    return page;
}

QSpinBox* Margin(QWidget* Parent, const QString& Name)
{
    auto* s = new QSpinBox(Parent);
    s->setObjectName(Name);
    s->setRange(0, 100);
    return s;
}

} // namespace

QWidget* TToolsOptionsDlg::BuildDisplayPage()
{
    auto* g = new QGroupBox(QStringLiteral("Karte"));
    auto* f = new QFormLayout(g);
    SpinEditBHEMapSize = new QDoubleSpinBox(g);
    SpinEditBHEMapSize->setObjectName(QStringLiteral("SpinEditBHEMapSize"));
    SpinEditBHEMapSize->setDecimals(1);
    SpinEditBHEMapSize->setRange(1, 100);
    SpinEditNodeSize = new QDoubleSpinBox(g);
    SpinEditNodeSize->setObjectName(QStringLiteral("SpinEditNodeSize"));
    SpinEditNodeSize->setDecimals(1);
    SpinEditNodeSize->setRange(0, 100);
    f->addRow(QStringLiteral("Symbolgröße Sonde"), SpinEditBHEMapSize);
    f->addRow(QStringLiteral("Symbolgröße Node"), SpinEditNodeSize);
    return Page(g);
}

QWidget* TToolsOptionsDlg::BuildEnvironmentPage()
{
    auto* g = new QGroupBox(QStringLiteral("Konfigurationsdateien"));
    auto* f = new QFormLayout(g);
    const QString fileHint = QStringLiteral("Dateinamen angeben");
    const QString dirHint = QStringLiteral("Verzeichnis angeben");
    EditBHETypes = ButtonEdit(g, QStringLiteral("EditBHETypes"), fileHint, iiFile,
                              [this] { EditBHETypesRightButtonClick(); });
    EdtHeatpumpsFile = ButtonEdit(g, QStringLiteral("EdtHeatpumpsFile"), fileHint, iiFile,
                                  [this] { EdtHeatpumpsFileRightButtonClick(); });
    EditTempDir = ButtonEdit(g, QStringLiteral("EditTempDir"), dirHint, iiFolder,
                             [this] { EditTempDirRightButtonClick(); });
    EdtDataDir = ButtonEdit(g, QStringLiteral("EdtDataDir"), dirHint, iiFolder, [this] { EdtDataDirRightButtonClick(); });
    f->addRow(QStringLiteral("Sondentypen"), EditBHETypes);
    f->addRow(QStringLiteral("Wärmepumpen"), EdtHeatpumpsFile);
    f->addRow(QStringLiteral("Temp-Verzeichnis"), EditTempDir);
    f->addRow(QStringLiteral("Daten-Verzeichnis"), EdtDataDir);
    return Page(g);
}

QWidget* TToolsOptionsDlg::BuildParameterPage()
{
    auto* g = new QGroupBox(QStringLiteral("Modellparameter"));
    auto* f = new QFormLayout(g);
    EditLambda = Edit(g, QStringLiteral("EditLambda"), QStringLiteral("default is 2"));
    EditRhoCP = Edit(g, QStringLiteral("EditRhoCP"), QStringLiteral("default is 2.5"));
    f->addRow(QStringLiteral("Wärmeleitfähigkeit λ [W/m/K]"), EditLambda);
    f->addRow(QStringLiteral("vol. Wärmekapazität ρ cp [MJ/m³/K]"), EditRhoCP);
    return Page(g);
}

QWidget* TToolsOptionsDlg::BuildModelPage()
{
    auto* page = new QWidget;
    auto* l = new QVBoxLayout(page);
    CBoxAutosaveEmpty = new QCheckBox(QStringLiteral("Warnung wenn nichts zum Autospeichern ausgewählt ist"), page);
    CBoxAutosaveEmpty->setObjectName(QStringLiteral("CBoxAutosaveEmpty"));
    l->addWidget(CBoxAutosaveEmpty);
    auto* f = new QFormLayout;
    EdtRadialR = Edit(page, QStringLiteral("EdtRadialR"));
    EdtRadialR->setMinimumWidth(80);
    EdtRadialR->setToolTip(QStringLiteral("beim Erzeugen des Grids werden radial Nodes in diesem Abstand angelegt"));
    f->addRow(QStringLiteral("Abstand der Gitterpunkte um EWS [m]"), EdtRadialR);
    l->addLayout(f);
    l->addStretch(1);
    return page;
}

QWidget* TToolsOptionsDlg::BuildPrintPage()
{
    auto* page = new QWidget;
    auto* l = new QVBoxLayout(page);
    auto* top = new QHBoxLayout;

    auto* pdf = new QGroupBox(QStringLiteral("PDF Unterstützung"), page);
    auto* pf = new QFormLayout(pdf);
    CBoxPDFEnable = new QCheckBox(QStringLiteral("Einschalten"), pdf);
    CBoxPDFEnable->setObjectName(QStringLiteral("CBoxPDFEnable"));
    CBoxPDFEnable->setToolTip(QStringLiteral("Displays a button in the toolbar to quickly create a PDF file"));
    ComboPDF = new QComboBox(pdf);
    ComboPDF->setObjectName(QStringLiteral("ComboPDF"));
    ComboPDF->setToolTip(QStringLiteral("Select the printer driver to create PDF files"));
    ComboPDF->setMinimumWidth(160);
    pf->addRow(CBoxPDFEnable);
    pf->addRow(QStringLiteral("PDF Treiber"), ComboPDF);
    top->addWidget(pdf);

    auto* margins = new QGroupBox(QStringLiteral("Seitenränder [mm]"), page);
    auto* mf = new QFormLayout(margins);
    CBDrawFrame = new QCheckBox(QStringLiteral("Rahmen zeichnen"), margins);
    CBDrawFrame->setObjectName(QStringLiteral("CBDrawFrame"));
    PMLeft = Margin(margins, QStringLiteral("PMLeft"));
    PMRight = Margin(margins, QStringLiteral("PMRight"));
    PMTop = Margin(margins, QStringLiteral("PMTop"));
    PMBottom = Margin(margins, QStringLiteral("PMBottom"));
    mf->addRow(CBDrawFrame);
    mf->addRow(QStringLiteral("Links"), PMLeft);
    mf->addRow(QStringLiteral("Rechts"), PMRight);
    mf->addRow(QStringLiteral("Oben"), PMTop);
    mf->addRow(QStringLiteral("Unten"), PMBottom);
    top->addWidget(margins);

    l->addLayout(top);
    l->addWidget(BuildCompanyGroup());
    l->addStretch(1);
    return page;
}

QGroupBox* TToolsOptionsDlg::BuildCompanyGroup()
{
    auto* g = new QGroupBox(QStringLiteral("Beschriftungsfeld"));
    auto* grid = new QGridLayout(g);
    grid->addWidget(new QLabel(QStringLiteral("Firmenname"), g), 0, 0, Qt::AlignTop);
    REdtCompany = new QTextEdit(g);
    REdtCompany->setObjectName(QStringLiteral("REdtCompany"));
    REdtCompany->setAcceptRichText(false);
    REdtCompany->setLineWrapMode(QTextEdit::NoWrap);
    REdtCompany->setFixedHeight(90);
    grid->addWidget(REdtCompany, 0, 1);
    BtnFont = new QPushButton(QStringLiteral("Schrift..."), g);
    BtnFont->setObjectName(QStringLiteral("BtnFont"));
    connect(BtnFont, &QPushButton::clicked, this, Guarded([this] { BtnFontClick(); }));
    grid->addWidget(BtnFont, 0, 2, Qt::AlignTop);

    auto* logo = new QGroupBox(QStringLiteral("Logo"), g);
    auto* row = new QHBoxLayout(logo);
    RGLogo = new QButtonGroup(this);
    const QString captions[] = {QStringLiteral("Ohne"), QStringLiteral("Klein"), QStringLiteral("Groß")};
    for (int i = 0; i < 3; ++i) {
        auto* r = new QRadioButton(captions[i], logo);
        RGLogo->addButton(r, i);
        row->addWidget(r);
    }
    grid->addWidget(logo, 1, 1, 1, 2);

    grid->addWidget(new QLabel(QStringLiteral("Grafikdatei"), g), 2, 0);
    EdtLogoFile = ButtonEdit(g, QStringLiteral("EdtLogoFile"), QStringLiteral("Dateinamen angeben"), iiFile,
                             [this] { EdtLogoFileRightButtonClick(); });
    connect(EdtLogoFile, &QLineEdit::editingFinished, this, Guarded([this] { EdtLogoFileExit(); }));
    grid->addWidget(EdtLogoFile, 2, 1, 1, 2);

    auto* preview = new QGroupBox(QStringLiteral("Vorschau"), g);
    auto* pl = new QVBoxLayout(preview);
    ImageLogo = new QLabel(preview);
    ImageLogo->setObjectName(QStringLiteral("ImageLogo"));
    ImageLogo->setFixedSize(160, 60);
    ImageLogo->setAlignment(Qt::AlignCenter);
    pl->addWidget(ImageLogo);
    grid->addWidget(preview, 3, 1, 1, 2);
    return g;
}
