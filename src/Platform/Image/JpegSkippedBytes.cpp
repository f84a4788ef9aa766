#include "Platform/Image/JpegSkippedBytes.h"

#include <algorithm>
#include <array>
#include <vector>

namespace image::detail {

namespace {

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
    if (runs.empty()) return false;
    // Padding is one value, written before every marker the skip spans: the runs of it that stand
    // together at the end. The data's own last byte may have the same value, so the runs may be longer
    // than what was skipped, never shorter. A run of another value between them is data, and the
    // encoder's last byte before an earlier marker is no padding however often its value recurs.
    const int padding = runs.back().value;
    std::uint64_t padded = 0;
    for (auto r = runs.rbegin(); r != runs.rend() && r->value == padding; ++r) padded += r->length;
    return padded >= count;
}

}  // namespace image::detail
