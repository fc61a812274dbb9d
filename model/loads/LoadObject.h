#pragma once

#include "model/base/DateTime.h"
#include "model/base/MVStreamList.h"

#include <QString>
#include <cstdint>
#include <memory>

// How a load profile describes the building's demand. Stored as one byte.
enum TLoadType : std::uint8_t { ltConstant, ltYearProfile, ltFile, ltMonthProfile };

// A point of a year profile: from its day on, the building needs LoadValue
// kWh per day until the day of the next point.
class TLoadPoint : public TObject {
    KP_CLASS(TLoadPoint)
public:
    explicit TLoadPoint(TBlank) {}
    TLoadPoint(int AMonth, int ADay, double ALoad);

    virtual double GetLoadValue() const { return FLoadValue; }
    // Midnight of Day.Month. in AYear. A day beyond the month's end (29
    // February in other years) carries into the next month, so such a
    // point starts the day after the last real day of its month.
    virtual TDateTime GetYearPoint(int AYear) const;
    virtual void Read(TStream& S);
    virtual void Write(TStream& S);

    double LoadValue() const { return GetLoadValue(); }
    void SetLoadValue(double V) { FLoadValue = V; }
    int Day() const { return FDay; }
    void SetDay(int V) { FDay = static_cast<std::uint16_t>(V); }
    int Month() const { return FMonth; }
    void SetMonth(int V) { FMonth = static_cast<std::uint16_t>(V); }

protected:
    double FLoadValue = 0;
    std::uint16_t FDay = 0;
    std::uint16_t FMonth = 0;
};

// One month of a month profile: heating and cooling energy on the building
// side, turned into the energy the ground sees through the COPs.
class THeatCoolLoad : public TLoadPoint {
    KP_CLASS(THeatCoolLoad)
public:
    explicit THeatCoolLoad(TBlank) : TLoadPoint(Blank) {}
    THeatCoolLoad(int AMonth, double AHeatLoad, double ACoolLoad, double ACOPHeat, double ACOPCool);

    // HeatEff − CoolEff: kWh per month, positive when the ground gives heat.
    double GetLoadValue() const override;
    void Read(TStream& S) override;
    void Write(TStream& S) override;
    // Mean power of the month in kW, counted in the non-leap year 2013.
    virtual double PowerValue() const;

    double CoolingLoad() const { return FCoolingLoad; }
    void SetCoolingLoad(double V) { FCoolingLoad = V; }
    double HeatLoad() const { return FHeatLoad; }
    void SetHeatLoad(double V) { FHeatLoad = V; }
    double COPCooling() const { return FCOPCooling; }
    void SetCOPCooling(double V) { FCOPCooling = V; }
    double COPHeating() const { return FCOPHeating; }
    void SetCOPHeating(double V) { FCOPHeating = V; }
    // The part of the heating energy taken from the ground.
    double HeatEff() const;
    // The heat put into the ground while cooling.
    double CoolEff() const;

private:
    double FCoolingLoad = 0;
    double FHeatLoad = 0;
    double FCOPCooling = 0;
    double FCOPHeating = 0;
};

// A point of a time series: the power holds from PointOfTime until the next point.
class TPowerPoint : public TObject {
    KP_CLASS(TPowerPoint)
public:
    explicit TPowerPoint(TBlank) {}
    TPowerPoint(TDateTime APointOfTime, double APower) : FPointOfTime(APointOfTime), FPower(APower) {}

    virtual void Read(TStream& S);
    virtual void Write(TStream& S);

    TDateTime PointOfTime() const { return FPointOfTime; }
    void SetPointOfTime(TDateTime V) { FPointOfTime = V; }
    double Power() const { return FPower; }
    void SetPower(double V) { FPower = V; }

private:
    TDateTime FPointOfTime = 0;
    double FPower = 0;
};

// A load profile. Its list items are the profile's points: TLoadPoint for a
// year profile, TPowerPoint for a time series; the other kinds keep it empty.
class TLoadObj : public TMVObjectList {
    KP_CLASS(TLoadObj)
public:
    TLoadObj();
    explicit TLoadObj(TBlank);
    ~TLoadObj() override;

    virtual void InitMonthProfile();
    // Year profiles only; nullptr for other kinds. Appends without sorting.
    // Raises EKPError for a day and month that no year has.
    virtual TLoadPoint* AddPoint(int ADay, int AMonth, double AValue);
    // Time series only; nullptr for other kinds. Appends without sorting.
    // Raises EKPError for a time that is not finite.
    virtual TPowerPoint* AddPoint(TDateTime ADateTime, double AValue);
    // Daily energy in kWh of a year profile; the points must be in
    // Month/Day order (Resort).
    virtual double GetLoad(TDateTime ATime) const;
    // Power in kW: of a time series the last point in list order at or
    // before ATime. Raises EKPError for a year profile, which has no power.
    virtual double GetPower(TDateTime ATime) const;
    virtual double HeatDemandPerYear() const;
    virtual double CoolDemandPerYear() const;
    virtual void Resort();

    void ReadData(TStream& S) override;
    void WriteData(TStream& S) override;

    // Replaces the points of a time series with those of a text file (see
    // PowerSeriesFile.h), sorted. Raises EKPError for other kinds and for a
    // file that cannot be read; the profile then stays as it was.
    void ImportPowerSeries(const QString& FileName);

    TLoadType LoadType() const { return FLoadType; }
    void SetLoadType(TLoadType V);
    double ConstantLoad() const { return FConstantLoad; }
    void SetConstantLoad(double V) { FConstantLoad = V; }
    double CoolingFluidTemp() const { return FCoolingFluidTemp; }
    void SetCoolingFluidTemp(double V) { FCoolingFluidTemp = V; }
    double COPCooling() const { return FCOPCooling; }
    void SetCOPCooling(double V);
    double COPHeating() const { return FCOPHeating; }
    void SetCOPHeating(double V);
    const QString& Name() const { return FName; }
    void SetName(const QString& V) { FName = V; }
    TDateTime EndDate() const { return FEndDate; }
    void SetEndDate(TDateTime V) { FEndDate = V; }
    bool UseEndDate() const { return FUseEndDate; }
    void SetUseEndDate(bool V) { FUseEndDate = V; }
    TDateTime StartDate() const { return FStartDate; }
    void SetStartDate(TDateTime V) { FStartDate = V; }
    bool UseStartDate() const { return FUseStartDate; }
    void SetUseStartDate(bool V) { FUseStartDate = V; }
    TMVObjectList* MonthProfile() const { return FMonthProfile.get(); }

    // Typed access to the items; the kind decides which one applies.
    TLoadPoint* LoadPoint(int Index) const { return ItemAs<TLoadPoint>(Index); }
    TPowerPoint* PowerPoint(int Index) const { return ItemAs<TPowerPoint>(Index); }
    // Month entry of month 1..12; nullptr outside that range.
    THeatCoolLoad* MonthEntry(int Month) const;

private:
    bool OutsideWindow(TDateTime ATime) const;
    double SeriesPower(TDateTime ATime) const;
    double YearProfileDemand(bool Heating) const;
    void CopyCOPsToMonths();

    TLoadType FLoadType = ltConstant;
    double FConstantLoad = 0;
    double FCoolingFluidTemp = 0;
    double FCOPCooling = 0;
    double FCOPHeating = 0;
    QString FName;
    TDateTime FEndDate = 0;
    bool FUseEndDate = false;
    TDateTime FStartDate = 0;
    bool FUseStartDate = false;
    std::unique_ptr<TMVObjectList> FMonthProfile;
};
