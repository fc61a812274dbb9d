#pragma once

#include <QWidget>

#include <functional>

class QLabel;
class QToolButton;
class TConceptPicture;
class TLEDDisplay;
class TSmoothGauge;
class TStatusIndicator;
struct TGaugeValues;

// "Status (Konzeptmodell und Werte)": the plant concept with ten gauges, ten
// LED read-outs and the run's date, duration and probe names. The run writes
// it through ShowValues (cheap: values stored, repaint scheduled). Its three
// run buttons are bound by the main window to its run actions; the window is
// made once and only hidden when closed, so a run started from its button
// never loses the widget it runs in.
class TFormConceptAndValues : public QWidget {
    Q_OBJECT

public:
    explicit TFormConceptAndValues(QWidget* Parent = nullptr);

    void ShowValues(const TGaugeValues& V);
    // Ranges of the three scalable gauges from the program settings.
    void ApplyScaling();
    // The scaling dialog; on OK the gauges and the settings take its values.
    void ImageSetupClick();

    // Called once each time the user closes the window (the time engine then
    // stops showing it).
    std::function<void()> OnClose;

    TConceptPicture* ImageConcept = nullptr;
    TSmoothGauge* GaugeHeatpumpIn = nullptr;
    TSmoothGauge* GaugeHeatpumpOut = nullptr;
    TSmoothGauge* GaugeBHEBestT = nullptr;
    TSmoothGauge* GaugeBHEWorstT = nullptr;
    TSmoothGauge* GaugeBHEAverageP = nullptr;
    TSmoothGauge* GaugeBHEBestP = nullptr;
    TSmoothGauge* GaugeBHEWorstP = nullptr;
    TSmoothGauge* GaugeHeatpumpPower = nullptr;
    TSmoothGauge* GaugeCOP = nullptr;
    TSmoothGauge* GaugeElectricity = nullptr;
    TLEDDisplay* LEDDisplayElectricity = nullptr;
    TLEDDisplay* LEDDisplayEnergyYear = nullptr;
    TLEDDisplay* LEDDisplayEnergy = nullptr;
    TLEDDisplay* LEDDisplayDuration = nullptr;
    TLEDDisplay* LEDDisplayAnnualEnergy = nullptr;
    TLEDDisplay* LEDDisplayAnnualHeating = nullptr;
    TLEDDisplay* LEDDisplayAnnualCooling = nullptr;
    TLEDDisplay* LEDDisplayAnnualOpTime = nullptr;
    TLEDDisplay* LEDDisplayGeothermalAnnualHeating = nullptr;
    TLEDDisplay* LEDDisplayGeothermalAnnualCooling = nullptr;
    QLabel* LblDateTime = nullptr;
    QLabel* LblDuration = nullptr;
    QLabel* LblHeatpumpSpecs = nullptr;
    QLabel* LblFluidFlux = nullptr;
    QLabel* LblBest = nullptr;
    QLabel* LblAverage = nullptr;
    QLabel* LblWorst = nullptr;
    TStatusIndicator* StatusHeatpump = nullptr;
    TStatusIndicator* AdvSmoothStatusIndicator1 = nullptr;
    QToolButton* BtnRun = nullptr;
    QToolButton* BtnPause = nullptr;
    QToolButton* BtnStop = nullptr;
    QToolButton* ImageSetup = nullptr;

protected:
    void showEvent(QShowEvent* Event) override;
    void closeEvent(QCloseEvent* Event) override;

private:
    QWidget* MakeHeader();
    QWidget* MakeGauges();
    QWidget* MakeLEDs();
};
