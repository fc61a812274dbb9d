#include "ui/results/FormGraph.h"

#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QDateTime>
#include <QtCharts/QDateTimeAxis>
#include <QtCharts/QLegend>
#include <QtCharts/QLineSeries>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <QtCharts/QValueAxis>
#include <QVBoxLayout>

#include "ui/common/CommandGuard.h"
#include "ui/common/CommonNonVisuals.h"
#include "ui/common/UIUtilities.h"

#include <algorithm>
#include <cmath>
#include <limits>

TFormGraph::TFormGraph(QWidget* Parent) : QWidget(Parent, Qt::Window)
{
    setObjectName(QStringLiteral("FormGraph"));
    setWindowTitle(QStringLiteral("Graphen"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    ToolBar1 = new QToolBar(this);
    ToolBar1->setIconSize(QSize(24, 24));
    BtnEditChart = AddCaptionedToolButton(ToolBar1, QStringLiteral("Graph bearbeiten"), iiEdit);
    BtnDeleteAll = AddCaptionedToolButton(ToolBar1, QStringLiteral("Alle löschen"), iiDelete);
    connect(BtnDeleteAll, &QToolButton::clicked, this, Guarded([this] { BtnDeleteAllClick(); }));
    BtnEditChart->setPopupMode(QToolButton::InstantPopup);
    BtnEditChartClick();
    layout->addWidget(ToolBar1);

    TimeChart = new QChart;
    TimeChart->setTitle(QStringLiteral("Verlauf"));
    TimeChart->legend()->setAlignment(Qt::AlignBottom);
    TimeChart->setTheme(QChart::ChartThemeLight);
    // Axis numbers in the user's locale (a comma in German).
    TimeChart->setLocalizeNumbers(true);
    AxisX = new QDateTimeAxis(TimeChart);
    AxisX->setFormat(QStringLiteral("dd.MM.yyyy"));
    AxisX->setTickCount(7);
    AxisY = new QValueAxis(TimeChart);
    AxisY->setLabelFormat(QStringLiteral("%.1f"));
    TimeChart->addAxis(AxisX, Qt::AlignBottom);
    TimeChart->addAxis(AxisY, Qt::AlignLeft);
    ChartView = new QChartView(TimeChart, this);
    ChartView->setRenderHint(QPainter::Antialiasing);
    layout->addWidget(ChartView, 1);
    FitAxes();
    resize(760, 460);
}

void TFormGraph::BtnEditChartClick()
{
    // The chart's look is set here; what a user edits is which series show.
    auto* menu = new QMenu(BtnEditChart);
    QAction* legend = menu->addAction(QStringLiteral("Legende anzeigen"));
    legend->setCheckable(true);
    legend->setChecked(true);
    connect(legend, &QAction::toggled, this, [this](bool On) { TimeChart->legend()->setVisible(On); });
    QAction* fit = menu->addAction(QStringLiteral("Achsen anpassen"));
    connect(fit, &QAction::triggered, this, Guarded([this] { FitAxes(); }));
    BtnEditChart->setMenu(menu);
}

qint64 TFormGraph::ChartTime(TDateTime DT)
{
    const TDateTimeParts p = DecodeDateTime(DT);
    const QDateTime t(QDate(p.Year, p.Month, p.Day), QTime(p.Hour, p.Minute, p.Second, p.MilliSecond));
    return t.toMSecsSinceEpoch();
}

QLineSeries* TFormGraph::AddSeries(const QString& ATitle, const std::vector<TPoint>& Points)
{
    auto* series = new QLineSeries;
    series->setName(ATitle);
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(Points.size()));
    for (const TPoint& p : Points)
        if (std::isfinite(p.Value) && std::isfinite(p.Time))
            points.append(QPointF(static_cast<double>(ChartTime(p.Time)), p.Value));
    series->replace(points);
    TimeChart->addSeries(series);
    series->attachAxis(AxisX);
    series->attachAxis(AxisY);
    FitAxes();
    return series;
}

void TFormGraph::BtnDeleteAllClick()
{
    const QList<QAbstractSeries*> all = TimeChart->series();
    for (qsizetype i = all.size() - 1; i >= 0; --i) {
        TimeChart->removeSeries(all[i]);
        delete all[i];
    }
    FitAxes();
}

int TFormGraph::SeriesCount() const
{
    return static_cast<int>(TimeChart->series().size());
}

QLineSeries* TFormGraph::Series(int Index) const
{
    const QList<QAbstractSeries*> all = TimeChart->series();
    return Index >= 0 && Index < all.size() ? qobject_cast<QLineSeries*>(all[Index]) : nullptr;
}

void TFormGraph::SetMonthlyLabels()
{
    QFont f(QStringLiteral("Arial"));
    TimeChart->legend()->setFont(f);
    FitAxes();
}

void TFormGraph::FitAxes()
{
    double x0 = std::numeric_limits<double>::infinity(), x1 = -x0, y0 = x0, y1 = -x0;
    for (QAbstractSeries* s : TimeChart->series())
        if (auto* line = qobject_cast<QLineSeries*>(s))
            for (const QPointF& p : line->points()) {
                x0 = std::min(x0, p.x());
                x1 = std::max(x1, p.x());
                y0 = std::min(y0, p.y());
                y1 = std::max(y1, p.y());
            }
    if (!(x0 <= x1)) {
        const QDateTime now = QDateTime(QDate::currentDate(), QTime(0, 0));
        AxisX->setRange(now, now.addDays(30));
        AxisY->setRange(0, 1);
        return;
    }
    if (x1 - x0 < 60000) x1 = x0 + 86400000.0;
    const double pad = y1 > y0 ? (y1 - y0) * 0.05 : 1;
    AxisX->setRange(QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(x0)),
                    QDateTime::fromMSecsSinceEpoch(static_cast<qint64>(x1)));
    AxisY->setRange(y0 - pad, y1 + pad);
    // Day labels over a long run would overlap; months say enough there.
    AxisX->setFormat(x1 - x0 > 90.0 * 86400000 ? QStringLiteral("MM.yyyy") : QStringLiteral("dd.MM.yyyy"));
}
