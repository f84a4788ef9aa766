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

// A second decoder's check of the image data, for the formats whose libvips decoder says nothing of
// some damage: giflib reads a GIF's first frame again (libvips ends one whose data stops part way as
// if it were whole), zlib a PNG's data (libvips skips its checksum), zlib and libjpeg a TIFF's strips
// (libtiff stops inflating before a strip's checksum, and calls any bytes skipped in a JPEG strip
// harmless). Only a read of pixels asks it, and
// only where libvips' own words name no damage already.
using DataCheck = std::optional<std::string> (*)(WarningLog*, const std::filesystem::path&);
SecondOpinion dataOpinion(const ReadSubject& subject, const std::vector<WarningLine>& lines,
                          DataCheck check) {
    if (subject.headerOnly || std::any_of(lines.begin(), lines.end(),
                                          [](const auto& line) { return reportsCorruptData(line.text); }))
        return {};
    if (auto damage = check(subject.keptIn, subject.file)) return {ReadVerdict{Kind::Damaged, *damage}};
    return {};
}

}  // namespace

SecondOpinion secondOpinion(const ReadSubject& subject, const std::vector<WarningLine>& lines, bool failed) {
    if (subject.file.empty()) return {};
    if (subject.format == "jpeg") return jpegOpinion(subject, lines, failed);
    if (subject.format == "gif") return dataOpinion(subject, lines, gifDamageKeptIn);
    if (subject.format == "png") return dataOpinion(subject, lines, pngDamageKeptIn);
    if (subject.format == "tiff") return dataOpinion(subject, lines, tiffDamageKeptIn);
    return {};
}

std::optional<std::string> cutShortWords(const ReadSubject& subject) {
    if (subject.file.empty()) return std::nullopt;
    if (subject.format == "webp") return webpCutShort(subject.file);
    if (subject.format == "bmp") return bmpCutShort(subject.file);
    return std::nullopt;
}

}  // namespace image::detail
