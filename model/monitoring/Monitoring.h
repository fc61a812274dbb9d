#pragma once

#include "model/base/DateTime.h"
#include "model/base/MVStreamList.h"
#include "model/base/Stream.h"

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <vector>

// How often an item records. The ordinals are the time levels the time engine
// reports for a step (5 year changed, 4 month, 3 week, 2 day, 1 hour, else 0),
// so an item records whenever the step's level reaches its interval.
enum TMonitoringInterval : std::uint8_t { miAlways, miHour, miDay, miWeek, miMonth, miYear };
inline constexpr int MonitoringIntervalMaxOrdinal = miYear;

// Display names in ordinal order.
const QStringList& MonitoringIntervalNames();
// The interval whose ordinal is the engine's time level; levels above the
// year count as a year change.
TMonitoringInterval MonitoringIntervalOfLevel(int ALevel);

// One recorded value. Kept as a plain pair in one contiguous array: a run over
// years at every step records millions of them.
struct TRecordedValue {
    TDateTime PointOfTime = 0;
    double Data = 0;

    // Date and time in the user's format, a tab, the value as "0.000".
    QString AsText() const;
};

// A recorded quantity of an item with its values in recording order.
class TMonitorParam : public TObject {
    KP_CLASS(TMonitorParam)
public:
    TMonitorParam(const QString& AName, bool IsEnabled);
    explicit TMonitorParam(TBlank) {}

    const QString& Name() const { return FName; }
    void SetName(const QString& V) { FName = V; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool V) { FEnabled = V; }
    // A series a window attaches; not owned, not stored.
    TObject* ChartSeries() const { return FChartSeries; }
    void SetChartSeries(TObject* V) { FChartSeries = V; }
    int CurrentRow() const { return FCurrentRow; }
    void SetCurrentRow(int V) { FCurrentRow = V; }
    int ColStart() const { return FColStart; }
    void SetColStart(int V) { FColStart = V; }
    bool DrawTimeCol() const { return FDrawTimeCol; }
    void SetDrawTimeCol(bool V) { FDrawTimeCol = V; }
    const std::vector<TRecordedValue>& DataPoints() const { return fDataPoints; }

    virtual void RecordNow(TDateTime APointOfTime, double AData);
    // One line per value (AsText), CR LF, replacing an existing file.
    virtual void SaveDatapoints(const QString& AFilename) const;
    virtual void Read(TStream& S);
    virtual void Write(TStream& S);

private:
    QString FName;
    bool FEnabled = false;
    TObject* FChartSeries = nullptr;
    std::int32_t FCurrentRow = 0;
    std::int32_t FColStart = 0;
    bool FDrawTimeCol = false;
    std::vector<TRecordedValue> fDataPoints;
};

// A watched node or probe with its recorded parameters.
class TMonitoringItem : public TObject {
    KP_CLASS(TMonitoringItem)
public:
    TMonitoringItem();
    explicit TMonitoringItem(TBlank);
    ~TMonitoringItem() override;
    TMonitoringItem(const TMonitoringItem&) = delete;
    TMonitoringItem& operator=(const TMonitoringItem&) = delete;

    const QString& Name() const { return FName; }
    void SetName(const QString& V) { FName = V; }
    // Owning list of TMonitorParam.
    TMVObjectList& Params() const { return *FParams; }
    int ParamCount() const { return FParams->Count(); }
    TMonitorParam* Param(int Index) const { return FParams->ItemAs<TMonitorParam>(Index); }
    // Destinations: stored, never filled.
    TMVObjectList& Dests() const { return *FDests; }
    TMonitoringInterval Interval() const { return FInterval; }
    void SetInterval(TMonitoringInterval V) { FInterval = V; }
    // The watched node or probe; not owned, not stored.
    TObject* Item() const { return FItem; }
    void SetItem(TObject* V) { FItem = V; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool V) { FEnabled = V; }
    // Position of Item in the model's node or probe list, stored in its place.
    int IndexOfItem() const { return FIndexOfItem; }
    void SetIndexOfItem(int V) { FIndexOfItem = V; }

    // Records the current values when the step's level reaches the interval.
    // A plain item (only ever met in a file) watches nothing and records
    // nothing.
    virtual void RecordNow(TDateTime ADateTime, TMonitoringInterval ALevel);
    virtual QString GetDescription() const;
    virtual void Read(TStream& S);
    virtual void Write(TStream& S);

protected:
    void AddParam(const QString& AName);

private:
    QString FName;
    std::unique_ptr<TMVObjectList> FParams;
    std::unique_ptr<TMVObjectList> FDests;
    TMonitoringInterval FInterval = miAlways;
    TObject* FItem = nullptr;
    bool FEnabled = false;
    std::int32_t FIndexOfItem = 0;
};

// A watched probe: stored and restored, but it collects no values.
class TBHEMonitoringItem : public TMonitoringItem {
    KP_CLASS(TBHEMonitoringItem)
public:
    TBHEMonitoringItem();
    explicit TBHEMonitoringItem(TBlank B) : TMonitoringItem(B) {}

    void RecordNow(TDateTime ADateTime, TMonitoringInterval ALevel) override;
};

// A watched mesh node: records its temperature.
class TNodeMonitoringItem : public TMonitoringItem {
    KP_CLASS(TNodeMonitoringItem)
public:
    TNodeMonitoringItem();
    explicit TNodeMonitoringItem(TBlank B) : TMonitoringItem(B) {}

    void RecordNow(TDateTime ADateTime, TMonitoringInterval ALevel) override;
    QString GetDescription() const override;
};

// Registers TMonitoringItem, TBHEMonitoringItem, TNodeMonitoringItem and
// TMonitorParam with the stream class registry.
void RegisterMonitoringStreamClasses();
