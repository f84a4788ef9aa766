#include "Screens/Setup/PresetCellText.h"

#include <QString>

#include "Extensions/StringCase.h"

namespace setup {

namespace {

std::string trimmedUpper(const std::string& text) {
    return QString::fromStdString(text).trimmed().toUpper().toStdString();
}

}  // namespace

std::string capitalisedName(const std::string& text) {
    std::string name = text;
    str::uppercaseFirstCharacter(name);
    return name;
}

PresetBadges presetBadges(const core::PresetInfo& preset) {
    PresetBadges b;
    std::string name = core::presetName(preset);
    if (QString::fromStdString(name).trimmed().isEmpty()) name = core::presetSizeShortText(preset);
    b.name = capitalisedName(name);
    b.sizeText = core::presetSizeText(preset);
    b.format = trimmedUpper(core::presetOutputExtension(preset));
    b.formatShown = !b.format.empty() && b.format != "DEFAULT";
    b.effect = trimmedUpper(core::presetEffectFilter(preset));
    b.effectShown = !b.effect.empty() && b.effect != "ORIGINAL";
    b.saliency = core::presetAutoSaliency(preset) ? "MAGIC CROP" : "";
    b.saliencyShown = !b.saliency.empty() && !b.format.empty();
    b.originalShown =
        (b.saliency.empty() || b.format.empty()) && (b.effect == "ORIGINAL" || b.effect.empty());
    b.autoEnhance = core::presetAutoEnhance(preset);
    return b;
}

std::optional<cg::Rect> aspectBoxFrame(double width, double height) {
    // The editor stores 0 for an empty side; it means the same as -1, never a box of no size.
    const double w = width > 0 ? width : -1;
    const double h = height > 0 ? height : -1;
    if (w == h) return std::nullopt;
    constexpr double side = 60;
    if (h > w || h == -1) {
        if (w == -1 || w >= h) return cg::Rect{0, 0, side, side};
        const double boxWidth = side * w / h;
        return cg::Rect{side - boxWidth, 0, boxWidth, side};
    }
    const double boxHeight = side * h / w;
    return cg::Rect{0, (side - boxHeight) / 2, side, boxHeight};
}

}  // namespace setup
