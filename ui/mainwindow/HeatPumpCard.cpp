#include "ui/mainwindow/HeatPumpCard.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "chart/MVChart.h"
#include "ui/common/CommonNonVisuals.h"

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

} // namespace

THeatPumpCard::THeatPumpCard(QWidget* Parent) : QWidget(Parent)
{
    setObjectName(QStringLiteral("CardHeatpump"));
    auto* outer = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    auto* buttons = new QHBoxLayout;
    BtnAddHeatpump = new QToolButton(this);
    BtnAddHeatpump->setObjectName(QStringLiteral("BtnAddHeatpump"));
    BtnAddHeatpump->setIcon(KPIcon(iiAdd));
    BtnAddHeatpump->setToolTip(QStringLiteral("Wärmepumpe hinzufügen"));
    BtnDeleteHeatpump = new QToolButton(this);
    BtnDeleteHeatpump->setObjectName(QStringLiteral("BtnDeleteHeatpump"));
    BtnDeleteHeatpump->setIcon(KPIcon(iiDelete));
    BtnDeleteHeatpump->setToolTip(QStringLiteral("Wärmepumpe löschen"));
    buttons->addWidget(new QLabel(QStringLiteral("Wärmepumpen"), this));
    buttons->addStretch(1);
    buttons->addWidget(BtnAddHeatpump);
    buttons->addWidget(BtnDeleteHeatpump);
    left->addLayout(buttons);
    ListViewHeatpumps = new QTreeWidget(this);
    ListViewHeatpumps->setObjectName(QStringLiteral("ListViewHeatpumps"));
    ListViewHeatpumps->setRootIsDecorated(false);
    ListViewHeatpumps->setHeaderLabels({QStringLiteral("Bezeichnung"), QStringLiteral("Hersteller")});
    left->addWidget(ListViewHeatpumps, 1);
    outer->addLayout(left, 1);

    auto* charts = new QVBoxLayout;
    ChartPower = new TMVChart(this);
    ChartPower->setObjectName(QStringLiteral("ChartPower"));
    ChartCOP = new TMVChart(this);
    ChartCOP->setObjectName(QStringLiteral("ChartCOP"));
    charts->addWidget(ChartPower, 1);
    charts->addWidget(ChartCOP, 1);
    outer->addLayout(charts, 2);
    SetupCharts();
}

void THeatPumpCard::SetupCharts()
{
    for (TMVChart* c : {ChartPower, ChartCOP}) {
        c->TopAxis()->SetVisible(false);
        SetupAxis(*c->BottomAxis(), -10, 30, QStringLiteral("Soleeintrittstemperatur [°C]"), 8, false);
    }
    SetupAxis(*ChartPower->LeftAxis(), 0, 25, QStringLiteral("Heizleistung [kW]"), 5, true);
    SetupAxis(*ChartCOP->LeftAxis(), 0, 8, QStringLiteral("Leistungszahl"), 8, true);
}

void THeatPumpCard::RefreshHeatPumpPage()
{
    // The heat-pump page's own commands fill the list and the charts.
}
