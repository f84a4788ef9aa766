#include "Platform/Image/ReadVerdict.h"

#include <sstream>
#include <string_view>

#include "Platform/Image/DecoderWords.h"
#include "Platform/Image/VipsRuntime.h"

namespace image::detail {

namespace {

// libvips' line when the pixels of a tile could not be computed.
bool isTileFailure(std::string_view line) {
    return line.starts_with("error in tile ");
}

// True when a line says image data is corrupt or missing. libvips' count of a JPEG decoder's warnings
// quotes none of them; a note libpng gives as a warning and itself calls benign left every row read.
bool reportsCorrupt(const WarningLine& line) {
    if (jpegWarningCountIn(line.text) || (!line.failure && isBenignPngNote(line.text))) return false;
    return reportsCorruptData(line.text);
}

// A few of a failure's lines say what it was; more only repeat it.
constexpr std::size_t kWordedLines = 3;

}  // namespace

bool recordsFailure(const WarningLine& line) {
    return line.failure || isTileFailure(line.text);
}

ReadVerdict verdictOf(const std::vector<WarningLine>& lines, bool failed) {
    using Kind = ReadVerdict::Kind;
    for (const auto& line : lines) {
        if (auto variant = unsupportedVariantIn(line.text)) return {Kind::Unsupported, std::move(*variant)};
    }
    bool corrupt = false;
    for (const auto& line : lines) {
        failed = failed || recordsFailure(line);
        corrupt = corrupt || reportsCorrupt(line);
    }
    if (!failed && !corrupt) return {};
    // Memory or temporary storage that ran out says nothing about the data.
    for (const auto& line : lines) {
        if (auto what = failureNotAboutTheFile(line.text)) return {Kind::NotAboutTheFile, std::move(*what)};
    }
    for (const auto& line : lines) {
        if (reportsCorrupt(line)) return {Kind::Damaged, withoutClassName(line.text)};
    }
    // Words not known here are passed on as they are: the failure's own lines, else the tiles that
    // failed.
    std::string words;
    std::size_t worded = 0;
    for (const bool tiles : {false, true}) {
        for (const auto& line : lines) {
            if (worded == kWordedLines || (tiles ? !isTileFailure(line.text) : !line.failure)) continue;
            words += (words.empty() ? "" : "; ") + withoutClassName(line.text);
            ++worded;
        }
        if (!words.empty()) break;
    }
    return {Kind::Failed, words.empty() ? "libvips gave no reason" : words};
}

WarningLine newestErrorMessage(const std::string& text, bool jpeg) {
    std::string own;
    std::istringstream split(text);
    for (std::string line; std::getline(split, line);) {
        if (jpeg || !line.starts_with("VipsJpeg:")) own += line + "\n";
    }
    return {newestErrorLine(own), true};
}

std::string withoutClassName(const std::string& line) {
    const auto colon = line.find(": ");
    if (!line.starts_with("Vips") || colon == std::string::npos || line.find(' ') < colon) return line;
    return line.substr(colon + 2);
}

}  // namespace image::detail
