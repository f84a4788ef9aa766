#include "Platform/Foundation/TiffCameraRaw.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "Platform/Foundation/RegularFileReader.h"

namespace foundation {

namespace {

constexpr std::uint16_t kPhotometric = 262;
constexpr std::uint16_t kSubIFDs = 330;
constexpr std::uint16_t kDNGVersion = 50706;
constexpr std::uint32_t kColourFilterArray = 32803;
constexpr std::uint32_t kLinearRaw = 34892;
// Enough for every camera's layout (preview, thumbnail, sensor data); a loop or a hostile file stops
// here.
constexpr int kMostDirectories = 16;
constexpr std::uint16_t kMostEntries = 1024;

enum class Found { NotTiff, Tiff, CameraRaw, Dng, Cr2 };

class TiffReader {
  public:
    explicit TiffReader(const std::filesystem::path& file) : in_(file) {}

    Found scan() {
        std::array<unsigned char, 11> head{};
        if (!read(0, head.data(), 8)) return Found::NotTiff;
        if (head[0] == 'I' && head[1] == 'I' && head[2] == 42 && head[3] == 0) {
            little_ = true;
        } else if (!(head[0] == 'M' && head[1] == 'M' && head[2] == 0 && head[3] == 42)) {
            return Found::NotTiff;
        }
        // Canon's CR2 signs its header; its sensor data sits where no directory says so.
        if (read(8, head.data() + 8, 3) && head[8] == 'C' && head[9] == 'R' && head[10] == 2)
            return Found::Cr2;
        std::vector<std::uint32_t> pending{number(head.data() + 4, 4)};
        std::vector<std::uint32_t> seen;
        Found found = Found::Tiff;
        while (!pending.empty() && int(seen.size()) < kMostDirectories) {
            const std::uint32_t offset = pending.back();
            pending.pop_back();
            if (offset == 0 || std::find(seen.begin(), seen.end(), offset) != seen.end()) continue;
            seen.push_back(offset);
            const Found here = scanDirectory(offset, pending);
            if (here == Found::Dng) return here;
            if (here == Found::CameraRaw) found = here;
        }
        return found;
    }

  private:
    // One directory's verdict (Tiff when it holds no sign of a camera); its next directory and its
    // sub-directories join `pending`.
    Found scanDirectory(std::uint32_t offset, std::vector<std::uint32_t>& pending) {
        std::array<unsigned char, 2> countBytes{};
        if (!read(offset, countBytes.data(), 2)) return Found::Tiff;
        const std::uint16_t count = std::uint16_t(number(countBytes.data(), 2));
        if (count == 0 || count > kMostEntries) return Found::Tiff;
        std::vector<unsigned char> entries(std::size_t(count) * 12 + 4);
        if (!read(offset + 2, entries.data(), entries.size())) return Found::Tiff;
        Found found = Found::Tiff;
        for (std::uint16_t i = 0; i < count; ++i) {
            const unsigned char* entry = entries.data() + std::size_t(i) * 12;
            const auto tag = std::uint16_t(number(entry, 2));
            const auto type = std::uint16_t(number(entry + 2, 2));
            const std::uint32_t valueCount = number(entry + 4, 4);
            if (tag == kDNGVersion) return Found::Dng;
            if (tag == kPhotometric && valueCount == 1) {
                const std::uint32_t value = type == 3 ? number(entry + 8, 2) : number(entry + 8, 4);
                if (value == kColourFilterArray || value == kLinearRaw) found = Found::CameraRaw;
            }
            if (tag == kSubIFDs && (type == 4 || type == 13)) {
                if (valueCount == 1) {
                    pending.push_back(number(entry + 8, 4));
                } else if (valueCount <= std::uint32_t(kMostDirectories)) {
                    std::vector<unsigned char> offsets(std::size_t(valueCount) * 4);
                    if (read(number(entry + 8, 4), offsets.data(), offsets.size())) {
                        for (std::uint32_t k = 0; k < valueCount; ++k)
                            pending.push_back(number(&offsets[k * 4], 4));
                    }
                }
            }
        }
        pending.push_back(number(entries.data() + std::size_t(count) * 12, 4));
        return found;
    }

    bool read(std::uint64_t offset, unsigned char* out, std::size_t size) const {
        return in_.read(offset, out, size);
    }

    std::uint32_t number(const unsigned char* bytes, int size) const {
        std::uint32_t value = 0;
        for (int i = 0; i < size; ++i) {
            const int at = little_ ? size - 1 - i : i;
            value = (value << 8) | bytes[at];
        }
        return value;
    }

    RegularFileReader in_;
    bool little_ = false;
};

}  // namespace

std::optional<std::string> typeOfTiff(const std::filesystem::path& file) {
    switch (TiffReader(file).scan()) {
        case Found::Dng:
            return "image/x-adobe-dng";
        case Found::Cr2:
            return "image/x-canon-cr2";
        case Found::CameraRaw:
            return "image/x-dcraw";
        case Found::Tiff:
            return "image/tiff";
        case Found::NotTiff:
            break;
    }
    return std::nullopt;
}

}  // namespace foundation
