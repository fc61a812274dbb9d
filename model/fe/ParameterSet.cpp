#include "model/fe/ParameterSet.h"

#include "model/base/KPError.h"
#include "model/base/ModelUI.h"
#include "model/base/NumberText.h"
#include "model/base/StreamStrings.h"

#include <cmath>
#include <limits>

namespace {

QString ValueText(double V)
{
    return std::isnan(V) ? QString() : FloatToStr(V);
}

// Empty text is "not set"; anything else must be a number in the user's format.
double TextValue(const QString& S)
{
    if (S.trimmed().isEmpty()) return std::numeric_limits<double>::quiet_NaN();
    return StrToFloat(S);
}

}  // namespace

TParameterSet::TParameterSet(const QString& AName, TColor AColor) : TTagElement(AName, AColor)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    FLeakage = FStorage = FInfiltration = FT = FThickness = nan;
}

bool TParameterSet::Edit()
{
    TParameterSetEditData data;
    data.Name = Name();
    data.Color = Color();
    data.T = ValueText(FT);
    data.Storage = ValueText(FStorage);
    data.Thickness = ValueText(FThickness);
    data.Leakage = ValueText(FLeakage);
    data.Infiltration = ValueText(FInfiltration);
    if (!ModelUI<TParameterSetDialogs>().EditParameterSet(data)) return false;
    // Convert everything before taking anything over, so that a text that is
    // no number leaves the set as it was.
    const double t = TextValue(data.T);
    const double storage = TextValue(data.Storage);
    const double infiltration = TextValue(data.Infiltration);
    const double leakage = TextValue(data.Leakage);
    const double thickness = TextValue(data.Thickness);
    SetName(data.Name);
    SetColor(data.Color);
    FT = t;
    FStorage = storage;
    FInfiltration = infiltration;
    FLeakage = leakage;
    FThickness = thickness;
    return true;
}

void TParameterSet::Read(TStream& S)
{
    SetName(ReadStringFromStream(S));
    SetColor(static_cast<TColor>(S.ReadInt32()));
    FT = S.ReadDouble();
    FStorage = S.ReadDouble();
    FThickness = S.ReadDouble();
    FInfiltration = S.ReadDouble();
    FLeakage = S.ReadDouble();
}

void TParameterSet::Write(TStream& S) const
{
    WriteStringToStream(S, Name());
    S.WriteInt32(static_cast<std::int32_t>(Color()));
    S.WriteDouble(FT);
    S.WriteDouble(FStorage);
    S.WriteDouble(FThickness);
    S.WriteDouble(FInfiltration);
    S.WriteDouble(FLeakage);
}
