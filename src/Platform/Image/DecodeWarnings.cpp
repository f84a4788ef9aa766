#include "Platform/Image/DecodeWarnings.h"

#include <cctype>
#include <string_view>

#include "Platform/Image/VipsRuntime.h"
#include "Platform/Image/WarningLog.h"

namespace image {

namespace {

// libvips' own lines around a decoder's report: how many warnings there were, which tile failed.
bool isFraming(std::string_view line) {
    return (line.starts_with("read gave ") && line.ends_with(" warnings")) ||
           line.starts_with("error in tile ");
}

// The report without the name of the libvips class that passed it on ("VipsJpeg: ...").
std::string withoutClassName(const std::string& line) {
    const auto colon = line.find(": ");
    if (!line.starts_with("Vips") || colon == std::string::npos || line.find(' ') < colon) return line;
    return line.substr(colon + 2);
}

// A note on a PNG chunk that a reader may ignore: ancillary chunks are named with a lower-case first
// letter ("iCCP: known incorrect sRGB profile"). A failed checksum is never harmless.
bool isOptionalChunkNote(std::string_view line) {
    if (line.size() < 6 || line[4] != ':' || !std::islower(static_cast<unsigned char>(line[0]))) return false;
    for (std::size_t i = 1; i < 4; ++i) {
        if (!std::isalpha(static_cast<unsigned char>(line[i]))) return false;
    }
    return line.find("CRC") == std::string_view::npos;
}

// Quirks after which every pixel was still read: stray bytes between JPEG segments, optional chunks.
bool isHarmless(std::string_view line) {
    return line.find("extraneous bytes before marker") != std::string_view::npos || isOptionalChunkNote(line);
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
    return log_->lines();
}

std::optional<std::string> DecodeWarnings::damage() const {
    std::optional<std::string> framing;
    bool reported = false;
    for (const auto& line : log_->lines()) {
        if (isFraming(line)) {
            if (!framing) framing = line;
            continue;
        }
        reported = true;
        if (!isHarmless(line)) return withoutClassName(line);
    }
    // A failed tile, or warnings counted whose text went elsewhere: still damage.
    if (framing && !reported) return framing;
    return std::nullopt;
}

}  // namespace image
