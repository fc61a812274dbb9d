#pragma once

#include "model/base/MVStreamList.h"

#include <QString>
#include <limits>

// A drilled well: identity, position and radii. Screen, benchmark altitude,
// gravel porosity and B value describe a general well; they are kept and
// stored, the thermal calculation never reads them. NaN means "not set".
class TWell : public TObject {
    KP_CLASS(TWell)
public:
    TWell();
    explicit TWell(TBlank) {}

    bool FullyPenetrating() const { return fFullyPenetrating; }
    void SetFullyPenetrating(bool V) { fFullyPenetrating = V; }
    double BenchmarkAlt() const { return fBenchmarkAlt; }
    void SetBenchmarkAlt(double V) { fBenchmarkAlt = V; }
    double ScreenRadius() const { return fScreenRadius; }
    void SetScreenRadius(double V) { fScreenRadius = V; }
    double ScreenLength() const { return fScreenLength; }
    void SetScreenLength(double V) { fScreenLength = V; }
    double Y() const { return fY; }
    void SetY(double V) { fY = V; }
    double CasingRadius() const { return fCasingRadius; }
    void SetCasingRadius(double V) { fCasingRadius = V; }
    double Altitude() const { return fAltitude; }
    void SetAltitude(double V) { fAltitude = V; }
    double X() const { return fX; }
    void SetX(double V) { fX = V; }
    const QString& Name() const { return FName; }
    void SetName(const QString& V) { FName = V; }
    bool UseRW() const { return FUseRW; }
    void SetUseRW(bool V) { FUseRW = V; }
    double BoringRadius() const { return FBoringRadius; }
    void SetBoringRadius(double V) { FBoringRadius = V; }
    double GravelPorosity() const { return FGravelPorosity; }
    void SetGravelPorosity(double V) { FGravelPorosity = V; }
    double BValue() const { return FBValue; }
    void SetBValue(double V) { FBValue = V; }

    virtual double DValue() const;
    virtual double EffectiveRadius() const;

    // 0 without a well, the screen radius for the well itself, otherwise the
    // horizontal distance.
    virtual double GetWellDistance(const TWell* Well1) const;
    virtual double GetWellDistance(double AX, double AY) const;

    virtual void Read(TStream& S);
    virtual void Write(TStream& S);

protected:
    static constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

private:
    bool fFullyPenetrating = false;
    double fBenchmarkAlt = 0;
    double fScreenRadius = 0;
    double fScreenLength = 0;
    double fY = 0;
    double fCasingRadius = 0;
    double fAltitude = 0;
    double fX = 0;
    QString FName;
    bool FUseRW = false;
    double FBoringRadius = 0;
    double FGravelPorosity = 0;
    double FBValue = 0;
};
