#include "Core/Effects/FMFilter.h"

#include "Core/Effects/FilterStore.h"

#include <array>

namespace core {

namespace {

struct Entry {
    std::string_view name;
    std::string_view displayName;
};

// In the order of the cases.
constexpr std::array<Entry, FMFilter::kCaseCount> kEntries = {{
    {"None", "Original"},
    {"CIPhotoEffectAutoEnhance", "AutoEnhance"},
    {"CIPhotoEffectChrome", "Chrome"},
    {"CIPhotoEffectFade", "Fade"},
    {"CIPhotoEffectInstant", "Instant"},
    {"CIPhotoEffectMono", "Mono"},
    {"CIPhotoEffectNoir", "Noir"},
    {"CIPhotoEffectProcess", "Process"},
    {"CIPhotoEffectTonal", "Tonal"},
    {"CIPhotoEffectTransfer", "Transfer"},
    {"CIColorCrossPolynomial", "Polynomial"},
    {"CIColorCube", "Color Cube"},
    {"CIColorCubeWithColorSpace", "Color Space"},
    {"CIColorInvert", "Invert"},
    {"CIColorMonochrome", "Monochrome"},
    {"CIColorPosterize", "Posterize"},
    {"CIFalseColor", "Color"},
    {"CIMinimumComponent", "Component"},
    {"CISepiaTone", "Sepia"},
    {"CIVignette", "Vignette"},
    {"CIVignetteEffect", "Vignette"},
    {"CIPixellate", "Pixellate"},
    {"CISpotColor", "SpotColor"},
    {"CILineOverlay", "LineOverlay"},
    {"CIHexagonalPixellate", "Hexagonal"},
    {"CISharpenLuminance", "Sharpen"},
    {"CIBoxBlur", "Blur"},
    {"CINoiseReduction", "Less Noise"},
    {"YUCIColorLookup", "Color Lookup"},
    {"YUCIRGBToneCurve", "Tone Curve"},
    {"YUCISurfaceBlur", "Surface Blur"},
    {"YUCICrossZoomTransition", "YUCICrossZoomTransition"},
    {"YUCIFilmBurnTransition", "YUCIFilmBurnTransition"},
    {"YUCIFlashTransition", "YUCIFlashTransition"},
    {"YUCIStarfieldGenerator", "YUCIStarfieldGenerator"},
    {"YUCIBlobsGenerator", "YUCIBlobsGenerator"},
    {"YUCITriangularPixellate", "Triangular"},
    {"YUCIFXAA", "FXAA"},
    {"YUCIHistogramEqualization", "HEZ"},
    {"YUCICLAHE", "CLAHE"},
    {"YUCISkyGenerator", "YUCISkyGenerator"},
}};

const Entry& entryOf(FMFilter::Case c) {
    return kEntries[size_t(c)];
}

}  // namespace

std::string_view FMFilter::caseName() const {
    return entryOf(case_).name;
}

std::string FMFilter::displayName() const {
    return std::string(entryOf(case_).displayName);
}

std::optional<ci::Filter> FMFilter::ciFilter() const {
    if (isNone()) return std::nullopt;
    return ci::Filter::named(caseName());
}

std::optional<image::Image> FMFilter::apply(const image::Image& input) const {
    const auto filter = ciFilter();
    if (!filter) return input;
    return FilterStore::apply(*filter, input);
}

const std::vector<FMFilter>& FMFilter::allCases() {
    // Read by workers to the very end of the process: never destroyed.
    static const auto* const cases = new std::vector<FMFilter>([] {
        std::vector<FMFilter> all;
        for (int i = 0; i < kCaseCount; ++i) all.emplace_back(Case(i));
        return all;
    }());
    return *cases;
}

const std::vector<FMFilter>& FMFilter::allFilters() {
    using enum Case;
    static const auto* const grid = new std::vector<FMFilter>{
        None,
        CIPhotoEffectAutoEnhance,
        CIPhotoEffectChrome,
        CIPhotoEffectInstant,
        CISharpenLuminance,
        YUCIColorLookup,
        YUCIRGBToneCurve,
        YUCISurfaceBlur,
        YUCIFXAA,
        YUCIHistogramEqualization,
        YUCICLAHE,
        CIPhotoEffectMono,
        CIPhotoEffectProcess,
        CIPhotoEffectTransfer,
        CISepiaTone,
        CIPhotoEffectNoir,
        CIPhotoEffectFade,
        CIPhotoEffectTonal,
        CINoiseReduction,
        CIMinimumComponent,
        CIColorPosterize,
        CIColorMonochrome,
        CIColorInvert,
        CIFalseColor,
        CIColorCube,
        CIPixellate,
        CISpotColor,
        CIHexagonalPixellate,
        YUCITriangularPixellate,
        CIBoxBlur,
        CILineOverlay,
    };
    return *grid;
}

FMFilter FMFilter::fromDisplayName(std::string_view name) {
    for (const auto& filter : allFilters())
        if (entryOf(filter.case_).displayName == name) return filter;
    return FMFilter(Case::None);
}

std::shared_ptr<const FMFilterable> FMFilter::shared(FMFilter filter) {
    return std::make_shared<const FMFilter>(filter);
}

}  // namespace core
