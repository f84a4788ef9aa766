#include "Platform/Image/ReadVerdict.h"

#include <algorithm>
#include <sstream>
#include <string_view>

#include "Platform/Image/DecoderWords.h"
#include "Platform/Image/SecondOpinions.h"
#include "Platform/Image/VipsRuntime.h"

namespace image::detail {

namespace {

// libvips' line when the pixels of a tile could not be computed.
bool isTileFailure(std::string_view line) {
    return line.starts_with("error in tile ");
}

// libvips' count of a JPEG decoder's warnings quotes none of them; a note libpng gives as a warning and
// itself calls benign left every row read.
bool wordsCorruptData(const WarningLine& line) {
    if (jpegWarningCountIn(line.text) || (!line.failure && isBenignPngNote(line.text))) return false;
    return reportsCorruptData(line.text);
}

// A few of a failure's lines say what it was; more only repeat it.
constexpr std::size_t kWordedLines = 3;

// Words not known here, passed on as they are: the failure's own lines, else the tiles that failed,
// else (a read that failed without a word of its own) every line heard meanwhile.
std::string failureWords(const std::vector<WarningLine>& lines) {
    enum class Pass { Failures, Tiles, Heard };
    std::string words;
    std::size_t worded = 0;
    for (const auto pass : {Pass::Failures, Pass::Tiles, Pass::Heard}) {
        for (const auto& line : lines) {
            const bool wording = pass == Pass::Failures ? line.failure
                                 : pass == Pass::Tiles  ? isTileFailure(line.text)
                                                        : true;
            if (worded == kWordedLines || !wording) continue;
            words += (words.empty() ? "" : "; ") + withoutClassName(line.text);
            ++worded;
        }
        if (!words.empty()) break;
    }
    return words.empty() ? "libvips gave no reason" : words;
}

}  // namespace

bool recordsFailure(const WarningLine& line) {
    return line.failure || isTileFailure(line.text);
}

ReadVerdict judgeRead(const ReadSubject& subject, const std::vector<WarningLine>& lines, bool failed) {
    using Kind = ReadVerdict::Kind;
    for (const auto& line : lines) {
        if (auto variant = unsupportedVariantIn(line.text)) return {Kind::Unsupported, std::move(*variant)};
    }
    failed = failed || std::any_of(lines.begin(), lines.end(), recordsFailure);
    const auto opinion = secondOpinion(subject, lines, failed);
    if (opinion.verdict) return *opinion.verdict;
    const auto corrupt =
        opinion.dataWhole ? lines.end() : std::find_if(lines.begin(), lines.end(), wordsCorruptData);
    if (!failed && corrupt == lines.end()) return {};
    // Memory or temporary storage that ran out says nothing about the data.
    for (const auto& line : lines) {
        if (auto what = failureNotAboutTheFile(line.text)) return {Kind::NotAboutTheFile, std::move(*what)};
    }
    if (corrupt != lines.end()) return {Kind::Damaged, withoutClassName(corrupt->text)};
    if (auto cut = cutShortWords(subject)) return {Kind::Damaged, std::move(*cut)};
    return {Kind::Failed, failureWords(lines)};
}

std::optional<WarningLine> loaderFailure(const std::string& text, bool jpeg) {
    std::string own;
    std::istringstream split(text);
    for (std::string line; std::getline(split, line);) {
        if (!line.empty() && (jpeg || !line.starts_with("VipsJpeg:"))) own += line + "\n";
    }
    if (own.empty()) return std::nullopt;
    return WarningLine{newestErrorLine(own), true};
}

std::string withoutClassName(const std::string& line) {
    const auto colon = line.find(": ");
    if (!line.starts_with("Vips") || colon == std::string::npos || line.find(' ') < colon) return line;
    return line.substr(colon + 2);
}

}  // namespace image::detail
