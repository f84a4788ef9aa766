#include "Support/JpegPadding.h"

#include <cstdint>

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
    std::string header = jpeg.substr(0, 2);
    for (int i = 0; i < segments; ++i) header += std::string("\xff\xfe\x00\x04no", 6) + stray;
    return header + jpeg.substr(2);
}

}  // namespace testsupport
