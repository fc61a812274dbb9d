#include "model/probes/ThermUtil.h"

#include "model/base/NumberText.h"

#include <Eigen/Dense>
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

// A least-squares polynomial kept in the scaled variable x = (T - Center) / Scale.
// Fitting the degree-7 water curve in raw degrees would square a condition number
// of about 1e14 into the normal equations; on [-1, 1] the problem is benign.
struct TPolyFit {
    double Center = 0;
    double Scale = 1;
    std::vector<double> Coeffs;  // lowest power first

    double Eval(double T) const
    {
        const double x = (T - Center) / Scale;
        double r = 0;
        for (auto it = Coeffs.rbegin(); it != Coeffs.rend(); ++it) r = r * x + *it;
        return r;
    }
};

TPolyFit FitPolynomial(const std::vector<double>& T, const std::vector<double>& Y, int Degree)
{
    TPolyFit fit;
    const auto [lo, hi] = std::minmax_element(T.begin(), T.end());
    fit.Center = (*lo + *hi) / 2;
    fit.Scale = (*hi - *lo) / 2;
    const Eigen::Index n = static_cast<Eigen::Index>(T.size());
    Eigen::MatrixXd A(n, Degree + 1);
    Eigen::VectorXd b(n);
    for (Eigen::Index i = 0; i < n; ++i) {
        const double x = (T[i] - fit.Center) / fit.Scale;
        double p = 1;
        for (int k = 0; k <= Degree; ++k, p *= x) A(i, k) = p;
        b(i) = Y[i];
    }
    const Eigen::VectorXd c = A.colPivHouseholderQr().solve(b);
    fit.Coeffs.assign(c.data(), c.data() + c.size());
    return fit;
}

struct TFluidFits {
    std::array<TPolyFit, 4> GlycolDensity;  // flPE25 .. flEE33, g/cm³
    TPolyFit WaterHeatCapacity;             // kJ/(kg K)
};

std::vector<double> Steps(double From, int Count)
{
    std::vector<double> t(Count);
    for (int i = 0; i < Count; ++i) t[i] = From + 10.0 * i;
    return t;
}

TFluidFits MakeFits()
{
    static const double glycol[4][12] = {
        {1.034, 1.033, 1.030, 1.026, 1.021, 1.016, 1.010, 1.003, 0.996, 0.989, 0.981, 0.974},
        {1.044, 1.042, 1.038, 1.034, 1.028, 1.022, 1.016, 1.009, 1.002, 0.995, 0.987, 0.979},
        {1.051, 1.050, 1.047, 1.044, 1.040, 1.035, 1.030, 1.024, 1.019, 1.012, 1.006, 1.000},
        {1.067, 1.065, 1.061, 1.057, 1.053, 1.048, 1.042, 1.036, 1.030, 1.024, 1.018, 1.011},
    };
    static const double waterCp[11] = {4.218, 4.192, 4.182, 4.179, 4.179, 4.181,
                                       4.184, 4.190, 4.196, 4.205, 4.216};
    TFluidFits f;
    const std::vector<double> tg = Steps(-10, 12);
    for (int i = 0; i < 4; ++i)
        f.GlycolDensity[i] = FitPolynomial(tg, std::vector<double>(glycol[i], glycol[i] + 12), 4);
    f.WaterHeatCapacity = FitPolynomial(Steps(0, 11), std::vector<double>(waterCp, waterCp + 11), 7);
    return f;
}

const TFluidFits& Fits()
{
    static const TFluidFits fits = MakeFits();
    return fits;
}

[[noreturn]] void RangeError(const char* Pattern, double T)
{
    throw EFluidError(Format(QString::fromUtf8(Pattern), {T}));
}

}  // namespace

void FitGlycolDensities() { (void)Fits(); }

QString FluidName(TFluid Fluid)
{
    switch (Fluid) {
    case flWasser: return QStringLiteral("Wasser");
    case flPE25: return QStringLiteral("Propylenglykol 25 %");
    case flPE33: return QStringLiteral("Propylenglykol 33 %");
    case flEE25: return QStringLiteral("Ethylenglykol 25 %");
    case flEE33: return QStringLiteral("Ethylenglykol 33 %");
    }
    return QString();
}

QString FluidXMLName(TFluid Fluid)
{
    switch (Fluid) {
    case flWasser: return QStringLiteral("Water");
    case flPE25: return QStringLiteral("PG25");
    case flPE33: return QStringLiteral("PG33");
    case flEE25: return QStringLiteral("EG25");
    case flEE33: return QStringLiteral("EG33");
    }
    return QString();
}

TFluid FluidFromName(const QString& Name)
{
    for (int i = 0; i <= FluidMaxOrdinal; ++i)
        if (FluidXMLName(static_cast<TFluid>(i)) == Name) return static_cast<TFluid>(i);
    throw EKPError(QStringLiteral("Unkown Fluid"));
}

double WaterDensity(double T)
{
    // Written as !(in range) so that NaN is refused as well.
    if (!(T >= 0 && T <= 100))
        RangeError("The temperature [°C] must be in range 0 and 100 to determine density of liquid water: %g °C", T);
    const double num = 999.83952 + 16.952577 * T - 7.9905127e-3 * T * T - 4.6241757e-5 * T * T * T +
                       1.0584601e-7 * T * T * T * T - 2.8103006e-10 * T * T * T * T * T;
    return num / (1 + 0.0168872 * T);
}

double WaterHeatCapacity(double T)
{
    if (!(T >= 0 && T <= 100))
        RangeError(
            "The temperature [°C] must be in range 0 and 100 to determine heat capacity of liquid water: %g °C", T);
    return Fits().WaterHeatCapacity.Eval(T);
}

double FluidDensity(TFluid Fluid, double T)
{
    switch (Fluid) {
    case flWasser: return WaterDensity(T);
    case flPE25:
    case flPE33:
    case flEE25:
    case flEE33: return Fits().GlycolDensity[Fluid - flPE25].Eval(T) * 1000;
    }
    throw EFluidError(QStringLiteral("Unkown fluid is used to calculate fluid density"));
}

double FluidHeatCapacity(TFluid Fluid, double T)
{
    switch (Fluid) {
    case flWasser: return WaterHeatCapacity(T);
    case flPE25: return 0.0015 * T + 3.9321;
    case flPE33: return 0.0022 * T + 3.7984;
    case flEE25: return 0.0017 * T + 3.7862;
    case flEE33: return 0.0022 * T + 3.6202;
    }
    throw EFluidError(QStringLiteral("Unkown fluid is used to calculate heat capacity"));
}

double VolumetricHeatCapacity(TFluid Fluid, double T)
{
    // A temperature that is not a number is out of every range.
    if (Fluid == flWasser) {
        if (T < 0) T = 0;
        if (!(T >= 0 && T <= 100))
            RangeError("The temperature [°C] must be in range 0 and 100 to determine volumetric heat capacity: %g °C",
                       T);
    } else if (!(T >= -10 && T <= 100)) {
        RangeError("The temperature [°C] must be in range -10 and 100 to determine volumetric heat capacity: %g °C",
                   T);
    }
    return FluidDensity(Fluid, T) * FluidHeatCapacity(Fluid, T) * 1000;
}

void WriteFluidToStream(TStream& S, TFluid Fluid) { S.WriteEnum(Fluid); }

TFluid ReadFluidFromStream(TStream& S) { return S.ReadEnum<TFluid>(FluidMaxOrdinal, "Wärmeträger"); }
