#pragma once

// The load page's chart of the current profile: daily energy as bars for a
// year profile, the monthly effective heating and cooling energy as bars for
// a month profile (cooling drawn downwards), and the power of a time series
// as a stair line over the date. A constant profile leaves the chart as it is.

#include <QChartView>

class QBarSeries;
class QBarSet;
class QLineSeries;
class TLoadObj;

class TLoadChart : public QChartView
{
    Q_OBJECT
public:
    explicit TLoadChart(QWidget* Parent = nullptr);

    void RefreshLoadChart(const TLoadObj& Load);

    // What the chart shows (null when the series is not there).
    QBarSet* HeatSeries() const { return FHeat; }
    QBarSet* CoolSeries() const { return FCool; }
    QLineSeries* LineSeries() const { return FLine; }

private:
    void Clear();
    void ShowYear(const TLoadObj& Load);
    void ShowMonths(const TLoadObj& Load);
    void ShowSeries(const TLoadObj& Load);
    QBarSeries* NewBars();

    QBarSet* FHeat = nullptr;
    QBarSet* FCool = nullptr;
    QLineSeries* FLine = nullptr;
};
