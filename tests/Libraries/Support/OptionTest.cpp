// The option kinds: which value texts each accepts, what it keeps when it refuses, and how it names
// itself in the usage listing and in errors.

#include <gtest/gtest.h>

#include <limits>

#include "Libraries/Support/EnumOption.h"
#include "Libraries/Support/Option.h"
#include "Platform/Foundation/Formatters.h"

namespace speeds {
enum class Speed { fast, slow };
inline std::optional<Speed> fromRawValue(std::string_view raw, std::type_identity<Speed>) {
    if (raw == "fast") return Speed::fast;
    if (raw == "slow") return Speed::slow;
    return std::nullopt;
}
}  // namespace speeds

namespace support {
namespace {

using Texts = std::vector<std::string>;

TEST(OptionTest, FlagDescriptionNamesThePresentFlags) {
    EXPECT_EQ(BoolOption("v", "verbose", false, "").flagDescription(), "-v, --verbose");
    EXPECT_EQ(BoolOption("v", false, "").flagDescription(), "-v");
    EXPECT_EQ(BoolOption(LongFlag{"verbose"}, false, "").flagDescription(), "--verbose");
    EXPECT_EQ(BoolOption(std::nullopt, std::nullopt, false, "").flagDescription(), "");
    // The short-flag form still makes a complete option of its own kind.
    BoolOption shortOnly("v", true, "Verbose");
    EXPECT_FALSE(shortOnly.value());
    EXPECT_TRUE(shortOnly.required());
    EXPECT_EQ(shortOnly.helpMessage(), "Verbose");
}

TEST(OptionTest, IntegerTextsAreWholeSignedDecimalNumbers) {
    struct Case {
        std::string text;
        std::optional<std::int64_t> value;
    };
    const Case cases[] = {
        {"42", 42},
        {"-7", -7},
        {"+7", 7},
        {"0", 0},
        {"-0", 0},
        {"007", 7},
        {"9223372036854775807", std::numeric_limits<std::int64_t>::max()},
        {"-9223372036854775808", std::numeric_limits<std::int64_t>::min()},
        {"9223372036854775808", std::nullopt},
        {"-9223372036854775809", std::nullopt},
        {"18446744073709551616", std::nullopt},
        {"7.0", std::nullopt},
        {" 7", std::nullopt},
        {"7 ", std::nullopt},
        {"", std::nullopt},
        {"+", std::nullopt},
        {"-", std::nullopt},
        {"+-7", std::nullopt},
        {"0x10", std::nullopt},
        {"1e3", std::nullopt},
        {"1,000", std::nullopt},
        {"٣", std::nullopt},  // an Arabic-Indic digit is no decimal digit here
    };
    for (const auto& c : cases) {
        IntOption option("n", false, "");
        ASSERT_TRUE(option.setValue({"5"}));
        EXPECT_EQ(option.setValue({c.text, "x"}), c.value.has_value()) << c.text;
        // A refused text leaves the earlier value in place.
        EXPECT_EQ(option.value(), c.value.value_or(5)) << c.text;
        EXPECT_TRUE(option.wasSet());
        EXPECT_EQ(option.claimedValues(), 1);
    }
}

TEST(OptionTest, EachKindTakesItsShareOfTheValueTexts) {
    // Texts given, then: accepted?, wasSet, claimedValues.
    struct Case {
        const char* kind;
        std::shared_ptr<Option> option;
        Texts texts;
        bool accepted;
        bool wasSet;
        std::int64_t claimed;
    };
    const Case cases[] = {
        {"bool, nothing", std::make_shared<BoolOption>("b", false, ""), {}, true, true, 0},
        {"bool, texts", std::make_shared<BoolOption>("b", false, ""), {"no"}, true, true, 0},
        {"counter", std::make_shared<CounterOption>("c", false, ""), {"x"}, true, true, 0},
        {"int, nothing", std::make_shared<IntOption>("n", false, ""), {}, false, false, 0},
        {"int", std::make_shared<IntOption>("n", false, ""), {"3", "4"}, true, true, 1},
        {"double, nothing", std::make_shared<DoubleOption>("d", false, ""), {}, false, false, 0},
        {"double, no number", std::make_shared<DoubleOption>("d", false, ""), {"x"}, false, false, 0},
        {"string, nothing", std::make_shared<StringOption>("s", false, ""), {}, false, false, 0},
        {"string", std::make_shared<StringOption>("s", false, ""), {"", "b"}, true, true, 1},
        {"multi, nothing", std::make_shared<MultiStringOption>("m", false, ""), {}, false, false, 0},
        {"multi", std::make_shared<MultiStringOption>("m", false, ""), {"a", "b", "c"}, true, true, 3},
        {"enum, nothing", std::make_shared<EnumOption<speeds::Speed>>("e", false, ""), {}, false, false, 0},
        {"enum, unknown",
         std::make_shared<EnumOption<speeds::Speed>>("e", false, ""),
         {"fastest"},
         false,
         false,
         0},
        {"enum",
         std::make_shared<EnumOption<speeds::Speed>>("e", false, ""),
         {"slow", "fast"},
         true,
         true,
         1},
        {"plain option", std::make_shared<Option>("p", false, ""), {"a"}, false, false, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.option->setValue(c.texts), c.accepted) << c.kind;
        EXPECT_EQ(c.option->wasSet(), c.wasSet) << c.kind;
        EXPECT_EQ(c.option->claimedValues(), c.claimed) << c.kind;
    }
    EXPECT_EQ(std::static_pointer_cast<StringOption>(cases[8].option)->value(), "");
    EXPECT_EQ(std::static_pointer_cast<MultiStringOption>(cases[10].option)->value(), (Texts{"a", "b", "c"}));
    EXPECT_EQ(std::static_pointer_cast<EnumOption<speeds::Speed>>(cases[13].option)->value(),
              speeds::Speed::slow);
}

TEST(OptionTest, DecimalsFollowTheUsersLocale) {
    const std::string saved = foundation::defaultLocale();
    struct Case {
        const char* locale;
        const char* text;
        std::optional<double> value;
    };
    const Case cases[] = {
        {"en_US", "2.5", 2.5}, {"en_US", "2,5", std::nullopt}, {"en_US", "7 ", std::nullopt},
        {"de_DE", "2,5", 2.5}, {"de_DE", "-0,5", -0.5},        {"en_US", "-0.5", -0.5},
    };
    for (const auto& c : cases) {
        foundation::setDefaultLocale(c.locale);
        DoubleOption option("e", "effect", false, "Interpolation weighting");
        EXPECT_EQ(option.setValue({c.text}), c.value.has_value()) << c.locale << " " << c.text;
        EXPECT_EQ(option.value(), c.value) << c.locale << " " << c.text;
    }
    foundation::setDefaultLocale(saved);
}

}  // namespace
}  // namespace support
