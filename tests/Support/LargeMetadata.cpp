#include "Support/LargeMetadata.h"

#include <fstream>
#include <vector>

namespace testsupport {

namespace {

void put16(std::string& out, std::uint32_t v) {
    out += char(v & 0xff);
    out += char((v >> 8) & 0xff);
}

void put32(std::string& out, std::uint32_t v) {
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

void entry(std::string& out, std::uint16_t tag, std::uint16_t type, std::uint32_t count,
           std::uint32_t value) {
    put16(out, tag);
    put16(out, type);
    put32(out, count);
    put32(out, value);
}

}  // namespace

void writeTiffWithLargeTag(const std::filesystem::path& file, std::uint16_t tag, std::uint16_t type,
                           std::uint64_t bytes) {
    constexpr std::uint32_t kWidth = 64, kHeight = 48, kPixels = kWidth * kHeight;
    constexpr std::uint32_t kDirectory = 8, kEntries = 10;
    constexpr std::uint32_t kPixelsAt = kDirectory + 2 + kEntries * 12 + 4;
    constexpr std::uint32_t kValueAt = kPixelsAt + kPixels;
    std::string out = "II";
    put16(out, 42);
    put32(out, kDirectory);
    put16(out, kEntries);
    // In increasing tag order, as readers expect.
    struct Entry {
        std::uint16_t tag, type;
        std::uint32_t count, value;
    };
    std::vector<Entry> entries{{256, 3, 1, kWidth}, {257, 3, 1, kHeight}, {258, 3, 1, 8},
                               {259, 3, 1, 1},      {262, 3, 1, 1},       {273, 4, 1, kPixelsAt},
                               {277, 3, 1, 1},      {278, 3, 1, kHeight}, {279, 4, 1, kPixels}};
    const std::uint32_t typeBytes = type == 3 ? 2 : type == 4 ? 4 : 1;
    const Entry large{tag, type, std::uint32_t(bytes / typeBytes), kValueAt};
    auto at = entries.begin();
    while (at != entries.end() && at->tag < tag) ++at;
    entries.insert(at, large);
    for (const auto& e : entries) entry(out, e.tag, e.type, e.count, e.value);
    put32(out, 0);
    out += std::string(kPixels, char(90));
    std::filesystem::create_directories(file.parent_path());
    std::ofstream stream(file, std::ios::binary);
    stream.write(out.data(), std::streamsize(out.size()));
    // The value: a hole up to its last byte.
    stream.seekp(std::streamoff(kValueAt + bytes - 1));
    stream.put('\0');
}

std::string tiffOfOverlappingDirectories(std::uint32_t entries, std::uint32_t directories) {
    // Records of 12 bytes from byte 12 on; directory k starts 2 bytes before record k, so that its
    // count is the last two bytes of record k - 1 and its entries are records k .. k + entries - 1.
    // Its next-directory field is the first four bytes of record k + entries: the tag and type there
    // spell the offset of directory k + 1. Every other field names a value of 100 bytes out of line.
    constexpr std::uint32_t kFirst = 12;
    const auto directoryAt = [&](std::uint32_t k) { return kFirst + 12 * k - 2; };
    std::string out = "II";
    put16(out, 42);
    put32(out, directoryAt(1));
    put16(out, 0);
    put16(out, 0);
    const std::uint32_t records = directories + entries + 1;
    for (std::uint32_t j = 0; j < records; ++j) {
        // Record j holds directory (j - entries)'s next field: the offset of the directory after it.
        const std::uint32_t owner = j >= entries ? j - entries : 0;
        const std::uint32_t next = owner >= 1 && owner < directories ? directoryAt(owner + 1) : 0;
        put32(out, next);     // tag and type
        put32(out, 100);      // count
        put16(out, 0);        // the value's offset, low half
        put16(out, entries);  // its high half: the count of the directory that starts after it
    }
    return out;
}

}  // namespace testsupport
