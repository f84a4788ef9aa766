#include <array>

#include "Platform/Image/CutShort.h"
#include "Platform/Image/JpegWarnings.h"

namespace image::detail {

std::optional<std::string> webpCutShort(const std::filesystem::path& file) {
    const auto in = openRegularFile(file);
    std::array<unsigned char, 12> head{};
    if (!in || std::fread(head.data(), 1, head.size(), in.get()) != head.size()) return std::nullopt;
    const std::uint64_t declared = 8 + (std::uint64_t(head[4]) | std::uint64_t(head[5]) << 8 |
                                        std::uint64_t(head[6]) << 16 | std::uint64_t(head[7]) << 24);
    std::error_code ec;
    const std::uint64_t holds = std::filesystem::file_size(file, ec);
    if (ec || declared <= holds) return std::nullopt;
    return "WebP data truncated: its RIFF header gives " + std::to_string(declared) +
           " bytes, the file holds " + std::to_string(holds);
}

}  // namespace image::detail
