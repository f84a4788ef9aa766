#include "Platform/Image/DecodeWarnings.h"

#include "Platform/Image/VipsRuntime.h"
#include "Platform/Image/WarningLog.h"

namespace image {

DecodeWarnings::DecodeWarnings()
    : log_(std::make_shared<detail::WarningLog>()), previous_(detail::currentWarningLog()) {
    detail::ensureVipsStarted();
    detail::setCurrentWarningLog(log_);
}

DecodeWarnings::~DecodeWarnings() {
    detail::setCurrentWarningLog(std::move(previous_));
}

ReadVerdict DecodeWarnings::verdict(const std::filesystem::path& decodedFile,
                                    const std::string& format) const {
    return detail::judgeRead({format, decodedFile, false, log_.get()}, log_->lines());
}

}  // namespace image
