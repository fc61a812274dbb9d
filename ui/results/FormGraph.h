#pragma once

#include "model/base/DateTime.h"

#include <QWidget>

#include <vector>

QT_BEGIN_NAMESPACE
class QChart;
class QChartView;
class QDateTimeAxis;
class QLineSeries;
class QToolBar;
class QToolButton;
class QValueAxis;
QT_END_NAMESPACE

// "Graphen": time courses as line series over a date-time axis. Series are
// added from outside (the counter grid, the monitoring list); each call adds
// one more, the chart owns them until "Alle löschen".
class TFormGraph : public QWidget {
    Q_OBJECT

public:
    struct TPoint {
        TDateTime Time = 0;
        double Value = 0;
    };

    explicit TFormGraph(QWidget* Parent = nullptr);

    // A new series titled ATitle with the points in order; points whose value
    // is not a number are left out. The axes take the range of all series.
    QLineSeries* AddSeries(const QString& ATitle, const std::vector<TPoint>& Points);
    // Frees every series, the last first.
    void BtnDeleteAllClick();
    int SeriesCount() const;
    QLineSeries* Series(int Index) const;
    // Bottom-axis labels a month apart (the monitoring list's setting).
    void SetMonthlyLabels();

    // Milliseconds since the epoch of the local clock time DT, as Qt Charts
    // keeps date-time values.
    static qint64 ChartTime(TDateTime DT);

    QToolBar* ToolBar1 = nullptr;
    QToolButton* BtnEditChart = nullptr;
    QToolButton* BtnDeleteAll = nullptr;
    QChartView* ChartView = nullptr;
    QChart* TimeChart = nullptr;
    QDateTimeAxis* AxisX = nullptr;
    QValueAxis* AxisY = nullptr;

private:
    void FitAxes();
    void BtnEditChartClick();
};
