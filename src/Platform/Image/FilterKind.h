#pragma once
// What the registry knows of one filter: its name, its inputs with their defaults, and how it renders.
// For the filter implementations only. Kinds are immutable and shared by every thread.

#include "Platform/Image/Filter.h"

#include <vips/vips8>

#include <functional>
#include <optional>

namespace ci {

class FilterInputs;

struct FilterKind {
    using Render = std::function<std::optional<vips::VImage>(const FilterInputs&)>;
    std::string name;
    std::vector<std::string> imageKeys;  // the image inputs, "inputImage" first when it takes one
    Parameters defaults;                 // every other input (an image default is allowed)
    Render render;
};

// The inputs of one rendering, read by type; a missing or mistyped value reads as the fallback.
class FilterInputs {
  public:
    explicit FilterInputs(const Parameters& values) : values_(values) {}
    double number(std::string_view key, double fallback = 0) const;
    std::vector<double> vector(std::string_view key, std::vector<double> fallback = {}) const;
    std::vector<cg::Point> points(std::string_view key) const;
    std::optional<vips::VImage> image(std::string_view key) const;
    // The input image in 8-bit sRGB form (3 bands, or 4 with alpha).
    std::optional<vips::VImage> inputImage() const { return image(kInputImageKey); }

  private:
    const Parameters& values_;
};

// The kind registered under `name`, or null.
const FilterKind* findFilterKind(std::string_view name);

namespace detail {
// The single image input "inputImage".
const std::vector<std::string>& imageInputOnly();
// A filter of the input image whose effect works on its colour bands; alpha is kept.
using ColourEffect = std::function<vips::VImage(const vips::VImage& rgb, const FilterInputs& in)>;
FilterKind colourBandsFilter(std::string name, Parameters defaults, ColourEffect effect);

// Each group of filters adds its kinds to the registry while it is built.
void addColourEffects(std::vector<FilterKind>& kinds);
void addAdjustments(std::vector<FilterKind>& kinds);
void addSpatialEffects(std::vector<FilterKind>& kinds);
void addLookupAndCurves(std::vector<FilterKind>& kinds);
void addLocalContrast(std::vector<FilterKind>& kinds);
void addGeneratorsAndTransitions(std::vector<FilterKind>& kinds);
}  // namespace detail

}  // namespace ci
