#include "TestLocale.h"
#include "model/probes/ThermUtil.h"

#include "model/base/Stream.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {

}  // namespace

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
