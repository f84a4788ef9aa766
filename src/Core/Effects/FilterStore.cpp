#include "Core/Effects/FilterStore.h"

#include "Platform/Foundation/Bundle.h"
#include "Platform/Image/ImageLoading.h"

namespace core {

namespace {

std::vector<std::optional<ci::Filter>> buildFilters() {
    std::vector<std::optional<ci::Filter>> list;
    list.emplace_back(std::nullopt);
    ci::Parameters lookup;
    if (const auto path = foundation::Bundle::main().pathForResource("ColorLookup", "png"))
        if (auto table = image::loadImage(*path)) lookup.emplace("inputColorLookupTable", *table);
    const ci::Value extent = std::vector<double>{0, 0, 1200, 800};
    const std::vector<std::pair<const char*, ci::Parameters>> configured = {
        {"YUCIColorLookup", lookup},
        {"YUCIRGBToneCurve",
         {{"inputRGBCompositeControlPoints", std::vector<cg::Point>{{0, 0}, {0.5, 0.7}, {1, 1}}}}},
        {"YUCISurfaceBlur", {}},
        {"YUCICrossZoomTransition", {}},
        {"YUCIFilmBurnTransition", {}},
        {"YUCIFlashTransition", {}},
        {"YUCIStarfieldGenerator", {{"inputExtent", extent}, {"inputTime", 0}}},
        {"YUCIBlobsGenerator", {{"inputExtent", extent}, {"inputTime", 6.0}}},
        {"YUCITriangularPixellate", {}},
        {"YUCIFXAA", {}},
        {"YUCIHistogramEqualization", {}},
        {"YUCICLAHE", {}},
        {"YUCISkyGenerator", {{"inputExtent", extent}}},
    };
    for (const auto& [name, parameters] : configured) list.push_back(ci::Filter::named(name, parameters));
    return list;
}

}  // namespace

const std::vector<std::optional<ci::Filter>>& FilterStore::filters() {
    // Read by workers to the very end of the process: never destroyed.
    static const auto* const list = new std::vector<std::optional<ci::Filter>>(buildFilters());
    return *list;
}

image::Image FilterStore::apply(const ci::Filter& filter, const image::Image& image) {
    filters();
    ci::Filter configured = filter;
    if (configured.takesImage()) {
        configured.setValue(ci::kInputImageKey, image);
    } else {
        // A generator fills the photo's own extent, so its output is drawn at the photo's size
        // without being stretched.
        configured.setValue(ci::kInputExtentKey,
                            std::vector<double>{0, 0, double(image.width()), double(image.height())});
    }
    auto output = configured.outputImage();
    if (!output) return image;
    return *output;
}

}  // namespace core
