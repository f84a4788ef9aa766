#include "Core/Effects/EnhancementEffect.h"

#include <algorithm>
#include <cmath>
#include <mutex>

namespace core {

namespace {

std::mutex effectsMutex;

std::vector<FilterEffect>& effectsList() {
    static std::vector<FilterEffect> effects = {FilterEffect::autoEnhance, FilterEffect::enhance};
    return effects;
}

double positiveOrZero(double v) {
    return v > 0 ? v : 0.0;
}

}  // namespace

std::optional<FilterEffect> FilterEffect::fromRawValue(int raw) {
    if (raw == autoEnhance || raw == enhance) return FilterEffect(Case(raw));
    return std::nullopt;
}

std::string FilterEffect::name() const {
    return case_ == autoEnhance ? "AutoEnhance" : "EnhanceV1";
}

double FilterEffect::defaultIntensity() const {
    return case_ == autoEnhance ? 1.0 : 0.5;
}

std::vector<FilterDefinition> FilterEffect::adjustedDefinitions(
    const std::vector<FilterDefinition>& definitions, double intensity) const {
    using Kind = FilterDefinition::Kind;
    std::vector<FilterDefinition> out;
    if (case_ == autoEnhance) {
        for (const auto& d : definitions)
            out.push_back(FilterDefinition::starting(d.kind()).interpolate(d, intensity));
        return out;
    }
    const double a = 2 * intensity;
    const double f = a <= a * a ? a * a : a;
    const double c1 = positiveOrZero(std::min(f, 1.0)), c2 = positiveOrZero(std::min(f, 2.0));
    const auto identity = FilterDefinition::starting(Kind::toneCurve);
    for (const auto& d : definitions) {
        if (const auto* r = d.range()) {
            out.push_back(FilterDefinition::dynamicRange(
                {c2 * (r->highlights - 1) + 1, c2 * r->shadows, c2 * r->radius}));
        } else if (d.kind() == Kind::toneCurve) {
            out.push_back(identity.interpolate(d, c1));
        } else if (d.kind() == Kind::vibrance) {
            out.push_back(FilterDefinition::vibrance(c2 * d.value()));
        } else {
            out.push_back(FilterDefinition::starting(d.kind()).interpolate(d, f));
        }
    }
    const double g = std::max(std::min(f, 4.0), 1.0) - 1;
    const double t = std::abs(g) < 0.01 ? 0.0 : g / 3;
    out.push_back(identity.interpolate(
        FilterDefinition::toneCurve({{0, 0}, {0.25, 0.22}, {0.5, 0.5}, {0.75, 0.75}, {1, 1}}), t));
    out.push_back(FilterDefinition::vibrance(0).interpolate(FilterDefinition::vibrance(0.2), t));
    return out;
}

std::vector<FilterEffect> FilterEffect::allEffects() {
    std::lock_guard lock(effectsMutex);
    return effectsList();
}

void FilterEffect::setAllEffects(std::vector<FilterEffect> effects) {
    std::lock_guard lock(effectsMutex);
    effectsList() = std::move(effects);
}

}  // namespace core
