#include "Support/JpegPadding.h"

#include <cstdint>

#include "Support/ImageSurgery.h"

namespace testsupport {

std::string withPaddingBeforeRestarts(const std::string& jpeg, const std::string& padding, std::size_t limit,
                                      std::size_t* count) {
    const std::size_t scan = jpeg.find("\xff\xda");
    std::string padded = jpeg.substr(0, scan);
    std::size_t paddings = 0;
    for (std::size_t i = padded.size(); i < jpeg.size(); ++i) {
        const bool restart =
            jpeg[i] == '\xff' && i + 1 < jpeg.size() && (std::uint8_t(jpeg[i + 1]) & 0xf8) == 0xd0;
        if (restart && paddings < limit) {
            padded += padding;
            ++paddings;
        }
        padded += jpeg[i];
    }
    if (count) *count = paddings;
    return padded;
}

std::string withStrayBytesInHeader(const std::string& jpeg, int segments, const std::string& stray) {
    std::string all;
    for (int i = 0; i < segments; ++i) all += jpegSegment('\xfe', "no") + stray;
    return withJpegSegmentsAtStart(jpeg, all);
}

std::string withPaddedRestartAt(const std::string& jpeg, const std::string& padding, std::size_t offset) {
    const std::string padded = withPaddingBeforeRestarts(jpeg, padding);
    std::size_t marker = std::string::npos;
    for (std::size_t i = padded.find("\xff\xda"); i < padded.size() && i <= offset; ++i) {
        if (padded[i] == '\xff' && i + 1 < padded.size() && (std::uint8_t(padded[i + 1]) & 0xf8) == 0xd0)
            marker = i;
    }
    if (marker == std::string::npos) return padded;
    return padded.substr(0, marker) + std::string(offset - marker, padding.back()) + padded.substr(marker);
}

std::string withLaterJfifSegments(const std::string& jpeg, int segments) {
    const std::string jfif = jpegSegment('\xe0', std::string("JFIF\0\x02\x01\0\0\x01\0\x01\0\0", 14));
    std::string all;
    for (int i = 0; i < segments; ++i) all += jfif;
    return withJpegSegmentsAtStart(jpeg, all);
}

}  // namespace testsupport
