// The number text of the mesh files: the generator's own formatter must give
// exactly the text of std::to_chars (shortest round trip), which the files have
// always held, for every double.

#include "tools/triangle/NumberText.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>

namespace {

std::string reference(double v)
{
    char buffer[64];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, v).ptr);
}

struct Case {
    const char* what;
    double value;
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.what;
}

class NumberText : public ::testing::TestWithParam<Case>
{
};

TEST_P(NumberText, MatchesTheShortestRoundTripText)
{
    const double v = GetParam().value;
    EXPECT_EQ(tri::formatDouble(v), reference(v));
    EXPECT_EQ(tri::formatDouble(-v), reference(-v));
}

constexpr double kMax = std::numeric_limits<double>::max();
constexpr double kTiny = std::numeric_limits<double>::denorm_min();
constexpr double kMinNormal = std::numeric_limits<double>::min();
constexpr double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Values, NumberText,
    ::testing::Values(Case{"zero", 0.0}, Case{"one", 1.0}, Case{"seven", 7.0}, Case{"ten", 10.0},
                      Case{"hundred", 100.0}, Case{"thousand", 1000.0},
                      Case{"three_trailing_zeros", 12345000.0}, Case{"four_trailing_zeros", 12340000.0},
                      Case{"ten_thousand", 10000.0}, Case{"hundred_thousand", 100000.0},
                      Case{"ten_million", 1e7}, Case{"below_1e15", 999999999999999.0}, Case{"1e15", 1e15},
                      Case{"1e15_plus_one", 1e15 + 1}, Case{"two_to_53", 9007199254740992.0},
                      Case{"above_two_to_53", 9007199254740994.0}, Case{"1e16", 1e16}, Case{"1e21", 1e21},
                      Case{"1e22", 1e22}, Case{"1e23", 1e23}, Case{"whole_and_a_half", 2.5},
                      Case{"map_easting", 3512345.25}, Case{"map_northing", 5401234.75}, Case{"tenth", 0.1},
                      Case{"third", 1.0 / 3.0}, Case{"two_thirds", 2.0 / 3.0},
                      Case{"sum_needing_17_digits", 0.1 + 0.2}, Case{"15_digits", 199.498036768086},
                      Case{"16_digits", 199.4980367680862}, Case{"17_digits", 1.0000000000000002},
                      Case{"small", 1e-7}, Case{"smaller", 1.5e-300}, Case{"smallest_normal", kMinNormal},
                      Case{"smallest_subnormal", kTiny}, Case{"largest", kMax}, Case{"infinity", kInf},
                      Case{"nearly_whole", 4.999999999999999}, Case{"just_above_whole", 5.000000000000001}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.what); });

TEST(NumberTextSweep, WholeNumbersNearPowersOfTenMatch)
{
    for (double p = 1.0; p <= 1e17; p *= 10.0)
        for (double d = -3.0; d <= 3.0; d += 1.0)
            for (const double v : {p + d, -(p + d), 2 * p + d, 5 * p + d, 9.5 * p + d}) {
                ASSERT_EQ(tri::formatDouble(v), reference(v)) << v;
            }
}

// Random bit patterns cover every exponent; random whole numbers the fast path.
TEST(NumberTextSweep, RandomDoublesMatchAndReadBack)
{
    std::mt19937_64 random(20240611);
    for (int i = 0; i < 200000; ++i) {
        const std::uint64_t bits = random();
        const double any = std::bit_cast<double>(bits);
        const double whole =
            static_cast<double>(static_cast<std::int64_t>(bits >> (bits % 40 + 14)) - (1LL << 40));
        for (const double v : {any, whole, whole * 1e-3}) {
            if (std::isnan(v)) continue;
            const std::string text = tri::formatDouble(v);
            ASSERT_EQ(text, reference(v)) << "bits " << std::bit_cast<std::uint64_t>(v);
            double back = 0.0;
            ASSERT_TRUE(tri::parseDouble(text, back)) << text;
            ASSERT_EQ(std::bit_cast<std::uint64_t>(back), std::bit_cast<std::uint64_t>(v)) << text;
        }
    }
}

} // namespace
