#include "Core/Job/TargetSize.h"

#include <algorithm>
#include <cmath>

#include "Platform/Graphics/WholePixels.h"

namespace core {

namespace {

// A preset number, -1 when the key is missing or holds no number.
double presetNumberOrMinusOne(const PresetInfo& preset, std::string_view key) {
    const auto it = preset.find(key);
    if (it == preset.end()) return -1.0;
    return it->second.toDouble().value_or(-1.0);
}

double fallbackSide(const PresetInfo& preset, std::string_view key, bool has) {
    if (!has) return 0.0;
    const auto it = preset.find(key);
    const auto value = it == preset.end() ? std::nullopt : it->second.toDouble();
    return value.value_or(-1.0);
}

}  // namespace

cg::Size presetFallbackSize(const PresetInfo& preset) {
    return {fallbackSide(preset, presetkey::presetWidth, presetHasWidth(preset)),
            fallbackSide(preset, presetkey::presetHeight, presetHasHeight(preset))};
}

std::optional<cg::Size> targetSizeForPreset(cg::Size pixelSize, const PresetInfo* preset, cg::Size fallback,
                                            bool allowPortraitResize) {
    const double w = pixelSize.width, h = pixelSize.height;
    if (!(w > 0) || !(h > 0)) return std::nullopt;
    const double P = preset ? presetNumberOrMinusOne(*preset, presetkey::presetPercent) : -1.0;
    const double W = preset ? presetNumberOrMinusOne(*preset, presetkey::presetWidth) : -1.0;
    const double H = preset ? presetNumberOrMinusOne(*preset, presetkey::presetHeight) : -1.0;
    const ActionType kind = preset ? presetActionType(*preset) : ActionType::WxAuto;

    cg::Size target;
    switch (kind) {
        case ActionType::PxP:
            target = {P * w / 100.0, P * h / 100.0};
            break;
        case ActionType::WxAuto:
        case ActionType::HxAuto: {
            cg::Size base = kind == ActionType::WxAuto ? cg::Size{W, 0} : cg::Size{0, H};
            if ((kind == ActionType::WxAuto ? W : H) == 0) base = fallback;
            const bool givenSideIsShort = kind == ActionType::WxAuto ? h > w : w > h;
            const double s = (allowPortraitResize || !givenSideIsShort)
                                 ? std::max(base.width / w, base.height / h)
                                 : std::max(base.height / w, base.width / h);
            target = {cg::wholePixels(w * s), cg::wholePixels(h * s)};
            break;
        }
        case ActionType::WxH:
            target = (W > 0 && H > 0) ? cg::Size{W, H} : fallback;
            if (w < target.width || h < target.height) return std::nullopt;
            return target;
    }
    if (w < target.width && h < target.height) return std::nullopt;
    return target;
}

cg::Size coverSize(cg::Size pixelSize, cg::Size target) {
    const double s = std::max(target.width / pixelSize.width, target.height / pixelSize.height);
    return {cg::wholePixels(pixelSize.width * s), cg::wholePixels(pixelSize.height * s)};
}

}  // namespace core
