#include "Core/Records/PresetInfo.h"

#include "Platform/Foundation/Formatters.h"
#include "Platform/Graphics/SystemColors.h"

namespace core {
namespace {

const foundation::PlistValue* valueAt(const PresetInfo& preset, std::string_view key) {
    const auto it = preset.find(key);
    return it == preset.end() ? nullptr : &it->second;
}

// The three size values as the texts, tag and kind read them: -1 when missing or not a number.
struct SizeValues {
    double width, height, percent;
};

SizeValues sizeValues(const PresetInfo& preset) {
    const auto read = [&](std::string_view key) {
        const auto* value = valueAt(preset, key);
        return value ? value->toDouble().value_or(-1.0) : -1.0;
    };
    return {read(presetkey::presetWidth), read(presetkey::presetHeight), read(presetkey::presetPercent)};
}

std::string number(double value) {
    return foundation::formatDecimal(value, 0, 2);
}

std::string stringAt(const PresetInfo& preset, std::string_view key) {
    const auto* value = valueAt(preset, key);
    const std::string* text = value ? value->stringIf() : nullptr;
    return text ? *text : std::string();
}

}  // namespace

bool presetBool(const PresetInfo& preset, std::string_view key) {
    const auto* value = valueAt(preset, key);
    return value && value->toBool().value_or(false);
}

double presetCGFloat(const PresetInfo& preset, std::string_view key) {
    const auto* value = valueAt(preset, key);
    return value ? value->toDouble().value_or(0.0) : 0.0;
}

bool presetIsPositive(const PresetInfo& preset, std::string_view key) {
    return presetCGFloat(preset, key) > 0;
}

std::string presetName(const PresetInfo& preset) {
    return stringAt(preset, presetkey::presetName);
}

std::string presetSizeText(const PresetInfo& preset) {
    if (presetIsDefaultSize(preset)) return "Default";
    const auto [w, h, p] = sizeValues(preset);
    if (w > 0 && h > 0) return "Size: " + number(w) + " X " + number(h);
    if (w > 0) return "Size: " + number(w) + " X Auto Height";
    if (h > 0) return "Size: Auto Width X " + number(h);
    if (p > 0) return "Size: " + number(p) + "%";
    return "";
}

std::string presetSizeShortText(const PresetInfo& preset) {
    const auto [w, h, p] = sizeValues(preset);
    if (w > 0 && h > 0) return number(w) + " x " + number(h);
    if (w > 0) return number(w) + " x Auto";
    if (h > 0) return "Auto x " + number(h);
    if (p > 0) return number(p) + " %";
    return "Default";
}

std::string presetOutputExtension(const PresetInfo& preset) {
    std::string format = stringAt(preset, presetkey::outputFormat);
    if (!format.empty() && format.front() == '.') format.erase(0, 1);
    return format;
}

std::string presetEffectFilter(const PresetInfo& preset) {
    return stringAt(preset, presetkey::imageEffectFilter);
}

bool presetAutoEnhance(const PresetInfo& preset) {
    return presetBool(preset, presetkey::autoEnhance);
}
bool presetImageCrop(const PresetInfo& preset) {
    return presetBool(preset, presetkey::imageCrop);
}
bool presetAutoSaliency(const PresetInfo& preset) {
    return presetBool(preset, presetkey::autoSaliency);
}

bool presetIsDefaultSize(const PresetInfo& preset) {
    const auto* value = valueAt(preset, presetkey::defaultSize);
    if (!value) return false;
    if (const auto* i = value->integerIf()) return *i == 1;
    if (const auto* d = value->doubleIf()) return *d == 1.0;
    return false;
}

bool presetHasWidth(const PresetInfo& preset) {
    return presetIsPositive(preset, presetkey::presetWidth);
}
bool presetHasHeight(const PresetInfo& preset) {
    return presetIsPositive(preset, presetkey::presetHeight);
}
double presetWidth(const PresetInfo& preset) {
    return presetCGFloat(preset, presetkey::presetWidth);
}
double presetHeight(const PresetInfo& preset) {
    return presetCGFloat(preset, presetkey::presetHeight);
}

cg::Color presetColorTag(const PresetInfo& preset) {
    if (presetIsDefaultSize(preset)) return cg::system::lightGray();
    const auto [w, h, p] = sizeValues(preset);
    if (w > 0 && h > 0) return cg::system::orange();
    if (w > 0) return cg::system::green();
    if (h > 0) return cg::system::yellow();
    if (p > 0) return cg::system::blue();
    return cg::Color::clear();
}

ActionType presetActionType(const PresetInfo& preset) {
    const auto [w, h, p] = sizeValues(preset);
    if (w > 0 && h > 0) return ActionType::WxH;
    if (w > 0) return ActionType::WxAuto;
    if (h > 0) return ActionType::HxAuto;
    return p > 0 ? ActionType::PxP : ActionType::WxAuto;
}

}  // namespace core
