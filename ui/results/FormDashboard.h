#pragma once

#include <QWidget>

class QGroupBox;
class QLabel;
class QTableWidget;
struct TDashboardValues;

// "Dashboard": the energy counters of the running simulation (total,
// geothermal, electricity; heat, cool, balance, sum) and the heat content of
// the thermal model, written by the run through ShowValues.
class TFormDashboard : public QWidget {
    Q_OBJECT

public:
    explicit TFormDashboard(QWidget* Parent = nullptr);

    // 5 columns × 10 rows, emptied, with the row and column titles.
    void InitGrid();
    void ShowValues(const TDashboardValues& V);
    QString Cell(int Col, int Row) const;

    QGroupBox* GroupBoxGeothermal = nullptr;
    QLabel* LblElapsedTime = nullptr;
    QTableWidget* GridEnergyCounter = nullptr;

private:
    void SetCell(int Col, int Row, const QString& Text);
};
