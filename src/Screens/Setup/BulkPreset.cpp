#include "Screens/Setup/BulkPreset.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

namespace screens {

float bulkFieldValue(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    // Only digits and a point start a number here: "inf" and "nan" read as 0.
    const std::size_t first = !text.empty() && text.front() == '-' ? 1 : 0;
    if (first >= text.size() ||
        !(std::isdigit(static_cast<unsigned char>(text[first])) || text[first] == '.'))
        return 0;
    double value = 0;
    // from_chars takes the longest prefix that is a number: "800.5px" is 800.5.
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec == std::errc::result_out_of_range) return text.front() == '-' ? 0 : kLargestBulkSide;
    if (ptr == text.data() || !std::isfinite(value)) return 0;
    return static_cast<float>(std::min<double>(value, kLargestBulkSide));
}

std::optional<core::PresetInfo> makeBulkPreset(float sliderValue, float width, float height, bool saliency,
                                               int resizeCropSegment) {
    const float percent = std::floor(sliderValue);
    if (!(percent > 0) && !(width > 0) && !(height > 0)) return std::nullopt;
    namespace key = core::presetkey;
    core::PresetInfo preset;
    preset.emplace(key::presetName, "forBulk");
    preset.emplace(key::presetWidth, static_cast<double>(width));
    preset.emplace(key::presetHeight, static_cast<double>(height));
    preset.emplace(key::presetPercent, static_cast<double>(percent));
    preset.emplace(key::autoSaliency, saliency);
    preset.emplace(key::imageCrop, resizeCropSegment == 1);
    return preset;
}

}  // namespace screens
