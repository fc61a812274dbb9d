// The load page in the real main window: the grid in its three layouts
// copied into the profile and back, bad cells, "Alle löschen", the
// spreadsheet import, the chart's series and the demand labels.
#include <gtest/gtest.h>

#include <QDir>

#include <QAction>
#include <QBarSet>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "MainWindowFixture.h"
#include "model/base/DateTime.h"
#include "model/base/NumberText.h"
#include "model/loads/LoadObject.h"
#include "ui/mainwindow/LoadCard.h"
#include "ui/mainwindow/LoadChart.h"
#include "ui/mainwindow/LoadGrid.h"

#include <cmath>

namespace {

QString Fixture(const QString& Name)
{
    return QDir(QStringLiteral(KP_UI_TEST_DATA)).filePath(Name);
}

class LoadPage : public MainWindowFixture
{
public:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        Window().NewProject();
        W->SetActiveCard(mcLoad);
        Card = W->LoadCard();
        W->SetIsChanged(false);
    }

    TLoadObj& Load() const { return *W->Project()->LoadProfile(); }
    TLoadGrid& Grid() const { return *Card->LoadGrid; }

    void Kind(QRadioButton* Button)
    {
        Button->click();
        W->SetIsChanged(false);
    }

    void Set(int Row, int Column, const QVariant& V)
    {
        auto* item = new QTableWidgetItem;
        item->setData(Qt::EditRole, V);
        Grid().setItem(Row, Column, item);
    }

    QString Text(int Row, int Column) const
    {
        const QModelIndex i = Grid().model()->index(Row, Column);
        return static_cast<TLoadGridDelegate*>(Grid().itemDelegate())->displayText(i.data(Qt::EditRole), QLocale());
    }

    TLoadCard* Card = nullptr;
};

} // namespace

TEST_F(LoadPage, RefreshShowsTheProfileWithoutMarkingChanged)
{
    Load().SetName(QStringLiteral("Schule"));
    Load().SetLoadType(ltConstant);
    Load().SetConstantLoad(12.5);
    W->RefreshLoadPage();
    EXPECT_EQ(Card->EdtLoadProfilName->text(), QStringLiteral("Schule"));
    EXPECT_EQ(Card->EdtConstantLoad->text(), QStringLiteral("12,5"));
    EXPECT_TRUE(Card->RBLoadConstant->isChecked());
    EXPECT_TRUE(Card->EdtConstantLoad->isEnabled());
    EXPECT_FALSE(Card->BtnImportLoadProfil->isEnabled());
    EXPECT_FALSE(W->IsChanged());

    QTest::keyClicks(Card->EdtConstantLoad, QStringLiteral("x"));
    EXPECT_DOUBLE_EQ(Load().ConstantLoad(), 12.5) << "text that is no number keeps the value";
    Card->EdtConstantLoad->clear();
    QTest::keyClicks(Card->EdtConstantLoad, QStringLiteral("7,25"));
    EXPECT_DOUBLE_EQ(Load().ConstantLoad(), 7.25);
    EXPECT_TRUE(W->IsChanged());
}

TEST_F(LoadPage, YearGridSkipsIncompleteRowsAndSorts)
{
    Kind(Card->RBLoadYearly);
    EXPECT_EQ(Load().LoadType(), ltYearProfile);
    EXPECT_EQ(Grid().rowCount(), 365);
    EXPECT_TRUE(Card->EdtCoolingTemp->isVisibleTo(Card));
    struct { int Month, Day; double Value; } rows[] = {{3, 1, 10}, {0, 5, 99}, {1, 0, 98}, {1, 1, 20}};
    for (int r = 0; r < 4; ++r) {
        Set(r, 0, rows[r].Month);
        Set(r, 1, rows[r].Day);
        Set(r, 2, rows[r].Value);
    }
    Set(4, 0, 2);  // no day: skipped
    Card->BtnGetLoadData->click();
    ASSERT_EQ(Load().Count(), 2);
    EXPECT_EQ(Load().LoadPoint(0)->Month(), 1);
    EXPECT_DOUBLE_EQ(Load().LoadPoint(0)->LoadValue(), 20);
    EXPECT_EQ(Load().LoadPoint(1)->Month(), 3);
    EXPECT_TRUE(W->IsChanged());

    W->RefreshLoadPage();
    EXPECT_EQ(Grid().item(0, 0)->data(Qt::EditRole).toInt(), 1);
    EXPECT_EQ(Text(1, 2), QStringLiteral("10"));
    EXPECT_EQ(Grid().item(2, 0), nullptr);
    EXPECT_EQ(Card->LblHeatDemand->text(),
              QStringLiteral("jährlicher Heizbedarf %1 kWh").arg(FloatToFixedOrEmpty(Load().HeatDemandPerYear(), 0)));
}

TEST_F(LoadPage, SeriesGridTakesTypedAndEnteredValuesWithFourDigitYears)
{
    Kind(Card->RBloadVariable);
    EXPECT_TRUE(Card->BtnImportLoadProfil->isEnabled());
    EXPECT_EQ(Grid().rowCount(), 100);
    Set(0, 0, QDate(2013, 1, 2));
    Set(0, 1, QTime(6, 30));
    Set(0, 2, 3.5);
    // What a user types into empty cells arrives as text.
    Set(1, 0, QStringLiteral("01.01.2013"));
    Set(1, 1, QStringLiteral("0:15"));
    Set(1, 2, LoadCellValueFromText(QStringLiteral("-2,5")));
    Card->BtnGetLoadData->click();
    ASSERT_EQ(Load().Count(), 2);
    EXPECT_DOUBLE_EQ(Load().PowerPoint(0)->PointOfTime(), EncodeDateTime(2013, 1, 1, 0, 15, 0, 0));
    EXPECT_DOUBLE_EQ(Load().PowerPoint(0)->Power(), -2.5);
    EXPECT_DOUBLE_EQ(Load().PowerPoint(1)->PointOfTime(), EncodeDateTime(2013, 1, 2, 6, 30, 0, 0));

    W->RefreshLoadPage();
    EXPECT_EQ(Grid().rowCount(), 102);
    EXPECT_EQ(Grid().item(0, 0)->data(Qt::EditRole).typeId(), QMetaType::QDate);
    EXPECT_EQ(Text(0, 0), QStringLiteral("01.01.2013"));
    EXPECT_EQ(Text(0, 1), QStringLiteral("00:15"));
    EXPECT_EQ(Text(0, 2), QStringLiteral("-2,5"));
    EXPECT_FALSE(Card->LblHeatDemand->isVisibleTo(Card));
}

TEST_F(LoadPage, MonthGridShowsEffectiveEnergiesAndPower)
{
    Kind(Card->RBLoadMonthPower);
    EXPECT_EQ(Grid().rowCount(), 12);
    EXPECT_EQ(Grid().columnCount(), 7);
    EXPECT_FALSE(Card->Label6->isVisibleTo(Card));
    EXPECT_TRUE(Card->EdtCOPHeat->isEnabled());
    // A new month profile is not set: only the month names show.
    EXPECT_EQ(Text(1, 0), QLocale().standaloneMonthName(2, QLocale::ShortFormat));
    for (int c = 1; c <= 6; ++c) EXPECT_TRUE(Text(1, c).isEmpty()) << c;
    EXPECT_FALSE(Grid().item(1, 3)->flags() & Qt::ItemIsEditable);

    QTest::keyClicks(Card->EdtCOPHeat, QStringLiteral("4"));
    QTest::keyClicks(Card->EdtCOPCool, QStringLiteral("5"));
    Set(1, 1, 2800.0);
    Set(1, 2, 500.0);
    Card->BtnGetLoadData->click();
    const THeatCoolLoad* feb = Load().MonthEntry(2);
    EXPECT_DOUBLE_EQ(feb->HeatLoad(), 2800);
    const double heatEff = 2800 * 3.0 / 4, coolEff = 500 * (1.0 / 5 + 1);
    EXPECT_DOUBLE_EQ(Grid().item(1, 3)->data(Qt::EditRole).toDouble(), heatEff);
    EXPECT_DOUBLE_EQ(Grid().item(1, 5)->data(Qt::EditRole).toDouble(), heatEff - coolEff);
    EXPECT_DOUBLE_EQ(Grid().item(1, 6)->data(Qt::EditRole).toDouble(), (heatEff - coolEff) / 24 / 28);
    EXPECT_DOUBLE_EQ(Load().MonthEntry(1)->HeatLoad(), 0) << "an empty cell reads as 0";
}

TEST_F(LoadPage, ABadCellIsNamedAndFocusedAndTheProfileStays)
{
    struct TCase {
        QRadioButton* TLoadCard::*Kind;
        int Row, Column;
        QVariant Bad;
        QString Named;
    } cases[] = {
        {&TLoadCard::RBLoadYearly, 1, 2, QStringLiteral("viel"), QStringLiteral("Zeile 2, Spalte \"Energie [kWh/d]\"")},
        {&TLoadCard::RBLoadYearly, 1, 1, 31, QStringLiteral("Zeile 2, Spalte \"Tag\"")},
        {&TLoadCard::RBloadVariable, 1, 0, QStringLiteral("gestern"), QStringLiteral("Zeile 2, Spalte \"Datum\"")},
        {&TLoadCard::RBLoadMonthPower, 1, 2, QStringLiteral("1x"), QStringLiteral("Zeile 2, Spalte \"Kühlenergie [kWh]\"")},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Named.toStdString());
        Kind(Card->*c.Kind);
        const bool series = Load().LoadType() == ltFile;
        if (Load().LoadType() == ltYearProfile) Load().AddPoint(1, 1, 5.0);
        if (series) Load().AddPoint(EncodeDate(2013, 1, 1), 5.0);
        if (Load().LoadType() == ltMonthProfile) Load().MonthEntry(1)->SetHeatLoad(5);
        W->RefreshLoadPage();
        const int before = Load().Count();
        Set(1, 0, series ? QVariant(QDate(2013, 2, 1)) : QVariant(2));
        Set(1, 1, series ? QVariant(QTime(1, 0)) : QVariant(30));
        Set(1, 2, 1.0);
        Set(0, 1, series ? QVariant(QTime(0, 0)) : QVariant(1));
        Set(0, 2, 9.0);
        Set(c.Row, c.Column, c.Bad);
        ScriptedPrompter().Reset();
        Card->BtnGetLoadData->click();
        ASSERT_EQ(ScriptedPrompter().Messages().size(), 1);
        EXPECT_TRUE(ScriptedPrompter().Messages().first().startsWith(c.Named)) << ScriptedPrompter().Messages().first().toStdString();
        EXPECT_EQ(Grid().currentRow(), c.Row);
        EXPECT_EQ(Grid().currentColumn(), c.Column);
        EXPECT_EQ(Load().Count(), before);
        if (Load().LoadType() == ltYearProfile) {
            EXPECT_DOUBLE_EQ(Load().LoadPoint(0)->LoadValue(), 5);
        }
        if (series) {
            EXPECT_DOUBLE_EQ(Load().PowerPoint(0)->Power(), 5);
        }
        if (Load().LoadType() == ltMonthProfile) {
            EXPECT_DOUBLE_EQ(Load().MonthEntry(1)->HeatLoad(), 5);
        }
    }
}

TEST_F(LoadPage, ClearAllLeavesNoPoints)
{
    Kind(Card->RBloadVariable);
    Load().AddPoint(EncodeDate(2013, 1, 1), 4.0);
    Load().AddPoint(EncodeDate(2013, 1, 2), 6.0);
    W->RefreshLoadPage();
    QAction* clear = Grid().findChild<QAction*>(QStringLiteral("Allelschen1"));
    ASSERT_NE(clear, nullptr);
    EXPECT_EQ(clear->text(), QStringLiteral("Alle löschen"));
    clear->trigger();
    EXPECT_EQ(Load().Count(), 0);
    EXPECT_TRUE(W->IsChanged());
}

TEST_F(LoadPage, ImportReadsDatesTimesAndNumbersOfTheFirstSheet)
{
    Kind(Card->RBloadVariable);
    ScriptedPrompter().QueueText(Fixture(QStringLiteral("load_series.xls")));
    Card->BtnImportLoadProfil->click();
    ASSERT_EQ(ScriptedPrompter().Asked().size(), 1u);
    EXPECT_EQ(ScriptedPrompter().Asked()[0].DialogName, QStringLiteral("Excel (*.xls)"));
    ASSERT_EQ(Load().Count(), 3) << ScriptedPrompter().Messages().join(QLatin1Char('\n')).toStdString();
    EXPECT_DOUBLE_EQ(Load().PowerPoint(0)->PointOfTime(), EncodeDate(2013, 1, 1));
    EXPECT_DOUBLE_EQ(Load().PowerPoint(0)->Power(), 12.5);
    EXPECT_NEAR(Load().PowerPoint(1)->PointOfTime(), EncodeDateTime(2013, 1, 1, 6, 30, 0, 0), 1e-9);
    EXPECT_DOUBLE_EQ(Load().PowerPoint(1)->Power(), 8);
    EXPECT_NEAR(Load().PowerPoint(2)->PointOfTime(), EncodeDateTime(2013, 1, 2, 12, 0, 0, 0), 1e-9);
    EXPECT_DOUBLE_EQ(Load().PowerPoint(2)->Power(), -3.25);
    EXPECT_TRUE(W->IsChanged());
    ASSERT_NE(Card->ChartLoad->LineSeries(), nullptr);
    EXPECT_EQ(Card->ChartLoad->LineSeries()->count(), 5) << "three points as a stair line";

    W->SetIsChanged(false);
    ScriptedPrompter().Reset();
    ScriptedPrompter().QueueText(Fixture(QStringLiteral("load_series_bad.xls")));
    Card->BtnImportLoadProfil->click();
    ASSERT_EQ(ScriptedPrompter().Messages().size(), 1);
    EXPECT_TRUE(ScriptedPrompter().Messages().first().startsWith(QStringLiteral("Zeile 2, Spalte \"Leistung [kW]\"")));
    EXPECT_EQ(Load().Count(), 3);
    EXPECT_DOUBLE_EQ(Load().PowerPoint(0)->Power(), 12.5);
    EXPECT_FALSE(W->IsChanged());

    ScriptedPrompter().Reset();
    ScriptedPrompter().QueueText(Path(QStringLiteral("fehlt.xls")));
    Card->BtnImportLoadProfil->click();
    EXPECT_EQ(ScriptedPrompter().Messages().size(), 1);
    EXPECT_EQ(Load().Count(), 3);
}

TEST_F(LoadPage, ChartSeriesAndDemandLabelsFollowTheKind)
{
    TLoadChart& chart = *Card->ChartLoad;
    Kind(Card->RBLoadYearly);
    Load().AddPoint(1, 1, 10.0);
    W->RefreshLoadPage();
    ASSERT_NE(chart.HeatSeries(), nullptr);
    EXPECT_EQ(chart.HeatSeries()->count(), 365);
    EXPECT_DOUBLE_EQ(chart.HeatSeries()->at(40), 10);
    EXPECT_EQ(chart.CoolSeries(), nullptr);
    EXPECT_EQ(chart.LineSeries(), nullptr);
    EXPECT_TRUE(Card->LblHeatDemand->isVisibleTo(Card));
    EXPECT_EQ(Card->LblHeatDemand->text(), QStringLiteral("jährlicher Heizbedarf 3650 kWh"));

    Kind(Card->RBloadVariable);
    EXPECT_EQ(chart.HeatSeries(), nullptr);
    ASSERT_NE(chart.LineSeries(), nullptr);
    EXPECT_FALSE(Card->LblCoolDemand->isVisibleTo(Card));

    Kind(Card->RBLoadMonthPower);
    ASSERT_NE(chart.HeatSeries(), nullptr);
    ASSERT_NE(chart.CoolSeries(), nullptr);
    EXPECT_EQ(chart.CoolSeries()->count(), 12);
    EXPECT_TRUE(chart.chart()->legend()->isVisible());
    EXPECT_TRUE(Card->LblCoolDemand->isVisibleTo(Card));

    // A constant load keeps whatever the chart showed.
    Kind(Card->RBLoadConstant);
    EXPECT_NE(chart.CoolSeries(), nullptr);
}
