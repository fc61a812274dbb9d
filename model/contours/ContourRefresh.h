#pragma once

// Recomputing a contour map from a finite-element model: the thermal model's
// contour refresh without its own bookkeeping.

#include "model/contours/MVContourObj.h"
#include "model/fe/NumModel.h"

// What the thermal model contributes to a refresh.
struct TContourRefreshSettings {
    TMVContourLineCalc Method = lcFe;
    // Cells of the map's own grid (method lcGrid).
    int Cols = 50;
    int Rows = 50;
    // Contour the change against the initial temperatures, not the values.
    bool ShowDelta = true;
    // The initial ground temperature, the level left out in absolute mode.
    double InitialTemperature = 0;
};

// Automatic level spacing of the two methods, K.
inline constexpr double FeAutoLevelDist = 0.5;
inline constexpr double GridAutoLevelDist = 0.2;

// Makes the map's levels and lines from the nodes' custom values and
// transfers the map's settings onto the lines. ShowContours becomes True.
void RefreshContourLines(TMVContourMap& Map, T2DTriangleModel& FieldModel, const TContourRefreshSettings& Settings);

// Appends the finite-element lines to the map's lines.
void AddFELines(TMVContourMap& Map, std::vector<TFEContourLine>& Lines);
