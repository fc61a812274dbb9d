// The two outlet-temperature models of a probe and the run-time wrapper that
// applies them each time step.
#include "model/probes/BHEDialogs.h"
#include "model/probes/BHEObj.h"

#include "model/base/KPError.h"
#include "model/base/NumberText.h"
#include "model/base/Rounding.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

double TBHE::TemperatureOutAnalytic(double TemperatureIn, double WallTemperature, double Flux, double RhoCPFluid,
                                    double& QTransfer) const
{
    // Evaluated left to right as written: no flow or RB 0 gives an exponent of
    // -inf and so the wall temperature, without a special case.
    const double exponent = -(2 * std::numbers::pi * CasingLength() / FRB / RhoCPFluid / Flux);
    const double tout = WallTemperature + (TemperatureIn - WallTemperature) * std::exp(exponent);
    QTransfer = RhoCPFluid * Flux * (tout - TemperatureIn);
    return tout;
}

namespace {

struct TSegmentHeat {
    double Q1;
    double Q2;
    double Theta;
};

// Heat exchanged by both legs over one segment. The coefficients are written
// over the temperature ratio theta; where a leg stands at the wall temperature
// theta is 0, infinite or 0/0, and the same products are formed without the
// division.
TSegmentHeat SegmentHeat(const TBHE& P, double T1, double T2, double Tw, double LambdaDL)
{
    const double d1 = T1 - Tw;
    const double d2 = T2 - Tw;
    const double theta = d1 / d2;
    if (std::isfinite(theta) && theta != 0)
        return {(P.S10A() / theta + P.S10B()) * LambdaDL * d1, (P.S20A() * theta + P.S20B()) * LambdaDL * d2, theta};
    return {(P.S10A() * d2 + P.S10B() * d1) * LambdaDL, (P.S20A() * d1 + P.S20B() * d2) * LambdaDL, theta};
}

QString Cell(double X) { return FormatFloat(QStringLiteral("##0.000"), X); }

void PrepareDebugGrid(TBHEDebugGrid& G, int N)
{
    G.Clear();
    G.SetSize(6, N + 2);
    const char* headers[] = {"T Vorlauf [°C]", "T Rücklauf [°C]", "Q Vorlauf [W]", "Q Rücklauf [W]", "Theta"};
    for (int c = 0; c < 5; ++c) G.SetCell(c + 1, 0, QString::fromUtf8(headers[c]));
}

void FinishDebugGrid(TBHEDebugGrid& G, int N, double T1, double T2)
{
    for (int k = 1; k <= N; ++k) G.SetCell(0, k, QString::number(k));
    G.SetCell(0, N + 1, QStringLiteral("top"));
    G.SetCell(1, N + 1, Cell(T1));
    G.SetCell(2, N + 1, Cell(T2));
    G.AutoSizeColumns(4);
}

}  // namespace

double TBHE::TemperatureOut(double TemperatureIn, double WallTemperature, double Flux, double RhoCPFluid,
                            int SegmentCount, double& BHEPower, double& TempIn, TBHEDebugGrid* DebugGrid) const
{
    const double L = CasingLength();
    const int n = SegmentCount > 0 ? SegmentCount : RoundEven(L);
    // Without a segment the iteration would settle on the inlet temperature
    // and report a power that no part of the probe exchanged.
    if (n < 1)
        throw EKPError(Format(QStringLiteral("Die Sonde \"%s\" ist mit %s m zu kurz für das Segmentmodell: "
                                             "es braucht mindestens einen Abschnitt (Länge ab 0,5 m)."),
                              {Name(), FloatToStr(L)}));
    if (std::isnan(FillConduc()))
        throw EKPError(QStringLiteral("Für die Sonde \"%1\" ist keine Wärmeleitfähigkeit der Verfüllung angegeben.")
                           .arg(Name()));
    const double lambdaDL = FillConduc() * (L / n);
    const double C = RhoCPFluid * Flux;
    const double Tw = WallTemperature;
    double Tb = (TemperatureIn + Tw) / 2;
    double T1 = Tb;
    double T2 = Tb;
    if (DebugGrid) PrepareDebugGrid(*DebugGrid, n);
    for (int pass = 1;; ++pass) {
        T1 = Tb;
        T2 = Tb;
        for (int k = 1; k <= n; ++k) {
            const TSegmentHeat h = SegmentHeat(*this, T1, T2, Tw, lambdaDL);
            if (DebugGrid) {
                const double row[] = {T1, T2, h.Q1, h.Q2, h.Theta};
                for (int c = 0; c < 5; ++c) DebugGrid->SetCell(c + 1, k, Cell(row[c]));
            }
            T1 += h.Q1 / C;
            T2 -= h.Q2 / C;
        }
        const double err = T1 - TemperatureIn;
        Tb -= err / 3;
        if (std::fabs(err) < SegmentTolerance) break;
        // A NaN or infinite error can never pass the test; a divergent set of
        // coefficients would otherwise loop for ever.
        if (!std::isfinite(err) || pass >= MaxSegmentPasses)
            throw EKPError(QStringLiteral("Die Austrittstemperatur der Sonde \"%1\" konvergiert nicht "
                                          "(Segmentmodell nach %2 Durchläufen abgebrochen).")
                               .arg(Name())
                               .arg(pass));
    }
    if (DebugGrid) FinishDebugGrid(*DebugGrid, n, T1, T2);
    TempIn = T1;
    BHEPower = C * (T2 - TemperatureIn);
    return T2;
}

TBHEDataWrapper::TBHEDataWrapper(TBHE* ABHE)
    : FBHE(ABHE),
      FDailyEnergyCounter(0),
      FDailyMinTemp(std::numeric_limits<double>::infinity()),
      FDailyMaxTemp(-std::numeric_limits<double>::infinity())
{
}

double TBHEDataWrapper::CalculateTemperatureOut(bool UseAnalytic)
{
    if (!FBHE) throw EKPError(QStringLiteral("Den Sondendaten ist keine Sonde zugeordnet."));
    if (UseAnalytic)
        FTempOut = FBHE->TemperatureOutAnalytic(FTempIn, FTempWall, FFlux, FRhoCP, FPower);
    else
        FTempOut = FBHE->TemperatureOut(FTempIn, FTempWall, FFlux, FRhoCP, 0, FPower, FModelTempIn);
    FDailyMinTemp = std::min(FDailyMinTemp, FTempOut);
    FDailyMaxTemp = std::max(FDailyMaxTemp, FTempOut);
    return FTempOut;
}

void TBHEDataWrapper::Read(TStream& S) { FNodeIndex = S.ReadInt32(); }

void TBHEDataWrapper::Write(TStream& S) { S.WriteInt32(FNodeIndex); }
