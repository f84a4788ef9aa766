#pragma once
// Which of a JPEG's marker segments libvips' loader takes the image's metadata from, and which of their
// bytes it attaches: the one rule that both the view leaving unused segments out and libjpeg's own
// reading of a file follow, so that either gives an image the same EXIF, XMP, IPTC and ICC profile.
// A chooser is fed one file's segments in order; one thread at a time.

#include <cstddef>
#include <cstdint>
#include <span>

namespace image::detail {

// The ICC profile's chunks that libvips' loader joins, numbered from 1.
inline constexpr int kJpegIccChunks = 100;

// The bytes of a segment's data the rule looks at.
inline constexpr std::size_t kJpegMetadataHead = 96;

struct JpegMetadataSegment {
    enum class Kind { None, Exif, Xmp, Iptc, IccChunk };
    Kind kind = Kind::None;
    int iccChunk = 0;            // for an ICC chunk, its number (1 to kJpegIccChunks)
    std::size_t attachedAt = 0;  // where the bytes attached start in the segment's data
};

class JpegMetadataChooser {
  public:
    // What the segment of marker `code` is kept as, given its data's first bytes (`head`, up to
    // kJpegMetadataHead of them) and its data's whole length: nothing for a block of a kind already
    // kept (of EXIF, XMP and IPTC the first counts), an ICC chunk the loader does not number, or any
    // other segment. An ICC chunk replaces an earlier one of the same number.
    JpegMetadataSegment take(std::uint8_t code, std::span<const std::uint8_t> head, std::size_t length);

  private:
    bool exif_ = false, xmp_ = false, iptc_ = false;
};

}  // namespace image::detail
