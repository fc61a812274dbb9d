#include "model/probes/WellObj.h"

#include "model/base/StreamStrings.h"

#include <cmath>

TWell::TWell()
    : fFullyPenetrating(true),
      fBenchmarkAlt(NaN),
      fScreenRadius(NaN),
      fScreenLength(NaN),
      fY(NaN),
      fCasingRadius(NaN),
      fAltitude(NaN),
      fX(NaN),
      FBoringRadius(NaN),
      FGravelPorosity(0),
      FBValue(NaN)
{
}

double TWell::DValue() const { return FBValue - fScreenLength; }

double TWell::EffectiveRadius() const
{
    return std::sqrt(fScreenRadius * fScreenRadius * (1 - FGravelPorosity) +
                     FGravelPorosity * FBoringRadius * FBoringRadius);
}

double TWell::GetWellDistance(const TWell* Well1) const
{
    if (!Well1) return 0;
    if (Well1 == this) return fScreenRadius;
    return GetWellDistance(Well1->X(), Well1->Y());
}

double TWell::GetWellDistance(double AX, double AY) const
{
    const double dx = AX - fX;
    const double dy = AY - fY;
    return std::sqrt(dx * dx + dy * dy);
}

// Y stands before X in the record; files depend on it.
void TWell::Read(TStream& S)
{
    FName = ReadStringFromStream(S);
    fFullyPenetrating = S.ReadBoolean();
    fY = S.ReadDouble();
    fX = S.ReadDouble();
    fBenchmarkAlt = S.ReadDouble();
    fAltitude = S.ReadDouble();
    fScreenRadius = S.ReadDouble();
    fScreenLength = S.ReadDouble();
    fCasingRadius = S.ReadDouble();
    FBoringRadius = S.ReadDouble();
    FGravelPorosity = S.ReadDouble();
    FUseRW = S.ReadBoolean();
    FBValue = S.ReadDouble();
}

void TWell::Write(TStream& S)
{
    WriteStringToStream(S, FName);
    S.WriteBoolean(fFullyPenetrating);
    S.WriteDouble(fY);
    S.WriteDouble(fX);
    S.WriteDouble(fBenchmarkAlt);
    S.WriteDouble(fAltitude);
    S.WriteDouble(fScreenRadius);
    S.WriteDouble(fScreenLength);
    S.WriteDouble(fCasingRadius);
    S.WriteDouble(FBoringRadius);
    S.WriteDouble(FGravelPorosity);
    S.WriteBoolean(FUseRW);
    S.WriteDouble(FBValue);
}
