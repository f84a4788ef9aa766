// The two filters computed with OpenCV: the edge-preserving surface blur and CLAHE. Both hold the
// photo in 8 bits; floats exist only for a strip of rows at a time.

#include "Platform/Image/FilterKind.h"
#include "Platform/Image/FilterPixels.h"

#include <opencv2/core/utility.hpp>
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

// The pixels of an 8-bit image as a Mat that owns a copy.
cv::Mat matOf(const vips::VImage& image) {
    size_t length = 0;
    std::unique_ptr<void, FreeDeleter> bytes(image.write_to_memory(&length));
    return cv::Mat(image.height(), image.width(), CV_8UC(image.bands()), bytes.get()).clone();
}

vips::VImage fromMat(const cv::Mat& mat) {
    return px::copyOf(mat.data, mat.total() * mat.elemSize(), mat.cols, mat.rows, mat.channels(),
                      VIPS_FORMAT_UCHAR);
}

// A guided filter with each band as its own guide: inside a window whose variance is below the
// threshold's square the band is averaged; across stronger changes (edges) it is kept. The
// coefficients vary slowly, so they are computed on a copy reduced by `factor` and enlarged again.
cv::Mat guided(const cv::Mat& image, int radius, double epsilon, int factor) {
    if (image.rows < 2 * factor || image.cols < 2 * factor) factor = 1;
    cv::Mat small = image;
    if (factor > 1) cv::resize(image, small, cv::Size(), 1.0 / factor, 1.0 / factor, cv::INTER_AREA);
    const int r = std::max(1, radius / factor);
    auto box = [&](const cv::Mat& m) {
        cv::Mat out;
        cv::boxFilter(m, out, CV_32F, cv::Size(2 * r + 1, 2 * r + 1), cv::Point(-1, -1), true,
                      cv::BORDER_REPLICATE);
        return out;
    };
    const cv::Mat mean = box(small), meanSquare = box(small.mul(small));
    const cv::Mat variance = meanSquare - mean.mul(mean);
    const cv::Mat a = variance / (variance + epsilon);
    cv::Mat meanA = box(a), meanB = box(mean - a.mul(mean));
    if (factor > 1) {
        cv::resize(meanA, meanA, image.size(), 0, 0, cv::INTER_LINEAR);
        cv::resize(meanB, meanB, image.size(), 0, 0, cv::INTER_LINEAR);
    }
    return meanA.mul(image) + meanB;
}

// Strips of rows are filtered in parallel, each with enough rows around it that its edges do not
// show.
std::optional<vips::VImage> surfaceBlur(const FilterInputs& in) {
    auto image = in.inputImage();
    if (!image) return std::nullopt;
    const int radius = std::clamp(int(std::lround(in.number(kInputRadiusKey, 10))), 1, 100);
    const double threshold = std::max(0.5, in.number("inputThreshold", 10)) / 255.0;
    const int factor = std::clamp(radius / 3, 1, 4);
    const auto parts = px::split(*image);
    const cv::Mat source = matOf(parts.rgb);
    const int height = source.rows, margin = (2 * radius / factor + 2) * factor, strip = 64 * factor;
    cv::Mat out(height, source.cols, CV_8UC3);
    cv::parallel_for_(cv::Range(0, (height + strip - 1) / strip), [&](const cv::Range& range) {
        for (int index = range.start; index < range.end; ++index) {
            const int top = index * strip, rows = std::min(strip, height - top);
            const int from = std::max(0, top - margin), to = std::min(height, top + rows + margin);
            cv::Mat floats;
            source.rowRange(from, to).convertTo(floats, CV_32F, 1.0 / 255);
            const cv::Mat filtered = guided(floats, radius, threshold * threshold, factor);
            filtered.rowRange(top - from, top - from + rows)
                .convertTo(out.rowRange(top, top + rows), CV_8U, 255.0);
        }
    });
    return px::finish(fromMat(out), parts.alpha);
}

// CLAHE on the luma; every band moves by the luma's change, so colours keep their hue.
std::optional<vips::VImage> clahe(const FilterInputs& in) {
    auto image = in.inputImage();
    if (!image) return std::nullopt;
    const auto parts = px::split(*image);
    const vips::VImage y = (px::luma(parts.rgb) + 0.5).cast(VIPS_FORMAT_UCHAR);
    const cv::Mat luma = matOf(y);
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
