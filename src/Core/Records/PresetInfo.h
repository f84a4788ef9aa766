#pragma once
// PresetInfo: one preset, a string-keyed dictionary of property-list values kept exactly as the
// user's settings store it, with read accessors that give a default for a missing or mistyped
// value. Plain values and pure functions: safe from any thread.

#include <string>
#include <string_view>

#include "Core/Records/ActionType.h"
#include "Platform/Foundation/PlistValue.h"
#include "Platform/Graphics/Color.h"

namespace core {

using PresetInfo = foundation::PlistDictionary;

// The keys of a preset.
namespace presetkey {
inline constexpr std::string_view presetName = "presetName";
inline constexpr std::string_view presetWidth = "presetWidth";
inline constexpr std::string_view presetHeight = "presetHeight";
inline constexpr std::string_view presetPercent = "presetPercent";
inline constexpr std::string_view autoSaliency = "autoSaliency";
inline constexpr std::string_view imageCrop = "imageCrop";
inline constexpr std::string_view autoEnhance = "autoEnhance";
inline constexpr std::string_view outputFormat = "outputFormat";
inline constexpr std::string_view imageEffect = "imageEffect";
inline constexpr std::string_view imageEffectFilter = "imageEffectFilter";
inline constexpr std::string_view countUsage = "countUsage";
inline constexpr std::string_view defaultSize = "defaultSize";
inline constexpr std::string_view markDummy = "markDummy";
}  // namespace presetkey

// Generic readers: the Boolean at `key` (false when missing or not a number), the number at `key`
// (0 when missing or not a number) and whether that number is above 0.
bool presetBool(const PresetInfo& preset, std::string_view key);
double presetCGFloat(const PresetInfo& preset, std::string_view key);
bool presetIsPositive(const PresetInfo& preset, std::string_view key);

std::string presetName(const PresetInfo& preset);
// "Default" for a default-size preset, else "Size: 1280 X 720", "Size: 1280 X Auto Height",
// "Size: Auto Width X 720", "Size: 50%" or "".
std::string presetSizeText(const PresetInfo& preset);
// "1280 x 720", "1280 x Auto", "Auto x 720", "50 %", or "Default" when no size is set.
std::string presetSizeShortText(const PresetInfo& preset);
// "outputFormat" without one leading "." ("" when missing); "Default" stays "Default".
std::string presetOutputExtension(const PresetInfo& preset);
std::string presetEffectFilter(const PresetInfo& preset);
bool presetAutoEnhance(const PresetInfo& preset);
bool presetImageCrop(const PresetInfo& preset);
bool presetAutoSaliency(const PresetInfo& preset);
// "defaultSize" holds the integer 1.
bool presetIsDefaultSize(const PresetInfo& preset);
bool presetHasWidth(const PresetInfo& preset);
bool presetHasHeight(const PresetInfo& preset);
double presetWidth(const PresetInfo& preset);
double presetHeight(const PresetInfo& preset);
// Light grey for a default-size preset, else orange (width and height), green (width only),
// yellow (height only), blue (percentage only) or clear (no size).
cg::Color presetColorTag(const PresetInfo& preset);
// WxH, WxAuto, HxAuto or PxP by the sizes that are above 0; WxAuto when none is.
ActionType presetActionType(const PresetInfo& preset);

}  // namespace core
