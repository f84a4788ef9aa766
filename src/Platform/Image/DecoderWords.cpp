#include "Platform/Image/DecoderWords.h"

namespace image::detail {

namespace {

bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

}  // namespace

std::optional<std::string> unsupportedVariantIn(std::string_view message) {
    // libheif's words for a compression it has no decoder for, which libvips passes on.
    if (contains(message, "Unsupported codec") || contains(message, "No decoding plugin"))
        return "HEIF image whose codec is missing";
    return std::nullopt;
}

bool reportsWantOfMemory(std::string_view message) {
    for (const std::string_view words : {"out of memory", "Out of memory", "Insufficient memory",
                                         "Memory allocation", "Cannot allocate memory", "Backing store"}) {
        if (contains(message, words)) return true;
    }
    return false;
}

}  // namespace image::detail
