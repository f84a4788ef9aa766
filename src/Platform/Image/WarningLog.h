#pragma once
// The log that collects what the decoders of one piece of work report (for DecodeWarnings and the
// paths that judge a read, Platform/Image only), and the thread's current log, to which libvips'
// messages on that thread are routed. A log is thread-safe; the current log is per thread.

#include <cstddef>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace image::detail {

struct JpegReport;

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
    friend std::shared_ptr<const JpegReport> jpegHeaderReportKeptIn(WarningLog*,
                                                                    const std::filesystem::path&);
    friend std::optional<std::string> gifDamageKeptIn(WarningLog*, const std::filesystem::path&);
    friend std::optional<std::string> pngDamageKeptIn(WarningLog*, const std::filesystem::path&);
    friend std::optional<std::string> tiffDamageKeptIn(WarningLog*, const std::filesystem::path&);
    void append(const std::string& message, bool failure);

    mutable std::mutex mutex_;
    std::vector<WarningLine> lines_;
    // What a second decoder said of the file this work reads, once a judgement has asked it: every
    // later judgement of the same file (a preview, a crop's analysis, the job's verdict) reuses it.
    std::shared_ptr<const JpegReport> jpegReport_;
    std::shared_ptr<const JpegReport> jpegHeaderReport_;
    std::filesystem::path gifJudged_;
    std::optional<std::string> gifDamage_;
    std::filesystem::path pngJudged_;
    std::optional<std::string> pngDamage_;
    std::filesystem::path tiffJudged_;
    std::optional<std::string> tiffDamage_;
};

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

}  // namespace image::detail
