#include "Platform/Image/WarningLog.h"

#include <algorithm>
#include <sstream>

#include "Platform/Image/DecoderWords.h"
#include "Platform/Image/JpegWarnings.h"

namespace image::detail {

namespace {

// Lines kept of any kind, and beyond them, of those that tell a failure's kind.
constexpr std::size_t kKeptLines = 16;
constexpr std::size_t kKeptNotableLines = 32;

bool isNotable(const std::string& line, bool failure) {
    return failure || jpegWarningCountIn(line) || reportsCorruptData(line) || unsupportedVariantIn(line) ||
           failureNotAboutTheFile(line) || line.starts_with("error in tile ");
}

}  // namespace

std::optional<std::size_t> jpegWarningCountIn(std::string_view line) {
    constexpr std::string_view kStart = "read gave ", kEnd = " warnings";
    if (!line.starts_with(kStart) || !line.ends_with(kEnd)) return std::nullopt;
    std::size_t count = 0;
    for (const char c : line.substr(kStart.size(), line.size() - kStart.size() - kEnd.size())) {
        if (c < '0' || c > '9') return std::nullopt;
        count = count * 10 + std::size_t(c - '0');
    }
    return count;
}

void WarningLog::add(const std::string& message) {
    append(message, false);
}

void WarningLog::addFailure(const std::string& message) {
    append(message, true);
}

void WarningLog::addAll(const WarningLog& other) {
    for (const auto& line : other.lines()) append(line.text, line.failure);
}

void WarningLog::append(const std::string& message, bool failure) {
    std::istringstream lines(message);
    std::lock_guard lock(mutex_);
    for (std::string line; std::getline(lines, line);) {
        if (line.empty()) continue;
        const auto same = std::find_if(lines_.begin(), lines_.end(),
                                       [&](const WarningLine& seen) { return seen.text == line; });
        if (same != lines_.end()) {
            same->failure = same->failure || failure;
        } else if (lines_.size() < kKeptLines ||
                   (lines_.size() < kKeptNotableLines && isNotable(line, failure))) {
            lines_.push_back({line, failure});
        }
    }
}

std::vector<WarningLine> WarningLog::lines() const {
    std::lock_guard lock(mutex_);
    return lines_;
}

}  // namespace image::detail
