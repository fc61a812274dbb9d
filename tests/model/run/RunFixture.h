#pragma once

// A small probe field wired to a main loop the way the thermal model wires
// it: an 80 m × 80 m mesh of 10 m squares, probes on interior nodes, no
// surface transfer and no geothermal flux, so the field's heat content only
// changes by the probe loads (and groundwater, where a test adds it).

#include "model/base/DateTime.h"
#include "model/base/ModelUI.h"
#include "model/fe/NumModel.h"
#include "model/loads/HeatpumpObj.h"
#include "model/loads/LoadObject.h"
#include "model/monitoring/MonitoringList.h"
#include "model/probes/BHEObj.h"
#include "model/probes/ThermUtil.h"
#include "model/run/CounterTable.h"
#include "model/run/MainLoopObj.h"
#include "model/run/RunDisplay.h"

#include <QPointF>
#include <functional>
#include <memory>
#include <vector>

namespace runtest {

inline constexpr double Cell = 10;
inline constexpr int Cells = 8;
inline constexpr double Storage = 2.5e8;  // J/(m²·K): 2.5 MJ/(m³·K) over 100 m

struct TRunFixture {
    std::unique_ptr<T2DTriangleTransient> Model = std::make_unique<T2DTriangleTransient>();
    TMVObjectList BHEs;
    TMVObjectList Data;
    TMVObjectList Profiles;
    std::unique_ptr<THeatpump> HeatPump = CreateExampleHeatpump();
    TMonitoringList Monitoring;
    TMainLoop Loop;
    double FluxFluid = 0.001;

    explicit TRunFixture(const std::vector<QPointF>& Probes = {{30, 30}, {50, 30}, {30, 50}, {50, 50}})
    {
        BuildMesh();
        for (const QPointF& p : Probes) AddProbe(p.x(), p.y());
        Loop.SetFieldModel(Model.get());
        Loop.SetBHEDataList(&Data);
        Loop.SetLoadProfils(&Profiles);
        Loop.SetHeatPump(HeatPump.get());
        Loop.SetMonitoringList(&Monitoring);
        Loop.OnGetFlux = [this] { return FluxFluid; };
        Loop.OnGetFluid = [] { return flWasser; };
        SetTimes(EncodeDate(2021, 1, 1), 3600, 24 * 3600.0, 1);
    }

    void BuildMesh()
    {
        for (int j = 0; j <= Cells; ++j)
            for (int i = 0; i <= Cells; ++i) Model->NodesList().Add(std::make_unique<TNode>(i * Cell, j * Cell));
        const int row = Cells + 1;
        auto add = [&](int a, int b, int c) {
            const int index[3] = {a, b, c};
            auto e = std::make_unique<TTransientTriangle>(Model->GetNodes(a), Model->GetNodes(b), Model->GetNodes(c),
                                                          200, 0, 1e30, Storage);
            e->PresetNodeIndices(index);
            e->UpdateNodeIndices(&Model->NodesList());
            Model->ElementsList().Add(std::move(e));
        };
        for (int j = 0; j < Cells; ++j)
            for (int i = 0; i < Cells; ++i) {
                const int n0 = j * row + i;
                add(n0, n0 + 1, n0 + row + 1);
                add(n0, n0 + row + 1, n0 + row);
            }
        Model->InitElementParams(200, 0, 1e30, Storage, 100);
        Model->InitNodeParams(10, 10);
    }

    TBHEDataWrapper* AddProbe(double X, double Y)
    {
        auto* bhe = BHEs.Add(std::make_unique<TBHE>());
        bhe->SetName(QStringLiteral("S %1").arg(BHEs.Count()));
        bhe->SetX(X);
        bhe->SetY(Y);
        bhe->SetDepth(100);
        bhe->SetCasingLength(100);
        bhe->SetRB(0.1);
        bhe->SetLoadProfilIndex(0);
        auto* w = Data.Add(std::make_unique<TBHEDataWrapper>(bhe));
        w->SetNodeIndex(Model->FindNode(X, Y));
        Model->GetNodes(w->NodeIndex())->SetBorderCondition(bc2FixedFlow);
        return w;
    }

    TBHE* Probe(int I) const { return BHEs.ItemAs<TBHE>(I); }
    TBHEDataWrapper* Wrapper(int I) const { return Data.ItemAs<TBHEDataWrapper>(I); }
    TNode* NodeOfProbe(int I) const { return Model->GetNodes(Wrapper(I)->NodeIndex()); }

    // The thermal model's preparation of a run, with the fluid's flow shared
    // by the probes.
    void InitRun(double FluidTemperature = 10)
    {
        const double q = FluxFluid / Data.Count();
        for (int i = 0; i < Data.Count(); ++i) {
            TBHEDataWrapper* w = Wrapper(i);
            w->SetFlux(q);
            w->SetRhoCP(VolumetricHeatCapacity(flWasser, FluidTemperature));
            w->SetTempIn(FluidTemperature);
            w->SetTempOut(FluidTemperature);
            w->SetTempWall(FluidTemperature);
        }
        Loop.SetDailyHeatPower(0);
        Loop.SetDailyTimeCounter(0);
        Loop.SetDailyFieldEnergy(0);
        Loop.SetCurrentTemperatureIn(FluidTemperature);
        Model->InitNodeParams(10, 10);
        Loop.ResetCounters();
    }

    void SetTimes(TDateTime Start, double Step, double Duration, int Multiplier)
    {
        TTimeEngine& e = Loop.TimeEngine();
        e.SetRealStartTime(Start);
        e.SetStartTime(0);
        e.SetCurrentTime(0);
        e.SetTimeStep(Step);
        e.SetEndtime(Duration);
        Loop.SetFieldMultiplier(Multiplier);
        Model->SetDeltaTime(Step * Multiplier);
    }

    // A profile appended to the project's list; the first one is the run's own.
    TLoadObj* AddProfile(TLoadType Type, const QString& Name = QStringLiteral("P"))
    {
        auto* p = Profiles.Add(std::make_unique<TLoadObj>());
        p->SetLoadType(Type);
        p->SetName(Name);
        if (Profiles.Count() == 1) Loop.SetLoadProfile(p);
        return p;
    }
    TLoadObj* AddConstant(double KW)
    {
        TLoadObj* p = AddProfile(ltConstant);
        p->SetConstantLoad(KW);
        return p;
    }
    // Every day the same demand, kWh.
    TLoadObj* AddYearProfile(double DailyLoad)
    {
        TLoadObj* p = AddProfile(ltYearProfile);
        p->AddPoint(1, 1, DailyLoad);
        return p;
    }
    // Heating, COP and cooling lines that do not depend on the temperature.
    void StaticHeatpump(double HeatKW, double COP, double CoolKW, double CoolCOP)
    {
        HeatPump = std::make_unique<THeatpump>(QStringLiteral("HP"), 35, 0, COP, 0, HeatKW, 0, CoolCOP, 0, CoolKW, 18);
        HeatPump->COP()->SetIsStatic(true);
        HeatPump->HeatPower()->SetIsStatic(true);
        HeatPump->CoolCOP()->SetIsStatic(true);
        HeatPump->CoolPower()->SetIsStatic(true);
        Loop.SetHeatPump(HeatPump.get());
    }

    double MeanNodeF() const
    {
        double s = 0;
        for (int k = 0; k < Model->NodeCount(); ++k) s += Model->GetNodes(k)->F();
        return s / Model->NodeCount();
    }
    std::vector<double> Temperatures() const
    {
        std::vector<double> t;
        for (int k = 0; k < Model->NodeCount(); ++k) t.push_back(Model->GetNodes(k)->F());
        return t;
    }
};

// A display that records what it is shown and can act during the step's
// message processing.
struct TFakeDisplay : TRunDisplay {
    TMainLoop* Loop = nullptr;
    bool Visible = false;
    bool Surface = false;
    int Steps = 0;
    std::function<void(int Step)> OnProcess;
    std::vector<QString> Dates;
    std::vector<QString> LogLines;
    std::vector<std::pair<int, int>> Rows;  // (step, row)
    std::vector<std::pair<int, QString>> Estimates;
    std::pair<int, int> Progress{-1, -1};  // (complete, total) last shown
    std::vector<TGaugeValues> Gauges;
    std::vector<TDashboardValues> Dashboards;
    std::vector<TSurfacePoint> SurfacePoints;
    int SurfaceCalls = 0;
    int BeginUpdates = 0;
    int EndUpdates = 0;
    int Hidden = 0;

    int Step() const { return Loop ? Loop->TimeEngine().NumTimeStep() : 0; }
    void ShowDate(const QString& Text) override { Dates.push_back(Text); }
    void ShowProgress(int Complete, int Total) override { Progress = {Complete, Total}; }
    void HideProgress() override { ++Hidden; }
    void ShowRemainingTime(const QString& Text) override { Estimates.emplace_back(Step(), Text); }
    void AddLogLine(const QString& Line) override { LogLines.push_back(Line); }
    void BeginCounterUpdate() override { ++BeginUpdates; }
    void CounterRowChanged(const TCounterTable&, int Row) override { Rows.emplace_back(Step(), Row); }
    void EndCounterUpdate(const TCounterTable&) override { ++EndUpdates; }
    bool HasSurfaceChart() override { return Surface; }
    void ShowSurface(const std::vector<TSurfacePoint>& Points) override
    {
        SurfacePoints = Points;
        ++SurfaceCalls;
    }
    bool IsGaugeWindowVisible() override { return Visible; }
    void ShowGauges(const TGaugeValues& Values) override { Gauges.push_back(Values); }
    bool IsDashboardVisible() override { return Visible; }
    void ShowDashboard(const TDashboardValues& Values) override { Dashboards.push_back(Values); }
    void ProcessMessages() override
    {
        ++Steps;
        if (OnProcess) OnProcess(Step());
    }
};

}  // namespace runtest
