#include "Core/FMFilter.h"

namespace core {

const std::vector<FMFilter>& FMFilter::allFilters() {
    static const std::vector<FMFilter> all = [] {
        FMFilter none, autoEnhance;
        autoEnhance.auto_ = true;
        return std::vector<FMFilter>{none, autoEnhance};
    }();
    return all;
}

FMFilter FMFilter::fromDisplayName(std::string_view name) {
    for (const auto& f : allFilters())
        if (f.displayName() == name) return f;
    return allFilters().front();
}

std::optional<image::Image> applyImageEffectOption(const image::Image& input, int) {
    return input;
}

}  // namespace core
