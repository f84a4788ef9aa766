#pragma once
// The plumbing behind DecodeWarnings, for Platform/Image only: the log that collects one piece of
// work's reports, the thread's current log, the process-wide handler that routes libvips' messages to
// it, and the stage that decodes an image once on threads that report to a log. Thread-safe.

#include <vips/vips8>

#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Platform/Image/JpegWarnings.h"

namespace image::detail {

// One line of a report: a decoder's warning, or the failure of a decode (the pixels could not all be
// read).
struct WarningLine {
    std::string text;
    bool failure = false;
};

// The number of warnings in libvips' line "read gave N warnings", which it writes when a JPEG decoder
// that warned closes; absent for any other line.
std::optional<std::size_t> jpegWarningCountIn(std::string_view line);

// The lines of one piece of work, each once. Only a few are kept, and beyond them a few more of those
// that tell damage, memory or storage apart; the rest are dropped (the counts are in a second decoder's
// account of the file, kept here too).
struct WarningLog {
    void add(const std::string& message);
    void addFailure(const std::string& message);
    void addAll(const WarningLog& other);
    std::vector<WarningLine> lines() const;

  private:
    friend std::shared_ptr<const JpegReport> jpegReportKeptIn(WarningLog*, const std::filesystem::path&);
    friend std::optional<std::string> gifDamageKeptIn(WarningLog*, const std::filesystem::path&);
    void append(const std::string& message, bool failure);

    mutable std::mutex mutex_;
    std::vector<WarningLine> lines_;
    // What a second decoder said of the file this work reads, once a pass has asked it: every later
    // judgement of the same file (a preview, a crop's analysis, the job's verdict) reuses it.
    std::shared_ptr<const JpegReport> jpegReport_;
    std::filesystem::path gifJudged_;
    std::optional<std::string> gifDamage_;
};

// The JPEG decoder's own account of `file`: the one `log` (when given) keeps of it, else read now and
// kept there. Null when the file cannot be read as a JPEG.
std::shared_ptr<const JpegReport> jpegReportKeptIn(WarningLog* log, const std::filesystem::path& file);

// giflib's words for why `file`'s first frame does not give every pixel (see GifFrame.h): the
// judgement `log` (when given) keeps of it, else made now and kept there.
std::optional<std::string> gifDamageKeptIn(WarningLog* log, const std::filesystem::path& file);

// The log of the collector active on this thread, or null.
const std::shared_ptr<WarningLog>& currentWarningLog();
void setCurrentWarningLog(std::shared_ptr<WarningLog> log);

// The thread reports to `log` while this lives.
class ReportingScope {
  public:
    explicit ReportingScope(std::shared_ptr<WarningLog> log);
    ~ReportingScope();
    ReportingScope(const ReportingScope&) = delete;
    ReportingScope& operator=(const ReportingScope&) = delete;

  private:
    std::shared_ptr<WarningLog> previous_;
};

// Routes libvips' warnings and libtiff's errors to the current thread's log (dropping them when there
// is none) instead of standard error. Called once when libvips starts.
void installWarningHandler();

// `image` unchanged, except that the threads computing its pixels report to `log` meanwhile, and a
// failure to compute them is recorded there: for a pipeline libvips runs on threads of its own.
vips::VImage reportingTo(const vips::VImage& image, std::shared_ptr<WarningLog> log);

// A second decoder of the same image (opened for sequential access), for when the first fails, given
// what the first reported; absent when there is none or the first's failure is not one it can help.
using DecoderFallback = std::function<std::optional<vips::VImage>(const WarningLog& firstReports)>;

// `decoder` (an image opened for sequential access) as an image that any pipeline may read in any
// order: on first use its pixels are decoded once, in memory (on disc when very large), with
// everything its decoder reports, while decoding and when it closes right after, going to `log`.
// When that decode fails, `fallback`'s decoder is tried, and only what the one that served reports
// is kept. A failure to decode is recorded in `log` too, and every later read fails likewise.
vips::VImage decodedReportingTo(const vips::VImage& decoder, std::shared_ptr<WarningLog> log,
                                DecoderFallback fallback = {});

}  // namespace image::detail
