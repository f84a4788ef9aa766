#include "Platform/Image/DecoderWords.h"

#include <cctype>

namespace image::detail {

namespace {

bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

// A PNG decoder's note on a chunk ("IDAT: invalid code lengths set", "iCCP: known incorrect sRGB
// profile"): true for a chunk that holds the image (its name starts with a capital), false for an
// optional one, which a reader may drop; absent for any other line. A chunk's third letter is a
// capital, which tells its notes from a loader's own lines ("heif: ...", "webp: ...").
std::optional<bool> chunkNoteIsCritical(std::string_view line) {
    if (line.size() < 6 || line[4] != ':' || line[5] != ' ') return std::nullopt;
    for (std::size_t i = 0; i < 4; ++i) {
        if (!std::isalpha(static_cast<unsigned char>(line[i]))) return std::nullopt;
    }
    if (!std::isupper(static_cast<unsigned char>(line[2]))) return std::nullopt;
    return std::isupper(static_cast<unsigned char>(line[0])) != 0;
}

}  // namespace

bool reportsCorruptData(std::string_view line) {
    // Quirks after which every pixel was still read: bytes left over after a PNG's image data, a broken
    // colour profile marker. Bytes a JPEG decoder skipped before a marker are padding or what garbage
    // left over, which their words cannot tell: JPEG's own reader judges them from the bytes
    // themselves (JpegSkippedBytes).
    for (const std::string_view leftover : {"extraneous bytes before marker", "bad ICC marker",
                                            "Too much image data", "xtra compressed data"}) {
        if (contains(line, leftover)) return false;
    }
    if (const auto critical = chunkNoteIsCritical(line)) return *critical;
    for (const std::string_view phrase :
         {// libjpeg
          "Corrupt JPEG data", "Premature end", "premature end", "Inconsistent progression", "Huffman",
          "truncated", "Truncated",
          // libtiff: a strip or tile whose data failed to decompress, or is not all in the file
          "not enough data", "Not enough data", "Read error on strip", "Read error on tile", "Read error at ",
          "Seek error at ", "Decoding error", "Using code not yet in table", "Corrupted LZW table",
          "data probably corrupted", "Bad code word", "Premature EOF", "Premature EOL",
          "Invalid data for scanline", "likely corrupt", "data is corrupt",
          // libtiff's decoders that drop what does not fit their strip or stop where data runs out:
          // PackBits, CCITT fax, ThunderScan, and the WebP, ZSTD, LERC and JBIG decoders' failures
          "to avoid buffer overrun", "due to lack of data", "Buffer overflow at line",
          "Buffer overrun detected", "Line length mismatch", "Too much data at scanline",
          "Unable to decode WebP data", "Error in ZSTD_decompress", "lerc_decode() failed", ") decoding: ",
          // libpng: rows cut short, a filter byte no encoder writes, a chunk that fails its checksum
          "Not enough image data", "bad adaptive filter value", "CRC error",
          // libvips' GIF decoder: a frame whose data stops part way; a file cut short
          "Invalid frame data", "Unexpected end of GIF source data",
          // libheif: a file whose boxes point past its end, or that breaks the format
          "Invalid input",
          // dav1d, libheif's AV1 decoder: a unit of its data that does not parse
          "dav1d: Error parsing"}) {
        if (contains(line, phrase)) return true;
    }
    return false;
}

bool isBenignPngNote(std::string_view line) {
    for (const std::string_view note :
         {"PLTE: invalid", "PLTE: ignored in grayscale PNG", "PLTE: out of place", "IEND: invalid"}) {
        if (line.ends_with(note)) return true;
    }
    return false;
}

std::optional<std::string> decoderLimitIn(std::string_view message) {
    const auto named = [](std::string_view words) {
        return "image beyond its decoder's size limit (" + std::string(words) + ")";
    };
    // libheif refuses sides above 16,384 pixels as a safety measure, in the words of a memory failure.
    if (const auto at = message.find("Security limit exceeded"); at != std::string_view::npos)
        return named(message.substr(at));
    // libpng refuses sides above its own limit before libvips' bound is asked; its words do not say
    // the limit, which libvips leaves at libpng's default.
    if (contains(message, "exceeds user limit"))
        return named("libpng's limit of 1,000,000 pixels a side: " + std::string(message));
    return std::nullopt;
}

std::optional<std::string> unsupportedVariantIn(std::string_view message) {
    // libheif's words for a compression it has no decoder for, which libvips passes on.
    if (contains(message, "Unsupported codec") || contains(message, "No decoding plugin"))
        return "HEIF image whose codec is missing";
    // libtiff's, for a compression scheme it has no decoder for: an unknown number, or a known scheme
    // left out of this build (JPEG 2000's among them). Its words, after the file's name, name the scheme.
    if (contains(message, "decoding is not implemented") ||
        contains(message, "compression support is not configured")) {
        const auto named = message.rfind(": ");
        return "TIFF compression that the decoders here do not implement (" +
               std::string(named == std::string_view::npos ? message : message.substr(named + 2)) + ")";
    }
    // JPEG's own reader gives up on a file of more scans than it has time for, in these words.
    if (const auto at = message.find("JPEG of more than ");
        at != std::string_view::npos && contains(message, kJpegScanBoundWords))
        return std::string(message.substr(at));
    return decoderLimitIn(message);
}

bool reportsWantOfMemory(std::string_view message) {
    // libheif words its safety limit on image sides as a failure to allocate: it is the image's size.
    if (decoderLimitIn(message)) return false;
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
