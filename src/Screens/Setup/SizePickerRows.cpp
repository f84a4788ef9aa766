#include "Screens/Setup/SizePickerRows.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

#include "Extensions/StringNumbers.h"
#include "Platform/Foundation/TextSearch.h"
#include "Screens/Setup/PresetCellText.h"

namespace setup {

namespace pk = core::presetkey;

std::vector<PickerRow> pickerRows(const std::vector<core::PresetInfo>& presets) {
    std::vector<PickerRow> rows;
    rows.push_back({PickerRow::Kind::Header, "CUSTOM SIZE", {}});
    rows.push_back({PickerRow::Kind::Custom, "", {}});
    rows.push_back({PickerRow::Kind::Percent, "", {}});
    rows.push_back({PickerRow::Kind::Header, "SIZE LIST", {}});
    for (const auto& preset : presets)
        if (!core::presetIsDefaultSize(preset)) rows.push_back({PickerRow::Kind::Saved, "", preset});
    return rows;
}

std::optional<double> pickerRowHeight(const PickerRow& row) {
    switch (row.kind) {
        case PickerRow::Kind::Header:
            return 40;
        case PickerRow::Kind::Custom:
        case PickerRow::Kind::Percent:
        case PickerRow::Kind::Saved:
            break;
    }
    return std::nullopt;
}

std::string savedSizeDetail(const core::PresetInfo& preset) {
    std::string detail = core::presetSizeText(preset);
    if (core::presetImageCrop(preset)) detail += ", Crop";
    if (core::presetAutoSaliency(preset)) detail += ", With Magic Crop";
    return capitalisedName(detail);
}

std::optional<core::PresetInfo> makeCustomSize(double sliderValue, double width, double height,
                                               bool saliencyOn, int resizeCropSegment) {
    const double percent = std::round(sliderValue);  // halves away from zero
    if (percent <= 0 && width <= 0 && height <= 0) return std::nullopt;
    core::PresetInfo size{
        {std::string(pk::presetWidth), width},
        {std::string(pk::presetHeight), height},
        {std::string(pk::presetPercent), percent},
        {std::string(pk::autoSaliency), saliencyOn},
        {std::string(pk::imageCrop), resizeCropSegment == 1},
    };
    size[std::string(pk::presetName)] = core::presetSizeShortText(size);
    return size;
}

std::optional<double> savedSizeValue(const core::PresetInfo& preset, std::string_view key) {
    const auto it = preset.find(key);
    if (it == preset.end()) return std::nullopt;
    const auto value = it->second.toDouble();
    if (!value || *value == -1) return std::nullopt;
    return value;
}

bool sameSize(const core::PresetInfo& a, const core::PresetInfo& b) {
    const auto set = [](const core::PresetInfo& preset, std::string_view key) {
        const auto value = savedSizeValue(preset, key);
        return value && *value > 0 ? value : std::nullopt;
    };
    for (auto key : {pk::presetWidth, pk::presetHeight, pk::presetPercent})
        if (set(a, key) != set(b, key)) return false;
    return true;
}

core::PresetInfo savedSizeForPick(const core::PresetInfo& preset, bool saliencyOn,
                                  const std::string& rowName) {
    core::PresetInfo size;
    for (auto key : {pk::presetWidth, pk::presetHeight, pk::presetPercent}) {
        const auto value = savedSizeValue(preset, key);
        size[std::string(key)] = value ? foundation::PlistValue(*value) : foundation::PlistValue();
    }
    size[std::string(pk::autoSaliency)] = saliencyOn;
    size[std::string(pk::presetName)] = rowName;
    if (foundation::trimmingWhitespaceAndNewlines(rowName).empty())
        size[std::string(pk::presetName)] = core::presetSizeShortText(size);
    return size;
}

namespace {

// Whole pixels as decimal text; empty for a value that has none.
std::string wholeText(std::optional<double> value) {
    constexpr double limit = 9.2e18;  // inside the 64-bit range, with room for rounding
    if (!value || !std::isfinite(*value) || std::fabs(*value) >= limit) return "";
    return std::to_string(static_cast<std::int64_t>(*value));
}

}  // namespace

SizeControlTexts sizeControlTexts(const core::PresetInfo& preset) {
    SizeControlTexts texts;
    texts.width = wholeText(savedSizeValue(preset, pk::presetWidth));
    texts.height = wholeText(savedSizeValue(preset, pk::presetHeight));
    const auto percent = savedSizeValue(preset, pk::presetPercent);
    const std::string percentText = wholeText(percent);
    texts.sliderValue = percentText.empty() ? 0 : *percent;
    texts.percentLabel = (percentText.empty() ? std::string("0") : percentText) + " %";
    return texts;
}

std::optional<float> parsePercentText(const std::string& text, const std::string& locale) {
    std::string s = text;
    if (!s.empty() && s.back() == '%') s.pop_back();
    s = foundation::trimmingWhitespaceAndNewlines(s);
    if (s.empty()) return std::nullopt;
    const auto value = str::float_(s, locale);
    if (!value || !std::isfinite(*value)) return std::nullopt;
    return value;
}

bool isPartialIntegerValid(const std::string& text) {
    if (text.empty()) return true;
    std::string_view digits(text);
    const bool negative = digits.front() == '-';
    if (digits.front() == '+' || negative) digits.remove_prefix(1);
    if (digits.empty()) return false;
    for (char c : digits)
        if (c < '0' || c > '9') return false;
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error != std::errc() || end != digits.data() + digits.size()) return false;
    return !negative || value == 0;
}

}  // namespace setup
