#include "TestLocale.h"
#include "model/probes/ThermUtil.h"

#include "model/base/Stream.h"

#include <QLocale>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace {

// The least-squares polynomial of a degree through a table, evaluated by
// Forsythe's orthogonal polynomials on the table's points in long double: a
// way of fitting that shares nothing with the program's.
class TOrthogonalFit {
public:
    TOrthogonalFit(const std::vector<double>& X, const std::vector<double>& Y, int Degree)
    {
        const size_t n = X.size();
        std::vector<long double> prev(n, 0), cur(n, 1), residual(Y.begin(), Y.end());
        long double prevNorm = 1;
        for (int k = 0; k <= Degree; ++k) {
            long double norm = 0, xp = 0, proj = 0;
            for (size_t i = 0; i < n; ++i) {
                norm += cur[i] * cur[i];
                xp += X[i] * cur[i] * cur[i];
                proj += residual[i] * cur[i];
            }
            FCoef.push_back(proj / norm);
            for (size_t i = 0; i < n; ++i) residual[i] -= FCoef.back() * cur[i];
            FAlpha.push_back(xp / norm);
            FBeta.push_back(k == 0 ? 0 : norm / prevNorm);
            std::vector<long double> next(n);
            for (size_t i = 0; i < n; ++i) next[i] = (X[i] - FAlpha[k]) * cur[i] - FBeta[k] * prev[i];
            prev = std::move(cur);
            cur = std::move(next);
            prevNorm = norm;
        }
    }
    double operator()(double X) const
    {
        long double prev = 0, cur = 1, sum = 0;
        for (size_t k = 0; k < FCoef.size(); ++k) {
            sum += FCoef[k] * cur;
            const long double next = (X - FAlpha[k]) * cur - FBeta[k] * prev;
            prev = cur;
            cur = next;
        }
        return static_cast<double>(sum);
    }

private:
    std::vector<long double> FCoef, FAlpha, FBeta;
};

std::vector<double> Steps(double From, int Count)
{
    std::vector<double> v;
    for (int i = 0; i < Count; ++i) v.push_back(From + 10.0 * i);
    return v;
}

}  // namespace

TEST(Fluids, FitsAreTheLeastSquaresPolynomialsOfTheirTablesAndDegrees)
{
    struct Case {
        const char* What;
        std::function<double(double)> Fitted;  // the program's fit, in the table's unit
        std::vector<double> T, Values;
        int Degree;
    } cases[] = {
        {"density PG25", [](double T) { return FluidDensity(flPE25, T) / 1000; }, Steps(-10, 12),
         {1.034, 1.033, 1.030, 1.026, 1.021, 1.016, 1.010, 1.003, 0.996, 0.989, 0.981, 0.974}, 4},
        {"density PG33", [](double T) { return FluidDensity(flPE33, T) / 1000; }, Steps(-10, 12),
         {1.044, 1.042, 1.038, 1.034, 1.028, 1.022, 1.016, 1.009, 1.002, 0.995, 0.987, 0.979}, 4},
        {"density EG25", [](double T) { return FluidDensity(flEE25, T) / 1000; }, Steps(-10, 12),
         {1.051, 1.050, 1.047, 1.044, 1.040, 1.035, 1.030, 1.024, 1.019, 1.012, 1.006, 1.000}, 4},
        {"density EG33", [](double T) { return FluidDensity(flEE33, T) / 1000; }, Steps(-10, 12),
         {1.067, 1.065, 1.061, 1.057, 1.053, 1.048, 1.042, 1.036, 1.030, 1.024, 1.018, 1.011}, 4},
        {"heat capacity of water", [](double T) { return WaterHeatCapacity(T); }, Steps(0, 11),
         {4.218, 4.192, 4.182, 4.179, 4.179, 4.181, 4.184, 4.190, 4.196, 4.205, 4.216}, 7},
    };
    // Far below what a fit of another degree is off (checked below), far above rounding.
    const double tolerance = 1e-9;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        const TOrthogonalFit expected(c.T, c.Values, c.Degree);
        const TOrthogonalFit lower(c.T, c.Values, c.Degree - 1), higher(c.T, c.Values, c.Degree + 1);
        double lowerOff = 0, higherOff = 0;
        for (double t = c.T.front(); t <= c.T.back(); t += 2.5) {
            EXPECT_NEAR(c.Fitted(t), expected(t), tolerance) << t << " °C";
            lowerOff = std::max(lowerOff, std::abs(lower(t) - expected(t)));
            higherOff = std::max(higherOff, std::abs(higher(t) - expected(t)));
        }
        EXPECT_GT(lowerOff, 1000 * tolerance);
        EXPECT_GT(higherOff, 1000 * tolerance);
    }
}

TEST(Fluids, NamesTokensAndLookup)
{
    struct Case {
        TFluid Fluid;
        const char* Name;
        const char* Token;
    } cases[] = {
        {flWasser, "Wasser", "Water"},         {flPE25, "Propylenglykol 25 %", "PG25"},
        {flPE33, "Propylenglykol 33 %", "PG33"}, {flEE25, "Ethylenglykol 25 %", "EG25"},
        {flEE33, "Ethylenglykol 33 %", "EG33"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FluidName(c.Fluid), QString::fromUtf8(c.Name));
        EXPECT_EQ(FluidXMLName(c.Fluid), QString::fromUtf8(c.Token));
        EXPECT_EQ(FluidFromName(QString::fromUtf8(c.Token)), c.Fluid);
    }
    for (const char* bad : {"water", "PG 33", "", "Wasser"}) {
        try {
            FluidFromName(QString::fromUtf8(bad));
            ADD_FAILURE() << bad;
        } catch (const EKPError& e) {
            EXPECT_EQ(e.Message(), QStringLiteral("Unkown Fluid"));
        }
    }
}

TEST(Fluids, DensityAndHeatCapacityAtKnownTemperatures)
{
    struct Case {
        TFluid Fluid;
        double T;
        double Density;     // kg/m³
        double DensityTol;
        double HeatCapacity;  // kJ/(kg K)
        double HeatCapacityTol;
    } cases[] = {
        {flWasser, 0, 999.840, 0.002, 4.218, 0.002},
        {flWasser, 10, 999.700, 0.002, 4.192, 0.002},
        {flWasser, 20, 998.204, 0.002, 4.182, 0.002},
        {flWasser, 100, 958.35, 0.05, 4.216, 0.002},
        {flPE25, 20, 1026.1, 0.3, 0.0015 * 20 + 3.9321, 1e-12},
        {flPE33, 20, 1033.6, 0.3, 0.0022 * 20 + 3.7984, 1e-12},
        {flEE25, 20, 1044.0, 0.3, 0.0017 * 20 + 3.7862, 1e-12},
        {flEE33, 20, 1057.3, 0.3, 0.0022 * 20 + 3.6202, 1e-12},
        {flPE25, -10, 1034.0, 0.5, 0.0015 * -10 + 3.9321, 1e-12},
        {flEE33, 100, 1011.0, 0.5, 0.0022 * 100 + 3.6202, 1e-12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << FluidXMLName(c.Fluid).toStdString() << " at " << c.T);
        EXPECT_NEAR(FluidDensity(c.Fluid, c.T), c.Density, c.DensityTol);
        EXPECT_NEAR(FluidHeatCapacity(c.Fluid, c.T), c.HeatCapacity, c.HeatCapacityTol);
        EXPECT_DOUBLE_EQ(VolumetricHeatCapacity(c.Fluid, c.T),
                         FluidDensity(c.Fluid, c.T) * FluidHeatCapacity(c.Fluid, c.T) * 1000);
    }
}

TEST(Fluids, WaterHeatCapacityFitFollowsItsTable)
{
    // The degree-7 fit through eleven points stays within a few thousandths of
    // every tabulated value; a badly conditioned fit would not.
    const double table[] = {4.218, 4.192, 4.182, 4.179, 4.179, 4.181, 4.184, 4.190, 4.196, 4.205, 4.216};
    for (int i = 0; i <= 10; ++i) EXPECT_NEAR(WaterHeatCapacity(10.0 * i), table[i], 0.002) << 10 * i;
    FitGlycolDensities();  // a second call changes nothing
    EXPECT_NEAR(WaterHeatCapacity(0), 4.218, 0.002);
}

TEST(Fluids, VolumetricHeatCapacityClampsColdWater)
{
    EXPECT_EQ(VolumetricHeatCapacity(flWasser, -5), VolumetricHeatCapacity(flWasser, 0));
    EXPECT_NEAR(VolumetricHeatCapacity(flWasser, 0), 4.2173e6, 0.002e6);
    EXPECT_NO_THROW(VolumetricHeatCapacity(flPE25, -10));
    EXPECT_NO_THROW(VolumetricHeatCapacity(flEE33, 100));
}

TEST(Fluids, RangeErrorsNameTheTemperature)
{
    TLocaleScope german(QLocale(QLocale::German));
    struct Case {
        std::function<double()> Call;
        const char* Message;
    } cases[] = {
        {[] { return VolumetricHeatCapacity(flWasser, 101); },
         "The temperature [°C] must be in range 0 and 100 to determine volumetric heat capacity: 101 °C"},
        {[] { return VolumetricHeatCapacity(flPE25, -10.5); },
         "The temperature [°C] must be in range -10 and 100 to determine volumetric heat capacity: -10,5 °C"},
        {[] { return VolumetricHeatCapacity(flEE25, 100.25); },
         "The temperature [°C] must be in range -10 and 100 to determine volumetric heat capacity: 100,25 °C"},
        // a temperature that is not a number is out of range for every fluid
        {[] { return VolumetricHeatCapacity(flWasser, std::nan("")); },
         "The temperature [°C] must be in range 0 and 100 to determine volumetric heat capacity: NAN °C"},
        {[] { return VolumetricHeatCapacity(flPE33, std::nan("")); },
         "The temperature [°C] must be in range -10 and 100 to determine volumetric heat capacity: NAN °C"},
        {[] { return WaterDensity(-1); },
         "The temperature [°C] must be in range 0 and 100 to determine density of liquid water: -1 °C"},
        {[] { return WaterDensity(100.5); },
         "The temperature [°C] must be in range 0 and 100 to determine density of liquid water: 100,5 °C"},
        {[] { return WaterHeatCapacity(-0.5); },
         "The temperature [°C] must be in range 0 and 100 to determine heat capacity of liquid water: -0,5 °C"},
        {[] { return FluidDensity(static_cast<TFluid>(5), 20); }, "Unkown fluid is used to calculate fluid density"},
        {[] { return FluidHeatCapacity(static_cast<TFluid>(7), 20); },
         "Unkown fluid is used to calculate heat capacity"},
    };
    for (const Case& c : cases) {
        try {
            c.Call();
            ADD_FAILURE() << c.Message;
        } catch (const EFluidError& e) {
            EXPECT_EQ(e.Message(), QString::fromUtf8(c.Message));
        }
    }
}

TEST(Fluids, StoredAsOneCheckedByte)
{
    TMemoryStream s;
    for (int i = 0; i <= FluidMaxOrdinal; ++i) WriteFluidToStream(s, static_cast<TFluid>(i));
    EXPECT_EQ(s.Data(), QByteArray("\x00\x01\x02\x03\x04", 5));
    TMemoryStream in(s.Data());
    for (int i = 0; i <= FluidMaxOrdinal; ++i) EXPECT_EQ(ReadFluidFromStream(in), static_cast<TFluid>(i));
    for (char bad : {'\x05', '\xFF'}) {
        TMemoryStream b(QByteArray(1, bad));
        EXPECT_THROW(ReadFluidFromStream(b), EReadError);
    }
}
