#include "model/base/KPError.h"
#include "model/base/Stream.h"
#include "model/probes/BHEDialogs.h"
#include "model/probes/BHEObj.h"

#include <QLocale>
#include <gtest/gtest.h>
#include <cmath>
#include <limits>
#include <map>
#include <utility>

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

TBHE Probe(double L, double RB)
{
    TBHE p;
    p.SetName(QStringLiteral("S 1"));
    p.SetCasingLength(L);
    p.SetRB(RB);
    p.SetFillConduc(2);
    return p;
}

struct TGrid : TBHEDebugGrid {
    int Cols = 0, Rows = 0, Clears = 0, Extra = -1;
    std::map<std::pair<int, int>, QString> Cells;
    void Clear() override { ++Clears, Cells.clear(); }
    void SetSize(int C, int R) override { Cols = C, Rows = R; }
    void SetCell(int C, int R, const QString& T) override { Cells[{C, R}] = T; }
    void AutoSizeColumns(int E) override { Extra = E; }
    QString At(int C, int R) const
    {
        auto it = Cells.find({C, R});
        return it == Cells.end() ? QString() : it->second;
    }
};

}  // namespace

TEST(ExponentialModel, KnownCasesAndLimits)
{
    struct Case {
        const char* What;
        double Tin, Tw, L, RB, C, V;
        double Tout, Power;
    } cases[] = {
        {"analytic", 10, 12, 100, 0.1, 4e6, 5e-4, 12 - 2 * std::exp(-M_PI), 2000 * 2 * (1 - std::exp(-M_PI))},
        {"no flow", 10, 12, 100, 0.1, 4e6, 0, 12, 0},
        {"RB zero", 10, 12, 100, 0, 4e6, 5e-4, 12, 2000 * 2},
        {"extraction", 4, 1, 150, 0.08, 4e6, 1e-3, 1 + 3 * std::exp(-(2 * M_PI * 150 / 0.08 / 4e6 / 1e-3)),
         4e3 * (-3) * (1 - std::exp(-(2 * M_PI * 150 / 0.08 / 4e6 / 1e-3)))},
    };
    for (const Case& c : cases) {
        double q = NaN;
        const double tout = Probe(c.L, c.RB).TemperatureOutAnalytic(c.Tin, c.Tw, c.V, c.C, q);
        EXPECT_NEAR(tout, c.Tout, 1e-12) << c.What;
        EXPECT_NEAR(q, c.Power, 1e-8) << c.What;
    }
    double q;
    EXPECT_NEAR(Probe(100, 0.1).TemperatureOutAnalytic(10, 12, 5e-4, 4e6, q), 11.913572, 5e-7);
    EXPECT_NEAR(q, 3827.14, 5e-3);
    EXPECT_TRUE(std::isnan(Probe(100, 0.1).TemperatureOutAnalytic(NaN, 12, 5e-4, 4e6, q)));
    EXPECT_TRUE(std::isnan(q));
}

TEST(OutletModels, EnergyBalanceAndBounds)
{
    struct Case {
        double Tin, Tw, V;
    } cases[] = {{10, 12, 5e-4}, {4, -1, 2e-4}, {0, 15, 1e-3}, {20, 8, 3e-4}};
    for (const Case& c : cases) {
        TBHE p = Probe(120, 0.09);
        p.SetS10A(0.05), p.SetS10B(0.4), p.SetS20A(0.05), p.SetS20B(0.4);
        const double C = 4.1e6;
        double q, tin;
        const double ta = p.TemperatureOutAnalytic(c.Tin, c.Tw, c.V, C, q);
        EXPECT_DOUBLE_EQ(q, C * c.V * (ta - c.Tin));
        EXPECT_TRUE((ta - c.Tin) * (c.Tw - ta) >= 0) << ta;
        const double ts = p.TemperatureOut(c.Tin, c.Tw, c.V, C, 0, q, tin);
        EXPECT_DOUBLE_EQ(q, C * c.V * (ts - c.Tin));
        EXPECT_TRUE((ts - c.Tin) * (c.Tw - ts) >= 0) << ts;
        EXPECT_LT(std::fabs(tin - c.Tin), 0.05);
    }
}

TEST(SegmentModel, SegmentCountFollowsTheRoundedLength)
{
    struct Case {
        double L;
        int SegmentCount;
        int Expected;
    } cases[] = {{99.6, 0, 100}, {100.5, 0, 100}, {101.5, -3, 102}, {100, 7, 7}};
    for (const Case& c : cases) {
        TGrid g;
        double q, tin;
        Probe(c.L, 0.1).TemperatureOut(10, 12, 5e-4, 4e6, c.SegmentCount, q, tin, &g);
        EXPECT_EQ(g.Cols, 6);
        EXPECT_EQ(g.Rows, c.Expected + 2) << c.L;
        EXPECT_EQ(g.At(0, c.Expected), QString::number(c.Expected));
        EXPECT_EQ(g.At(0, c.Expected + 1), QStringLiteral("top"));
    }
}

TEST(SegmentModel, WithoutExchangeTheBottomApproachesTheInlet)
{
    const QLocale old;
    QLocale::setDefault(QLocale::c());
    TGrid g;
    double q, tin;
    const double tout = Probe(100, 0.1).TemperatureOut(10, 12, 5e-4, 4e6, 0, q, tin, &g);
    const double expected = 10 + std::pow(2.0 / 3.0, 8);  // the ninth pass stops
    EXPECT_NEAR(tout, expected, 1e-12);
    EXPECT_NEAR(tin, expected, 1e-12);
    EXPECT_NEAR(q, 2000 * (expected - 10), 1e-9);
    EXPECT_EQ(g.Clears, 1);
    EXPECT_EQ(g.At(1, 0), QString::fromUtf8("T Vorlauf [°C]"));
    EXPECT_EQ(g.At(2, 0), QString::fromUtf8("T Rücklauf [°C]"));
    EXPECT_EQ(g.At(3, 0), QStringLiteral("Q Vorlauf [W]"));
    EXPECT_EQ(g.At(4, 0), QString::fromUtf8("Q Rücklauf [W]"));
    EXPECT_EQ(g.At(5, 0), QStringLiteral("Theta"));
    EXPECT_EQ(g.At(1, 1), QStringLiteral("10.039"));
    EXPECT_EQ(g.At(3, 50), QStringLiteral("0.000"));
    EXPECT_EQ(g.At(5, 100), QStringLiteral("1.000"));
    EXPECT_EQ(g.At(2, 101), QStringLiteral("10.039"));
    EXPECT_EQ(g.Extra, 4);
    QLocale::setDefault(old);
}

TEST(SegmentModel, InletAtWallTemperatureTerminates)
{
    TBHE p = Probe(100, 0.1);
    p.SetS10A(0.3), p.SetS10B(0.2), p.SetS20A(0.3), p.SetS20B(0.2);
    double q = NaN, tin = NaN;
    EXPECT_EQ(p.TemperatureOut(12, 12, 5e-4, 4e6, 0, q, tin), 12);
    EXPECT_EQ(q, 0);
    EXPECT_EQ(tin, 12);
}

TEST(SegmentModel, NonConvergingSetsRaise)
{
    struct Case {
        const char* What;
        double S10A, S10B, Tw, Fill;
        const char* Passes;
    } cases[] = {
        // The downward leg jumps to the wall temperature in the first segment
        // whatever the bottom temperature: the error stays finite and constant.
        {"stalled", 0, -1000, 12, 2, "nach 1000 Durchläufen"},
        {"overflowing", 0, 1e6, 12, 2, "Durchläufen"},
        {"wall NaN", 0, 0, NaN, 2, "nach 1 Durchläufen"},
    };
    for (const Case& c : cases) {
        TBHE p = Probe(100, 0.1);
        p.SetS10A(c.S10A), p.SetS10B(c.S10B), p.SetFillConduc(c.Fill);
        double q, tin;
        try {
            p.TemperatureOut(10, c.Tw, 5e-4, 4e6, 0, q, tin);
            ADD_FAILURE() << c.What;
        } catch (const EKPError& e) {
            EXPECT_TRUE(e.Message().contains(QStringLiteral("konvergiert nicht"))) << c.What;
            EXPECT_TRUE(e.Message().contains(QStringLiteral("\"S 1\""))) << c.What;
            EXPECT_TRUE(e.Message().contains(QString::fromUtf8(c.Passes))) << c.What << e.what();
        }
    }
}

TEST(SegmentModel, InputsItCannotUseAreNamed)
{
    QLocale::setDefault(QLocale(QLocale::German));
    struct Case {
        const char* What;
        double Length, Fill;
        const char* Message;
    } cases[] = {
        {"0.3 m: no segment", 0.3, 2,
         "Die Sonde \"S 1\" ist mit 0,3 m zu kurz für das Segmentmodell: es braucht mindestens einen Abschnitt "
         "(Länge ab 0,5 m)."},
        {"0.5 m rounds to no segment", 0.5, 2,
         "Die Sonde \"S 1\" ist mit 0,5 m zu kurz für das Segmentmodell: es braucht mindestens einen Abschnitt "
         "(Länge ab 0,5 m)."},
        {"filling not set", 100, NaN, "Für die Sonde \"S 1\" ist keine Wärmeleitfähigkeit der Verfüllung angegeben."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        TBHE p = Probe(c.Length, 0.1);
        p.SetS10A(0.1), p.SetS10B(0.1), p.SetFillConduc(c.Fill);
        double q = 0, tin = 0;
        try {
            p.TemperatureOut(10, 12, 5e-4, 4e6, 0, q, tin);
            ADD_FAILURE() << "no error";
        } catch (const EKPError& e) {
            EXPECT_EQ(e.Message(), QString::fromUtf8(c.Message));
        }
    }
    QLocale::setDefault(QLocale::c());
}

TEST(BHEDataWrapper, DailyExtremesAndModels)
{
    TBHE p = Probe(100, 0.1);
    TBHEDataWrapper w(&p);
    EXPECT_EQ(w.DailyEnergyCounter(), 0);
    EXPECT_EQ(w.DailyMinTemp(), std::numeric_limits<double>::infinity());
    EXPECT_EQ(w.DailyMaxTemp(), -std::numeric_limits<double>::infinity());
    w.SetTempIn(5), w.SetFlux(0), w.SetRhoCP(4e6);
    for (double wall : {8.0, 6.0}) {
        w.SetTempWall(wall);
        EXPECT_EQ(w.CalculateTemperatureOut(true), wall);
        EXPECT_EQ(w.Power(), 0);
    }
    EXPECT_EQ(w.DailyMinTemp(), 6);
    EXPECT_EQ(w.DailyMaxTemp(), 8);

    w.SetTempIn(10), w.SetTempWall(12), w.SetFlux(5e-4);
    EXPECT_NEAR(w.CalculateTemperatureOut(true), 11.913572, 5e-7);
    EXPECT_NEAR(w.Power(), 3827.14, 5e-3);
    const double ts = w.CalculateTemperatureOut(false);
    EXPECT_NEAR(ts, 10 + std::pow(2.0 / 3.0, 8), 1e-12);
    EXPECT_EQ(w.ModelTempIn(), ts);
    EXPECT_NEAR(w.DailyMaxTemp(), 11.913572, 5e-7);
    EXPECT_EQ(w.DailyMinTemp(), 6);
}

TEST(BHEDataWrapper, RecordIsTheNodeIndexAlone)
{
    TBHE p;
    TBHEDataWrapper w(&p);
    w.SetNodeIndex(-1);
    w.SetTempIn(3);
    TMemoryStream s;
    w.Write(s);
    EXPECT_EQ(s.Data(), QByteArray("\xFF\xFF\xFF\xFF", 4));
    TBHEDataWrapper r(Blank);
    TMemoryStream in(s.Data());
    r.Read(in);
    EXPECT_EQ(r.NodeIndex(), -1);
    EXPECT_EQ(r.BHE(), nullptr);
    EXPECT_THROW(r.CalculateTemperatureOut(true), EKPError);
}
