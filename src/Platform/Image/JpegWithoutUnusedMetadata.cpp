#include "Platform/Image/JpegWithoutUnusedMetadata.h"

#include "Platform/Image/JpegMetadataSegments.h"
#include "Platform/Image/SourceView.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

namespace image::detail {

namespace {

// libvips' loader has libjpeg keep every APP1, APP2 and APP13 segment before the first scan, and takes
// its metadata from a few of them (JpegMetadataChooser says which).
constexpr std::uint8_t kApp1 = 0xE1, kApp2 = 0xE2, kApp13 = 0xED;

// Below this, the segments left out would save too little to be worth a view: ordinary photos carry a
// few (a multi-picture index, extended XMP, FlashPix data).
constexpr std::uint64_t kWorthLeavingOut = 1024 * 1024;

// A file split into more kept pieces than this is read as it is from there on.
constexpr std::size_t kMostPieces = 64 * 1024;

// Most segments are read for their first bytes only.
constexpr std::size_t kWindow = 4096;

// The data read through a window, so that walking its segments takes few reads.
class Bytes {
  public:
    Bytes(ViewReader read, std::uint64_t size) : read_(std::move(read)), size_(size) {}

    std::uint64_t size() const { return size_; }

    // The byte at `offset`; -1 past the end or when it cannot be read.
    int at(std::uint64_t offset) { return cover(offset) ? window_[offset - start_] : -1; }

    // Up to `count` bytes from `offset`, as far as the data goes.
    std::vector<std::uint8_t> take(std::uint64_t offset, std::size_t count) {
        std::vector<std::uint8_t> taken;
        for (int byte = 0; taken.size() < count && (byte = at(offset + taken.size())) >= 0;)
            taken.push_back(std::uint8_t(byte));
        return taken;
    }

  private:
    bool cover(std::uint64_t offset) {
        if (offset >= start_ && offset < start_ + length_) return true;
        if (offset >= size_) return false;
        const auto got =
            read_(offset, window_.data(), std::size_t(std::min<std::uint64_t>(kWindow, size_ - offset)));
        start_ = offset;
        length_ = got > 0 ? std::size_t(got) : 0;
        return length_ > 0;
    }

    ViewReader read_;
    std::uint64_t size_;
    std::array<std::uint8_t, kWindow> window_{};
    std::uint64_t start_ = 0;
    std::size_t length_ = 0;
};

struct Segment {
    std::uint64_t start;  // its marker, fill bytes included
    std::uint64_t end;
    std::uint8_t code;
    std::uint64_t data;  // its data, after the length
    std::uint64_t dataLength;
};

// Calls `visit` with each marker segment before the first scan, in order, and gives the offset from
// which the file is to be read as it is: the first scan, or the first thing the walk does not follow
// (libjpeg then says what it makes of it). Absent when the data does not start as a JPEG.
template <typename Visit>
std::optional<std::uint64_t> walkSegments(Bytes& bytes, Visit visit) {
    if (bytes.at(0) != 0xFF || bytes.at(1) != 0xD8) return std::nullopt;
    std::uint64_t at = 2;
    while (bytes.at(at) == 0xFF) {
        std::uint64_t codeAt = at + 1;
        while (bytes.at(codeAt) == 0xFF) ++codeAt;
        const int code = bytes.at(codeAt);
        if ((code >= 0xD0 && code <= 0xD7) || code == 0x01) {  // restart markers and TEM have no length
            if (!visit(Segment{at, codeAt + 1, std::uint8_t(code), codeAt + 1, 0})) return at;
            at = codeAt + 1;
            continue;
        }
        const int high = bytes.at(codeAt + 1), low = bytes.at(codeAt + 2);
        if (code <= 0x01 || code == 0xD8 || code == 0xD9 || code == 0xDA || high < 0 || low < 0) return at;
        const auto length = std::uint64_t(high << 8 | low);
        const auto end = codeAt + 1 + length;
        if (length < 2 || end > bytes.size()) return at;
        if (!visit(Segment{at, end, std::uint8_t(code), codeAt + 3, length - 2})) return at;
        at = end;
    }
    return at;
}

// The segments libvips' loader takes its metadata from, by where they start.
struct Used {
    std::optional<std::uint64_t> exif, xmp, iptc;
    std::array<std::optional<std::uint64_t>, kJpegIccChunks> icc;

    bool holds(std::uint64_t start) const {
        return exif == start || xmp == start || iptc == start ||
               std::find(icc.begin(), icc.end(), start) != icc.end();
    }
};

Used usedSegments(Bytes& bytes) {
    using Kind = JpegMetadataSegment::Kind;
    Used used;
    JpegMetadataChooser chooser;
    walkSegments(bytes, [&](const Segment& s) {
        if (s.code != kApp1 && s.code != kApp2 && s.code != kApp13) return true;
        const auto head =
            bytes.take(s.data, std::size_t(std::min<std::uint64_t>(s.dataLength, kJpegMetadataHead)));
        const auto kept = chooser.take(s.code, head, std::size_t(s.dataLength));
        if (kept.kind == Kind::Exif) used.exif = s.start;
        if (kept.kind == Kind::Xmp) used.xmp = s.start;
        if (kept.kind == Kind::Iptc) used.iptc = s.start;
        if (kept.kind == Kind::IccChunk) used.icc[std::size_t(kept.iccChunk - 1)] = s.start;
        return true;
    });
    return used;
}

// A span of the data kept in the view.
struct Piece {
    std::uint64_t offset;
    std::uint64_t length;
};

// The pieces of the data that the view keeps, in order; absent when it would leave out too little.
std::optional<std::vector<Piece>> keptPieces(const ViewReader& read, std::uint64_t size) {
    Bytes bytes(read, size);
    const Used used = usedSegments(bytes);
    std::vector<Piece> pieces;
    std::uint64_t from = 0, leftOut = 0;
    const auto stop = walkSegments(bytes, [&](const Segment& s) {
        const bool kept = (s.code != kApp1 && s.code != kApp2 && s.code != kApp13) || used.holds(s.start);
        if (kept) return true;
        if (pieces.size() == kMostPieces) return false;
        if (s.start > from) pieces.push_back({from, s.start - from});
        leftOut += s.end - s.start;
        from = s.end;
        return true;
    });
    if (!stop || leftOut < kWorthLeavingOut) return std::nullopt;
    pieces.push_back({from, size - from});
    return pieces;
}

// Reads the view of `pieces` of the data `read` gives, at `position` of the view.
std::int64_t readPieces(const std::vector<Piece>& pieces, const std::vector<std::uint64_t>& starts,
                        const ViewReader& read, std::uint64_t position, std::uint8_t* into,
                        std::size_t wanted) {
    std::size_t done = 0;
    auto piece = std::size_t(std::upper_bound(starts.begin(), starts.end(), position) - starts.begin()) - 1;
    for (; done < wanted && piece < pieces.size(); ++piece) {
        const auto skip = position + done - starts[piece];
        const auto count = std::size_t(std::min<std::uint64_t>(wanted - done, pieces[piece].length - skip));
        const auto got = read(pieces[piece].offset + skip, into + done, count);
        if (got < 0) return done > 0 ? std::int64_t(done) : -1;
        done += std::size_t(got);
        if (std::size_t(got) < count) break;
    }
    return std::int64_t(done);
}

}  // namespace

std::optional<vips::VSource> jpegWithoutUnusedMetadata(const std::shared_ptr<std::FILE>& file) {
    struct stat status {};
    if (::fstat(::fileno(file.get()), &status) != 0) return std::nullopt;
    const ViewReader read = [file](std::uint64_t position, std::uint8_t* into, std::size_t wanted) {
        return std::int64_t(::pread(::fileno(file.get()), into, wanted, off_t(position)));
    };
    auto pieces = keptPieces(read, std::uint64_t(status.st_size));
    if (!pieces) return std::nullopt;
    std::vector<std::uint64_t> starts;
    std::uint64_t length = 0;
    for (const auto& piece : *pieces) starts.push_back(std::exchange(length, length + piece.length));
    return viewSource(
        [read, pieces = std::move(*pieces), starts = std::move(starts)](
            std::uint64_t position, std::uint8_t* into, std::size_t wanted) {
            return readPieces(pieces, starts, read, position, into, wanted);
        },
        length);
}

std::optional<std::vector<std::uint8_t>> jpegWithoutUnusedMetadata(std::span<const std::uint8_t> bytes) {
    const ViewReader read = [bytes](std::uint64_t position, std::uint8_t* into, std::size_t wanted) {
        if (position >= bytes.size()) return std::int64_t(0);
        const auto count = std::min<std::uint64_t>(wanted, bytes.size() - position);
        std::memcpy(into, bytes.data() + position, std::size_t(count));
        return std::int64_t(count);
    };
    const auto pieces = keptPieces(read, bytes.size());
    if (!pieces) return std::nullopt;
    std::vector<std::uint8_t> kept;
    for (const auto& piece : *pieces) {
        const auto part = bytes.subspan(std::size_t(piece.offset), std::size_t(piece.length));
        kept.insert(kept.end(), part.begin(), part.end());
    }
    return kept;
}

}  // namespace image::detail
