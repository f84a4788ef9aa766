#include "Platform/Image/CutShort.h"
#include "Platform/Image/TiffWithoutLargeMetadata.h"

namespace image::detail {

std::optional<std::string> tiffCutShort(std::span<const std::uint8_t> head, std::uint64_t size) {
    const auto directory = tiffFirstDirectory(head);
    if (!directory || *directory < size) return std::nullopt;
    return "TIFF data truncated: its first directory is at byte " + std::to_string(*directory) +
           ", the file holds " + std::to_string(size);
}

}  // namespace image::detail
