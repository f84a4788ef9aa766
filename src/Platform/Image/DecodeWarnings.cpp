#include "Platform/Image/DecodeWarnings.h"

#include <cctype>
#include <string_view>

#include "Platform/Image/DecoderWords.h"
#include "Platform/Image/JpegWarnings.h"
#include "Platform/Image/VipsRuntime.h"
#include "Platform/Image/WarningLog.h"

namespace image {

namespace {

bool contains(std::string_view line, std::string_view part) {
    return line.find(part) != std::string_view::npos;
}

// libvips' count of a JPEG decoder's warnings (their words are read from the file again).
bool isWarningCount(std::string_view line) {
    return line.starts_with("read gave ") && line.ends_with(" warnings");
}

// libvips' line when the pixels of a tile could not be computed: the decode failed there.
bool isTileFailure(std::string_view line) {
    return line.starts_with("error in tile ");
}

// The report without the name of the libvips class that passed it on ("VipsJpeg: ...").
std::string withoutClassName(const std::string& line) {
    const auto colon = line.find(": ");
    if (!line.starts_with("Vips") || colon == std::string::npos || line.find(' ') < colon) return line;
    return line.substr(colon + 2);
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

// True when the line says image data is corrupt or missing. Everything else a decoder says is about
// metadata (an unknown or private TIFF tag, an odd EXIF, XMP or ICC block, an optional chunk) or a
// quirk after which every pixel was still read.
bool reportsCorruptData(std::string_view line) {
    // Quirks after which every pixel was still read: bytes left over between JPEG segments or after a
    // PNG's image data, a broken colour profile marker.
    for (const std::string_view leftover : {"extraneous bytes before marker", "bad ICC marker",
                                            "Too much image data", "xtra compressed data"}) {
        if (contains(line, leftover)) return false;
    }
    if (const auto critical = chunkNoteIsCritical(line)) return *critical;
    for (const std::string_view phrase : {"Corrupt JPEG data", "Premature end", "premature end",
                                          "Inconsistent progression", "Huffman", "truncated", "Truncated"}) {
        if (contains(line, phrase)) return true;
    }
    return false;
}

}  // namespace

DecodeWarnings::DecodeWarnings()
    : log_(std::make_shared<detail::WarningLog>()), previous_(detail::currentWarningLog()) {
    detail::ensureVipsStarted();
    detail::setCurrentWarningLog(log_);
}

DecodeWarnings::~DecodeWarnings() {
    detail::setCurrentWarningLog(std::move(previous_));
}

std::vector<std::string> DecodeWarnings::messages() const {
    std::vector<std::string> texts;
    for (const auto& line : log_->lines()) texts.push_back(line.text);
    return texts;
}

std::optional<std::string> DecodeWarnings::damage(const std::filesystem::path& decodedFile) const {
    const auto lines = log_->lines();
    const detail::WarningLine* failure = nullptr;
    bool counted = false;
    for (const auto& line : lines) {
        if (!failure && (line.failure || isTileFailure(line.text))) failure = &line;
        counted = counted || isWarningCount(line.text);
    }
    // The JPEG decoder's own account, when it gave one.
    if (counted || failure) {
        if (const auto jpeg = detail::readJpegWarnings(decodedFile)) {
            for (const auto& warning : jpeg->warnings) {
                if (reportsCorruptData(warning)) return warning;
            }
            if (jpeg->failure) return jpeg->failure;
            // Read to its end without a word about corrupt data, or a variant not read here: whatever
            // stopped libvips (its limit on warnings, memory) was not damage.
            if (jpeg->complete || jpeg->unsupported) return std::nullopt;
        }
    }
    // Memory that ran out says nothing about the data, nor does a variant that is not read here.
    for (const auto& line : lines) {
        if (detail::reportsWantOfMemory(line.text) || detail::unsupportedVariantIn(line.text))
            return std::nullopt;
    }
    // Other decoders' accounts say more than libvips' failure.
    for (const auto& line : lines) {
        if (!line.failure && !isWarningCount(line.text) && reportsCorruptData(line.text))
            return withoutClassName(line.text);
    }
    if (failure) return withoutClassName(failure->text);
    return std::nullopt;
}

std::optional<std::string> DecodeWarnings::unsupportedVariant() const {
    for (const auto& line : log_->lines()) {
        if (auto variant = detail::unsupportedVariantIn(line.text)) return variant;
    }
    return std::nullopt;
}

}  // namespace image
