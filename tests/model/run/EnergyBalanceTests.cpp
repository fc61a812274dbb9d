// Without surface transfer and geothermal flux the field's heat content can
// only change by the probe loads: its change over a run must equal the
// geothermal energy the loop counted, for every load kind and multiplier.

#include "RunFixture.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace runtest;

namespace {

// Every hour another power, kW.
void AddHourlySeries(TRunFixture& F, int Hours)
{
    TLoadObj* p = F.AddProfile(ltFile);
    const TDateTime start = F.Loop.TimeEngine().RealStartTime();
    const double powers[] = {2, 9, 4, 15, -3, 7, 11};
    for (int h = 0; h <= Hours; ++h) p->AddPoint(start + h / 24.0, powers[h % 7]);
    p->Resort();
}

// 5 kW in January, 9 kW in February.
void AddMonths(TRunFixture& F)
{
    TLoadObj* p = F.AddProfile(ltMonthProfile);
    for (int m = 1; m <= 12; ++m) {
        p->MonthEntry(m)->SetCoolingLoad(0);
        p->MonthEntry(m)->SetHeatLoad(m == 1 ? 5 * 24 * 31 : m == 2 ? 9 * 24 * 28 : 0);
    }
}

void SecondProfileOnLastProbes(TRunFixture& F)
{
    F.Probe(2)->SetLoadProfilIndex(1);
    F.Probe(3)->SetLoadProfilIndex(1);
}

}  // namespace

TEST(EnergyBalance, HeatContentChangeEqualsCountedEnergy)
{
    struct TCase {
        const char* Name;
        int Multiplier;
        std::function<void(TRunFixture&)> Setup;
    };
    const int hours = 72;
    const TCase cases[] = {
        {"constant", 1, [](TRunFixture& f) { f.AddConstant(12); }},
        {"constant, multiplier 3", 3, [](TRunFixture& f) { f.AddConstant(12); }},
        {"constant ending inside the run", 3,
         [](TRunFixture& f) {
             TLoadObj* p = f.AddConstant(12);
             p->SetUseEndDate(true);
             p->SetEndDate(EncodeDateTime(2021, 1, 31, 12, 0, 0, 0));
         }},
        {"time series", 1, [&](TRunFixture& f) { AddHourlySeries(f, hours); }},
        {"time series, multiplier 3", 3, [&](TRunFixture& f) { AddHourlySeries(f, hours); }},
        {"month profile", 1, [](TRunFixture& f) { AddMonths(f); }},
        {"month profile, multiplier 3", 3, [](TRunFixture& f) { AddMonths(f); }},
        {"year profile heating", 1, [](TRunFixture& f) { f.AddYearProfile(150); }},
        {"year profile heating, multiplier 3", 3, [](TRunFixture& f) { f.AddYearProfile(150); }},
        {"year profile cooling, multiplier 3", 3, [](TRunFixture& f) { f.AddYearProfile(-120); }},
        {"year profile beside a constant one", 3,
         [](TRunFixture& f) {
             f.AddYearProfile(150);
             f.AddConstant(6);
             SecondProfileOnLastProbes(f);
         }},
        {"two year profiles", 3,
         [](TRunFixture& f) {
             f.AddYearProfile(150);
             f.AddYearProfile(-80);
             SecondProfileOnLastProbes(f);
         }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TRunFixture f;
        f.SetTimes(EncodeDate(2021, 1, 30), 3600, hours * 3600.0, c.Multiplier);
        c.Setup(f);
        f.InitRun();
        const double h0 = f.Model->Quantity();
        f.Loop.Run();
        ASSERT_EQ(f.Loop.TimeEngine().NumTimeStep(), hours);
        const double counted = f.Loop.GeothermalEnergy().Balance();
        const double gained = (f.Model->Quantity() - h0) / 3.6e6;
        EXPECT_GT(std::abs(counted), 10);
        EXPECT_NEAR(gained, counted, 1e-9 * std::abs(counted));
        EXPECT_DOUBLE_EQ(f.Loop.InitialQuantity(), h0);
    }
}
