#pragma once

#include "model/probes/boreholeObj.h"

#include <QStringList>
#include <functional>

class TCustomCanvas;
class TBHEDebugGrid;

using TNotifyEvent = std::function<void(TObject*)>;

// A borehole heat exchanger ("probe"). The same class serves as a probe type:
// the probe-type list keeps TBHE templates whose type data new probes copy.
class TBHE : public TBorehole {
    KP_CLASS(TBHE)
public:
    TBHE();
    explicit TBHE(TBlank) : TBorehole(Blank) {}

    double TubeX() const { return FTubeX; }
    void SetTubeX(double V) { FTubeX = V; }
    double TubeY() const { return FTubeY; }
    void SetTubeY(double V) { FTubeY = V; }
    // Lent by the owner and kept for it; the probe writes nothing into it.
    QStringList* Messagelist() const { return FMessagelist; }
    void SetMessagelist(QStringList* V) { FMessagelist = V; }
    const TNotifyEvent& OnDrawModel() const { return FOnDrawModel; }
    void SetOnDrawModel(TNotifyEvent V) { FOnDrawModel = std::move(V); }
    double S20B() const { return FS20B; }
    void SetS20B(double V) { FS20B = V; }
    double S20A() const { return FS20A; }
    void SetS20A(double V) { FS20A = V; }
    double S10B() const { return FS10B; }
    void SetS10B(double V) { FS10B = V; }
    double S10A() const { return FS10A; }
    void SetS10A(double V) { FS10A = V; }
    double RB() const { return FRB; }
    void SetRB(double V) { FRB = V; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int V) { FImageIndex = V; }
    int LoadProfilIndex() const { return FLoadProfilIndex; }
    void SetLoadProfilIndex(int V) { FLoadProfilIndex = V; }

    // Cross-section of the borehole, ScaleFactor pixels per metre, centred at
    // (OffX, OffY).
    virtual void Draw(TCustomCanvas& ACanvas, double ScaleFactor, int OffX, int OffY) const;
    // Copies the type data of a template; name, position, depth, wall
    // thickness, filling, remark and load profile stay the probe's own.
    virtual void AssignType(const TBHE& Source);
    // True when the compared type data are exactly equal; NaN never matches.
    virtual bool IsType(const TBHE& CompareBHE) const;

    // Segment model: marches down and up the probe in SegmentCount segments
    // (the length rounded to whole metres when SegmentCount <= 0) and adjusts
    // the bottom temperature until the inlet is reproduced within 0.05 K.
    // Raises EKPError when it does not converge within MaxSegmentPasses.
    virtual double TemperatureOut(double TemperatureIn, double WallTemperature, double Flux, double RhoCPFluid,
                                  int SegmentCount, double& BHEPower, double& TempIn,
                                  TBHEDebugGrid* DebugGrid = nullptr) const;
    // Exponential model; QTransfer is the power taken up by the fluid, W.
    virtual double TemperatureOutAnalytic(double TemperatureIn, double WallTemperature, double Flux,
                                          double RhoCPFluid, double& QTransfer) const;

    // Name, position, length and RB in the probe dialog. Every text is
    // converted before anything is assigned, so a bad number (EConvertError)
    // changes nothing.
    virtual bool Edit();
    // The type data in the probe-type dialog.
    virtual bool EditType();

    // The "BHE" element itself.
    bool ReadXML(pugi::xml_node Node) override;
    // Appends a "BHE" element to Node.
    bool WriteXML(pugi::xml_node Node) const override;
    static QString XMLName() { return QStringLiteral("BHE"); }

    void Read(TStream& S) override;
    void Write(TStream& S) override;

    static constexpr int MaxSegmentPasses = 1000;
    static constexpr double SegmentTolerance = 0.05;

private:
    QString TubeTypeCaption() const;

    double FTubeX = 0;
    double FTubeY = 0;
    QStringList* FMessagelist = nullptr;
    TNotifyEvent FOnDrawModel;
    double FS20B = 0;
    double FS20A = 0;
    double FS10B = 0;
    double FS10A = 0;
    double FRB = 0;
    std::int32_t FImageIndex = 0;
    std::int32_t FLoadProfilIndex = 0;
};

// Run-time state of one probe during a simulation. Only the node index is
// stored; the thermal model sets everything else when it prepares a run.
class TBHEDataWrapper : public TObject {
    KP_CLASS(TBHEDataWrapper)
public:
    explicit TBHEDataWrapper(TBHE* ABHE);
    explicit TBHEDataWrapper(TBlank) {}

    double TempOut() const { return FTempOut; }
    void SetTempOut(double V) { FTempOut = V; }
    double TempIn() const { return FTempIn; }
    void SetTempIn(double V) { FTempIn = V; }
    // Not owned; nullptr after loading until the model binds it again.
    TBHE* BHE() const { return FBHE; }
    void SetBHE(TBHE* V) { FBHE = V; }
    double TempWall() const { return FTempWall; }
    void SetTempWall(double V) { FTempWall = V; }
    double RhoCP() const { return FRhoCP; }
    void SetRhoCP(double V) { FRhoCP = V; }
    double Flux() const { return FFlux; }
    void SetFlux(double V) { FFlux = V; }
    double Power() const { return FPower; }
    double ModelTempIn() const { return FModelTempIn; }
    int NodeIndex() const { return FNodeIndex; }
    void SetNodeIndex(int V) { FNodeIndex = V; }
    double DailyEnergyCounter() const { return FDailyEnergyCounter; }
    void SetDailyEnergyCounter(double V) { FDailyEnergyCounter = V; }
    double DailyMinTemp() const { return FDailyMinTemp; }
    void SetDailyMinTemp(double V) { FDailyMinTemp = V; }
    double DailyMaxTemp() const { return FDailyMaxTemp; }
    void SetDailyMaxTemp(double V) { FDailyMaxTemp = V; }

    // Outlet temperature for the current inputs; raises EKPError without a probe.
    virtual double CalculateTemperatureOut(bool UseAnalytic);

    virtual void Read(TStream& S);
    virtual void Write(TStream& S);

private:
    double FTempOut = 0;
    double FTempIn = 0;
    TBHE* FBHE = nullptr;
    double FTempWall = 0;
    double FRhoCP = 0;
    double FFlux = 0;
    double FPower = 0;
    double FModelTempIn = 0;
    std::int32_t FNodeIndex = 0;
    double FDailyEnergyCounter = 0;
    double FDailyMinTemp = 0;
    double FDailyMaxTemp = 0;
};

// Registers TWell, TBorehole, TBHE and TBHEDataWrapper, in this order.
void RegisterProbeStreamClasses();
