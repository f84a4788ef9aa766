#include "Platform/Image/KeptOpinions.h"

#include "Platform/Image/GifFrame.h"

namespace image::detail {

namespace {

// The report `kept` holds of `file`, else `read`'s, then kept there. A report kept for another file (a
// log that followed more than one read) says nothing of this one.
template <typename Read>
std::shared_ptr<const JpegReport> keptReport(WarningLog* log, std::mutex* mutex,
                                             std::shared_ptr<const JpegReport>* kept,
                                             const std::filesystem::path& file, Read read) {
    if (log) {
        std::lock_guard lock(*mutex);
        if (*kept && (*kept)->file == file) return *kept;
    }
    auto report = read(file);
    if (!report) return nullptr;
    auto shared = std::make_shared<const JpegReport>(std::move(*report));
    if (log) {
        std::lock_guard lock(*mutex);
        *kept = shared;
    }
    return shared;
}

}  // namespace

std::shared_ptr<const JpegReport> jpegReportKeptIn(WarningLog* log, const std::filesystem::path& file) {
    return keptReport(log, log ? &log->mutex_ : nullptr, log ? &log->jpegReport_ : nullptr, file,
                      readJpegWarnings);
}

std::shared_ptr<const JpegReport> jpegHeaderReportKeptIn(WarningLog* log, const std::filesystem::path& file) {
    return keptReport(log, log ? &log->mutex_ : nullptr, log ? &log->jpegHeaderReport_ : nullptr, file,
                      readJpegHeaderWarnings);
}

std::optional<std::string> gifDamageKeptIn(WarningLog* log, const std::filesystem::path& file) {
    if (log) {
        std::lock_guard lock(log->mutex_);
        if (!log->gifJudged_.empty() && log->gifJudged_ == file) return log->gifDamage_;
    }
    auto damage = gifFirstFrameDamage(file);
    if (log) {
        std::lock_guard lock(log->mutex_);
        log->gifJudged_ = file;
        log->gifDamage_ = damage;
    }
    return damage;
}

}  // namespace image::detail
