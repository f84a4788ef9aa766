// The two filters computed with OpenCV: the edge-preserving surface blur and CLAHE. Both read their
// input in strips or as one 8-bit band, so a large photo never exists as floats in memory at once.

#include "Platform/Image/FilterKind.h"
#include "Platform/Image/FilterPixels.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>

namespace ci::detail {

namespace {

struct FreeDeleter {
    void operator()(void* p) const { g_free(p); }
};

// Rows [top, top + rows) of an 8-bit image as a Mat (the Mat owns a copy).
cv::Mat rowsOf(const vips::VImage& image, int top, int rows) {
    size_t length = 0;
    std::unique_ptr<void, FreeDeleter> bytes(
        image.extract_area(0, top, image.width(), rows).write_to_memory(&length));
    return cv::Mat(rows, image.width(), CV_8UC(image.bands()), bytes.get()).clone();
}

vips::VImage fromMat(const cv::Mat& mat) {
    return px::copyOf(mat.data, mat.total() * mat.elemSize(), mat.cols, mat.rows, mat.channels(),
                      VIPS_FORMAT_UCHAR);
}

// A guided filter with each band as its own guide: inside a window whose variance is below the
// threshold's square the band is averaged; across stronger changes (edges) it is kept.
cv::Mat guided(const cv::Mat& band, int radius, double epsilon) {
    const cv::Size window(2 * radius + 1, 2 * radius + 1);
    auto box = [&](const cv::Mat& m) {
        cv::Mat out;
        cv::boxFilter(m, out, CV_32F, window, cv::Point(-1, -1), true, cv::BORDER_REPLICATE);
        return out;
    };
    const cv::Mat mean = box(band), meanSquare = box(band.mul(band));
    const cv::Mat variance = meanSquare - mean.mul(mean);
    const cv::Mat a = variance / (variance + epsilon);
    const cv::Mat b = mean - a.mul(mean);
    return box(a).mul(band) + box(b);
}

std::optional<vips::VImage> surfaceBlur(const FilterInputs& in) {
    auto image = in.inputImage();
    if (!image) return std::nullopt;
    const int radius = std::clamp(int(std::lround(in.number(kInputRadiusKey, 10))), 1, 100);
    const double threshold = std::max(0.5, in.number("inputThreshold", 10)) / 255.0;
    const auto parts = px::split(*image);
    const vips::VImage rgb = parts.rgb;
    const int width = rgb.width(), height = rgb.height(), margin = 2 * radius + 1, strip = 256;
    cv::Mat out(height, width, CV_8UC3);
    for (int top = 0; top < height; top += strip) {
        const int rows = std::min(strip, height - top);
        const int from = std::max(0, top - margin), to = std::min(height, top + rows + margin);
        cv::Mat source;
        rowsOf(rgb, from, to - from).convertTo(source, CV_32F, 1.0 / 255);
        std::vector<cv::Mat> bands;
        cv::split(source, bands);
        for (auto& band : bands) band = guided(band, radius, threshold * threshold);
        cv::Mat merged;
        cv::merge(bands, merged);
        merged.rowRange(top - from, top - from + rows).convertTo(out.rowRange(top, top + rows), CV_8U, 255.0);
    }
    return px::finish(fromMat(out), parts.alpha);
}

// CLAHE on the luma; every band moves by the luma's change, so colours keep their hue.
std::optional<vips::VImage> clahe(const FilterInputs& in) {
    auto image = in.inputImage();
    if (!image) return std::nullopt;
    const auto parts = px::split(*image);
    const vips::VImage y = (px::luma(parts.rgb) + 0.5).cast(VIPS_FORMAT_UCHAR);
    const cv::Mat luma = rowsOf(y, 0, y.height());
    const auto tiles = in.vector("inputTileGridSize", {8, 8});
    auto equaliser = cv::createCLAHE(std::max(0.1, in.number("inputClipLimit", 2.0)),
                                     cv::Size(std::max(1, int(tiles.size() > 0 ? tiles[0] : 8)),
                                              std::max(1, int(tiles.size() > 1 ? tiles[1] : 8))));
    cv::Mat equalised;
    equaliser->apply(luma, equalised);
    const vips::VImage change = fromMat(equalised).cast(VIPS_FORMAT_FLOAT) - y;
    return px::finish(parts.rgb.cast(VIPS_FORMAT_FLOAT) + px::grey3(change), parts.alpha);
}

}  // namespace

void addLocalContrast(std::vector<FilterKind>& kinds) {
    kinds.push_back({"YUCISurfaceBlur",
                     imageInputOnly(),
                     {{std::string(kInputRadiusKey), 10.0}, {"inputThreshold", 10.0}},
                     surfaceBlur});
    kinds.push_back({"YUCICLAHE",
                     imageInputOnly(),
                     {{"inputClipLimit", 2.0}, {"inputTileGridSize", std::vector<double>{8, 8}}},
                     clahe});
}

}  // namespace ci::detail
