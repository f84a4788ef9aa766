#pragma once
// ci::Filter: an image filter created by name ("CISepiaTone", "YUCICLAHE", ...) with named inputs that
// start at the filter's defaults. Its output is a lazy image of the input image's size (edges extend
// outwards where a filter reads beyond them); generators make an image of their "inputExtent".
// A Filter is a value: copies are independent, and any thread may use its own copy.

#include "Platform/Graphics/Geometry.h"
#include "Platform/Image/Image.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace ci {

// Numbers, vectors (points, rectangles as x, y, w, h, colours as r, g, b, a in 0...1, coefficient
// lists), lists of points and images. Integers are kept apart from doubles so a caller can tell them.
using Value = std::variant<double, int, std::vector<double>, std::vector<cg::Point>, image::Image>;
using Parameters = std::map<std::string, Value, std::less<>>;

inline constexpr std::string_view kInputImageKey = "inputImage";
inline constexpr std::string_view kInputTargetImageKey = "inputTargetImage";
inline constexpr std::string_view kInputEVKey = "inputEV";
inline constexpr std::string_view kInputVersionKey = "inputVersion";
inline constexpr std::string_view kInputRadiusKey = "inputRadius";
inline constexpr std::string_view kInputBrightnessKey = "inputBrightness";
inline constexpr std::string_view kInputContrastKey = "inputContrast";
inline constexpr std::string_view kInputSaturationKey = "inputSaturation";
inline constexpr std::string_view kInputIntensityKey = "inputIntensity";
inline constexpr std::string_view kInputExtentKey = "inputExtent";

struct FilterKind;

class Filter {
  public:
    // Absent when no filter of that name is registered.
    static std::optional<Filter> named(std::string_view name);
    // The same, then each parameter set as by setValue (unknown keys are ignored).
    static std::optional<Filter> named(std::string_view name, const Parameters& inputParameters);

    const std::string& name() const;
    // Every input the filter reads, "inputImage" among them when it filters an image.
    std::vector<std::string> inputKeys() const;
    bool takesImage() const;

    // Sets one input. Numbers convert between int and double; anything else of the wrong kind, or an
    // unknown key, is refused (false) and the input keeps its value.
    bool setValue(std::string_view key, Value value);
    // Key-value setting of a whole dictionary.
    void setValues(const Parameters& values);
    std::optional<Value> value(std::string_view key) const;

    // The filtered image, computed lazily. Absent when an image the filter needs is not set.
    std::optional<image::Image> outputImage() const;

  private:
    Filter(const FilterKind& kind);
    const FilterKind* kind_;
    Parameters values_;
};

// The names of every registered filter, sorted.
std::vector<std::string> filterNames();

}  // namespace ci
