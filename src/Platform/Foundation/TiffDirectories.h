#pragma once
// Walks the directories of a TIFF structure (a TIFF or BigTIFF file, or the EXIF block of a JPEG),
// reading only its header and directories through a caller's reading function, never the image data.
// Hostile input is bounded: a directory holds at most 65,535 entries, and every read is checked
// against what the reading function gives. One reader per thread; its results are plain values.

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace foundation {

// The byte order and kind of a TIFF structure, and the numbers it stores.
struct TiffLayout {
    bool bigEndian = false;
    bool big = false;  // BigTIFF: 8-byte counts and offsets
    std::uint64_t value(const std::uint8_t* p, int bytes) const;
    void store(std::uint8_t* p, int bytes, std::uint64_t v) const;
    int countBytes() const { return big ? 8 : 2; }
    int entryBytes() const { return big ? 20 : 12; }
    int offsetBytes() const { return big ? 8 : 4; }
};

// One entry of a directory.
struct TiffEntry {
    std::uint16_t tag = 0;
    std::uint16_t type = 0;
    std::uint64_t count = 0;
    std::uint64_t valueBytes = 0;       // count times the type's size, saturating
    bool inlineValue = false;           // the value sits in the entry itself
    std::uint64_t valueOffset = 0;      // where the value is, when it is not inline
    std::uint64_t firstValue = 0;       // the first value of an inline SHORT, LONG or IFD entry
    std::span<const std::uint8_t> raw;  // the entry's own bytes, inside its directory's
};

// A directory as it is in the file.
struct TiffDirectory {
    std::uint64_t offset = 0;
    std::vector<std::uint8_t> bytes;  // its count, entries and next-directory field
    std::vector<TiffEntry> entries;   // views into `bytes`
    std::uint64_t next = 0;           // the next directory's offset, 0 at the end of the chain

    TiffDirectory() = default;
    TiffDirectory(const TiffDirectory&) = delete;
    TiffDirectory& operator=(const TiffDirectory&) = delete;
    TiffDirectory(TiffDirectory&&) = default;
    TiffDirectory& operator=(TiffDirectory&&) = default;
};

class TiffDirectoryReader {
  public:
    // Exactly `count` bytes at `offset` into `into`; false when the source holds fewer there.
    using ReadAt = std::function<bool(std::uint64_t offset, std::uint8_t* into, std::size_t count)>;

    // A reader of the structure whose first bytes `readAt` gives; absent when they are not a TIFF's
    // (the 8 first bytes, or 16 for a BigTIFF, are read).
    static std::optional<TiffDirectoryReader> open(ReadAt readAt);
    // The same from the structure's first bytes alone, for callers that only want the layout and the
    // first directory's offset.
    static std::optional<TiffDirectoryReader> fromHead(std::span<const std::uint8_t> head);

    const TiffLayout& layout() const { return layout_; }
    std::uint64_t firstDirectory() const { return first_; }

    // The directory at `offset`; absent when it cannot be read, is empty or holds more than
    // `mostEntries` entries.
    std::optional<TiffDirectory> directory(std::uint64_t offset, std::uint64_t mostEntries = 65535) const;

    // The values of a LONG, IFD or LONG8 entry (as sub-directory offsets are written), up to `most`.
    std::vector<std::uint64_t> offsets(const TiffEntry& entry, std::uint64_t most) const;

  private:
    TiffDirectoryReader(ReadAt readAt, TiffLayout layout, std::uint64_t first)
        : readAt_(std::move(readAt)), layout_(layout), first_(first) {}
    ReadAt readAt_;
    TiffLayout layout_;
    std::uint64_t first_ = 0;
};

// The bytes of one value of `type`.
std::uint64_t tiffTypeBytes(std::uint64_t type);

}  // namespace foundation
