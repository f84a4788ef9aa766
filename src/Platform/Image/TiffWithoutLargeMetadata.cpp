#include "Platform/Image/TiffWithoutLargeMetadata.h"

#include "Platform/Foundation/TiffDirectories.h"
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

using foundation::TiffDirectory;
using foundation::TiffDirectoryReader;
using foundation::TiffEntry;
using foundation::TiffLayout;

// The tags kept whatever their size: the ones libtiff and its codecs decode pixels by.
// clang-format off
constexpr std::uint16_t kPixelTags[] = {
    254, 255, 256, 257, 258, 259, 262, 263, 264, 265, 266, 273, 274, 277, 278, 279, 280, 281, 282, 283,
    284, 286, 287, 290, 291, 292, 293, 296, 297, 301, 317, 318, 319, 320, 321, 322, 323, 324, 325, 330,
    332, 334, 336, 338, 339, 340, 341, 346, 347, 512, 513, 514, 515, 517, 518, 519, 520, 521, 529, 530,
    531, 532, 32995, 32996, 32997, 32998, 34665, 34853, 50674};
// clang-format on
// Texts a real file carries (its name, description, camera, software, date, artist, copyright, inks),
// some of which libvips attaches: kept up to a size no real text reaches.
constexpr std::uint16_t kTextTags[] = {269, 270, 271, 272, 285, 305, 306, 315, 316, 333, 337, 33432};
constexpr std::uint64_t kTextUpTo = 64 * 1024;
// The metadata a real file carries: XMP, IPTC, Photoshop's image resources and the ICC profile. Kept
// up to a size no real file's block reaches; a larger one is a hostile or broken file's, which every
// loader would copy several times over.
constexpr std::uint16_t kMetadataTags[] = {700, 33723, 34377, 34675};
constexpr std::uint64_t kMetadataUpTo = kTiffMetadataKept / std::size(kMetadataTags);
constexpr int kMostDirectories = 1024;
// Patch bytes held for one file, at most: a hostile file of directories that overlap one another would
// otherwise have a patch of each held while the file is read. Directories past it are read as they are.
constexpr std::uint64_t kMostPatchBytes = 16 * 1024 * 1024;

// One span of the file replaced by other bytes of the same length.
struct Patch {
    std::uint64_t offset;
    std::vector<std::uint8_t> bytes;
};

bool listed(std::span<const std::uint16_t> tags, std::uint16_t tag) {
    return std::find(tags.begin(), tags.end(), tag) != tags.end();
}

// Every other tag (a private one, GeoTIFF's, Photoshop's layers) is kept only where its value sits in
// the entry itself, where it costs nothing; libvips reads none of them.
bool kept(const TiffEntry& entry) {
    if (listed(kPixelTags, entry.tag)) return true;
    if (listed(kTextTags, entry.tag)) return entry.valueBytes <= kTextUpTo;
    if (listed(kMetadataTags, entry.tag)) return entry.valueBytes <= kMetadataUpTo;
    return entry.inlineValue;
}

// `directory` without the entries left out, as a patch over it; absent when it keeps them all.
std::optional<Patch> directoryPatch(const TiffLayout& layout, const TiffDirectory& directory) {
    std::vector<std::uint8_t> patched(directory.bytes.size(), 0);
    auto* out = patched.data() + layout.countBytes();
    std::uint64_t count = 0;
    for (const auto& entry : directory.entries) {
        if (!kept(entry)) continue;
        std::memcpy(out, entry.raw.data(), entry.raw.size());
        out += entry.raw.size();
        ++count;
    }
    if (count == directory.entries.size()) return std::nullopt;
    layout.store(patched.data(), layout.countBytes(), count);
    layout.store(out, layout.offsetBytes(), directory.next);
    return Patch{directory.offset, std::move(patched)};
}

// The patches that leave the entries out of every directory of the file's chain.
std::vector<Patch> patchesFor(int descriptor) {
    const auto reader =
        TiffDirectoryReader::open([descriptor](std::uint64_t offset, std::uint8_t* into, std::size_t count) {
            return ::pread(descriptor, into, count, off_t(offset)) == ssize_t(count);
        });
    if (!reader) return {};
    std::uint64_t offset = reader->firstDirectory();
    std::vector<Patch> patches;
    std::set<std::uint64_t> seen;
    std::uint64_t held = 0;
    for (int i = 0; i < kMostDirectories && offset != 0 && seen.insert(offset).second; ++i) {
        const auto directory = reader->directory(offset);
        if (!directory) break;
        if (auto patch = directoryPatch(reader->layout(), *directory)) {
            held += patch->bytes.size();
            if (held > kMostPatchBytes) break;
            patches.push_back(std::move(*patch));
        }
        offset = directory->next;
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
    const auto reader = TiffDirectoryReader::fromHead(head);
    if (!reader) return std::nullopt;
    return reader->firstDirectory();
}

std::optional<vips::VSource> tiffWithoutLargeMetadata(const std::shared_ptr<std::FILE>& file) {
    struct stat status {};
    if (::fstat(::fileno(file.get()), &status) != 0) return std::nullopt;
    auto patches = patchesFor(::fileno(file.get()));
    if (patches.empty()) return std::nullopt;
    return viewSource(
        [file, patches = std::move(patches)](std::uint64_t position, std::uint8_t* into, std::size_t wanted) {
            return readPatched(file.get(), patches, position, into, wanted);
        },
        std::uint64_t(status.st_size));
}

TiffViewRead tiffReadWithoutLargeMetadata(const std::shared_ptr<std::FILE>& file) {
    return [file, patches = patchesFor(::fileno(file.get()))](std::uint64_t position, std::uint8_t* into,
                                                              std::size_t wanted) {
        return readPatched(file.get(), patches, position, into, wanted);
    };
}

}  // namespace image::detail
