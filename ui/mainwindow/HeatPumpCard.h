#pragma once

// The heat-pump page: the list of known heat pumps and the two charts of the
// chosen one's characteristic lines (heating power and coefficient of
// performance over the brine inlet temperature). The window creates the
// charts with their fixed axes; choosing, editing and charting a heat pump
// belong to the page's own commands.

#include <QWidget>

class QToolButton;
class QTreeWidget;
class TMVChart;
class TProject;

class THeatPumpCard : public QWidget
{
    Q_OBJECT
public:
    explicit THeatPumpCard(QWidget* Parent = nullptr);

    void SetProject(TProject* Project) { FProject = Project; }
    TProject* Project() const { return FProject; }
    void RefreshHeatPumpPage();

    QTreeWidget* ListViewHeatpumps = nullptr;
    QToolButton* BtnAddHeatpump = nullptr;
    QToolButton* BtnDeleteHeatpump = nullptr;
    TMVChart* ChartPower = nullptr;
    TMVChart* ChartCOP = nullptr;

private:
    // The fixed axes of both charts.
    void SetupCharts();

    TProject* FProject = nullptr;
};
