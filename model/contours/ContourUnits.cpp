#include "model/contours/ContourUnits.h"

#include "model/base/KPError.h"

namespace {

constexpr double Factors[] = {
    0.001,     // duMillimeters
    0.01,      // duCentimeters
    0.1,       // duDecimeters
    1.0,       // duMeters
    1000.0,    // duKilometers
    0.0254,    // duInches
    0.3048,    // duFeet
    0.9144,    // duYards
    1609.344,  // duMiles
    1852.0,    // duNauticalMiles
};

constexpr int UnitCount = static_cast<int>(sizeof(Factors) / sizeof(Factors[0]));

}  // namespace

bool IsDistanceUnit(TConvType Unit)
{
    return static_cast<int>(Unit) >= 0 && static_cast<int>(Unit) < UnitCount;
}

double MetersPerUnit(TConvType Unit)
{
    if (!IsDistanceUnit(Unit))
        throw EConvertError(QStringLiteral("Ungültige Umrechnung: die Einheit %1 ist keine Längeneinheit.")
                                .arg(static_cast<int>(Unit)));
    return Factors[static_cast<int>(Unit)];
}

double DistanceToMeters(double Value, TConvType Unit)
{
    return Value * MetersPerUnit(Unit);
}
