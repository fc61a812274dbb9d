#include "ui/results/ResultWindows.h"

#include "model/base/ModelUI.h"
#include "model/monitoring/MonitoringList.h"
#include "ui/monitoring/FormMonitoring.h"
#include "ui/results/FormConceptAndValues.h"
#include "ui/results/FormDashboard.h"
#include "ui/results/FormGraph.h"
#include "ui/results/SurfaceForm.h"

TResultWindows::TResultWindows()
    : FGraph(new TFormGraph),
      FDashboard(new TFormDashboard),
      FConcept(new TFormConceptAndValues),
      FSurface(new TSurfaceForm),
      FMonitoring(new TFormMonitoring),
      FDashboardHooks(std::make_unique<TGaugeWindowHooks>(*this))
{
    FMonitoring->SetGraphWindow(FGraph);
}

TResultWindows::~TResultWindows()
{
    InstallHooks(false);
    FreeWindows();
}

TResultWindows::TRunOnStack::TRunOnStack(TResultWindows& W) : FWindows(W)
{
    ++FWindows.FRunDepth;
}

TResultWindows::TRunOnStack::~TRunOnStack()
{
    if (--FWindows.FRunDepth == 0 && FWindows.FReleasePending) FWindows.FreeWindows();
}

void TResultWindows::ReleaseWindows()
{
    if (RunOnStack()) {
        FReleasePending = true;
        for (QWidget* w : std::initializer_list<QWidget*>{FGraph, FDashboard, FConcept, FSurface, FMonitoring})
            if (w) w->hide();
        return;
    }
    FreeWindows();
}

void TResultWindows::FreeWindows()
{
    FReleasePending = false;
    if (TModelHooks<TMonitoringWindow>::Installed() == FMonitoring) InstallModelUI<TMonitoringWindow>(nullptr);
    if (TModelHooks<TDashboardHooks>::Installed() == FDashboardHooks.get()) InstallModelUI<TDashboardHooks>(nullptr);
    delete FMonitoring;
    delete FSurface;
    delete FConcept;
    delete FDashboard;
    delete FGraph;
    FMonitoring = nullptr;
    FSurface = nullptr;
    FConcept = nullptr;
    FDashboard = nullptr;
    FGraph = nullptr;
}

void TResultWindows::ProjectClosed()
{
    if (FMonitoring) FMonitoring->ProjectClosed();
}

void TResultWindows::InstallHooks(bool On)
{
    if (On && !Released()) {
        InstallModelUI<TDashboardHooks>(FDashboardHooks.get());
        InstallModelUI<TMonitoringWindow>(FMonitoring);
        return;
    }
    if (TModelHooks<TDashboardHooks>::Installed() == FDashboardHooks.get()) InstallModelUI<TDashboardHooks>(nullptr);
    if (FMonitoring && TModelHooks<TMonitoringWindow>::Installed() == FMonitoring)
        InstallModelUI<TMonitoringWindow>(nullptr);
}

bool TGaugeWindowHooks::IsDashboardVisible()
{
    const TFormConceptAndValues* w = FWindows.FormConceptAndValues();
    return w && w->isVisible();
}

void TGaugeWindowHooks::ShowDashboard(std::function<void()> OnClose)
{
    TFormConceptAndValues* w = FWindows.FormConceptAndValues();
    if (!w) return;
    w->OnClose = std::move(OnClose);
    w->show();
    w->raise();
}

bool TResultRunDisplay::IsGaugeWindowVisible()
{
    const TFormConceptAndValues* w = FWindows.FormConceptAndValues();
    return w && w->isVisible();
}

void TResultRunDisplay::ShowGauges(const TGaugeValues& Values)
{
    if (TFormConceptAndValues* w = FWindows.FormConceptAndValues()) w->ShowValues(Values);
}

bool TResultRunDisplay::IsDashboardVisible()
{
    const TFormDashboard* w = FWindows.FormDashboard();
    return w && w->isVisible();
}

void TResultRunDisplay::ShowDashboard(const TDashboardValues& Values)
{
    if (TFormDashboard* w = FWindows.FormDashboard()) w->ShowValues(Values);
}
