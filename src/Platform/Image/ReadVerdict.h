#pragma once
// What one read of an image came to, judged from everything said about it: the read's own return,
// every line its decoders wrote (not only the last) and its format's own second opinion of the file.
// The one verdict of every path that reads an image (the header read, the load and its lazy decode,
// thumbnails, the job): each asks judgeRead, and none weighs the kinds itself. Thread-safe.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "Platform/Image/WarningLog.h"

namespace image {

struct ReadVerdict {
    enum class Kind {
        Whole,            // every pixel (or the whole header) came from the data
        Damaged,          // a decoder's words say data is corrupt or missing
        Unsupported,      // a valid variant, or an image beyond a decoder's own limit
        NotAboutTheFile,  // the read failed for want of memory or temporary storage
        Failed,           // the read failed in words not known here
    };
    Kind kind = Kind::Whole;
    std::string words;  // the decoder's words for it (for Whole, none)
};

}  // namespace image

namespace image::detail {

// What was read.
struct ReadSubject {
    std::string format;          // the admitted format ("jpeg", "gif", ...)
    std::filesystem::path file;  // empty for an image read from memory: no second opinion is asked
    // The read asked for the header alone: a second opinion then reads no pixel either.
    bool headerOnly = false;
    // Where second opinions of the file are kept for the judgements after this one (a preview's, a
    // crop's and the job's of one file share them); may be null.
    WarningLog* keptIn = nullptr;
};

// The verdict on a read of `subject`. `failed`: the read itself failed (an exception, a return code).
// A read that returned an image is still not whole when a line records a failure (a tile that could
// not be computed, a decode that failed on another thread) or reports corrupt data (a decoder that
// filled in the rest). The kinds are weighed in one order: a variant not read here; the format's own
// second opinion, where it has one; memory or storage that ran out; words of damage; a file cut
// short, by its own headers; any other failure, in its words.
ReadVerdict judgeRead(const ReadSubject& subject, const std::vector<WarningLine>& lines, bool failed = false);

// True when a line records that a read failed: a decode's own failure, or a tile whose pixels libvips
// could not compute (it leaves such a tile black and goes on).
bool recordsFailure(const WarningLine& line);

// The newest of a failed read's own error lines (`text`), as a failure line for judging with its
// other lines; absent when the loader wrote none. A JPEG decoder's lines are passed over unless
// `jpeg`: a JPEG's warnings are judged from the decoder's own account of its file.
std::optional<WarningLine> loaderFailure(const std::string& text, bool jpeg);

// The report without the name of the libvips class that passed it on ("VipsJpeg: ...").
std::string withoutClassName(const std::string& line);

}  // namespace image::detail
