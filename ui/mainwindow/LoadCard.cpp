#include "ui/mainwindow/LoadCard.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "model/base/DateTime.h"
#include "model/base/ModelUI.h"
#include "model/base/NumberText.h"
#include "model/control/ProjectControl.h"
#include "model/loads/LoadObject.h"
#include "model/project/ProjectDialogs.h"
#include "model/project/ProjectObj.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/Prompter.h"
#include "ui/loads/ProjectDialogsUI.h"
#include "ui/loads/XlsImport.h"
#include "ui/mainwindow/LoadChart.h"
#include "ui/mainwindow/LoadGrid.h"

#include <cmath>

namespace {

QString NumberOrEmpty(double X)
{
    return std::isnan(X) ? QString() : FloatToStr(X);
}

QDate ToQDate(TDateTime T)
{
    int y = 0, m = 0, d = 0;
    DecodeDate(T, y, m, d);
    return QDate(y, m, d);
}

QString DemandText(const QString& Pattern, double X)
{
    const QString v = FloatToFixedOrEmpty(X, 0);
    return Pattern.arg(v.isEmpty() ? QStringLiteral("–") : v);
}

} // namespace

TLoadCard::TLoadCard(QWidget* Parent) : QWidget(Parent)
{
    setObjectName(QStringLiteral("CardLoad"));
    auto* outer = new QVBoxLayout(this);
    auto* nameRow = new QHBoxLayout;
    EdtLoadProfilName = new QLineEdit(this);
    EdtLoadProfilName->setObjectName(QStringLiteral("EdtLoadProfilName"));
    EdtLoadProfilName->setMinimumWidth(260);
    LblEditLoadProfils = new QLabel(QStringLiteral("<a href=\"#\">weitere Lastprofile...</a>"), this);
    LblEditLoadProfils->setObjectName(QStringLiteral("LblEditLoadProfils"));
    nameRow->addWidget(new QLabel(QStringLiteral("Bezeichnung"), this));
    nameRow->addWidget(EdtLoadProfilName);
    nameRow->addWidget(LblEditLoadProfils);
    nameRow->addStretch(1);
    outer->addLayout(nameRow);
    auto* body = new QHBoxLayout;
    body->addWidget(CreateSettings());
    body->addWidget(CreateGridPanel());
    body->addWidget(CreateChartPanel(), 1);
    outer->addLayout(body, 1);
    WireEdits();
}

QWidget* TLoadCard::CreateSettings()
{
    auto* panel = new QWidget(this);
    auto* box = new QVBoxLayout(panel);
    box->setContentsMargins(0, 0, 0, 0);
    auto* grid = new QGridLayout;
    auto radio = [panel](const QString& Name, const QString& Caption) {
        auto* r = new QRadioButton(Caption, panel);
        r->setObjectName(Name);
        return r;
    };
    auto edit = [panel](const QString& Name, const QString& Placeholder) {
        auto* e = new QLineEdit(panel);
        e->setObjectName(Name);
        e->setPlaceholderText(Placeholder);
        e->setMaximumWidth(90);
        return e;
    };
    RBLoadConstant = radio(QStringLiteral("RBLoadConstant"), QStringLiteral("Konstante Leistung"));
    RBLoadYearly = radio(QStringLiteral("RBLoadYearly"), QStringLiteral("Jahresprofil (Datum/Energiebedarf)"));
    RBLoadMonthPower = radio(QStringLiteral("RBLoadMonthPower"), QStringLiteral("Jahresprofil (Monat/Energiebedarf)"));
    RBloadVariable = radio(QStringLiteral("RBloadVariable"), QStringLiteral("Variable Leistung"));
    auto* group = new QButtonGroup(panel);
    // The ids are the profile kinds.
    group->addButton(RBLoadConstant, ltConstant);
    group->addButton(RBLoadYearly, ltYearProfile);
    group->addButton(RBloadVariable, ltFile);
    group->addButton(RBLoadMonthPower, ltMonthProfile);
    connect(group, &QButtonGroup::idClicked, this, Guarded([this](int Id) { SetLoadKind(Id); }));
    EdtConstantLoad = edit(QStringLiteral("EdtConstantLoad"), QString());
    grid->addWidget(RBLoadConstant, 0, 0);
    grid->addWidget(EdtConstantLoad, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("kW"), panel), 0, 2);
    grid->addWidget(RBLoadYearly, 1, 0, 1, 3);
    grid->addWidget(RBLoadMonthPower, 2, 0, 1, 3);
    grid->addWidget(RBloadVariable, 3, 0, 1, 3);
    LblCoolingTemp = new QLabel(QStringLiteral("Kühlung: Fluidtemperatur [°C]"), panel);
    EdtCoolingTemp = edit(QStringLiteral("EdtCoolingTemp"), QStringLiteral("z.B. 15"));
    EdtCoolingTemp->setToolTip(QStringLiteral("mit dieser Temperatur wird das Fluid in die Sonden injiziert"));
    LblCoolingTemp->setToolTip(EdtCoolingTemp->toolTip());
    grid->addWidget(LblCoolingTemp, 4, 0);
    grid->addWidget(EdtCoolingTemp, 4, 1);
    EdtCOPHeat = edit(QStringLiteral("EdtCOPHeat"), QStringLiteral(">1"));
    EdtCOPCool = edit(QStringLiteral("EdtCOPCool"), QStringLiteral(">1"));
    grid->addWidget(new QLabel(QStringLiteral("COP Heizen"), panel), 5, 0);
    grid->addWidget(EdtCOPHeat, 5, 1);
    grid->addWidget(new QLabel(QStringLiteral("COP Kühlen"), panel), 6, 0);
    grid->addWidget(EdtCOPCool, 6, 1);
    box->addLayout(grid);
    Label6 = new QLabel(QStringLiteral("positive Werte = Gebäude heizen\nnegative Werte = Gebäude kühlen"), panel);
    Label6->setObjectName(QStringLiteral("Label6"));
    box->addWidget(Label6);

    GBoxStartEndDate = new QGroupBox(QStringLiteral("Zeitraum (optional)"), panel);
    GBoxStartEndDate->setObjectName(QStringLiteral("GBoxStartEndDate"));
    auto* dates = new QGridLayout(GBoxStartEndDate);
    auto dateEdit = [this](const QString& Name) {
        auto* d = new QDateEdit(GBoxStartEndDate);
        d->setObjectName(Name);
        d->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
        d->setCalendarPopup(true);
        d->setMinimumDate(QDate(1900, 1, 1));
        return d;
    };
    CBoxStartDate = new QCheckBox(QStringLiteral("Startdatum verwenden"), GBoxStartEndDate);
    CBoxStartDate->setObjectName(QStringLiteral("CBoxStartDate"));
    DateTimeLoadStart = dateEdit(QStringLiteral("DateTimeLoadStart"));
    CBoxEndDate = new QCheckBox(QStringLiteral("Enddatum verwenden"), GBoxStartEndDate);
    CBoxEndDate->setObjectName(QStringLiteral("CBoxEndDate"));
    DateTimeLoadEnd = dateEdit(QStringLiteral("DateTimeLoadEnd"));
    dates->addWidget(CBoxStartDate, 0, 0);
    dates->addWidget(DateTimeLoadStart, 0, 1);
    dates->addWidget(CBoxEndDate, 1, 0);
    dates->addWidget(DateTimeLoadEnd, 1, 1);
    box->addWidget(GBoxStartEndDate);
    box->addStretch(1);
    return panel;
}

QWidget* TLoadCard::CreateGridPanel()
{
    auto* panel = new QWidget(this);
    auto* box = new QVBoxLayout(panel);
    box->setContentsMargins(0, 0, 0, 0);
    LoadGrid = new TLoadGrid(panel);
    LoadGrid->setObjectName(QStringLiteral("LoadGrid"));
    LoadGrid->setMinimumWidth(290);
    LoadGrid->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* clearAll = new QAction(QStringLiteral("Alle löschen"), LoadGrid);
    clearAll->setObjectName(QStringLiteral("Allelschen1"));
    LoadGrid->addAction(clearAll);
    connect(clearAll, &QAction::triggered, this, Guarded([this] { Allelschen1Click(); }));
    box->addWidget(LoadGrid, 1);
    auto* buttons = new QHBoxLayout;
    BtnGetLoadData = new QPushButton(QStringLiteral("Daten übernehmen"), panel);
    BtnGetLoadData->setObjectName(QStringLiteral("BtnGetLoadData"));
    BtnImportLoadProfil = new QPushButton(QStringLiteral("Importieren..."), panel);
    BtnImportLoadProfil->setObjectName(QStringLiteral("BtnImportLoadProfil"));
    buttons->addWidget(BtnGetLoadData);
    buttons->addWidget(BtnImportLoadProfil);
    buttons->addStretch(1);
    box->addLayout(buttons);
    connect(BtnGetLoadData, &QPushButton::clicked, this, Guarded([this] { BtnGetLoadDataClick(); }));
    connect(BtnImportLoadProfil, &QPushButton::clicked, this, Guarded([this] { BtnImportLoadProfilClick(); }));
    return panel;
}

QWidget* TLoadCard::CreateChartPanel()
{
    auto* panel = new QWidget(this);
    auto* box = new QVBoxLayout(panel);
    box->setContentsMargins(0, 0, 0, 0);
    ChartLoad = new TLoadChart(panel);
    box->addWidget(ChartLoad, 1);
    LblHeatDemand = new QLabel(panel);
    LblHeatDemand->setObjectName(QStringLiteral("LblHeatDemand"));
    LblCoolDemand = new QLabel(panel);
    LblCoolDemand->setObjectName(QStringLiteral("LblCoolDemand"));
    box->addWidget(LblHeatDemand);
    box->addWidget(LblCoolDemand);
    return panel;
}

void TLoadCard::WireEdits()
{
    connect(EdtLoadProfilName, &QLineEdit::textEdited, this, Guarded([this](const QString& T) {
                if (!Load()) return;
                Load()->SetName(T);
                Changed();
            }));
    connect(EdtConstantLoad, &QLineEdit::textEdited, this,
            Guarded([this](const QString& T) { NumberEdited(T, &TLoadObj::SetConstantLoad); }));
    connect(EdtCoolingTemp, &QLineEdit::textEdited, this,
            Guarded([this](const QString& T) { NumberEdited(T, &TLoadObj::SetCoolingFluidTemp); }));
    connect(EdtCOPHeat, &QLineEdit::textEdited, this, Guarded([this](const QString& T) {
                NumberEdited(T, &TLoadObj::SetCOPHeating);
                // The month values' effective energies follow the COP.
                if (Load() && Load()->LoadType() == ltMonthProfile) FillLoadGrid();
            }));
    connect(EdtCOPCool, &QLineEdit::textEdited, this, Guarded([this](const QString& T) {
                NumberEdited(T, &TLoadObj::SetCOPCooling);
                if (Load() && Load()->LoadType() == ltMonthProfile) FillLoadGrid();
            }));
    connect(CBoxStartDate, &QCheckBox::clicked, this, Guarded([this](bool On) {
                if (!Load()) return;
                Load()->SetUseStartDate(On);
                Changed();
            }));
    connect(CBoxEndDate, &QCheckBox::clicked, this, Guarded([this](bool On) {
                if (!Load()) return;
                Load()->SetUseEndDate(On);
                Changed();
            }));
    // The pickers are written under blockers by the refresh: a change here is the user's.
    connect(DateTimeLoadStart, &QDateEdit::dateChanged, this, Guarded([this](QDate D) {
                if (!Load()) return;
                Load()->SetStartDate(EncodeDate(D.year(), D.month(), D.day()));
                Changed();
            }));
    connect(DateTimeLoadEnd, &QDateEdit::dateChanged, this, Guarded([this](QDate D) {
                if (!Load()) return;
                Load()->SetEndDate(EncodeDate(D.year(), D.month(), D.day()));
                Changed();
            }));
    connect(LblEditLoadProfils, &QLabel::linkActivated, this, Guarded([this] { LblEditLoadProfilsClick(); }));
}

TLoadObj* TLoadCard::Load() const
{
    return FProject ? FProject->LoadProfile() : nullptr;
}

void TLoadCard::Changed()
{
    if (OnChanged) OnChanged();
}

void TLoadCard::NumberEdited(const QString& Text, void (TLoadObj::*Set)(double))
{
    TLoadObj* load = Load();
    if (!load) return;
    double v = 0;
    if (Text.trimmed().isEmpty())
        (load->*Set)(std::nan(""));
    else if (TryStrToFloat(Text, v))
        (load->*Set)(v);
    Changed();
}

void TLoadCard::SetLoadKind(int Kind)
{
    TLoadObj* load = Load();
    if (!load || Kind < ltConstant || Kind > ltMonthProfile) return;
    load->SetLoadType(static_cast<TLoadType>(Kind));
    RefreshLoadPage();
    Changed();
}

void TLoadCard::RefreshLoadPage()
{
    const TLoadObj* load = Load();
    if (!load) return;
    RefreshControls(*load);
    FillLoadGrid();
}

void TLoadCard::RefreshControls(const TLoadObj& Load)
{
    const QList<QWidget*> all = {EdtLoadProfilName, CBoxStartDate, CBoxEndDate, DateTimeLoadStart, DateTimeLoadEnd,
                                 RBLoadConstant, RBLoadYearly, RBloadVariable, RBLoadMonthPower, EdtConstantLoad,
                                 EdtCOPHeat, EdtCOPCool, EdtCoolingTemp};
    std::vector<std::unique_ptr<QSignalBlocker>> blockers;
    for (QWidget* w : all) blockers.push_back(std::make_unique<QSignalBlocker>(w));
    const TLoadType kind = Load.LoadType();
    EdtLoadProfilName->setText(Load.Name());
    CBoxStartDate->setChecked(Load.UseStartDate());
    CBoxEndDate->setChecked(Load.UseEndDate());
    DateTimeLoadStart->setDate(ToQDate(Load.StartDate()));
    DateTimeLoadEnd->setDate(ToQDate(Load.EndDate()));
    RBLoadConstant->setChecked(kind == ltConstant);
    RBLoadYearly->setChecked(kind == ltYearProfile);
    RBloadVariable->setChecked(kind == ltFile);
    RBLoadMonthPower->setChecked(kind == ltMonthProfile);
    BtnImportLoadProfil->setEnabled(kind == ltFile);
    EdtConstantLoad->setText(NumberOrEmpty(Load.ConstantLoad()));
    EdtConstantLoad->setEnabled(kind == ltConstant);
    EdtCOPHeat->setEnabled(kind == ltMonthProfile);
    EdtCOPCool->setEnabled(kind == ltMonthProfile);
    Label6->setVisible(kind != ltMonthProfile);
    EdtCOPCool->setText(NumberOrEmpty(Load.COPCooling()));
    EdtCOPHeat->setText(NumberOrEmpty(Load.COPHeating()));
    EdtCoolingTemp->setText(NumberOrEmpty(Load.CoolingFluidTemp()));
    EdtCoolingTemp->setVisible(kind == ltYearProfile);
    LblCoolingTemp->setVisible(kind == ltYearProfile);
    // A constant profile has no values to take over.
    BtnGetLoadData->setEnabled(kind != ltConstant);
}

void TLoadCard::FillLoadGrid()
{
    const TLoadObj* load = Load();
    if (!load) return;
    LoadGrid->FillLoadGrid(*load);
    RefreshLoadChart();
}

void TLoadCard::ApplyLoadGrid()
{
    TLoadObj* load = Load();
    if (!load) return;
    LoadGrid->ApplyLoadGrid(*load);
    Changed();
    RefreshLoadChart();
}

void TLoadCard::RefreshLoadChart()
{
    const TLoadObj* load = Load();
    if (!load) return;
    ChartLoad->RefreshLoadChart(*load);
    const bool demand = load->LoadType() != ltFile;
    LblHeatDemand->setVisible(demand);
    LblCoolDemand->setVisible(demand);
    if (!demand) return;
    LblHeatDemand->setText(DemandText(QStringLiteral("jährlicher Heizbedarf %1 kWh"), load->HeatDemandPerYear()));
    LblCoolDemand->setText(DemandText(QStringLiteral("jährlicher Kühlbedarf %1 kWh"), load->CoolDemandPerYear()));
}

void TLoadCard::Allelschen1Click()
{
    if (!Load()) return;
    LoadGrid->ClearEditableCells();
    ApplyLoadGrid();
}

void TLoadCard::BtnImportLoadProfilClick()
{
    if (!Load() || Load()->LoadType() != ltFile) return;
    const QString name =
        Prompter().OpenFileName(QStringLiteral("Lastprofil importieren"), QString(), QStringLiteral("Excel (*.xls)"));
    if (name.isEmpty()) return;
    ImportLoadProfil(name);
}

void TLoadCard::ImportLoadProfil(const QString& FileName)
{
    TLoadObj* load = Load();
    if (!load || load->LoadType() != ltFile) return;
    QList<TXlsRow> rows = ReadXlsFirstSheet(FileName);
    // The sheet's first row is its header.
    if (!rows.isEmpty()) rows.removeFirst();
    rows.removeIf([](const TXlsRow& R) { return XlsRowEmpty(R); });
    LoadGrid->SetSeriesRows(rows);
    // A bad cell stays in the grid, current, for the user to see.
    LoadGrid->ApplyLoadGrid(*load);
    Changed();
    FillLoadGrid();
}

void TLoadCard::LblEditLoadProfilsClick()
{
    if (!FProject) return;
    if (auto* dialogs = dynamic_cast<TProjectDialogsUI*>(&ModelUI<TProjectDialogs>())) dialogs->SetControl(FControl);
    FProject->EditLoadProfils();
    // Even a window left without a choice may have deleted the shown profile.
    RefreshLoadPage();
}
