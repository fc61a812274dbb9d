#include "ui/results/FormConceptAndValues.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

#include "gfx/Colors.h"
#include "model/run/RunDisplay.h"
#include "model/settings/KPSettings.h"
#include "ui/common/CommandGuard.h"
#include "ui/common/CommonNonVisuals.h"
#include "ui/common/Prompter.h"
#include "ui/results/ConceptPicture.h"
#include "ui/results/FormDashScaling.h"
#include "ui/results/LEDDisplay.h"
#include "ui/results/SmoothGauge.h"

namespace {

QToolButton* RunButton(QWidget* Parent, TImageIndex Image, const QString& Name, const QString& Hint)
{
    auto* b = new QToolButton(Parent);
    b->setObjectName(Name);
    b->setIcon(KPIcon(Image));
    b->setIconSize(QSize(24, 24));
    b->setToolTip(Hint);
    b->setAutoRaise(true);
    return b;
}

void SetLabel(QLabel* L, const QString& Text)
{
    if (L->text() != Text) L->setText(Text);
}

} // namespace

TFormConceptAndValues::TFormConceptAndValues(QWidget* Parent) : QWidget(Parent, Qt::Window)
{
    setObjectName(QStringLiteral("FormConceptAndValues"));
    setWindowTitle(QStringLiteral("Status (Konzeptmodell und Werte)"));
    auto* layout = new QGridLayout(this);
    layout->addWidget(MakeHeader(), 0, 0, 1, 2);
    ImageConcept = new TConceptPicture(this);
    layout->addWidget(ImageConcept, 1, 0);
    layout->addWidget(MakeGauges(), 2, 0);
    layout->addWidget(MakeLEDs(), 1, 1, 2, 1);
    layout->setRowStretch(1, 1);
    layout->setRowStretch(2, 2);
    layout->setColumnStretch(0, 1);
    ApplyScaling();
    resize(1000, 640);
}

QWidget* TFormConceptAndValues::MakeHeader()
{
    auto* header = new QWidget(this);
    auto* row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    BtnRun = RunButton(header, iiRun, QStringLiteral("BtnRun"), QStringLiteral("Simulation starten"));
    BtnPause = RunButton(header, iiPause, QStringLiteral("BtnPause"), QStringLiteral("Simulation anhalten"));
    BtnStop = RunButton(header, iiStop, QStringLiteral("BtnStop"), QStringLiteral("Simulation beenden"));
    for (QToolButton* b : {BtnRun, BtnPause, BtnStop}) row->addWidget(b);
    LblDateTime = new QLabel(header);
    LblDuration = new QLabel(header);
    QFont bold = LblDateTime->font();
    bold.setBold(true);
    LblDateTime->setFont(bold);
    row->addSpacing(12);
    row->addWidget(LblDateTime);
    row->addSpacing(12);
    row->addWidget(LblDuration);
    row->addStretch(1);
    StatusHeatpump = new TStatusIndicator(QStringLiteral("Heatpump"), header);
    AdvSmoothStatusIndicator1 = new TStatusIndicator(QStringLiteral("Electricity"), header);
    row->addWidget(StatusHeatpump);
    row->addWidget(AdvSmoothStatusIndicator1);
    ImageSetup = new QToolButton(header);
    ImageSetup->setObjectName(QStringLiteral("ImageSetup"));
    ImageSetup->setToolTip(QStringLiteral("Settings"));
    ImageSetup->setIcon(KPIcon(iiOptions));
    ImageSetup->setIconSize(QSize(32, 32));
    ImageSetup->setAutoRaise(true);
    connect(ImageSetup, &QToolButton::clicked, this, Guarded([this] { ImageSetupClick(); }));
    row->addWidget(ImageSetup);
    return header;
}

QWidget* TFormConceptAndValues::MakeGauges()
{
    auto* panel = new QWidget(this);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    auto* hp = new QGroupBox(QStringLiteral("Wärmepumpe"), panel);
    auto* hpGrid = new QGridLayout(hp);
    GaugeHeatpumpPower = new TSmoothGauge(QStringLiteral("P [kW]"), 0, 20, hp);
    GaugeCOP = new TSmoothGauge(QStringLiteral("COP"), 3, 8, hp);
    GaugeElectricity = new TSmoothGauge(QStringLiteral("P el. [kW]"), 0, 20, hp);
    GaugeHeatpumpIn = new TSmoothGauge(QStringLiteral("T ein [°C]"), -10, 40, hp);
    GaugeHeatpumpOut = new TSmoothGauge(QStringLiteral("T aus [°C]"), -10, 40, hp);
    TSmoothGauge* hpGauges[] = {GaugeHeatpumpPower, GaugeCOP, GaugeElectricity, GaugeHeatpumpIn, GaugeHeatpumpOut};
    for (int i = 0; i < 5; ++i) hpGrid->addWidget(hpGauges[i], 0, i);
    LblHeatpumpSpecs = new QLabel(hp);
    LblFluidFlux = new QLabel(hp);
    hpGrid->addWidget(LblHeatpumpSpecs, 1, 0, 1, 3);
    hpGrid->addWidget(LblFluidFlux, 1, 3, 1, 2);

    auto* bhe = new QGroupBox(QStringLiteral("Erdwärmesonden"), panel);
    auto* bheGrid = new QGridLayout(bhe);
    GaugeBHEBestT = new TSmoothGauge(QStringLiteral("T best [°C]"), -10, 40, bhe);
    GaugeBHEWorstT = new TSmoothGauge(QStringLiteral("T worst [°C]"), -10, 40, bhe);
    GaugeBHEAverageP = new TSmoothGauge(QStringLiteral("P Ø [kW]"), 0, 20, bhe);
    GaugeBHEBestP = new TSmoothGauge(QStringLiteral("P best [kW]"), 0, 20, bhe);
    GaugeBHEWorstP = new TSmoothGauge(QStringLiteral("P worst [kW]"), 0, 20, bhe);
    TSmoothGauge* bheGauges[] = {GaugeBHEBestT, GaugeBHEWorstT, GaugeBHEAverageP, GaugeBHEBestP, GaugeBHEWorstP};
    for (int i = 0; i < 5; ++i) bheGrid->addWidget(bheGauges[i], 0, i);
    LblBest = new QLabel(bhe);
    LblAverage = new QLabel(bhe);
    LblWorst = new QLabel(bhe);
    bheGrid->addWidget(LblBest, 1, 0, 1, 2);
    bheGrid->addWidget(LblAverage, 1, 2);
    bheGrid->addWidget(LblWorst, 1, 3, 1, 2);
    for (TSmoothGauge* g : {GaugeHeatpumpPower, GaugeCOP, GaugeElectricity, GaugeHeatpumpIn, GaugeHeatpumpOut,
                            GaugeBHEBestT, GaugeBHEWorstT, GaugeBHEAverageP, GaugeBHEBestP, GaugeBHEWorstP})
        g->SetSubDivisions(4);
    GaugeCOP->SetDivisions(4);
    grid->addWidget(hp, 0, 0);
    grid->addWidget(bhe, 1, 0);
    return panel;
}

QWidget* TFormConceptAndValues::MakeLEDs()
{
    auto* box = new QGroupBox(QStringLiteral("Energie"), this);
    auto* column = new QVBoxLayout(box);
    const auto led = [&](const QString& Caption) {
        auto* d = new TLEDDisplay(Caption, box);
        column->addWidget(d);
        return d;
    };
    LEDDisplayElectricity = led(QStringLiteral("Daily consumption"));
    LEDDisplayEnergyYear = led(QStringLiteral("Annual consumption"));
    LEDDisplayEnergy = led(QStringLiteral("Daily Energy Output"));
    LEDDisplayDuration = led(QStringLiteral("Daily Operating Time"));
    LEDDisplayAnnualEnergy = led(QStringLiteral("Annual Energy Output"));
    LEDDisplayAnnualHeating = led(QStringLiteral("Annual Heating Energy Output"));
    LEDDisplayAnnualCooling = led(QStringLiteral("Annual Cooling Energy Output"));
    LEDDisplayAnnualOpTime = led(QStringLiteral("Annual Operating Time"));
    LEDDisplayGeothermalAnnualHeating = led(QStringLiteral("Annual Heating Geothermal Energy"));
    LEDDisplayGeothermalAnnualCooling = led(QStringLiteral("Annual Cooling Geothermal Energy"));
    column->addStretch(1);
    box->setMinimumWidth(220);
    return box;
}

void TFormConceptAndValues::ShowValues(const TGaugeValues& V)
{
    SetLabel(LblDateTime, V.LblDateTime);
    SetLabel(LblDuration, V.LblDuration);
    GaugeHeatpumpPower->SetValue(V.GaugeHeatpumpPower);
    GaugeElectricity->SetValue(V.GaugeElectricity);
    GaugeCOP->SetValue(V.GaugeCOP);
    GaugeHeatpumpIn->SetValue(V.GaugeHeatpumpIn);
    GaugeHeatpumpOut->SetValue(V.GaugeHeatpumpOut);
    GaugeBHEBestT->SetValue(V.GaugeBHEBestT);
    GaugeBHEBestP->SetValue(V.GaugeBHEBestP);
    GaugeBHEWorstT->SetValue(V.GaugeBHEWorstT);
    GaugeBHEWorstP->SetValue(V.GaugeBHEWorstP);
    GaugeBHEAverageP->SetValue(V.GaugeBHEAverageP);
    if (GaugeBHEBestT->isVisibleTo(this) != V.BestGaugesVisible) {
        GaugeBHEBestT->setVisible(V.BestGaugesVisible);
        GaugeBHEBestP->setVisible(V.BestGaugesVisible);
    }
    if (GaugeBHEWorstT->isVisibleTo(this) != V.WorstGaugesVisible) {
        GaugeBHEWorstT->setVisible(V.WorstGaugesVisible);
        GaugeBHEWorstP->setVisible(V.WorstGaugesVisible);
    }
    StatusHeatpump->SetCaption(V.StatusHeatpump.isEmpty() ? QStringLiteral("Heatpump") : V.StatusHeatpump);
    StatusHeatpump->SetColor(ColorToQColor(V.StatusHeatpumpColor));
    SetLabel(LblHeatpumpSpecs, V.LblHeatpumpSpecs);
    SetLabel(LblFluidFlux, V.LblFluidFlux);
    SetLabel(LblBest, V.LblBest);
    SetLabel(LblWorst, V.LblWorst);
    LEDDisplayEnergy->SetText(V.LEDDisplayEnergy);
    LEDDisplayDuration->SetText(V.LEDDisplayDuration);
    LEDDisplayAnnualOpTime->SetText(V.LEDDisplayAnnualOpTime);
    LEDDisplayElectricity->SetText(V.LEDDisplayElectricity);
    LEDDisplayEnergyYear->SetText(V.LEDDisplayEnergyYear);
    LEDDisplayAnnualEnergy->SetText(V.LEDDisplayAnnualEnergy);
    LEDDisplayAnnualHeating->SetText(V.LEDDisplayAnnualHeating);
    LEDDisplayAnnualCooling->SetText(V.LEDDisplayAnnualCooling);
    LEDDisplayGeothermalAnnualHeating->SetText(V.LEDDisplayGeothermalAnnualHeating);
    LEDDisplayGeothermalAnnualCooling->SetText(V.LEDDisplayGeothermalAnnualCooling);
}

void TFormConceptAndValues::ApplyScaling()
{
    const TDashScalingValues v = TDashScalingValues::FromSettings();
    GaugeHeatpumpPower->SetMaximum(v.HPMax);
    GaugeHeatpumpPower->SetDivisions(v.HPSeg);
    GaugeCOP->SetMaximum(v.COPMax);
    GaugeCOP->SetDivisions(v.COPSeg);
    GaugeElectricity->SetMaximum(v.ElecMax);
    GaugeElectricity->SetDivisions(v.ElecSeg);
}

void TFormConceptAndValues::ImageSetupClick()
{
    TFormDashScaling dlg(this);
    const TDashScalingValues old = TDashScalingValues::FromSettings();
    dlg.SetValues(old);
    if (Prompter().ExecDialog(dlg) != QDialog::Accepted) return;
    dlg.Values(old).ToSettings();
    ApplyScaling();
    ProgramSettings().WriteInstrumentScaling();
}

void TFormConceptAndValues::showEvent(QShowEvent* Event)
{
    ApplyScaling();
    QWidget::showEvent(Event);
}

void TFormConceptAndValues::closeEvent(QCloseEvent* Event)
{
    // Hidden, never deleted: the run and the main window keep pointers to it.
    Event->accept();
    if (OnClose) {
        const auto handler = std::move(OnClose);
        OnClose = nullptr;
        handler();
    }
}
