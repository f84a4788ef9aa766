#include "Extensions/NumberBasics.h"
#include "Extensions/StringNumbers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

TEST(StringNumbers, ReadsWithTheGivenLocaleSeparator) {
    struct Case {
        const char* text;
        const char* locale;
        std::optional<double> expected;
    };
    const Case cases[] = {
        {"12,5", "de_DE", 12.5},      {"12.5", "en_US", 12.5},
        {"1.234,5", "de_DE", 1234.5}, {"1,234.5", "en_US", 1234.5},
        {"-3", "en_US", -3.0},        {"abc", "en_US", std::nullopt},
        {"", "de_DE", std::nullopt},  {"12abc", "en_US", std::nullopt},
        {"50", "fr_FR", 50.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " in " + c.locale);
        EXPECT_EQ(str::double_(c.text, c.locale), c.expected);
        const auto f = str::float_(c.text, c.locale);
        ASSERT_EQ(f.has_value(), c.expected.has_value());
        if (f) {
            EXPECT_FLOAT_EQ(*f, static_cast<float>(*c.expected));
        }
    }
}

TEST(NumberBasics, MagnitudeOfAnInteger) {
    static_assert(num::abs(-5) == 5 && num::abs(0) == 0 && num::abs(7) == 7);
    EXPECT_EQ(num::abs(INT64_C(-9000000000)), INT64_C(9000000000));
}
