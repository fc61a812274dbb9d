#include "ui/mainwindow/LoadChart.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QDateTime>
#include <QLocale>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QValueAxis>

#include "model/base/DateTime.h"
#include "model/loads/LoadObject.h"

#include <cmath>

namespace {

const QColor HeatColor(0xD0, 0x3A, 0x2F);
const QColor CoolColor(0x2F, 0x6F, 0xD0);

// Milliseconds since the epoch of a day number, on the local clock as the
// date-time axis shows it.
qint64 AxisTime(TDateTime T)
{
    const TDateTimeParts p = DecodeDateTime(T);
    return QDateTime(QDate(p.Year, p.Month, p.Day), QTime(p.Hour, p.Minute, p.Second)).toMSecsSinceEpoch();
}

double Finite(double X)
{
    return std::isfinite(X) ? X : 0;
}

QValueAxis* ValueAxis(const QString& Title)
{
    auto* a = new QValueAxis;
    a->setTitleText(Title);
    a->setLabelFormat(QStringLiteral("%.0f"));
    return a;
}

} // namespace

TLoadChart::TLoadChart(QWidget* Parent) : QChartView(Parent)
{
    setObjectName(QStringLiteral("ChartLoad"));
    setRenderHint(QPainter::Antialiasing);
    setMinimumSize(320, 240);
}

void TLoadChart::Clear()
{
    // A fresh chart: series and axes of the previous kind go with the old one.
    QChart* old = chart();
    auto* c = new QChart;
    c->legend()->setAlignment(Qt::AlignBottom);
    c->setMargins(QMargins(4, 4, 4, 4));
    c->setLocalizeNumbers(true);
    c->setLocale(QLocale());
    setChart(c);
    delete old;
    FHeat = FCool = nullptr;
    FLine = nullptr;
}

QBarSeries* TLoadChart::NewBars()
{
    auto* bars = new QBarSeries;
    FHeat = new QBarSet(QStringLiteral("Heizenergie"));
    FHeat->setColor(HeatColor);
    FHeat->setBorderColor(HeatColor);
    bars->append(FHeat);
    return bars;
}

void TLoadChart::RefreshLoadChart(const TLoadObj& Load)
{
    switch (Load.LoadType()) {
    case ltConstant: return;
    case ltYearProfile: ShowYear(Load); break;
    case ltFile: ShowSeries(Load); break;
    case ltMonthProfile: ShowMonths(Load); break;
    }
}

void TLoadChart::ShowYear(const TLoadObj& Load)
{
    Clear();
    QBarSeries* bars = NewBars();
    bars->setBarWidth(1.0);
    const TDateTime first = EncodeDate(2013, 1, 1);
    double top = 0;
    for (int i = 0; i < 365; ++i) {
        const double v = Finite(Load.GetLoad(first + i));
        FHeat->append(v);
        top = std::max(top, v);
    }
    chart()->addSeries(bars);
    chart()->legend()->hide();
    // The bars stand at their day's index; the axis names the months.
    auto* x = new QCategoryAxis;
    x->setTitleText(QStringLiteral("Tag"));
    int start = 0;
    for (int m = 1; m <= 12; ++m) {
        start += DaysInAMonth(2013, m);
        x->append(QLocale().standaloneMonthName(m, QLocale::ShortFormat), start - 0.5);
    }
    x->setRange(-0.5, 364.5);
    chart()->addAxis(x, Qt::AlignBottom);
    bars->attachAxis(x);
    QValueAxis* y = ValueAxis(QStringLiteral("Energie [kWh/d]"));
    chart()->addAxis(y, Qt::AlignLeft);
    bars->attachAxis(y);
    y->setMin(std::min(0.0, y->min()));
    if (top <= 0 && y->max() <= 0) y->setMax(1);
    y->applyNiceNumbers();
}

void TLoadChart::ShowMonths(const TLoadObj& Load)
{
    Clear();
    QBarSeries* bars = NewBars();
    FCool = new QBarSet(QStringLiteral("Kühlenergie"));
    FCool->setColor(CoolColor);
    FCool->setBorderColor(CoolColor);
    bars->append(FCool);
    bars->setBarWidth(0.9);
    QStringList months;
    for (int m = 1; m <= 12; ++m) {
        const THeatCoolLoad* e = Load.MonthEntry(m);
        FHeat->append(e ? Finite(e->HeatEff()) : 0);
        FCool->append(e ? -Finite(e->CoolEff()) : 0);
        // Numbers fit under narrow bars where month names would be cut.
        months << QString::number(m);
    }
    chart()->addSeries(bars);
    chart()->legend()->show();
    auto* x = new QBarCategoryAxis;
    x->append(months);
    chart()->addAxis(x, Qt::AlignBottom);
    bars->attachAxis(x);
    QValueAxis* y = ValueAxis(QStringLiteral("Energie [kWh]"));
    chart()->addAxis(y, Qt::AlignLeft);
    bars->attachAxis(y);
    if (y->min() == y->max()) y->setRange(-1, 1);
    y->applyNiceNumbers();
}

void TLoadChart::ShowSeries(const TLoadObj& Load)
{
    Clear();
    FLine = new QLineSeries;
    FLine->setName(QStringLiteral("Leistung"));
    FLine->setPen(QPen(HeatColor, 2));
    // A stair line: each power holds until the next point's time.
    for (int i = 0; i < Load.Count(); ++i) {
        const TPowerPoint* p = Load.PowerPoint(i);
        const qreal t = static_cast<qreal>(AxisTime(p->PointOfTime()));
        if (i > 0) FLine->append(t, Finite(Load.PowerPoint(i - 1)->Power()));
        FLine->append(t, Finite(p->Power()));
    }
    chart()->addSeries(FLine);
    chart()->legend()->hide();
    auto* x = new QDateTimeAxis;
    x->setFormat(QStringLiteral("dd.MM.yyyy"));
    x->setTitleText(QStringLiteral("Datum"));
    chart()->addAxis(x, Qt::AlignBottom);
    FLine->attachAxis(x);
    if (Load.Count() == 0) {
        const qint64 from = AxisTime(EncodeDate(2013, 1, 1));
        x->setRange(QDateTime::fromMSecsSinceEpoch(from), QDateTime::fromMSecsSinceEpoch(from + 365LL * 86400000));
    }
    x->setTickCount(5);
    QValueAxis* y = ValueAxis(QStringLiteral("Leistung [kW]"));
    chart()->addAxis(y, Qt::AlignLeft);
    FLine->attachAxis(y);
    if (y->min() == y->max()) y->setRange(y->min() - 1, y->max() + 1);
    y->applyNiceNumbers();
}
