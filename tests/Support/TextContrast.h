#pragma once
// How readable text is in a grabbed picture: the WCAG contrast ratio between the picture's dominant
// colour (taken as the background) and the pixel that stands out most from it (the text's ink).

#include <QColor>
#include <QImage>
#include <algorithm>
#include <cmath>
#include <map>

namespace testsupport {

inline double relativeLuminance(const QColor& c) {
    const auto channel = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

inline double contrastRatio(const QColor& a, const QColor& b) {
    const double la = relativeLuminance(a), lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The contrast of the text in `region` against its background; 1 when the region holds one colour.
inline double textContrast(const QImage& region) {
    std::map<QRgb, int> counts;
    for (int y = 0; y < region.height(); ++y)
        for (int x = 0; x < region.width(); ++x) ++counts[region.pixel(x, y) | 0xff000000u];
    if (counts.empty()) return 1;
    const QColor background(std::max_element(counts.begin(), counts.end(), [](auto& a, auto& b) {
                                return a.second < b.second;
                            })->first);
    double best = 1;
    for (const auto& [rgb, n] : counts) best = std::max(best, contrastRatio(background, QColor(rgb)));
    return best;
}

}  // namespace testsupport
