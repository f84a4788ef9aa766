#pragma once
// The one place where a format's own second opinion of a read is asked: a decoder other than
// libvips' reading the same file (JPEG's libjpeg account, GIF's frame check, PNG's data checksum, TIFF's
// strip checks), and a file's own headers saying it was cut short (WebP, BMP). For judgeRead only.
// Thread-safe.

#include <optional>
#include <string>
#include <vector>

#include "Platform/Image/ReadVerdict.h"

namespace image::detail {

struct SecondOpinion {
    // A verdict the format's own check is sure of (damage, a variant not read here).
    std::optional<ReadVerdict> verdict;
    // The check read every byte of the data without a word of damage: words of damage in libvips'
    // lines (or whatever stopped it: its limit on warnings) are then not the data's.
    bool dataWhole = false;
};

// What `subject`'s format says of the file, given the read's lines and whether it failed; nothing for
// a read from memory or a format without a check of its own.
SecondOpinion secondOpinion(const ReadSubject& subject, const std::vector<WarningLine>& lines, bool failed);

// Words for a read that failed when the file's own headers give more bytes than it holds; absent
// otherwise. libvips words such a file only as one it could not parse.
std::optional<std::string> cutShortWords(const ReadSubject& subject);

}  // namespace image::detail
