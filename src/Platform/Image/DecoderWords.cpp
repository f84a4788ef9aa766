#include "Platform/Image/DecoderWords.h"

#include <cctype>

namespace image::detail {

namespace {

bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

// A PNG decoder's note on a chunk ("IDAT: invalid code lengths set", "iCCP: known incorrect sRGB
// profile"): true for a chunk that holds the image (its name starts with a capital), false for an
// optional one, which a reader may drop; absent for any other line.
std::optional<bool> chunkNoteIsCritical(std::string_view line) {
    if (line.size() < 6 || line[4] != ':' || line[5] != ' ') return std::nullopt;
    for (std::size_t i = 0; i < 4; ++i) {
        if (!std::isalpha(static_cast<unsigned char>(line[i]))) return std::nullopt;
    }
    return std::isupper(static_cast<unsigned char>(line[0])) != 0;
}

}  // namespace

bool reportsCorruptData(std::string_view line) {
    // Quirks after which every pixel was still read: bytes left over between JPEG segments or after a
    // PNG's image data, a broken colour profile marker.
    for (const std::string_view leftover : {"extraneous bytes before marker", "bad ICC marker",
                                            "Too much image data", "xtra compressed data"}) {
        if (contains(line, leftover)) return false;
    }
    if (const auto critical = chunkNoteIsCritical(line)) return *critical;
    for (const std::string_view phrase :
         {"Corrupt JPEG data", "Premature end", "premature end", "Inconsistent progression", "Huffman",
          "truncated", "Truncated", "not enough data", "Not enough data", "Read error on strip",
          "Read error on tile"}) {
        if (contains(line, phrase)) return true;
    }
    return false;
}

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

std::optional<std::string> failureNotAboutTheFile(std::string_view message) {
    if (reportsWantOfMemory(message)) return "memory ran out while the image was decoded";
    // Large images are decoded to a temporary file; writing it can fail for want of room (a full disc,
    // a quota or a file size limit) or on a disc that takes no writes.
    for (const std::string_view words :
         {"No space left on device", "Disk quota exceeded", "File too large", "Read-only file system"}) {
        if (contains(message, words))
            return "the temporary folder could not take the decoded image (" + std::string(message) + ")";
    }
    return std::nullopt;
}

}  // namespace image::detail
