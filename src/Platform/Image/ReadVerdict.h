#pragma once
// What one read of an image came to, judged from everything its decoders said: its return code and
// every line they wrote, not only the last. The one verdict of every path that reads an image (the
// job's decode, the header read, thumbnails). Pure functions; thread-safe.

#include <string>
#include <vector>

#include "Platform/Image/WarningLog.h"

namespace image::detail {

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

// True when a line records that a read failed: a decode's own failure, or a tile whose pixels libvips
// could not compute (it leaves such a tile black and goes on).
bool recordsFailure(const WarningLine& line);

// `failed`: the read itself failed (an exception, a return code). A read that returned an image is
// still not whole when any line records a failure (a tile that could not be computed, a decode that
// failed on another thread) or reports corrupt data (a decoder that filled in the rest).
ReadVerdict verdictOf(const std::vector<WarningLine>& lines, bool failed = false);

// The newest of a failed read's own error lines, as a failure line for judging with its other lines.
// A JPEG decoder's lines are passed over unless `jpeg`: a JPEG's warnings are judged from the
// decoder's own account of its file.
WarningLine newestErrorMessage(const std::string& text, bool jpeg);

// The report without the name of the libvips class that passed it on ("VipsJpeg: ...").
std::string withoutClassName(const std::string& line);

}  // namespace image::detail
