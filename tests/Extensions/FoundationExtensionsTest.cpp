#include "Extensions/AppGlobals.h"
#include "Extensions/DefaultsExtensions.h"
#include "Extensions/ImageExtensions.h"
#include "Extensions/LocaleExtensions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

#include "Platform/Foundation/Bundle.h"
#include "Platform/Image/ImageLoading.h"
#include "Support/SyntheticPhoto.h"
#include "Support/TempDir.h"

namespace {

image::Image photo(const testsupport::TempDir& folder, int width, int height) {
    const auto file = folder / ("photo-" + std::to_string(width) + "x" + std::to_string(height) + ".png");
    testsupport::syntheticPhoto(width, height).write_to_file(file.c_str());
    auto loaded = image::loadImage(file);
    EXPECT_TRUE(loaded.has_value());
    return *loaded;
}

}  // namespace

TEST(LocaleExtensions, RegionsClocksTemperaturesAndMonths) {
    struct Flag {
        const char* code;
        std::optional<std::string> flag;
    };
    const Flag flags[] = {
        {"FR", "\xF0\x9F\x87\xAB\xF0\x9F\x87\xB7"},
        {"US", "\xF0\x9F\x87\xBA\xF0\x9F\x87\xB8"},
        {"fr", std::nullopt},
        {"ZZ", std::nullopt},
        {"", std::nullopt},
        {"FRA", std::nullopt},
    };
    for (const Flag& f : flags) EXPECT_EQ(found::flagEmoji(f.code), f.flag) << f.code;

    struct Locale {
        const char* id;
        bool twelveHour;
        const char* unit;
    };
    const Locale locales[] = {
        {"en_US", true, "F"},
        {"de_DE", false, "C"},
        {"en_GB", false, "C"},
        {"fr_FR", false, "C"},
    };
    for (const Locale& l : locales) {
        SCOPED_TRACE(l.id);
        EXPECT_EQ(found::is12HourClock(l.id), l.twelveHour);
        EXPECT_EQ(found::temperatureUnitSymbol(l.id), l.unit);
        EXPECT_EQ(found::usesCelsius(l.id), std::string(l.unit) == "C");
    }
    EXPECT_EQ(found::posix(), "en_US_POSIX");

    struct Month {
        double secondsSince1970;
        int days;
    };
    const Month months[] = {
        {1708000000, 29},  // 15 February 2024, a leap year
        {1771000000, 28},  // 13 February 2026
        {1765000000, 31},  // 6 December 2025
        {1762000000, 30},  // 1 November 2025 (mid-day)
    };
    for (const Month& m : months) {
        EXPECT_EQ(found::daysInMonth(foundation::Date{m.secondsSince1970}), m.days) << m.secondsSince1970;
    }
}

TEST(DefaultsExtensions, LaunchCountersTypedReadsAndEncodedValues) {
    testsupport::TempDir folder;
    foundation::UserDefaults defaults(folder / "settings.json");
    // The opens are counted in the app-wide settings, the other counters in the ones given.
    foundation::UserDefaults& appWide = userDefaults();
    const auto appWideOpens = appWide.object("UD_AppOpens");
    appWide.set("UD_AppOpens", 4);
    defaults.set("UD_AppOpens", 40);
    defaults.set("UD_AppCrashed", 2);
    found::recordAppLaunch(defaults);
    EXPECT_EQ(appWide.integer("UD_AppOpens"), 5);
    EXPECT_EQ(defaults.integer("UD_AppOpens"), 40);
    EXPECT_FALSE(appWide.object("UD_Relaunch")) << "only the opens go to the app-wide settings";
    EXPECT_EQ(defaults.object("UD_AppCrashed"), foundation::PlistValue(0));
    EXPECT_EQ(defaults.object("UD_AppCloses"), foundation::PlistValue(0));
    EXPECT_EQ(defaults.object("UD_AppCrashedPast"), foundation::PlistValue(0));
    EXPECT_TRUE(defaults.boolean("UD_Relaunch"));
    const auto* version = foundation::Bundle::main().objectForInfoDictionaryKey("CFBundleShortVersionString");
    EXPECT_EQ(defaults.object("UD_AppVersion").has_value(), version != nullptr);
    appWide.set("UD_AppOpens", std::numeric_limits<std::int64_t>::max());
    found::recordAppLaunch(defaults);
    EXPECT_EQ(appWide.integer("UD_AppOpens"), std::numeric_limits<std::int64_t>::max())
        << "no wrap to negative";
    appWide.set("UD_AppOpens", appWideOpens);

    using foundation::PlistValue;
    struct Float {
        std::optional<PlistValue> stored;
        std::optional<float> read;
    };
    const Float floats[] = {
        {PlistValue(1.5), 1.5f},
        {PlistValue(3), 3.0f},
        {PlistValue(0.1), std::nullopt},
        {PlistValue(16777217), std::nullopt},
        {PlistValue(1e300), std::nullopt},
        {PlistValue(true), std::nullopt},
        {PlistValue("1.5"), std::nullopt},
        {std::nullopt, std::nullopt},
        {PlistValue(std::numeric_limits<std::int64_t>::max()), std::nullopt},
        {PlistValue(std::numeric_limits<std::int64_t>::min()), -9223372036854775808.0f},
    };
    for (const Float& f : floats) {
        defaults.set("number", f.stored);
        EXPECT_EQ(found::floatIfPresent(defaults, "number"), f.read)
            << (f.stored ? f.stored->toJSON() : std::string("absent"));
    }
    defaults.set("when", foundation::Date{1000});
    EXPECT_EQ(found::dateIfPresent(defaults, "when"), foundation::Date{1000});
    EXPECT_EQ(found::dateIfPresent(defaults, "number"), std::nullopt);

    const auto encode = [](int v) -> std::optional<foundation::Data> {
        if (v < 0) throw std::invalid_argument("negative");
        if (v == 0) return std::nullopt;
        return foundation::Data{static_cast<std::uint8_t>(v)};
    };
    const auto decode = [](const foundation::Data& d) -> int {
        if (d.size() != 1) throw std::invalid_argument("size");
        return d.front();
    };
    found::setEncoded(defaults, 7, "coded", encode);
    EXPECT_EQ(found::decodedObject<int>(defaults, "coded", decode), 7);
    for (const int failing : {-1, 0}) {
        found::setEncoded(defaults, 7, "coded", encode);
        found::setEncoded(defaults, failing, "coded", encode);
        EXPECT_FALSE(defaults.object("coded").has_value()) << "a failed encoding removes the key";
    }
    defaults.set("coded", foundation::Data{1, 2});
    EXPECT_EQ(found::decodedObject<int>(defaults, "coded", decode), std::nullopt);
    EXPECT_EQ(found::decodedObject<int>(defaults, "when", decode), std::nullopt);

    defaults.set("NSConstraintBasedLayoutVisualizeMutuallyExclusiveConstraints", true);
    found::removeConstraintVisualisationKey(defaults);
    EXPECT_FALSE(defaults.object("NSConstraintBasedLayoutVisualizeMutuallyExclusiveConstraints"));

    // Forgetting everything leaves the registered values and is saved at once.
    defaults.registerDefaults({{"UD_AppOpens", 1}});
    found::resetAll(defaults);
    EXPECT_EQ(defaults.integer("UD_AppOpens"), 1);
    EXPECT_FALSE(defaults.object("when"));
    foundation::UserDefaults reread(folder / "settings.json");
    EXPECT_FALSE(reread.object("UD_Relaunch"));
}

TEST(ImageExtensions, ScalingWritingAndStoringImages) {
    testsupport::TempDir folder;
    struct Case {
        int width, height;
        double targetWidth, targetHeight;
        std::optional<cg::Size> expected;
    };
    const Case cases[] = {
        {400, 200, 100, 300, cg::Size{100, 50}},
        {200, 400, 100, 300, cg::Size{150, 300}},
        {300, 300, 100, 60, cg::Size{60, 60}},
        {400, 200, 0.5, 300, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height);
        const auto scaled =
            found::scaledByLongerSide(photo(folder, c.width, c.height), c.targetWidth, c.targetHeight);
        EXPECT_EQ(scaled ? std::optional(scaled->size()) : std::nullopt, c.expected);
    }

    const image::Image picture = photo(folder, 64, 48);
    std::string error;
    EXPECT_TRUE(found::writeBitmap(picture, folder / "out.jpg", image::FileType::JPEG, 0.8, &error)) << error;
    const auto written = image::loadImage(folder / "out.jpg");
    ASSERT_TRUE(written);
    EXPECT_EQ(written->size(), (cg::Size{64, 48}));
    EXPECT_FALSE(found::writeBitmap(picture, folder / "photo-64x48.png" / "out.jpg", image::FileType::JPEG,
                                    0.8, &error));
    EXPECT_FALSE(error.empty()) << "a failed write says why";

    foundation::UserDefaults defaults(folder / "settings.json");
    found::setImage(defaults, picture, "logo");
    const auto stored = found::image(defaults, "logo");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->size(), (cg::Size{64, 48}));
    found::setImage(defaults, std::nullopt, "logo");
    EXPECT_TRUE(found::image(defaults, "logo")) << "an absent image leaves the stored one";
    defaults.set("logo", foundation::Data{'n', 'o', 't'});
    EXPECT_FALSE(found::image(defaults, "logo"));
}
