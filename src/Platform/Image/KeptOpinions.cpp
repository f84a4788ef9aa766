#include "Platform/Image/KeptOpinions.h"

#include "Platform/Image/GifFrame.h"
#include "Platform/Image/PngImageData.h"
#include "Platform/Image/TiffStripData.h"

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

// The damage `judged` and `kept` hold of `file`, else `check`'s, then kept there.
template <typename Check>
std::optional<std::string> keptDamage(WarningLog* log, std::mutex* mutex, std::filesystem::path* judged,
                                      std::optional<std::string>* kept, const std::filesystem::path& file,
                                      Check check) {
    if (log) {
        std::lock_guard lock(*mutex);
        if (!judged->empty() && *judged == file) return *kept;
    }
    auto damage = check(file);
    if (log) {
        std::lock_guard lock(*mutex);
        *judged = file;
        *kept = damage;
    }
    return damage;
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
    return keptDamage(log, log ? &log->mutex_ : nullptr, log ? &log->gifJudged_ : nullptr,
                      log ? &log->gifDamage_ : nullptr, file, gifFirstFrameDamage);
}

std::optional<std::string> pngDamageKeptIn(WarningLog* log, const std::filesystem::path& file) {
    return keptDamage(log, log ? &log->mutex_ : nullptr, log ? &log->pngJudged_ : nullptr,
                      log ? &log->pngDamage_ : nullptr, file, pngImageDataDamage);
}

std::optional<std::string> tiffDamageKeptIn(WarningLog* log, const std::filesystem::path& file) {
    return keptDamage(log, log ? &log->mutex_ : nullptr, log ? &log->tiffJudged_ : nullptr,
                      log ? &log->tiffDamage_ : nullptr, file, tiffStripDamage);
}

}  // namespace image::detail
