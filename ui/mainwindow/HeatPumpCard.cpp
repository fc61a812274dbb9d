#include "ui/mainwindow/HeatPumpCard.h"

#include <QAction>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSignalBlocker>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "chart/MVChart.h"
#include "chart/MVPaintBox.h"
#include "model/base/NumberText.h"
#include "model/loads/HeatpumpDialogs.h"
#include "model/loads/HeatpumpObj.h"
#include "model/loads/LoadObject.h"
#include "model/model/MainModelObj.h"
#include "model/project/ProjectObj.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/CommonNonVisuals.h"
#include "ui/heatpump/CharlineText.h"

#include <array>
#include <cmath>

namespace {

void SetupAxis(TMVAxis& A, double Min, double Max, const QString& Caption, int Segments, bool Invert)
{
    A.SetMinAuto(false);
    A.SetMaxAuto(false);
    A.SetMin(Min);
    A.SetMax(Max);
    A.SetCaption(Caption);
    A.SetSegmentCount(Segments);
    A.SetInvert(Invert);
    A.SetMainGrid(true);
}

THeatpump* ItemHeatpump(const QTreeWidgetItem* Item)
{
    return Item ? static_cast<THeatpump*>(Item->data(0, Qt::UserRole).value<void*>()) : nullptr;
}

QGroupBox* InfoBox(QWidget* Parent, const QString& Text)
{
    auto* box = new QGroupBox(QStringLiteral("Information"), Parent);
    auto* layout = new QVBoxLayout(box);
    auto* label = new QLabel(Text, box);
    label->setWordWrap(true);
    layout->addWidget(label);
    return box;
}

} // namespace

THeatPumpCard::THeatPumpCard(QWidget* Parent) : QWidget(Parent)
{
    setObjectName(QStringLiteral("CardHeatpump"));
    auto* outer = new QVBoxLayout(this);
    GroupBoxHeatpump = new QGroupBox(QStringLiteral("Wärmepumpe"), this);
    GroupBoxHeatpump->setObjectName(QStringLiteral("GroupBoxHeatpump"));
    auto* group = new QVBoxLayout(GroupBoxHeatpump);
    group->addWidget(CreateList(), 1);

    auto* charts = new QHBoxLayout;
    auto chartBox = [this, charts](const QString& Caption, const QString& Name) {
        auto* box = new QVBoxLayout;
        box->addWidget(new QLabel(Caption, GroupBoxHeatpump));
        auto* chart = new TMVChart(GroupBoxHeatpump);
        chart->setObjectName(Name);
        chart->setMinimumSize(353, 220);
        box->addWidget(chart, 1);
        charts->addLayout(box, 1);
        return chart;
    };
    ChartPower = chartBox(QStringLiteral("Kennlinie Heizleistung"), QStringLiteral("ChartPower"));
    ChartCOP = chartBox(QStringLiteral("Kennlinie Leistungszahl"), QStringLiteral("ChartCOP"));
    group->addLayout(charts, 2);
    outer->addWidget(GroupBoxHeatpump, 1);

    GroupBoxHeatpumpInfo =
        InfoBox(this, QStringLiteral("Beim gewählten Lasttyp sind keine weiteren Angaben zur Wärmepumpe erforderlich."));
    GroupBoxHeatpumpInfo->setObjectName(QStringLiteral("GroupBoxHeatpumpInfo"));
    GroupBoxHeatpumpInfo->hide();
    outer->addWidget(GroupBoxHeatpumpInfo);
    outer->addStretch(0);
    SetupCharts();
}

QWidget* THeatPumpCard::CreateList()
{
    auto* panel = new QWidget(GroupBoxHeatpump);
    auto* box = new QVBoxLayout(panel);
    box->setContentsMargins(0, 0, 0, 0);
    HeatpumpCreate = new QAction(KPIcon(iiAdd), QStringLiteral("Neu..."), this);
    HeatpumpCreate->setObjectName(QStringLiteral("HeatpumpCreate"));
    HeatpumpCreate->setToolTip(QStringLiteral("Eine Wärmepumpe anlegen"));
    HeatpumpDelete = new QAction(KPIcon(iiDelete), QStringLiteral("Löschen"), this);
    HeatpumpDelete->setObjectName(QStringLiteral("HeatpumpDelete"));
    HeatpumpDelete->setToolTip(QStringLiteral("gewählte Wärmepumpe löschen"));
    connect(HeatpumpCreate, &QAction::triggered, this, Guarded([this] { HeatpumpCreateExecute(); }));
    connect(HeatpumpDelete, &QAction::triggered, this, Guarded([this] { HeatpumpDeleteExecute(); }));
    auto* buttons = new QHBoxLayout;
    auto button = [panel, buttons](QAction* A, const QString& Name) {
        auto* b = new QToolButton(panel);
        b->setObjectName(Name);
        b->setDefaultAction(A);
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        buttons->addWidget(b);
        return b;
    };
    BtnAddHeatpump = button(HeatpumpCreate, QStringLiteral("BtnAddHeatpump"));
    BtnDeleteHeatpump = button(HeatpumpDelete, QStringLiteral("BtnDeleteHeatpump"));
    buttons->addStretch(1);
    box->addLayout(buttons);

    ListViewHeatpumps = new QTreeWidget(panel);
    ListViewHeatpumps->setObjectName(QStringLiteral("ListViewHeatpumps"));
    ListViewHeatpumps->setRootIsDecorated(false);
    ListViewHeatpumps->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListViewHeatpumps->setSelectionMode(QAbstractItemView::SingleSelection);
    ListViewHeatpumps->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListViewHeatpumps->setToolTip(QStringLiteral("Doppelklick zum Bearbeiten"));
    ListViewHeatpumps->setHeaderLabels({QStringLiteral("Bezeichnung"), QStringLiteral("COP"),
                                        QStringLiteral("Heizleistung [kW]"),
                                        QStringLiteral("Wasseraustrittstemperatur [°C]"),
                                        QStringLiteral("COP (Kühlbetrieb)"), QStringLiteral("Kühlleistung [kW]"),
                                        QStringLiteral("Wasseraustrittstemperatur (Kühlbetrieb)")});
    ListViewHeatpumps->setColumnWidth(0, 200);
    ListViewHeatpumps->setContextMenuPolicy(Qt::ActionsContextMenu);
    ListViewHeatpumps->addAction(HeatpumpCreate);
    ListViewHeatpumps->addAction(HeatpumpDelete);
    // Only the user's click picks a heat pump: the refresh selects silently.
    connect(ListViewHeatpumps, &QTreeWidget::itemClicked, this, Guarded([this] { ListViewHeatpumpsClick(); }));
    connect(ListViewHeatpumps, &QTreeWidget::itemDoubleClicked, this, Guarded([this] { EditSelectedHeatPump(); }));
    connect(ListViewHeatpumps, &QTreeWidget::itemSelectionChanged, this, [this] { UpdateActions(); });
    box->addWidget(ListViewHeatpumps, 1);
    UpdateActions();
    return panel;
}

void THeatPumpCard::SetupCharts()
{
    for (TMVChart* c : {ChartPower, ChartCOP}) {
        c->SetChartWidthAuto(true);
        c->SetChartHeightAuto(true);
        c->SetMarginLeft(150);
        c->SetMarginTop(50);
        c->SetMarginRight(50);
        c->SetMarginBottom(100);
        c->SetLegendVisible(false);
        c->SetDrawTimeMarkings(false);
        c->TopAxis()->SetVisible(false);
        SetupAxis(*c->BottomAxis(), -10, 30, QStringLiteral("Soleeintrittstemperatur [°C]"), 8, false);
    }
    SetupAxis(*ChartPower->LeftAxis(), 0, 20, QStringLiteral("Heizleistung [kW]"), 5, true);
    SetupAxis(*ChartCOP->LeftAxis(), 0, 8, QStringLiteral("Leistungszahl"), 8, true);
    ChartPower->SetAfterDrawChart([this](QObject*) {
        if (const THeatpump* h = ModelHeatpump()) DrawLine(ChartPower, h->HeatPower());
    });
    ChartCOP->SetAfterDrawChart([this](QObject*) {
        if (const THeatpump* h = ModelHeatpump()) DrawLine(ChartCOP, h->COP());
    });
}

THeatpump* THeatPumpCard::ModelHeatpump() const
{
    if (!FProject || !FProject->Model()) return nullptr;
    return FProject->Model()->HeatPump();
}

THeatpump* THeatPumpCard::SelectedHeatpump() const
{
    const QList<QTreeWidgetItem*> sel = ListViewHeatpumps->selectedItems();
    return sel.isEmpty() ? nullptr : ItemHeatpump(sel.first());
}

void THeatPumpCard::UpdateActions()
{
    HeatpumpDelete->setEnabled(SelectedHeatpump() != nullptr);
    HeatpumpCreate->setEnabled(Heatpumps && Heatpumps());
}

QString THeatPumpCard::CharlineColumnText(const TCharline* Line)
{
    if (!Line) return QString();
    return Line->IsStatic() ? FloatToStr(Line->B()) : CharlineText(Line->A(), Line->B());
}

void THeatPumpCard::FillRow(QTreeWidgetItem* Item, const THeatpump& H) const
{
    Item->setText(0, H.Name());
    Item->setText(1, CharlineColumnText(H.COP()));
    Item->setText(2, CharlineColumnText(H.HeatPower()));
    Item->setText(3, FloatToStr(H.WaterTemperature()));
    Item->setText(4, CharlineColumnText(H.CoolCOP()));
    Item->setText(5, CharlineColumnText(H.CoolPower()));
    Item->setText(6, FloatToStr(H.CoolWaterTemperature()));
    Item->setData(0, Qt::UserRole, QVariant::fromValue(static_cast<void*>(const_cast<THeatpump*>(&H))));
}

void THeatPumpCard::RefreshHeatPumpPage()
{
    THeatpump* model = ModelHeatpump();
    THeatPumplist* list = Heatpumps ? Heatpumps() : nullptr;
    if (!FProject || !list) return;
    if (model) list->AddIfNotExits(model);
    {
        const QSignalBlocker block(ListViewHeatpumps);
        ListViewHeatpumps->clear();
        QTreeWidgetItem* match = nullptr;
        for (int i = 0; i < list->Count(); ++i) {
            auto* item = new QTreeWidgetItem(ListViewHeatpumps);
            FillRow(item, *list->Heatpump(i));
            if (!match && model && list->Heatpump(i)->Match(model)) match = item;
        }
        if (match) {
            ListViewHeatpumps->setCurrentItem(match);
            match->setSelected(true);
        }
        for (int c = 0; c < ListViewHeatpumps->columnCount(); ++c) ListViewHeatpumps->resizeColumnToContents(c);
    }
    UpdateActions();
    const TLoadObj* load = FProject->LoadProfile();
    const bool yearProfile = load && load->LoadType() == ltYearProfile;
    GroupBoxHeatpumpInfo->setVisible(!yearProfile);
    GroupBoxHeatpump->setVisible(yearProfile);
    if (yearProfile) RescaleCharts();
}

double THeatPumpCard::PowerAxisMax(double PowerAt30)
{
    if (!std::isfinite(PowerAt30)) return 10;
    return std::max(10.0, std::ceil(PowerAt30 / 10) * 10);
}

int THeatPumpCard::COPAxisMax(double COPAt30)
{
    // A COP beyond any real heat pump is not worth a thousand segments.
    if (!std::isfinite(COPAt30) || COPAt30 > 100) return COPAt30 > 100 ? 100 : 1;
    return std::max(1, static_cast<int>(std::ceil(COPAt30)));
}

void THeatPumpCard::RescaleCharts()
{
    const THeatpump* h = ModelHeatpump();
    const double power = h && h->HeatPower() ? h->HeatPower()->Value(30) : NAN;
    const double cop = h && h->COP() ? h->COP()->Value(30) : NAN;
    ChartPower->LeftAxis()->SetMax(PowerAxisMax(power));
    const int copMax = COPAxisMax(cop);
    ChartCOP->LeftAxis()->SetMax(copMax);
    ChartCOP->LeftAxis()->SetSegmentCount(std::min(copMax, 20));
    SizeCharts();
}

void THeatPumpCard::SizeCharts()
{
    for (TMVChart* c : {ChartPower, ChartCOP}) {
        c->AutoSize();
        c->PaintBox()->update();
    }
}

void THeatPumpCard::showEvent(QShowEvent* Event)
{
    QWidget::showEvent(Event);
    SizeCharts();
}

void THeatPumpCard::resizeEvent(QResizeEvent* Event)
{
    QWidget::resizeEvent(Event);
    SizeCharts();
}

void THeatPumpCard::DrawLine(TMVChart* Chart, const TCharline* Line)
{
    if (!Line) return;
    const std::array<ChartTypes::TDblPoint, 2> points = {ChartTypes::TDblPoint{-5, Line->Value(-5)},
                                                         ChartTypes::TDblPoint{25, Line->Value(25)}};
    if (!std::isfinite(points[0].y) || !std::isfinite(points[1].y)) return;
    Chart->DrawData(points, Chart->BottomAxis(), Chart->LeftAxis(), false, dlLine, 6, msCircle, 0, 0xFF0000,
                    0x701919);
}

void THeatPumpCard::TakeOver(const THeatpump& H)
{
    THeatpump* model = ModelHeatpump();
    if (!model || model == &H) return;
    const bool differs = !model->Match(&H);
    model->Assign(&H);
    if (differs && OnChanged) OnChanged();
}

void THeatPumpCard::ListViewHeatpumpsClick()
{
    const THeatpump* h = SelectedHeatpump();
    if (!h) return;
    TakeOver(*h);
    RescaleCharts();
}

bool THeatPumpCard::EditSelectedHeatPump()
{
    THeatpump* h = SelectedHeatpump();
    if (!h) return false;
    if (h->Edit() != THeatpumpDialogs::mrOk) return false;
    TakeOver(*h);
    RefreshHeatPumpPage();
    return true;
}

void THeatPumpCard::HeatpumpCreateExecute()
{
    THeatPumplist* list = Heatpumps ? Heatpumps() : nullptr;
    if (!list) return;
    THeatpump* h = list->AddHeatPump();
    // A heat pump the user did not confirm is not kept.
    if (h->Edit() != THeatpumpDialogs::mrOk) list->Delete(list->IndexOf(h));
    RefreshHeatPumpPage();
}

void THeatPumpCard::HeatpumpDeleteExecute()
{
    THeatPumplist* list = Heatpumps ? Heatpumps() : nullptr;
    const THeatpump* h = SelectedHeatpump();
    if (!list || !h) return;
    const int index = list->IndexOf(h);
    if (index < 0) return;
    delete ListViewHeatpumps->selectedItems().first();
    list->Delete(index);
    UpdateActions();
}
