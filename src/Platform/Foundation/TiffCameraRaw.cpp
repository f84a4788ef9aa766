#include "Platform/Foundation/TiffCameraRaw.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "Platform/Foundation/RegularFileReader.h"
#include "Platform/Foundation/TiffDirectories.h"

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

    Found scan() const {
        std::array<unsigned char, 11> head{};
        if (!in_.read(0, head.data(), 8)) return Found::NotTiff;
        // BigTIFF is no camera's: only the classic header is taken.
        if (head[2] + head[3] != 42) return Found::NotTiff;
        const auto reader =
            TiffDirectoryReader::open([this](std::uint64_t offset, std::uint8_t* into, std::size_t count) {
                return in_.read(offset, into, count);
            });
        if (!reader) return Found::NotTiff;
        // Canon's CR2 signs its header; its sensor data sits where no directory says so.
        if (in_.read(8, head.data() + 8, 3) && head[8] == 'C' && head[9] == 'R' && head[10] == 2)
            return Found::Cr2;
        std::vector<std::uint64_t> pending{reader->firstDirectory()};
        std::vector<std::uint64_t> seen;
        Found found = Found::Tiff;
        while (!pending.empty() && int(seen.size()) < kMostDirectories) {
            const std::uint64_t offset = pending.back();
            pending.pop_back();
            if (offset == 0 || std::find(seen.begin(), seen.end(), offset) != seen.end()) continue;
            seen.push_back(offset);
            const Found here = scanDirectory(*reader, offset, pending);
            if (here == Found::Dng) return here;
            if (here == Found::CameraRaw) found = here;
        }
        return found;
    }

  private:
    // One directory's verdict (Tiff when it holds no sign of a camera); its next directory and its
    // sub-directories join `pending`.
    static Found scanDirectory(const TiffDirectoryReader& reader, std::uint64_t offset,
                               std::vector<std::uint64_t>& pending) {
        const auto directory = reader.directory(offset, kMostEntries);
        if (!directory) return Found::Tiff;
        Found found = Found::Tiff;
        for (const auto& entry : directory->entries) {
            if (entry.tag == kDNGVersion) return Found::Dng;
            if (entry.tag == kPhotometric && entry.count == 1 &&
                (entry.firstValue == kColourFilterArray || entry.firstValue == kLinearRaw))
                found = Found::CameraRaw;
            if (entry.tag == kSubIFDs) {
                for (const auto sub : reader.offsets(entry, kMostDirectories)) pending.push_back(sub);
            }
        }
        pending.push_back(directory->next);
        return found;
    }

    RegularFileReader in_;
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
