#include "Platform/Image/DecodeWarnings.h"

#include <string_view>

#include "Platform/Image/DecoderWords.h"
#include "Platform/Image/JpegWarnings.h"
#include "Platform/Image/VipsRuntime.h"
#include "Platform/Image/WarningLog.h"

namespace image {

namespace {

// libvips' count of a JPEG decoder's warnings (their words are read from the file again).
bool isWarningCount(std::string_view line) {
    return detail::jpegWarningCountIn(line).has_value();
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

std::shared_ptr<const detail::JpegReport> DecodeWarnings::jpegReport(
    const std::filesystem::path& file) const {
    // A report kept for another file (a log that followed more than one read) says nothing of this one.
    if (auto kept = log_->jpegReport(); kept && kept->file == file) return kept;
    auto report = detail::readJpegWarnings(file);
    if (!report) return nullptr;
    auto shared = std::make_shared<const detail::JpegReport>(std::move(*report));
    log_->keepJpegReport(shared);
    return shared;
}

std::optional<std::string> DecodeWarnings::damage(const std::filesystem::path& decodedFile) const {
    const auto lines = log_->lines();
    bool failed = false, counted = false;
    for (const auto& line : lines) {
        failed = failed || line.failure || isTileFailure(line.text);
        counted = counted || isWarningCount(line.text);
    }
    // The JPEG decoder's own account, when it gave one.
    if (counted || failed) {
        // The pass that decoded it again to read it without skipped bytes made one, when it ran.
        if (const auto jpeg = jpegReport(decodedFile)) {
            if (jpeg->corruptData) return jpeg->corruptData;
            if (jpeg->failure) return jpeg->failure;
            // Read to its end without a word about corrupt data, or a variant not read here: whatever
            // stopped libvips (its limit on warnings, memory) was not damage.
            if (jpeg->complete || jpeg->unsupported) return std::nullopt;
        }
    }
    // Memory or temporary storage that ran out says nothing about the data, nor does a variant that is
    // not read here.
    for (const auto& line : lines) {
        if (detail::failureNotAboutTheFile(line.text) || detail::unsupportedVariantIn(line.text))
            return std::nullopt;
    }
    // Only a decoder's words of corrupt or missing data say the file is damaged. A failure in other
    // words (a temporary file that cannot be made, too many open files, a disc error) is named as the
    // failure it is.
    for (const auto& line : lines) {
        if (!isWarningCount(line.text) && detail::reportsCorruptData(line.text))
            return withoutClassName(line.text);
    }
    return std::nullopt;
}

std::optional<std::string> DecodeWarnings::failureNotAboutTheFile() const {
    for (const auto& line : log_->lines()) {
        if (auto what = detail::failureNotAboutTheFile(line.text)) return what;
    }
    return std::nullopt;
}

std::optional<std::string> DecodeWarnings::decodeFailure() const {
    for (const auto& line : log_->lines()) {
        if (line.failure) return withoutClassName(line.text);
    }
    return std::nullopt;
}

std::optional<std::string> DecodeWarnings::unsupportedVariant() const {
    for (const auto& line : log_->lines()) {
        if (auto variant = detail::unsupportedVariantIn(line.text)) return variant;
    }
    return std::nullopt;
}

}  // namespace image
