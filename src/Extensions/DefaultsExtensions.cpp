#include "Extensions/DefaultsExtensions.h"

#include <cmath>
#include <limits>

#include "Extensions/AppGlobals.h"
#include "Extensions/BundleVersion.h"
#include "Platform/Foundation/Bundle.h"
#include "Platform/Image/ImageEncoding.h"
#include "Platform/Image/ImageLoading.h"

namespace found {

void recordAppLaunch(foundation::UserDefaults& defaults) {
    defaults.set("UD_AppCloses", 0);
    defaults.set("UD_AppCrashed", 0);
    defaults.set("UD_AppCrashedPast", 0);
    // Launches are counted app-wide, whichever settings the other counters go to.
    foundation::UserDefaults& appWide = userDefaults();
    const std::int64_t opens = appWide.integer("UD_AppOpens");
    appWide.set("UD_AppOpens", opens == std::numeric_limits<std::int64_t>::max() ? opens : opens + 1);
    defaults.set("UD_Relaunch", true);
    const auto version = bundle::appVersion();
    defaults.set("UD_AppVersion", version ? std::optional<foundation::PlistValue>(*version) : std::nullopt);
}

void resetAll(foundation::UserDefaults& defaults) {
    const foundation::PlistValue* identifier =
        foundation::Bundle::main().objectForInfoDictionaryKey("CFBundleIdentifier");
    if (identifier == nullptr || identifier->stringIf() == nullptr || identifier->stringIf()->empty()) return;
    defaults.removePersistentDomain();
    defaults.synchronize();
}

void removeConstraintVisualisationKey(foundation::UserDefaults& defaults) {
    defaults.removeObject("NSConstraintBasedLayoutVisualizeMutuallyExclusiveConstraints");
}

std::optional<float> floatIfPresent(const foundation::UserDefaults& defaults, std::string_view key) {
    const auto value = defaults.object(key);
    if (!value) return std::nullopt;
    if (const std::int64_t* i = value->integerIf()) {
        const auto single = static_cast<float>(*i);
        constexpr float kTwoTo63 = 9223372036854775808.0f;
        if (single >= kTwoTo63 || static_cast<std::int64_t>(single) != *i) return std::nullopt;
        return single;
    }
    if (const double* d = value->doubleIf()) {
        if (std::isnan(*d)) return std::numeric_limits<float>::quiet_NaN();
        if (std::isfinite(*d) && std::fabs(*d) > std::numeric_limits<float>::max()) return std::nullopt;
        const auto single = static_cast<float>(*d);
        if (static_cast<double>(single) != *d) return std::nullopt;
        return single;
    }
    return std::nullopt;
}

std::optional<foundation::Date> dateIfPresent(const foundation::UserDefaults& defaults,
                                              std::string_view key) {
    const auto value = defaults.object(key);
    if (!value || value->dateIf() == nullptr) return std::nullopt;
    return *value->dateIf();
}

std::optional<image::Image> image(const foundation::UserDefaults& defaults, std::string_view key) {
    const auto bytes = defaults.data(key);
    if (!bytes) return std::nullopt;
    return image::loadImage(std::span<const std::uint8_t>(*bytes));
}

void setImage(foundation::UserDefaults& defaults, const std::optional<image::Image>& picture,
              std::string_view key) {
    if (!picture) return;
    auto bytes = image::encodedData(*picture, image::FileType::PNG);
    if (!bytes) return;
    defaults.set(key, foundation::PlistValue(std::move(*bytes)));
    defaults.synchronize();
}

}  // namespace found
