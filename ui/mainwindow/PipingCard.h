#pragma once

// The piping page: the circulating fluid and its flow through the probe
// field. The model keeps the flow in m³/s; the page shows and takes m³/h.
// Only year profiles run the heat pump and its circuit; for the other load
// kinds the page shows an information box instead.

#include <QWidget>

#include <functional>

class QButtonGroup;
class QGroupBox;
class QLineEdit;
class TProject;

class TPipingCard : public QWidget
{
    Q_OBJECT
public:
    explicit TPipingCard(QWidget* Parent = nullptr);

    void SetProject(TProject* Project) { FProject = Project; }
    TProject* Project() const { return FProject; }
    void RefreshPipingPage();

    // The user changed the project (the window marks it changed).
    std::function<void()> OnChanged;

    QGroupBox* GroupBoxPiping = nullptr;
    QLineEdit* EditFlux = nullptr;
    QGroupBox* RGFluid = nullptr;
    QButtonGroup* FluidButtons = nullptr;
    QGroupBox* GroupBoxFluidInfo = nullptr;

private:
    void EditFluxChange(const QString& Text);
    void RGFluidClick(int Index);
    void Changed();

    TProject* FProject = nullptr;
};
