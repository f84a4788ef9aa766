#pragma once
// The catalogue of named crop ratios (3:2, 4:3, 16:9, square, ...), each with its display-name key, icon
// and identifier, behind the croppable interface a crop tool would use. Applying a catalogue entry leaves
// the image as it is. Immutable values; safe anywhere.

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "Platform/Image/Image.h"

namespace core {

struct FMCropRatio {
    double width = 0, height = 0;
    bool operator==(const FMCropRatio&) const = default;
};

class FMCroppable {
  public:
    virtual ~FMCroppable() = default;
    virtual image::Image apply(const image::Image& image) const = 0;
    virtual std::optional<std::string> localizedName(
        const std::map<std::string, std::string>& table) const = 0;
    virtual std::optional<image::Image> icon() const = 0;  // none: the empty image
    virtual std::optional<FMCropRatio> ratio() const = 0;
    virtual std::string identifier() const = 0;
};

class FMCrop final : public FMCroppable {
  public:
    enum Case {
        ratio3x2,
        ratio4x3,
        ratio18x6,
        ratio16x9,
        ratio9x16,
        ratio1d91x1,
        ratioCustom,
        ratioOrigin,
        ratioSquare
    };

    constexpr FMCrop(Case value) : value_(value) {}
    constexpr Case value() const { return value_; }
    bool operator==(const FMCrop& other) const { return value_ == other.value_; }

    // The given image itself.
    image::Image apply(const image::Image& image) const override { return image; }
    // The table's text for the case's name key; none when the table lacks it.
    std::optional<std::string> localizedName(const std::map<std::string, std::string>& table) const override;
    // The application image named by the case's icon name; none when there is no such image.
    std::optional<image::Image> icon() const override;
    std::optional<FMCropRatio> ratio() const override;
    std::string identifier() const override;

    std::string nameKey() const;
    std::string iconName() const;

  private:
    Case value_;
};

}  // namespace core

template <>
struct std::hash<core::FMCrop> {
    std::size_t operator()(const core::FMCrop& crop) const noexcept { return std::size_t(crop.value()); }
};
