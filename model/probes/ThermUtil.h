#pragma once

#include "model/base/KPError.h"
#include "model/base/Stream.h"

#include <QString>
#include <cstdint>
#include <functional>

// The heat carriers that can circulate through the probes. The ordinal is
// stored as one byte in project files, so the order never changes.
enum TFluid : std::uint8_t { flWasser, flPE25, flPE33, flEE25, flEE33 };
inline constexpr int FluidMaxOrdinal = flEE33;

// How the main loop asks the model for its flow and its fluid.
using TDblFunction = std::function<double()>;
using TFluidFunction = std::function<TFluid()>;

// A fluid property was asked for outside the range its data cover, or for a
// fluid that does not exist.
class EFluidError : public EKPError {
public:
    using EKPError::EKPError;
};

QString FluidName(TFluid Fluid);
QString FluidXMLName(TFluid Fluid);
// The fluid whose XML token is exactly Name (letter case counts).
TFluid FluidFromName(const QString& Name);

// kg/m³, 0..100 °C.
double WaterDensity(double T);
// kJ/(kg K), 0..100 °C.
double WaterHeatCapacity(double T);
// kg/m³; glycols are not range-checked here.
double FluidDensity(TFluid Fluid, double T);
// kJ/(kg K).
double FluidHeatCapacity(TFluid Fluid, double T);
// J/(m³ K); the product the probe models need.
double VolumetricHeatCapacity(TFluid Fluid, double T);

// The fluid as its one-byte ordinal in a record; a byte outside the
// enumeration is a read error (EReadError), never a fluid.
void WriteFluidToStream(TStream& S, TFluid Fluid);
TFluid ReadFluidFromStream(TStream& S);

// Fits the tabulated glycol densities and the water heat capacity. Runs by
// itself on first use; calling it again does nothing.
void FitGlycolDensities();
