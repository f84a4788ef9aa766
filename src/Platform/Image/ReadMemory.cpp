#include "Platform/Image/ReadMemory.h"

#include <array>
#include <span>

#include "Platform/Foundation/RegularFileReader.h"
#include "Platform/Image/DecodeMemory.h"

namespace image {

std::uint64_t headerReadBytes(const std::filesystem::path& file) {
    const foundation::RegularFileReader reader(file);
    std::error_code ec;
    const auto size = std::filesystem::file_size(file, ec);
    if (!reader.isOpen() || ec) return 0;
    std::array<std::uint8_t, 16> head{};
    const std::size_t got = reader.read(0, head.data(), head.size()) ? head.size() : 0;
    return detail::headerReadMemory(std::span(head.data(), got), std::uint64_t(size));
}

bool memoryCanBeHad(std::uint64_t bytes, std::string* error) {
    return detail::memoryAvailableFor(bytes, error);
}

}  // namespace image
