#pragma once

// The heat-pump page: the program's list of heat pumps (new, delete, edit),
// the model's heat pump picked from it, and the two charts of that heat
// pump's heating power and coefficient of performance over the brine inlet
// temperature (our chart control). Only year profiles run the heat pump; for
// the other load kinds the page shows an information box instead.
//
// The list belongs to the window and is written at its close: changing it
// never marks the project changed. Picking or editing an entry copies it into
// the model's heat pump, and that marks the project changed when a value
// really changes.

#include <QWidget>

#include <functional>

class QAction;
class QGroupBox;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class THeatpump;
class THeatPumplist;
class TMVChart;
class TProject;
class TCharline;

class THeatPumpCard : public QWidget
{
    Q_OBJECT
public:
    explicit THeatPumpCard(QWidget* Parent = nullptr);

    void SetProject(TProject* Project) { FProject = Project; }
    TProject* Project() const { return FProject; }
    // The window's heat-pump list (it may replace the list object).
    std::function<THeatPumplist*()> Heatpumps;
    // The user changed the project (the window marks it changed).
    std::function<void()> OnChanged;

    void RefreshHeatPumpPage();
    bool EditSelectedHeatPump();
    void ListViewHeatpumpsClick();
    void HeatpumpCreateExecute();
    void HeatpumpDeleteExecute();
    // The axes' maxima for the model's heat pump; both charts repainted.
    void RescaleCharts();

    // Axis maxima: heating power at 30 °C up to the next multiple of 10 (at
    // least 10 kW), the COP at 30 °C up to a whole number (at least 1).
    static double PowerAxisMax(double PowerAt30);
    static int COPAxisMax(double COPAt30);
    // The list-view text of a line: B alone for a static line, else B±|A|×ϑ.
    static QString CharlineColumnText(const TCharline* Line);

    QGroupBox* GroupBoxHeatpump = nullptr;
    QTreeWidget* ListViewHeatpumps = nullptr;
    QToolButton* BtnAddHeatpump = nullptr;
    QToolButton* BtnDeleteHeatpump = nullptr;
    QAction* HeatpumpCreate = nullptr;
    QAction* HeatpumpDelete = nullptr;
    TMVChart* ChartPower = nullptr;
    TMVChart* ChartCOP = nullptr;
    QGroupBox* GroupBoxHeatpumpInfo = nullptr;

protected:
    // The charts take the size of their windows again.
    void showEvent(QShowEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;

private:
    void SetupCharts();
    void SizeCharts();
    QWidget* CreateList();
    THeatpump* ModelHeatpump() const;
    THeatpump* SelectedHeatpump() const;
    void FillRow(QTreeWidgetItem* Item, const THeatpump& H) const;
    // Copies H into the model's heat pump; changed when it differed.
    void TakeOver(const THeatpump& H);
    void DrawLine(TMVChart* Chart, const TCharline* Line);
    void UpdateActions();

    TProject* FProject = nullptr;
};
