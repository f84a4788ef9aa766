#include "GreyTiff.h"

#include <algorithm>

namespace coretest {
namespace {

std::string le(std::uint32_t value, int bytes) {
    std::string s;
    for (int i = 0; i < bytes; ++i) s += static_cast<char>((value >> (8 * i)) & 0xFF);
    return s;
}

TiffTag shortTag(std::uint16_t tag, std::uint16_t value) {
    return {tag, 3, 1, le(value, 2)};
}

TiffTag longTag(std::uint16_t tag, std::uint32_t value) {
    return {tag, 4, 1, le(value, 4)};
}

}  // namespace

std::string greyTiff(int width, int height, const std::vector<TiffTag>& extraTags,
                     const std::string& afterHeader) {
    const std::uint32_t pixelBytes = std::uint32_t(width) * std::uint32_t(height) * 3;
    std::vector<TiffTag> tags = {
        longTag(256, width), longTag(257, height), {258, 3, 3, le(8, 2) + le(8, 2) + le(8, 2)},
        shortTag(259, 1),    shortTag(262, 2),     longTag(273, 0),
        shortTag(277, 3),    longTag(278, height), longTag(279, pixelBytes),
        shortTag(284, 1),
    };
    for (const auto& extra : extraTags) {
        // A tag given again replaces the baseline's.
        std::erase_if(tags, [&](const TiffTag& t) { return t.tag == extra.tag; });
        tags.push_back(extra);
    }
    std::stable_sort(tags.begin(), tags.end(), [](const auto& a, const auto& b) { return a.tag < b.tag; });

    // Header, directory, then the values too long to sit in their entries, then the pixels.
    const std::uint32_t directory = 8 + std::uint32_t(afterHeader.size());
    std::uint32_t next = directory + 2 + std::uint32_t(tags.size()) * 12 + 4;
    std::string entries, outOfLine;
    std::size_t stripOffset = 0;
    for (const auto& t : tags) {
        entries += le(t.tag, 2) + le(t.type, 2) + le(t.count, 4);
        if (t.tag == 273) stripOffset = entries.size();
        if (t.value.size() <= 4) {
            entries += t.value + std::string(4 - t.value.size(), '\0');
        } else {
            entries += le(next + std::uint32_t(outOfLine.size()), 4);
            outOfLine += t.value + std::string(t.value.size() % 2, '\0');
        }
    }
    const std::uint32_t pixels = next + std::uint32_t(outOfLine.size());
    entries.replace(stripOffset, 4, le(pixels, 4));
    return std::string("II*\0", 4) + le(directory, 4) + afterHeader + le(std::uint32_t(tags.size()), 2) +
           entries + le(0, 4) + outOfLine + std::string(pixelBytes, '\x80');
}

}  // namespace coretest
