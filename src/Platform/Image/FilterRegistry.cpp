#include "Platform/Image/FilterKind.h"

#include "Platform/Image/FilterPixels.h"

#include <algorithm>

namespace ci {

namespace {

std::vector<FilterKind> buildKinds() {
    std::vector<FilterKind> kinds;
    detail::addColourEffects(kinds);
    detail::addAdjustments(kinds);
    detail::addSpatialEffects(kinds);
    detail::addLookupAndCurves(kinds);
    detail::addLocalContrast(kinds);
    detail::addGeneratorsAndTransitions(kinds);
    std::sort(kinds.begin(), kinds.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    return kinds;
}

const std::vector<FilterKind>& kinds() {
    // Read by workers to the very end of the process: never destroyed.
    static const auto* const all = new std::vector<FilterKind>(buildKinds());
    return *all;
}

}  // namespace

const FilterKind* findFilterKind(std::string_view name) {
    const auto& all = kinds();
    const auto it =
        std::lower_bound(all.begin(), all.end(), name,
                         [](const FilterKind& kind, std::string_view n) { return kind.name < n; });
    if (it == all.end() || it->name != name) return nullptr;
    return &*it;
}

namespace detail {

const std::vector<std::string>& imageInputOnly() {
    static const auto* const keys = new std::vector<std::string>{std::string(kInputImageKey)};
    return *keys;
}

FilterKind colourBandsFilter(std::string name, Parameters defaults, ColourEffect effect) {
    return {std::move(name), imageInputOnly(), std::move(defaults),
            [effect](const FilterInputs& in) -> std::optional<vips::VImage> {
                auto image = in.inputImage();
                if (!image) return std::nullopt;
                return px::onColour(*image, [&](const vips::VImage& rgb) { return effect(rgb, in); });
            }};
}

}  // namespace detail

std::vector<std::string> filterNames() {
    std::vector<std::string> names;
    for (const auto& kind : kinds()) names.push_back(kind.name);
    return names;
}

}  // namespace ci
