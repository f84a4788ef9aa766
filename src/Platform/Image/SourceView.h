#pragma once
// A libvips source whose bytes come from a function rather than straight from a file: a view of a file
// with some of its bytes replaced or left out, for a decoder that should not see them. Reads and
// seeks are serialised, so libvips may use the source from any thread. For Platform/Image only.

#include <vips/vips8>

#include <cstddef>
#include <cstdint>
#include <functional>

namespace image::detail {

// Gives up to `wanted` bytes of the view from `position` on into `into`: how many it gave, 0 at the
// end, -1 on a failed read.
using ViewReader =
    std::function<std::int64_t(std::uint64_t position, std::uint8_t* into, std::size_t wanted)>;

// The view of `length` bytes that `read` gives, as a seekable source.
vips::VSource viewSource(ViewReader read, std::uint64_t length);

}  // namespace image::detail
