#include "Platform/Image/SecondOpinions.h"

#include <algorithm>

#include "Platform/Image/CutShort.h"
#include "Platform/Image/DecoderWords.h"
#include "Platform/Image/JpegWarnings.h"
#include "Platform/Image/KeptOpinions.h"

namespace image::detail {

namespace {

using Kind = ReadVerdict::Kind;

// libvips only counts a JPEG decoder's warnings, in an error text every thread shares: the decoder's
// own account of the file says which of them were damage. It is asked when libvips heard a warning or
// the read failed; a file libjpeg cannot open now leaves the verdict to libvips' own words.
SecondOpinion jpegOpinion(const ReadSubject& subject, const std::vector<WarningLine>& lines, bool failed) {
    const bool warned = std::any_of(lines.begin(), lines.end(), [](const auto& line) {
        return jpegWarningCountIn(line.text).has_value();
    });
    if (!warned && !failed) return {};
    const auto report = subject.headerOnly ? jpegHeaderReportKeptIn(subject.keptIn, subject.file)
                                           : jpegReportKeptIn(subject.keptIn, subject.file);
    if (!report) return {};
    if (report->unsupported) return {ReadVerdict{Kind::Unsupported, *report->unsupported}};
    if (report->corruptData) return {ReadVerdict{Kind::Damaged, *report->corruptData}};
    if (report->failure) return {ReadVerdict{Kind::Damaged, *report->failure}};
    return {std::nullopt, !subject.headerOnly && report->complete};
}

// libvips' GIF decoder ends a frame whose data stops part way as if it were whole, and says nothing:
// giflib reads the frame's data again, unless libvips' own words already name damage. Only a read of
// pixels asks it.
SecondOpinion gifOpinion(const ReadSubject& subject, const std::vector<WarningLine>& lines) {
    if (subject.headerOnly || std::any_of(lines.begin(), lines.end(),
                                          [](const auto& line) { return reportsCorruptData(line.text); }))
        return {};
    if (auto damage = gifDamageKeptIn(subject.keptIn, subject.file))
        return {ReadVerdict{Kind::Damaged, *damage}};
    return {};
}

// libvips' PNG decoder skips the check of the image data's checksum: zlib reads the data again, unless
// libvips' own words already name damage. Only a read of pixels asks it.
SecondOpinion pngOpinion(const ReadSubject& subject, const std::vector<WarningLine>& lines) {
    if (subject.headerOnly || std::any_of(lines.begin(), lines.end(),
                                          [](const auto& line) { return reportsCorruptData(line.text); }))
        return {};
    if (auto damage = pngDamageKeptIn(subject.keptIn, subject.file))
        return {ReadVerdict{Kind::Damaged, *damage}};
    return {};
}

}  // namespace

SecondOpinion secondOpinion(const ReadSubject& subject, const std::vector<WarningLine>& lines, bool failed) {
    if (subject.file.empty()) return {};
    if (subject.format == "jpeg") return jpegOpinion(subject, lines, failed);
    if (subject.format == "gif") return gifOpinion(subject, lines);
    if (subject.format == "png") return pngOpinion(subject, lines);
    return {};
}

std::optional<std::string> cutShortWords(const ReadSubject& subject) {
    if (subject.file.empty()) return std::nullopt;
    if (subject.format == "webp") return webpCutShort(subject.file);
    if (subject.format == "bmp") return bmpCutShort(subject.file);
    return std::nullopt;
}

}  // namespace image::detail
