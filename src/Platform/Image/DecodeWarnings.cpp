#include "Platform/Image/DecodeWarnings.h"

#include "Platform/Image/JpegWarnings.h"
#include "Platform/Image/ReadVerdict.h"
#include "Platform/Image/VipsRuntime.h"
#include "Platform/Image/WarningLog.h"

namespace image {

namespace {

// The words of the collected reports' verdict, when it is of `kind`.
std::optional<std::string> worded(const detail::WarningLog& log, detail::ReadVerdict::Kind kind) {
    auto verdict = detail::verdictOf(log.lines());
    if (verdict.kind != kind) return std::nullopt;
    return std::move(verdict.words);
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
    bool failed = false, counted = false;
    for (const auto& line : lines) {
        failed = failed || detail::recordsFailure(line);
        counted = counted || detail::jpegWarningCountIn(line.text).has_value();
    }
    // The JPEG decoder's own account, when it gave one.
    if (counted || failed) {
        if (const auto jpeg = detail::jpegReportKeptIn(log_.get(), decodedFile)) {
            if (jpeg->corruptData) return jpeg->corruptData;
            if (jpeg->failure) return jpeg->failure;
            // Read to its end without a word about corrupt data, or a variant not read here: whatever
            // stopped libvips (its limit on warnings, memory) was not damage.
            if (jpeg->complete || jpeg->unsupported) return std::nullopt;
        }
    }
    if (auto words = worded(*log_, detail::ReadVerdict::Kind::Damaged)) return words;
    // libvips' GIF decoder ends a frame whose data stops part way as if it were whole, and says nothing;
    // its PNG decoder skips the image data's checksum.
    if (auto gif = detail::gifDamageKeptIn(log_.get(), decodedFile)) return gif;
    return detail::pngDamageKeptIn(log_.get(), decodedFile);
}

std::optional<std::string> DecodeWarnings::failureNotAboutTheFile() const {
    return worded(*log_, detail::ReadVerdict::Kind::NotAboutTheFile);
}

std::optional<std::string> DecodeWarnings::decodeFailure() const {
    return worded(*log_, detail::ReadVerdict::Kind::Failed);
}

std::optional<std::string> DecodeWarnings::unsupportedVariant() const {
    return worded(*log_, detail::ReadVerdict::Kind::Unsupported);
}

}  // namespace image
