#include "Extensions/FloatExtensions.h"
#include "Extensions/IntegerExtensions.h"
#include "Extensions/NumberDescriptions.h"
#include "Platform/Foundation/Formatters.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();

// The number texts follow the current locale; pin one for the duration of a test.
class NumberTexts : public ::testing::Test {
  protected:
    void SetUp() override {
        saved_ = foundation::defaultLocale();
        foundation::setDefaultLocale("en_US");
    }
    void TearDown() override { foundation::setDefaultLocale(saved_); }

  private:
    std::string saved_;
};

}  // namespace

TEST(IntegerExtensions, ShortTextsAtTheirBoundaries) {
    struct Case {
        std::int64_t n;
        const char* k;
        const char* shortScale;
    };
    const Case cases[] = {
        {0, "0k", "0K"},
        {1, "0k", "1"},
        {-7, "0k", "-7"},
        {999, "0k", "999"},
        {-999, "0k", "-999"},
        {1000, "1k", "1K"},
        {1500, "1k", "1K"},
        {-1500, "-1k", "-1K"},
        {-2500, "-2k", "-2K"},
        {999'999, "999k", "999K"},
        {1'000'000, "1kk", "1M"},
        {-1'000'000, "-1kk", "-1M"},
        {3'400'000, "3kk", "3M"},
        {999'999'999, "999kk", "999M"},
        {3'000'000'000, "3000kk", "3B"},
        {2'000'000'000'000, "2000000kk", "2000B"},
        {kMin, "-9223372036854kk", "-9223372036B"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n);
        EXPECT_EQ(num::kFormatted(c.n), c.k);
        EXPECT_EQ(num::shortScaleText(c.n), c.shortScale);
    }
}

TEST(IntegerExtensions, DurationTextOfSignedAndUnsignedSeconds) {
    struct Case {
        std::int64_t seconds;
        const char* text;
    };
    const Case cases[] = {
        {-5, "0 sec"}, {0, "0 sec"}, {1, "1 sec"},    {59, "59 sec"},  {60, "1 min"},  {3599, "59 min"},
        {3600, "1h"},  {3659, "1h"}, {3660, "1h 1m"}, {7325, "2h 2m"}, {90000, "25h"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.seconds);
        EXPECT_EQ(num::durationText(c.seconds), c.text);
        EXPECT_EQ(num::durationText(static_cast<int>(c.seconds)), c.text);
        if (c.seconds >= 0) {
            EXPECT_EQ(num::durationText(static_cast<unsigned>(c.seconds)), c.text);
        }
    }
    EXPECT_EQ(num::durationText(std::numeric_limits<std::uint64_t>::max()), "2562047788015215h 30m");
}

TEST(IntegerExtensions, DigitsPrimesAndNumerals) {
    struct Case {
        std::int64_t n;
        std::vector<std::int64_t> digits;
        bool prime;
        std::optional<std::string> roman;
    };
    const Case cases[] = {
        {0, {0}, false, std::nullopt},
        {1, {1}, false, "I"},
        {2, {2}, true, "II"},
        {3, {3}, true, "III"},
        {4, {4}, false, "IV"},
        {5, {5}, true, "V"},
        {9, {9}, false, "IX"},
        {-7, {7}, false, std::nullopt},
        {25, {2, 5}, false, "XXV"},
        {49, {4, 9}, false, "XLIX"},
        {97, {9, 7}, true, "XCVII"},
        {-120, {1, 2, 0}, false, std::nullopt},
        {1994, {1, 9, 9, 4}, false, "MCMXCIV"},
        {4000, {4, 0, 0, 0}, false, "MMMM"},
        {100'140'049, {1, 0, 0, 1, 4, 0, 0, 4, 9}, false, std::nullopt},  // 10007 squared
        {2'147'483'647, {2, 1, 4, 7, 4, 8, 3, 6, 4, 7}, true, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n);
        EXPECT_EQ(num::digits(c.n), c.digits);
        EXPECT_EQ(num::digitsCount(c.n), static_cast<int>(c.digits.size()));
        EXPECT_EQ(num::isPrime(c.n), c.prime);
        if (c.n <= 4000) {
            EXPECT_EQ(num::romanNumeral(c.n), c.roman);
        }
    }
    EXPECT_EQ(num::digitsCount(999'999'999'999'999), 15);
    EXPECT_EQ(num::digitsCount(kMin), 19);
    EXPECT_EQ(num::digits(kMin).front(), 9);
    EXPECT_EQ(num::romanNumeral(kMax), std::nullopt) << "a numeral of 9 * 10^15 letters is no text";
}

TEST(IntegerExtensions, ArithmeticStaysDefinedAtTheLimits) {
    struct Round {
        std::int64_t value, n, expected;
    };
    const Round rounds[] = {
        {14, 5, 15},
        {12, 5, 10},
        {15, 10, 20},
        {-15, 10, -20},
        {7, 0, 7},
        {-14, -5, -15},
        {kMax, 10, kMax - 7},
        {kMin, 10, kMin + 8},
        {kMax, 1, kMax},
        {kMax - 1, 2, kMax - 1},
        {9'007'199'254'740'993, 2, 9'007'199'254'740'994},
    };
    for (const Round& r : rounds) {
        SCOPED_TRACE(std::to_string(r.value) + " to " + std::to_string(r.n));
        EXPECT_EQ(num::roundToNearest(r.value, r.n), r.expected);
    }

    struct Change {
        std::int64_t a, b;
        std::optional<std::int64_t> percent;
    };
    const Change changes[] = {
        {100, 80, 0},         {100, -100, 200},        {100, 0, 100},
        {0, 5, std::nullopt}, {1, kMin, std::nullopt}, {-1, kMax, std::nullopt},
        {-1, 0, 100},
    };
    for (const Change& c : changes) {
        SCOPED_TRACE(std::to_string(c.a) + ", " + std::to_string(c.b));
        EXPECT_EQ(num::percentageChange(c.a, c.b), c.percent);
    }

    struct Divisors {
        std::int64_t a, n, gcd;
        std::optional<std::int64_t> lcm;
    };
    const Divisors divisors[] = {
        {12, 18, 6, 36},
        {18, 12, 6, 36},
        {7, 0, 7, 0},
        {0, 0, 0, 0},
        {4, -6, -2, 12},
        {-4, 6, 2, 12},
        {kMin, -1, -1, std::nullopt},
        {kMax, kMax - 1, 1, std::nullopt},
        {1'000'000'007, 3, 1, 3'000'000'021},
    };
    for (const Divisors& d : divisors) {
        SCOPED_TRACE(std::to_string(d.a) + ", " + std::to_string(d.n));
        EXPECT_EQ(num::gcd(d.a, d.n), d.gcd);
        EXPECT_EQ(num::lcm(d.a, d.n), d.lcm);
    }
    EXPECT_EQ(num::lcm<std::uint8_t>(16, 17), std::nullopt);
    EXPECT_EQ(num::lcm<std::uint8_t>(12, 18), std::uint8_t{36});

    EXPECT_EQ(num::plusMinus(kMin).second, kMax);
    EXPECT_EQ(num::uInt(-3), 0u);
    EXPECT_EQ(num::int_(1e300), kMax);
    EXPECT_EQ(num::int_(-1e300), kMin);
    EXPECT_EQ(num::int_(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(num::int_(-2.9), -2);
    EXPECT_EQ(num::int_(2.9f), 2);
    EXPECT_TRUE(num::isOdd(-3) && num::isEven(-4) && !num::isNegative(0u) && num::isPositive(0.5));
}

TEST(IntegerExtensions, RandomStaysWithinEitherOrderOfBounds) {
    std::set<std::int64_t> seen;
    for (int i = 0; i < 400; ++i) {
        const std::int64_t a = num::random(3, 6), b = num::random(6, 3);
        EXPECT_TRUE(a >= 3 && a <= 6) << a;
        EXPECT_TRUE(b >= 3 && b <= 6) << b;
        seen.insert(a);
        const std::int64_t wide = num::random(kMin, kMax);
        (void)wide;
        const std::int64_t big = num::random(-5'000'000'000, -4'999'999'998);
        EXPECT_TRUE(big >= -5'000'000'000 && big <= -4'999'999'998) << big;
    }
    EXPECT_EQ(seen, (std::set<std::int64_t>{3, 4, 5, 6})) << "every value of the range is drawn";
    EXPECT_EQ(num::random(9, 9), 9);
}

TEST(FloatExtensions, RoundingToPlacesAndAngles) {
    struct Case {
        double value;
        int places;
        num::RoundingRule rule;
        double expected;
    };
    using R = num::RoundingRule;
    const Case cases[] = {
        {3.14159, 2, R::ToNearestOrAwayFromZero, 3.14},
        {2.5, 0, R::ToNearestOrAwayFromZero, 3},
        {2.5, -1, R::ToNearestOrAwayFromZero, 3},
        {2.5, 0, R::ToNearestOrEven, 2},
        {-2.5, 0, R::ToNearestOrAwayFromZero, -3},
        {1.234, 1, R::Up, 1.3},
        {-1.234, 1, R::Up, -1.2},
        {-1.234, 1, R::Down, -1.3},
        {-1.26, 1, R::TowardZero, -1.2},
        {1.21, 1, R::AwayFromZero, 1.3},
        {-1.21, 1, R::AwayFromZero, -1.3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.value) + " at " + std::to_string(c.places));
        EXPECT_DOUBLE_EQ(num::rounded(c.value, c.places, c.rule), c.expected);
    }
    EXPECT_FLOAT_EQ(num::rounded(2.675f, 2), 2.68f);

    EXPECT_DOUBLE_EQ(num::degreesToRadians(180.0), 3.141592653589793);
    EXPECT_DOUBLE_EQ(num::degreesToRadians(std::int64_t{90}), 1.5707963267948966);
    EXPECT_DOUBLE_EQ(num::radiansToDegrees(std::int64_t{1}), 57.29577951308232);
    EXPECT_FLOAT_EQ(num::radiansToDegrees(3.14159265f), 180.0f);
    EXPECT_EQ(num::plusMinus(5.0, 2.0), std::make_pair(7.0, 3.0));
    EXPECT_EQ(num::plusMinus(2.5), std::make_pair(2.5, -2.5));
}

TEST_F(NumberTexts, AbbreviationsChooseTheirRowAndRounding) {
    using M = foundation::RoundingMode;
    struct Case {
        double value;
        int digits;
        M mode;
        const char* text;
    };
    const Case cases[] = {
        {999, 1, M::HalfEven, "999"},      {1500, 1, M::HalfEven, "1.5K"},  {150000, 2, M::HalfEven, "0.15M"},
        {-2e9, 1, M::HalfEven, "-2B"},     {99999, 0, M::HalfEven, "100K"}, {99999, 0, M::Down, "99K"},
        {100000, 1, M::HalfEven, "0.1M"},  {0, 2, M::HalfEven, "0"},        {0.5, 0, M::HalfEven, "0"},
        {1234567, 3, M::HalfUp, "1.235M"}, {-1500, 0, M::HalfEven, "-2K"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(num::abbreviated(c.value, c.digits, c.mode), c.text);
    }
    EXPECT_EQ(num::abbreviated(std::int64_t{99999}, 0), "99K");
    EXPECT_EQ(num::abbreviated(std::int64_t{-1999}, 1), "-1.9K");
    foundation::setDefaultLocale("de_DE");
    EXPECT_EQ(num::abbreviated(1500.0, 1), "1,5K") << "the current locale's decimal separator";
}

TEST_F(NumberTexts, DescriptionsAndFormatterTexts) {
    struct Description {
        double value;
        bool single;
        const char* text;
    };
    const Description descriptions[] = {
        {1.0, false, "1.0"},
        {0.1, false, "0.1"},
        {-2.5, false, "-2.5"},
        {1e20, false, "1e+20"},
        {1e16, false, "1e+16"},
        {1e15, false, "1000000000000000.0"},
        {0.0001, false, "0.0001"},
        {0.00001, false, "1e-05"},
        {0.0, false, "0.0"},
        {-0.0, false, "-0.0"},
        {123.456, false, "123.456"},
        {0.1, true, "0.1"},
        {16777216.0, true, "1.6777216e+07"},
        {1.0 / 0.0, false, "inf"},
    };
    for (const Description& d : descriptions) {
        SCOPED_TRACE(d.text);
        EXPECT_EQ(num::description(d.value, d.single), d.text);
    }
    EXPECT_EQ(num::asString(42), "42");
    EXPECT_EQ(num::asString(-7LL), "-7");
    EXPECT_EQ(num::asString(0.1f), "0.1");
    EXPECT_EQ(num::string(true), "true");
    EXPECT_EQ(num::int_(false), 0);

    EXPECT_EQ(num::currencyText(1234.5), "$1,234.50");
    EXPECT_EQ(num::spelledOut(42, "en_US"), "forty-two");
    EXPECT_EQ(num::spelledOut(42, "fr_FR"), "quarante-deux");
    EXPECT_EQ(num::ordinalText(42, "en_US"), "42nd");
    EXPECT_EQ(num::ordinalText(std::uint64_t{1} << 63, "en_US").has_value(), true);
    EXPECT_EQ(num::spelledOut(std::numeric_limits<double>::quiet_NaN(), "en_US"), std::nullopt);
}
