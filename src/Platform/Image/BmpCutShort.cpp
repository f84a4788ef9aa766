#include <vector>

#include "Platform/Image/BmpExtent.h"
#include "Platform/Image/CutShort.h"
#include "Platform/Image/JpegWarnings.h"
#include "Platform/Image/LoaderAdmission.h"

namespace image::detail {

std::optional<std::string> bmpCutShort(const std::filesystem::path& file) {
    const auto in = openRegularFile(file);
    if (!in) return std::nullopt;
    std::vector<std::uint8_t> head(kBmpHeaderBytes);
    head.resize(std::fread(head.data(), 1, head.size(), in.get()));
    std::error_code ec;
    const std::uint64_t holds = std::filesystem::file_size(file, ec);
    const auto extent = bmpExtent(head, kMaximumPixels);
    const auto* declared = std::get_if<std::uint64_t>(&extent);
    if (ec || !declared || *declared <= holds) return std::nullopt;
    return "BMP data truncated: its headers give " + std::to_string(*declared) + " bytes, the file holds " +
           std::to_string(holds);
}

}  // namespace image::detail
