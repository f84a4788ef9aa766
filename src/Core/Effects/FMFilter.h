#pragma once
// FMFilter: the effect catalogue. Each of the 41 cases is named after the filter that performs it
// ("CISepiaTone", "YUCICLAHE", ...) and has the display name a preset stores under
// "imageEffectFilter". `allFilters` is what the effects grid offers. An immutable value: any thread.

#include "Core/Effects/FMFilterable.h"
#include "Platform/Image/Filter.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace core {

class FMFilter final : public FMFilterable {
  public:
    enum class Case {
        None,
        CIPhotoEffectAutoEnhance,
        CIPhotoEffectChrome,
        CIPhotoEffectFade,
        CIPhotoEffectInstant,
        CIPhotoEffectMono,
        CIPhotoEffectNoir,
        CIPhotoEffectProcess,
        CIPhotoEffectTonal,
        CIPhotoEffectTransfer,
        CIColorCrossPolynomial,
        CIColorCube,
        CIColorCubeWithColorSpace,
        CIColorInvert,
        CIColorMonochrome,
        CIColorPosterize,
        CIFalseColor,
        CIMinimumComponent,
        CISepiaTone,
        CIVignette,
        CIVignetteEffect,
        CIPixellate,
        CISpotColor,
        CILineOverlay,
        CIHexagonalPixellate,
        CISharpenLuminance,
        CIBoxBlur,
        CINoiseReduction,
        YUCIColorLookup,
        YUCIRGBToneCurve,
        YUCISurfaceBlur,
        YUCICrossZoomTransition,
        YUCIFilmBurnTransition,
        YUCIFlashTransition,
        YUCIStarfieldGenerator,
        YUCIBlobsGenerator,
        YUCITriangularPixellate,
        YUCIFXAA,
        YUCIHistogramEqualization,
        YUCICLAHE,
        YUCISkyGenerator,
    };
    static constexpr int kCaseCount = 41;

    constexpr FMFilter(Case c = Case::None) : case_(c) {}

    Case filterCase() const { return case_; }
    // The case's name, which is also the name its filter is created by.
    std::string_view caseName() const;
    std::string displayName() const override;
    bool isNone() const { return case_ == Case::None; }
    bool isOriginal() const override { return isNone(); }

    // A new filter created by the case's name with its default inputs; absent for None, for
    // AutoEnhance (the automatic adjustments do that work) and for any name no filter answers to.
    std::optional<ci::Filter> ciFilter() const;
    // The image through the case's filter; the very same image when the case has no filter or the
    // filter gives nothing.
    std::optional<image::Image> apply(const image::Image& input) const override;

    // Every case, in declaration order.
    static const std::vector<FMFilter>& allCases();
    // The 31 cases the effects grid offers, in the grid's order.
    static const std::vector<FMFilter>& allFilters();
    // The first of `allFilters` whose display name is exactly `name`; None when there is none.
    static FMFilter fromDisplayName(std::string_view name);
    static std::shared_ptr<const FMFilterable> shared(FMFilter filter);

    bool operator==(const FMFilter& other) const { return case_ == other.case_; }

  private:
    Case case_;
};

}  // namespace core

template <>
struct std::hash<core::FMFilter> {
    size_t operator()(const core::FMFilter& f) const noexcept { return size_t(f.filterCase()); }
};
