#include "Platform/Image/JpegMetadataSegments.h"

#include <algorithm>
#include <string_view>

namespace image::detail {

namespace {

constexpr std::uint8_t kApp1 = 0xE1, kApp2 = 0xE2, kApp13 = 0xED;

// libvips looks for the NUL that ends an XMP block's namespace in its first 80 bytes only.
constexpr std::size_t kXmpNamespaceReach = 80;

bool startsWith(std::span<const std::uint8_t> bytes, std::string_view signature) {
    return bytes.size() >= signature.size() && std::equal(signature.begin(), signature.end(), bytes.begin());
}

}  // namespace

JpegMetadataSegment JpegMetadataChooser::take(std::uint8_t code, std::span<const std::uint8_t> head,
                                              std::size_t length) {
    using Kind = JpegMetadataSegment::Kind;
    if (code == kApp1 && length > 4) {
        if (!exif_ && startsWith(head, "Exif")) {
            exif_ = true;
            return {Kind::Exif};
        }
        if (!xmp_ && startsWith(head, "http")) {
            const auto reach = head.first(std::min(head.size(), kXmpNamespaceReach));
            const auto nul = std::find(reach.begin(), reach.end(), 0);
            if (nul != reach.end()) {
                xmp_ = true;
                return {Kind::Xmp, 0, std::size_t(nul - reach.begin()) + 1};
            }
        }
    } else if (code == kApp13 && length > 5 && !iptc_ && startsWith(head, "Photo")) {
        iptc_ = true;
        return {Kind::Iptc};
    } else if (code == kApp2 && length > 14 && startsWith(head, std::string_view("ICC_PROFILE\0", 12))) {
        const int chunk = head[12];
        if (chunk >= 1 && chunk <= kJpegIccChunks) return {Kind::IccChunk, chunk, 14};
    }
    return {};
}

}  // namespace image::detail
