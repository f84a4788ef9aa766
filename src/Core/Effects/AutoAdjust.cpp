#include "Core/Effects/AutoAdjust.h"

#include "Platform/Image/AutoAdjustment.h"

namespace core {

std::optional<ci::Filter> makeFilter(const FilterDefinition& definition) {
    return ci::Filter::named(definition.filterName(), definition.parameters());
}

void applyDefinition(ci::Filter& filter, const FilterDefinition& definition) {
    filter.setValues(definition.parameters());
}

image::Image applying(const image::Image& image, const std::vector<FilterDefinition>& definitions) {
    std::vector<ci::Filter> chain;
    for (const auto& definition : definitions)
        if (auto filter = makeFilter(definition)) chain.push_back(std::move(*filter));
    if (chain.empty()) return image;
    std::optional<image::Image> current = image;
    for (auto& filter : chain) {
        if (!current) break;
        filter.setValue(ci::kInputImageKey, *current);
        current = filter.outputImage();
    }
    return current ? *current : image;
}

std::vector<FilterDefinition> autoAdjustmentDefinitions(const image::Image& image) {
    std::vector<FilterDefinition> definitions;
    for (const auto& filter : ci::autoAdjustmentFilters(image))
        if (auto definition = FilterDefinition::fromFilter(filter)) definitions.push_back(*definition);
    return definitions;
}

image::Image autoAdjusted(const image::Image& image) {
    std::vector<FilterDefinition> blended;
    for (const auto& proposed : autoAdjustmentDefinitions(image))
        blended.push_back(FilterDefinition::starting(proposed.kind()).interpolate(proposed, 1.0));
    return applying(image, blended);
}

image::Image noirFiltered(const image::Image& image) {
    auto noir = ci::Filter::named("CIPhotoEffectNoir", {{std::string(ci::kInputImageKey), image}});
    if (!noir) return image;
    auto output = noir->outputImage();
    return output ? *output : image;
}

std::optional<image::Image> highContrastMono(const image::Image& image) {
    auto controls = ci::Filter::named("CIColorControls", {{std::string(ci::kInputImageKey), image},
                                                          {std::string(ci::kInputBrightnessKey), 0.0},
                                                          {std::string(ci::kInputContrastKey), 1.1},
                                                          {std::string(ci::kInputSaturationKey), 0.0}});
    if (!controls) return std::nullopt;
    auto grey = controls->outputImage();
    if (!grey) return std::nullopt;
    auto exposure = ci::Filter::named(
        "CIExposureAdjust", {{std::string(ci::kInputImageKey), *grey}, {std::string(ci::kInputEVKey), 0.7}});
    if (!exposure) return std::nullopt;
    return exposure->outputImage();
}

}  // namespace core
