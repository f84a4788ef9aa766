#pragma once
// FilterEffect: two strengths of automatic enhancement that scale a list of proposed adjustments by
// an intensity. Values and pure functions; `allEffects` is guarded for use from any thread.

#include "Core/Effects/FilterDefinition.h"

#include <optional>
#include <string>
#include <vector>

namespace core {

class FilterEffect {
  public:
    enum Case : int { autoEnhance = 0, enhance = 1 };

    constexpr FilterEffect(Case c) : case_(c) {}
    // The effect for a raw value; absent for anything but 0 and 1.
    static std::optional<FilterEffect> fromRawValue(int raw);

    int rawValue() const { return case_; }
    std::string name() const;
    double defaultIntensity() const;

    // The definitions scaled by the intensity (the input is not changed).
    std::vector<FilterDefinition> adjustedDefinitions(const std::vector<FilterDefinition>& definitions,
                                                      double intensity) const;

    // The app-wide list of effects, [autoEnhance, enhance] until someone replaces it.
    static std::vector<FilterEffect> allEffects();
    static void setAllEffects(std::vector<FilterEffect> effects);

    bool operator==(const FilterEffect& other) const { return case_ == other.case_; }

  private:
    Case case_;
};

}  // namespace core

template <>
struct std::hash<core::FilterEffect> {
    size_t operator()(const core::FilterEffect& e) const noexcept { return size_t(e.rawValue()); }
};
