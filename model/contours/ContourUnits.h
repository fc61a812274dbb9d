#pragma once

#include <QString>

// Distance units of the contour map's text export. Each unit converts to the
// metre, the base unit, by a fixed factor.
enum TConvType : int {
    duMillimeters,
    duCentimeters,
    duDecimeters,
    duMeters,
    duKilometers,
    duInches,
    duFeet,
    duYards,
    duMiles,
    duNauticalMiles,
};

// True for every value named above.
bool IsDistanceUnit(TConvType Unit);
// How many metres one Unit is; EConvertError when Unit is no distance unit.
double MetersPerUnit(TConvType Unit);
// Value given in Unit, in metres.
double DistanceToMeters(double Value, TConvType Unit);
