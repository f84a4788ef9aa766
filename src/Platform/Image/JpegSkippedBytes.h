#pragma once
// Whether the bytes libjpeg skipped before a marker in a JPEG's scan data are padding: the run of one
// byte value that some cameras write before each restart marker or before the end marker, after which
// every pixel was still decoded. Bytes of any other kind are what an entropy decoder leaves when it
// has decoded garbage and finished its blocks before their data ended, and a run of one value longer
// than the skip (a tail overwritten by zeros) was partly decoded as image data: damage. Thread-safe.

#include <cstddef>
#include <cstdint>
#include <functional>

namespace image::detail {

// Reads up to `count` bytes of the file at `offset` into `into`; the number read, 0 at the end, below 0
// on failure.
using FileReader = std::function<long(std::uint64_t offset, std::uint8_t* into, std::size_t count)>;

// `count` bytes skipped in the scan data between `from` (where the decoder last settled: the scan's
// start or the previous marker at which it skipped bytes) and `end` (the start of the fill before the
// marker that ended the skip, or the file's end). libjpeg reports bytes skipped before a restart marker
// that its entropy decoder had already read at a later marker, so the skip may span several markers.
// A `count` of 0 asks about a file that ended without its end marker where the decoder skipped nothing:
// whether the bytes it held unread at the end can be all the run there is.
bool skippedBytesArePadding(const FileReader& read, std::uint64_t from, std::uint64_t end,
                            std::uint64_t count);

}  // namespace image::detail
