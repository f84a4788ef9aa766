#pragma once
// FilterDefinition: one photographic adjustment with its values (an exposure, a vibrance, a tone
// curve, ...), which can be read back from a filter, compared with a tolerance, blended towards
// another of its kind and turned into a filter again. An immutable value: any thread.

#include "Platform/Graphics/Geometry.h"
#include "Platform/Image/Filter.h"

#include <optional>
#include <string>
#include <variant>

namespace core {

class FilterDefinition {
  public:
    enum class Kind { exposure, vibrance, contrast, brightness, toneCurve, dynamicRange, gaussianBlur };

    struct ToneCurve {
        cg::Point p0, p1, p2, p3, p4;
    };
    struct DynamicRange {
        double highlights = 1, shadows = 0, radius = 0;
    };

    static FilterDefinition exposure(double ev);
    static FilterDefinition vibrance(double amount);
    static FilterDefinition contrast(double value);
    static FilterDefinition brightness(double value);
    static FilterDefinition toneCurve(ToneCurve curve);
    static FilterDefinition dynamicRange(DynamicRange range);
    static FilterDefinition gaussianBlur(double value);

    // The fixed start of each kind that the automatic enhancement blends from.
    static FilterDefinition starting(Kind kind);

    // Reads a vibrance, highlight-shadow or tone-curve filter back; absent for any other filter or
    // when a value is missing or of another type.
    static std::optional<FilterDefinition> fromFilter(const ci::Filter& filter);

    Kind kind() const { return kind_; }
    // The payload of the one-value kinds (0 for the others).
    double value() const;
    const ToneCurve* curve() const { return std::get_if<ToneCurve>(&payload_); }
    const DynamicRange* range() const { return std::get_if<DynamicRange>(&payload_); }

    std::string filterName() const;
    ci::Parameters parameters() const;

    // Each value moved from this (the start) towards `end` by `fraction`. Only vibrance, contrast,
    // brightness, tone curves and dynamic ranges blend, each with its own kind; any other pair prints
    // a diagnostic line and gives the start unchanged.
    FilterDefinition interpolate(const FilterDefinition& end, double fraction) const;

    // Same kind, and every value within 0.01 of the other's.
    bool operator==(const FilterDefinition& other) const;

    // The definition's textual form, for diagnostics.
    std::string description() const;

  private:
    using Payload = std::variant<double, ToneCurve, DynamicRange>;
    FilterDefinition(Kind kind, Payload payload) : kind_(kind), payload_(payload) {}
    Kind kind_;
    Payload payload_;
};

}  // namespace core
