// The day, month and year handlers, the counter reset and the result output.

#include "model/run/MainLoopObj.h"

#include "model/base/KPError.h"
#include "model/base/ModelUI.h"
#include "model/base/NumberText.h"
#include "model/fe/NumModel.h"
#include "model/loads/LoadObject.h"
#include "model/probes/BHEObj.h"
#include "model/run/RunTexts.h"

#include <QSaveFile>
#include <algorithm>
#include <climits>
#include <limits>

void TMainLoop::ResetCounters()
{
    const TLoadObj* own = OwnProfile();
    if (own && own->LoadType() == ltYearProfile)
        FCircuit.RequestedLoad = own->GetLoad(FTimeEngine->RealCurrentTime());
    FGeothermalEnergy->Reset();
    FTotalEnergy->Reset();
    FElectricEnergy->Reset();
    FInitialQuantity = FFieldModel ? FFieldModel->Quantity() : 0;
    FYearElectricEnergy->Reset();
    FYearGeothermalEnergy->Reset();
    FYearOutputEnergy->Reset();
    FCircuit.YearOpsTime = 0;
    FGWlog.clear();
    FOtherCircuits.clear();
}

void TMainLoop::DoDayChanged(TObject* Sender)
{
    (void)Sender;
    const TDateTime t = FTimeEngine->RealCurrentTime();
    const TLoadObj* own = OwnProfile();
    if (own && own->LoadType() == ltYearProfile) FCircuit.RequestedLoad = own->GetLoad(t);
    PruneCircuits();
    for (auto& [p, c] : FOtherCircuits) c.RequestedLoad = p->GetLoad(t);
    FillCounterRow(t);
    ResetDailyValues();
}

void TMainLoop::FillCounterRow(TDateTime T)
{
    TLoadObj* own = OwnProfile();
    if (!own) return;
    // Row r holds the day that began r − 1 days after the start day.
    const std::int64_t day = DateOf(T);
    const int row = static_cast<int>(std::clamp<std::int64_t>(day - DateOf(FTimeEngine->RealStartTime()), -1, INT_MAX));
    const TDateTime date = static_cast<double>(day - 1);
    std::vector<TCounterProbeDay> probes;
    for (int i = 0; i < EntryCount(); ++i) {
        const TBHEDataWrapper* w = Entry(i);
        if (w) probes.push_back({w->DailyEnergyCounter(), w->DailyMinTemp(), w->DailyMaxTemp()});
    }
    // The day's field values are shared by the profile's own probes.
    const int n = FLoadProfils ? static_cast<int>(EntriesOf(FLoadProfils->IndexOf(own)).size()) : EntryCount();
    if (own->LoadType() == ltYearProfile)
        FCounterTable.SetYearProfileRow(row, date, FCircuit.DailyTimeCounter, FCircuit.DailyFieldEnergy,
                                        FCircuit.DailyHeatPower, n, probes);
    else
        FCounterTable.SetPowerRow(row, date, own->GetPower(T), n, probes);
    ModelUI<TRunDisplay>().CounterRowChanged(FCounterTable, row);
}

void TMainLoop::ResetDailyValues()
{
    auto reset = [](THeatpumpCircuit& C) {
        C.DailyHeatPower = 0;
        C.DailyTimeCounter = 0;
        C.DailyFieldEnergy = 0;
    };
    reset(FCircuit);
    for (auto& [p, c] : FOtherCircuits) reset(c);
    const double inf = std::numeric_limits<double>::infinity();
    for (int i = 0; i < EntryCount(); ++i) {
        TBHEDataWrapper* w = Entry(i);
        if (!w) continue;
        w->SetDailyEnergyCounter(0);
        w->SetDailyMinTemp(inf);
        w->SetDailyMaxTemp(-inf);
    }
}

void TMainLoop::DoMonthChanged(TObject* Sender)
{
    (void)Sender;
    // Before this step's solve: the file holds the field at the end of the
    // month that has just ended.
    if (FAutoSaveMonthly && SavedMonth(MonthOf(FTimeEngine->RealCurrentTime()))) SaveNodes(FSaveDataLocation);
}

void TMainLoop::DoYearChanged(TObject* Sender)
{
    (void)Sender;
    FYearElectricEnergy->Reset();
    FYearOutputEnergy->Reset();
    FYearGeothermalEnergy->Reset();
    FCircuit.YearOpsTime = 0;
    for (auto& [p, c] : FOtherCircuits) c.YearOpsTime = 0;
}

void TMainLoop::SaveNodes(const QString& Directory)
{
    if (!FFieldModel) CheckMesh();
    QStringList lines;
    FFieldModel->SaveNodes(&lines);
    const QString name = NodeDumpFileName(Directory, FTimeEngine->RealCurrentTime());
    QByteArray data;
    for (const QString& line : lines) {
        data += line.toUtf8();
        data += "\r\n";
    }
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit())
        throw EFileError(Format(QStringLiteral("Die Datei \"%s\" kann nicht geschrieben werden."), {name}));
}

void TMainLoop::UpdateSurface()
{
    TRunDisplay& display = ModelUI<TRunDisplay>();
    if (!FFieldModel || !display.HasSurfaceChart()) return;
    std::vector<TSurfacePoint> points;
    points.reserve(static_cast<size_t>(FFieldModel->NodeCount()));
    for (int k = 0; k < FFieldModel->NodeCount(); ++k) {
        const TNode* node = FFieldModel->GetNodes(k);
        points.push_back({node->X(), node->F(), node->Y()});
    }
    display.ShowSurface(points);
}

void TMainLoop::PrepareMonitoring()
{
    const TDateTime start = FTimeEngine->RealStartTime();
    ModelUI<TRunDisplay>().PrepareTemperatureChart(start, start + FTimeEngine->Endtime() / SecsPerDay);
}
