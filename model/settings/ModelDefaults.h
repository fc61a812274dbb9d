#pragma once

#include <QString>

// First values of a new thermal model. The three that the user can change in
// the options are variables; the program settings read and write them.
inline constexpr double DefaultLambda0 = 2.0;          // W/(m·K)
inline constexpr double DefaultRhoCP0 = 2.5;           // MJ/(m³·K)
inline constexpr double NodeBHERadialDist0 = 1.0;      // m

extern double DefaultLambda;
extern double DefaultRhoCP;
// Radius of the node ring the mesh input lays around each probe, m.
extern double NodeBHERadialDist;

inline constexpr double DefaultAirTemperature = 10;    // °C
inline constexpr double DefaultAlphaSurface = 0;       // W/(m²·K)
inline constexpr double DefaultQEarth = 0.05;          // W/m²
inline constexpr double DefaultThickness = 100;        // m
inline constexpr double DefaultFA = 10;                // °C
inline constexpr double DefaultGridInnerArea = 5;      // m²
inline constexpr double DefaultGridOuterArea = 50;     // m²
inline constexpr double DefaultGridScaleFactor = 3;
inline constexpr double DefaultGridDeltaBorder = 50;   // m

// The heat-pump list and the probe-type list; the settings may point
// elsewhere.
extern QString HeatpumpsFile;
extern QString BHETypesFile;

// The folder of the two list files by default: "Mirvatek" in the user's data
// folder. It is not created here; saving a list creates it.
QString DefaultListFileFolder();

// Puts the values above back to the built-in defaults.
void ResetModelDefaults();
