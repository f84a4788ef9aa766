#include "Platform/Image/JpegSkippedBytes.h"

#include <algorithm>
#include <array>
#include <vector>

namespace image::detail {

namespace {

// libjpeg's bit buffer holds 64 bits; once it has taken a bit of the last code from them, at most 7
// whole bytes are left in it unread. At a restart marker the decoder counts them as skipped; at the end
// of a scan it drops them uncounted.
constexpr std::uint64_t kUncountedLookAhead = 7;

// Bytes of one value in a row, just before a marker (or the end of what is read).
struct Run {
    int value = -1;
    std::uint64_t length = 0;
};

}  // namespace

bool skippedBytesArePadding(const FileReader& read, std::uint64_t from, std::uint64_t end,
                            std::uint64_t count) {
    // The runs before each marker, 0xFF fill apart (libjpeg never counts it as skipped); a stuffed
    // 0xFF 0x00 is a byte of data.
    std::vector<Run> runs;
    Run run;
    bool afterFf = false;
    std::array<std::uint8_t, 64 * 1024> chunk{};
    for (std::uint64_t at = from; at < end;) {
        const long got = read(at, chunk.data(), std::size_t(std::min<std::uint64_t>(chunk.size(), end - at)));
        if (got <= 0) return false;
        for (long i = 0; i < got; ++i) {
            const int byte = chunk[std::size_t(i)];
            if (afterFf) {
                if (byte == 0xFF) continue;
                afterFf = false;
                if (byte != 0x00 && run.length > 0) runs.push_back(run);
                run = {};
                continue;
            }
            if (byte == 0xFF) {
                afterFf = true;
            } else if (byte == run.value) {
                ++run.length;
            } else {
                run = {byte, 1};
            }
        }
        at += std::uint64_t(got);
    }
    if (run.length > 0) runs.push_back(run);
    if (runs.empty()) return count == 0;
    // Padding is one value, written before every marker the skip spans: the runs of it that stand
    // together at the end. A run of another value between them is data, and the encoder's last byte
    // before an earlier marker is no padding however often its value recurs. The runs are never shorter
    // than what was skipped. They are longer by what the decoder held unread at the end of a scan and by
    // the data's own last byte before each marker, which may have the padding's value; a run longer still
    // was decoded in part as image data: the data it stands in for is missing.
    const int padding = runs.back().value;
    std::uint64_t padded = 0, markers = 0;
    for (auto r = runs.rbegin(); r != runs.rend() && r->value == padding; ++r) {
        padded += r->length;
        ++markers;
    }
    return padded >= count && padded <= count + kUncountedLookAhead + markers;
}

}  // namespace image::detail
