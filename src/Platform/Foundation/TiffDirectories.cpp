#include "Platform/Foundation/TiffDirectories.h"

#include <algorithm>

namespace foundation {

std::uint64_t TiffLayout::value(const std::uint8_t* p, int bytes) const {
    std::uint64_t v = 0;
    for (int i = 0; i < bytes; ++i) v |= std::uint64_t(p[bigEndian ? bytes - 1 - i : i]) << (8 * i);
    return v;
}

void TiffLayout::store(std::uint8_t* p, int bytes, std::uint64_t v) const {
    for (int i = 0; i < bytes; ++i) p[bigEndian ? bytes - 1 - i : i] = std::uint8_t(v >> (8 * i));
}

std::uint64_t tiffTypeBytes(std::uint64_t type) {
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

std::optional<TiffDirectoryReader> TiffDirectoryReader::fromHead(std::span<const std::uint8_t> head) {
    if (head.size() < 8) return std::nullopt;
    TiffLayout layout;
    if (head[0] == 'M' && head[1] == 'M') {
        layout.bigEndian = true;
    } else if (head[0] != 'I' || head[1] != 'I') {
        return std::nullopt;
    }
    const auto version = layout.value(head.data() + 2, 2);
    std::uint64_t first = 0;
    if (version == 42) {
        first = layout.value(head.data() + 4, 4);
    } else if (version == 43 && head.size() >= 16 && layout.value(head.data() + 4, 2) == 8) {
        layout.big = true;
        first = layout.value(head.data() + 8, 8);
    } else {
        return std::nullopt;
    }
    return TiffDirectoryReader(nullptr, layout, first);
}

std::optional<TiffDirectoryReader> TiffDirectoryReader::open(ReadAt readAt) {
    std::uint8_t head[16];
    const bool whole = readAt(0, head, 16);
    if (!whole && !readAt(0, head, 8)) return std::nullopt;
    auto reader = fromHead(std::span<const std::uint8_t>(head, whole ? 16 : 8));
    if (!reader) return std::nullopt;
    reader->readAt_ = std::move(readAt);
    return reader;
}

std::optional<TiffDirectory> TiffDirectoryReader::directory(std::uint64_t offset,
                                                            std::uint64_t mostEntries) const {
    if (!readAt_) return std::nullopt;
    const TiffLayout& l = layout_;
    std::uint8_t head[8];
    if (!readAt_(offset, head, std::size_t(l.countBytes()))) return std::nullopt;
    const std::uint64_t count = l.value(head, l.countBytes());
    if (count == 0 || count > std::min<std::uint64_t>(mostEntries, 65535)) return std::nullopt;
    TiffDirectory directory;
    directory.offset = offset;
    directory.bytes.resize(std::size_t(l.countBytes() + count * l.entryBytes() + l.offsetBytes()));
    if (!readAt_(offset, directory.bytes.data(), directory.bytes.size())) return std::nullopt;
    const std::uint8_t* entries = directory.bytes.data() + l.countBytes();
    directory.next = l.value(entries + count * l.entryBytes(), l.offsetBytes());
    const int countField = l.big ? 8 : 4;
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::uint8_t* raw = entries + i * l.entryBytes();
        TiffEntry entry;
        entry.tag = std::uint16_t(l.value(raw, 2));
        entry.type = std::uint16_t(l.value(raw + 2, 2));
        entry.count = l.value(raw + 4, countField);
        const std::uint64_t size = tiffTypeBytes(entry.type);
        entry.valueBytes = entry.count > UINT64_MAX / size ? UINT64_MAX : entry.count * size;
        const std::uint8_t* value = raw + 4 + countField;
        entry.inlineValue = entry.valueBytes <= std::uint64_t(l.offsetBytes());
        if (entry.inlineValue) {
            entry.firstValue = l.value(value, int(std::min<std::uint64_t>(size, l.offsetBytes())));
        } else {
            entry.valueOffset = l.value(value, l.offsetBytes());
        }
        entry.raw = std::span<const std::uint8_t>(raw, std::size_t(l.entryBytes()));
        directory.entries.push_back(entry);
    }
    return directory;
}

std::vector<std::uint64_t> TiffDirectoryReader::offsets(const TiffEntry& entry, std::uint64_t most) const {
    const std::uint64_t size = tiffTypeBytes(entry.type);
    if (entry.type != 4 && entry.type != 13 && entry.type != 16 && entry.type != 18) return {};
    if (entry.count == 0 || entry.count > most) return {};
    if (entry.inlineValue) {
        std::vector<std::uint64_t> values;
        const std::uint8_t* value = entry.raw.data() + (layout_.big ? 12 : 8);
        for (std::uint64_t i = 0; i < entry.count; ++i)
            values.push_back(layout_.value(value + i * size, int(size)));
        return values;
    }
    std::vector<std::uint8_t> bytes(std::size_t(entry.valueBytes));
    if (!readAt_ || !readAt_(entry.valueOffset, bytes.data(), bytes.size())) return {};
    std::vector<std::uint64_t> values;
    for (std::uint64_t i = 0; i < entry.count; ++i)
        values.push_back(layout_.value(&bytes[i * size], int(size)));
    return values;
}

}  // namespace foundation
