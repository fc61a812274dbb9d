#pragma once

#include "model/base/MVStreamList.h"

#include <QString>
#include <memory>

// A characteristic line of a heat pump over the brine temperature:
// A × T + B, or the constant B for a static line.
class TCharline : public TObject {
    KP_CLASS(TCharline)
public:
    explicit TCharline(TBlank) {}
    TCharline(const QString& AName, double AA, double AB, bool AIsStatic);

    double Value(double X) const { return FIsStatic ? FB : FA * X + FB; }

    virtual void Assign(const TCharline* Source);
    // Same name, slope, intercept and static flag. Unset (NaN) values equal
    // each other, so a line matches its own copy.
    virtual bool Match(const TCharline* CompareWith) const;
    virtual void Read(TStream& S);
    virtual void Write(TStream& S);

    const QString& Name() const { return FName; }
    void SetName(const QString& V) { FName = V; }
    double A() const { return FA; }
    void SetA(double V) { FA = V; }
    double B() const { return FB; }
    void SetB(double V) { FB = V; }
    bool IsStatic() const { return FIsStatic; }
    void SetIsStatic(bool V) { FIsStatic = V; }

private:
    QString FName;
    double FB = 0;
    double FA = 0;
    bool FIsStatic = false;
};

// Slope and intercept of the line through two points; false (and A, B left
// alone) when the points do not fix a line with a finite slope.
bool CharlineCoefficients(double X1, double Y1, double X2, double Y2, double& A, double& B);

// A heat pump: four characteristic lines over the brine temperature and the
// water outlet temperatures of its heating and cooling sides.
class THeatpump : public TObject {
    KP_CLASS(THeatpump)
public:
    // The lines stay absent until Read creates them.
    explicit THeatpump(TBlank) {}
    THeatpump(const QString& AName, double AWaterTemp, double COPA, double COPB, double HeatPowerA,
              double HeatPowerB, double CoolCOPA, double CoolCOPB, double CoolPowerA, double CoolPowerB,
              double CoolWaterTemp);
    ~THeatpump() override;

    // Shows the heat-pump dialog; on OK takes the edited values back, keeping
    // each value whose text is not a number. Returns the modal result
    // (THeatpumpDialogs::mrOk or mrCancel).
    virtual int Edit();
    virtual void Assign(const THeatpump* Source);
    // Same name, water temperatures and lines; unset (NaN) values equal each other.
    virtual bool Match(const THeatpump* CompareWith) const;
    // The cooling side (water temperature, cooling COP and power lines) is
    // read from files of version 1.2 on; older files leave it zero.
    virtual void Read(TStream& S);
    virtual void Write(TStream& S);

    const QString& Name() const { return FName; }
    void SetName(const QString& V) { FName = V; }
    double WaterTemperature() const { return FWaterTemperature; }
    void SetWaterTemperature(double V) { FWaterTemperature = V; }
    TCharline* COP() const { return FCOP.get(); }
    TCharline* HeatPower() const { return FHeatPower.get(); }
    TCharline* CoolPower() const { return FCoolPower.get(); }
    TCharline* CoolCOP() const { return FCoolCOP.get(); }
    double CoolWaterTemperature() const { return FCoolWaterTemperature; }
    void SetCoolWaterTemperature(double V) { FCoolWaterTemperature = V; }

private:
    void EnsureLines();

    QString FName;
    double FWaterTemperature = 0;
    std::unique_ptr<TCharline> FCOP;
    std::unique_ptr<TCharline> FHeatPower;
    std::unique_ptr<TCharline> FCoolPower;
    std::unique_ptr<TCharline> FCoolCOP;
    double FCoolWaterTemperature = 0;
};

// The heat pump a new thermal model starts with ("Example Heatpump").
std::unique_ptr<THeatpump> CreateExampleHeatpump();

// The user's library of heat pumps, kept in the heat-pump list file.
class THeatPumplist : public TMVObjectList {
    KP_CLASS(THeatPumplist)
public:
    THeatPumplist() = default;
    explicit THeatPumplist(TBlank) : TMVObjectList(Blank) {}

    // Appends a heat pump with the list's defaults and returns it.
    virtual THeatpump* AddHeatPump();
    // The first entry that matches AHeatPump, or else a new entry holding a
    // copy of it; nullptr for no heat pump.
    virtual THeatpump* AddIfNotExits(const THeatpump* AHeatPump);

    THeatpump* Heatpump(int Index) const { return ItemAs<THeatpump>(Index); }

    // Only heat pumps may stand in the list; anything else is a corrupt file.
    void ReadData(TStream& S) override;
    // The list file has no version of its own: its records are always read
    // as the program's current version writes them.
    void LoadFromFile(const QString& FileName) override;

    // A new list read from the list file; raises EFileError/EReadError and
    // EClassNotFound as LoadFromFile does.
    static std::unique_ptr<THeatPumplist> CreateFromFile(const QString& FileName);
};
