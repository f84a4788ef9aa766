#include "Core/Crop/FMCrop.h"

#include <array>

#include "Platform/Foundation/Bundle.h"
#include "Platform/Image/ImageLoading.h"

namespace core {

namespace {

struct Entry {
    std::optional<FMCropRatio> ratio;
    const char* nameKey;
    const char* iconName;
    const char* identifier;
};

// In case order. The pairs that share a name key, icon or identifier do so on purpose.
const std::array<Entry, 9> entries = {{
    {FMCropRatio{3, 2}, "editor_crop_ratio3x2", "icon_crop_4x3", "ratio4x3"},
    {FMCropRatio{4, 3}, "editor_crop_ratio4x3", "icon_crop_4x3", "ratio4x3"},
    {FMCropRatio{18, 6}, "editor_crop_ratio16x9", "icon_crop_16x9", "ratio18x6"},
    {FMCropRatio{16, 9}, "editor_crop_ratio16x9", "icon_crop_16x9", "ratio16x9"},
    {FMCropRatio{9, 16}, "editor_crop_ratio9x16", "icon_crop_9x16", "ratio9x16"},
    {FMCropRatio{1.91, 1}, "editor_crop_ratio9x16", "icon_crop_9x16", "Social"},
    {std::nullopt, "editor_crop_ratioCustom", "icon_crop_custom", "ratioCustom"},
    {std::nullopt, "editor_crop_ratioOrigin", "icon_crop_origin_ratio", "ratioOrigin"},
    {FMCropRatio{1, 1}, "editor_crop_ratioSquare", "icon_crop_square", "ratioSquare"},
}};

}  // namespace

std::optional<std::string> FMCrop::localizedName(const std::map<std::string, std::string>& table) const {
    const auto found = table.find(nameKey());
    if (found == table.end()) return std::nullopt;
    return found->second;
}

std::optional<image::Image> FMCrop::icon() const {
    const auto path = foundation::Bundle::main().pathForResource(iconName(), "png");
    if (!path) return std::nullopt;
    return image::loadImage(*path);
}

std::optional<FMCropRatio> FMCrop::ratio() const {
    return entries[value_].ratio;
}
std::string FMCrop::identifier() const {
    return entries[value_].identifier;
}
std::string FMCrop::nameKey() const {
    return entries[value_].nameKey;
}
std::string FMCrop::iconName() const {
    return entries[value_].iconName;
}

}  // namespace core
