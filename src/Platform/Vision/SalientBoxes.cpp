#include "Platform/Vision/SalientBoxes.h"

#include <algorithm>
#include <cmath>
#include <opencv2/imgproc.hpp>

namespace vision {

namespace {

// A map whose spread is below this (on 0...1) carries no object worth cropping to.
constexpr double minimumContrast = 0.02;
// Regions smaller than this share of the image are noise, not objects.
constexpr double minimumAreaShare = 0.002;

struct Region {
    cv::Rect box;
    double mass = 0;  // summed saliency
    double peak = 0;
};

cv::Mat smoothedUnitMap(const cv::Mat& map) {
    cv::Mat unit;
    map.convertTo(unit, CV_32F);
    cv::normalize(unit, unit, 0, 1, cv::NORM_MINMAX);
    const double sigma = std::max(1.0, 0.01 * std::max(unit.cols, unit.rows));
    cv::GaussianBlur(unit, unit, cv::Size(), sigma);
    cv::normalize(unit, unit, 0, 1, cv::NORM_MINMAX);
    return unit;
}

cg::Rect normalisedBottomLeft(const cv::Rect& r, int width, int height) {
    return cg::Rect(double(r.x) / width, 1.0 - double(r.y + r.height) / height, double(r.width) / width,
                    double(r.height) / height);
}

}  // namespace

std::vector<RectangleObservation> salientBoxes(const cv::Mat& map, bool onlyStrongest, int maxObjects) {
    if (map.empty() || map.channels() != 1) return {};
    cv::Scalar mean, spread;
    cv::Mat raw;
    map.convertTo(raw, CV_32F);
    double rawMin = 0, rawMax = 0;
    cv::minMaxLoc(raw, &rawMin, &rawMax);
    if (rawMax - rawMin <= 0) return {};
    cv::meanStdDev((raw - rawMin) / (rawMax - rawMin), mean, spread);
    if (spread[0] < minimumContrast) return {};

    const cv::Mat unit = smoothedUnitMap(raw);
    cv::Mat bytes;
    unit.convertTo(bytes, CV_8U, 255.0);
    cv::Mat mask;
    const double otsu = cv::threshold(bytes, mask, 0, 255, cv::THRESH_BINARY | cv::THRESH_OTSU);
    // Otsu splits any map in two; insist that the kept part stands well above the average.
    cv::meanStdDev(unit, mean, spread);
    const double floor = 255.0 * std::min(0.9, mean[0] + 1.5 * spread[0]);
    cv::threshold(bytes, mask, std::max(otsu, floor), 255, cv::THRESH_BINARY);

    cv::Mat labels, stats, centroids;
    const int count = cv::connectedComponentsWithStats(mask, labels, stats, centroids, 8, CV_32S);
    std::vector<Region> regions(count);
    for (int y = 0; y < labels.rows; ++y) {
        const int* label = labels.ptr<int>(y);
        const float* value = unit.ptr<float>(y);
        for (int x = 0; x < labels.cols; ++x) {
            Region& r = regions[label[x]];
            r.mass += value[x];
            r.peak = std::max(r.peak, double(value[x]));
        }
    }
    const double minimumArea = minimumAreaShare * double(unit.total());
    std::vector<Region> kept;
    for (int i = 1; i < count; ++i) {  // label 0 is the background
        if (stats.at<int>(i, cv::CC_STAT_AREA) < minimumArea) continue;
        regions[i].box = cv::Rect(stats.at<int>(i, cv::CC_STAT_LEFT), stats.at<int>(i, cv::CC_STAT_TOP),
                                  stats.at<int>(i, cv::CC_STAT_WIDTH), stats.at<int>(i, cv::CC_STAT_HEIGHT));
        kept.push_back(regions[i]);
    }
    if (kept.empty()) return {};

    if (onlyStrongest) {
        const auto strongest = std::max_element(
            kept.begin(), kept.end(), [](const Region& a, const Region& b) { return a.peak < b.peak; });
        kept = {*strongest};
    } else {
        std::sort(kept.begin(), kept.end(), [](const Region& a, const Region& b) { return a.mass > b.mass; });
        if (int(kept.size()) > maxObjects) kept.resize(maxObjects);
    }

    const double topMass = kept.front().mass;
    std::vector<RectangleObservation> boxes;
    for (const Region& r : kept) {
        boxes.push_back({normalisedBottomLeft(r.box, unit.cols, unit.rows), float(r.mass / topMass)});
    }
    return boxes;
}

}  // namespace vision
