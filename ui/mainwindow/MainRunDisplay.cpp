#include "ui/mainwindow/MainRunDisplay.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTableView>

#include "ui/mainwindow/CounterGridModel.h"
#include "ui/mainwindow/SimulationCard.h"
#include "ui/results/SurfaceView.h"

TMainRunDisplay::TMainRunDisplay(TResultWindows& Windows, TSimulationCard& Card, TCounterGridModel& Grid)
    : TResultRunDisplay(Windows), FCard(Card), FGrid(Grid)
{
    FRefreshClock.start();
    FSurfaceClock.start();
}

void TMainRunDisplay::ShowDate(const QString& Text)
{
    FDate = Text;
    FDateDirty = true;
}

void TMainRunDisplay::ShowProgress(int PartsComplete, int TotalParts)
{
    FParts = PartsComplete;
    FTotal = TotalParts;
    FProgressDirty = true;
}

void TMainRunDisplay::HideProgress()
{
    Flush();
    FCard.RzProgressBarRun->hide();
}

void TMainRunDisplay::ShowRemainingTime(const QString& Text)
{
    // Rare (every few solves): shown as it comes.
    FCard.LblCalcDuration->setText(Text);
    FCard.LblCalcDuration->show();
}

void TMainRunDisplay::AddLogLine(const QString& Line)
{
    FCard.MemoLog->appendPlainText(Line);
}

void TMainRunDisplay::BeginCounterUpdate()
{
    ++FCounterDepth;
}

void TMainRunDisplay::CounterRowChanged(const TCounterTable& Table, int Row)
{
    if (FGrid.Table() != &Table) FGrid.SetTable(&Table, FGrid.rowCount());
    FGrid.MarkRow(Row);
}

void TMainRunDisplay::EndCounterUpdate(const TCounterTable& Table)
{
    if (FCounterDepth > 0) --FCounterDepth;
    if (FGrid.Table() != &Table) FGrid.SetTable(&Table, FGrid.rowCount());
    FGrid.Flush();
    FCard.GridCounter->resizeColumnsToContents();
    QHeaderView* h = FCard.GridCounter->horizontalHeader();
    for (int c = 0; c < FGrid.columnCount(); ++c) h->resizeSection(c, h->sectionSize(c) + 4);
}

void TMainRunDisplay::ShowSurface(const std::vector<TSurfacePoint>& Points)
{
    FCard.ChartSurface->SetPoints(Points);
}

bool TMainRunDisplay::IsGaugeWindowVisible()
{
    return FGaugesDue && TResultRunDisplay::IsGaugeWindowVisible();
}

void TMainRunDisplay::ShowGauges(const TGaugeValues& Values)
{
    FGaugesDue = false;
    TResultRunDisplay::ShowGauges(Values);
}

bool TMainRunDisplay::IsDashboardVisible()
{
    return FDashboardDue && TResultRunDisplay::IsDashboardVisible();
}

void TMainRunDisplay::ShowDashboard(const TDashboardValues& Values)
{
    FDashboardDue = false;
    TResultRunDisplay::ShowDashboard(Values);
}

void TMainRunDisplay::Flush()
{
    if (FDateDirty) {
        FCard.LblCurrentDate->setText(FDate);
        FCard.LblCurrentDate->show();
        FDateDirty = false;
    }
    if (FProgressDirty) {
        QProgressBar* bar = FCard.RzProgressBarRun;
        bar->setMaximum(std::max(1, FTotal));
        bar->setValue(std::clamp(FParts, 0, bar->maximum()));
        bar->show();
        FProgressDirty = false;
    }
    FGrid.Flush();
}

void TMainRunDisplay::ProcessMessages()
{
    if (FRefreshClock.elapsed() >= RefreshInterval) {
        FRefreshClock.restart();
        Flush();
        FGaugesDue = true;
        FDashboardDue = true;
        if (RequestSurface && FSurfaceClock.elapsed() >= SurfaceInterval && FCard.ChartSurface->isVisible()) {
            FSurfaceClock.restart();
            RequestSurface();
        }
    }
    QCoreApplication::processEvents();
}
