#include "Platform/Image/TiffWithoutLargeMetadata.h"

#include "Platform/Image/SourceView.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <set>
#include <span>
#include <vector>

namespace image::detail {

namespace {

// Photoshop's layers: nothing here reads them, at any size worth leaving out.
constexpr std::uint16_t kImageSourceData = 37724;
constexpr std::uint64_t kLayersFrom = 64 * 1024;
// XMP, IPTC and Photoshop blocks: libvips attaches them to the image (and savers write them) up to
// 100 MB; larger ones it drops, after libtiff has read them.
constexpr std::uint16_t kKeptUpTo100MB[] = {700, 33723, 34377};
constexpr std::uint64_t kAttachedUpTo = 100ull * 1024 * 1024;
constexpr int kMostDirectories = 1024;
// Patch bytes held for one file, at most: a hostile file of directories that overlap one another would
// otherwise have a patch of each held while the file is read. Directories past it are read as they are.
constexpr std::uint64_t kMostPatchBytes = 16 * 1024 * 1024;

// One span of the file replaced by other bytes of the same length.
struct Patch {
    std::uint64_t offset;
    std::vector<std::uint8_t> bytes;
};

class Reader {
  public:
    explicit Reader(int descriptor) : descriptor_(descriptor) {}
    bool read(std::uint64_t offset, void* into, std::size_t count) const {
        return ::pread(descriptor_, into, count, off_t(offset)) == ssize_t(count);
    }

  private:
    int descriptor_;
};

struct Layout {
    bool bigEndian = false;
    bool big = false;  // BigTIFF
    std::uint64_t value(const std::uint8_t* p, int bytes) const {
        std::uint64_t v = 0;
        for (int i = 0; i < bytes; ++i) v |= std::uint64_t(p[bigEndian ? bytes - 1 - i : i]) << (8 * i);
        return v;
    }
    void store(std::uint8_t* p, int bytes, std::uint64_t v) const {
        for (int i = 0; i < bytes; ++i) p[bigEndian ? bytes - 1 - i : i] = std::uint8_t(v >> (8 * i));
    }
    int countBytes() const { return big ? 8 : 2; }
    int entryBytes() const { return big ? 20 : 12; }
    int offsetBytes() const { return big ? 8 : 4; }
};

std::uint64_t typeBytes(std::uint64_t type) {
    switch (type) {
        case 3:
        case 8:
            return 2;
        case 4:
        case 9:
        case 11:
        case 13:
            return 4;
        case 5:
        case 10:
        case 12:
        case 16:
        case 17:
        case 18:
            return 8;
        default:
            return 1;
    }
}

bool leftOut(std::uint16_t tag, std::uint64_t bytes) {
    if (tag == kImageSourceData) return bytes > kLayersFrom;
    return std::find(std::begin(kKeptUpTo100MB), std::end(kKeptUpTo100MB), tag) != std::end(kKeptUpTo100MB) &&
           bytes > kAttachedUpTo;
}

// The directory at `offset` without the entries left out, as a patch over it; absent when it keeps
// them all. `next` is set to the offset of the directory after it.
std::optional<Patch> directoryPatch(const Reader& reader, const Layout& layout, std::uint64_t offset,
                                    std::uint64_t* next) {
    *next = 0;
    std::uint8_t head[8];
    if (!reader.read(offset, head, layout.countBytes())) return std::nullopt;
    const std::uint64_t count = layout.value(head, layout.countBytes());
    if (count == 0 || count > 65535) return std::nullopt;
    std::vector<std::uint8_t> directory(layout.countBytes() + count * layout.entryBytes() +
                                        layout.offsetBytes());
    if (!reader.read(offset, directory.data(), directory.size())) return std::nullopt;
    const auto* entries = directory.data() + layout.countBytes();
    const auto* nextField = entries + count * layout.entryBytes();
    *next = layout.value(nextField, layout.offsetBytes());

    std::vector<std::uint8_t> patched(directory.size(), 0);
    auto* out = patched.data() + layout.countBytes();
    std::uint64_t kept = 0;
    for (std::uint64_t i = 0; i < count; ++i) {
        const auto* entry = entries + i * layout.entryBytes();
        const auto tag = std::uint16_t(layout.value(entry, 2));
        const auto items = layout.value(entry + 4, layout.big ? 8 : 4);
        const std::uint64_t size = typeBytes(layout.value(entry + 2, 2));
        if (leftOut(tag, items > UINT64_MAX / size ? UINT64_MAX : items * size)) continue;
        std::memcpy(out, entry, layout.entryBytes());
        out += layout.entryBytes();
        ++kept;
    }
    if (kept == count) return std::nullopt;
    layout.store(patched.data(), layout.countBytes(), kept);
    std::memcpy(out, nextField, layout.offsetBytes());
    return Patch{offset, std::move(patched)};
}

// The patches that leave the large metadata out of every directory of the file's chain.
// A TIFF's byte order and kind, and where its first directory is, from its first bytes.
struct TiffStart {
    Layout layout;
    std::uint64_t firstDirectory = 0;
};

std::optional<TiffStart> tiffStartOf(std::span<const std::uint8_t> head) {
    if (head.size() < 8) return std::nullopt;
    TiffStart start;
    if (head[0] == 'M' && head[1] == 'M') {
        start.layout.bigEndian = true;
    } else if (head[0] != 'I' || head[1] != 'I') {
        return std::nullopt;
    }
    const auto version = start.layout.value(head.data() + 2, 2);
    if (version == 42) {
        start.firstDirectory = start.layout.value(head.data() + 4, 4);
    } else if (version == 43 && head.size() >= 16 && start.layout.value(head.data() + 4, 2) == 8) {
        start.layout.big = true;
        start.firstDirectory = start.layout.value(head.data() + 8, 8);
    } else {
        return std::nullopt;
    }
    return start;
}

std::vector<Patch> patchesFor(const Reader& reader) {
    std::uint8_t header[16];
    const bool whole = reader.read(0, header, 16);
    if (!whole && !reader.read(0, header, 8)) return {};
    const auto start = tiffStartOf(std::span<const std::uint8_t>(header, whole ? 16 : 8));
    if (!start) return {};
    const Layout layout = start->layout;
    std::uint64_t offset = start->firstDirectory;
    std::vector<Patch> patches;
    std::set<std::uint64_t> seen;
    std::uint64_t held = 0;
    for (int i = 0; i < kMostDirectories && offset != 0 && seen.insert(offset).second; ++i) {
        std::uint64_t next = 0;
        if (auto patch = directoryPatch(reader, layout, offset, &next)) {
            held += patch->bytes.size();
            if (held > kMostPatchBytes) break;
            patches.push_back(std::move(*patch));
        }
        offset = next;
    }
    return patches;
}

// Reads the file at `position` with `patches` laid over what it reads.
std::int64_t readPatched(std::FILE* file, const std::vector<Patch>& patches, std::uint64_t position,
                         std::uint8_t* into, std::size_t wanted) {
    const auto got = ::pread(::fileno(file), into, wanted, off_t(position));
    if (got < 0) return -1;
    const auto from = position, to = from + std::uint64_t(got);
    for (const auto& patch : patches) {
        const auto start = std::max(from, patch.offset);
        const auto end = std::min(to, patch.offset + patch.bytes.size());
        if (start < end)
            std::memcpy(into + (start - from), patch.bytes.data() + (start - patch.offset), end - start);
    }
    return got;
}

}  // namespace

std::optional<std::uint64_t> tiffFirstDirectory(std::span<const std::uint8_t> head) {
    const auto start = tiffStartOf(head);
    if (!start) return std::nullopt;
    return start->firstDirectory;
}

std::optional<vips::VSource> tiffWithoutLargeMetadata(const std::shared_ptr<std::FILE>& file) {
    struct stat status {};
    if (::fstat(::fileno(file.get()), &status) != 0) return std::nullopt;
    auto patches = patchesFor(Reader(::fileno(file.get())));
    if (patches.empty()) return std::nullopt;
    return viewSource(
        [file, patches = std::move(patches)](std::uint64_t position, std::uint8_t* into, std::size_t wanted) {
            return readPatched(file.get(), patches, position, into, wanted);
        },
        std::uint64_t(status.st_size));
}

}  // namespace image::detail
