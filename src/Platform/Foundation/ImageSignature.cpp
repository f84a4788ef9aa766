#include "Platform/Foundation/ImageSignature.h"

#include <algorithm>
#include <array>

#include "Platform/Foundation/RegularFileReader.h"

namespace foundation {

std::optional<std::string> signedImageType(const std::filesystem::path& file) {
    constexpr std::array<unsigned char, 3> kJpeg{0xFF, 0xD8, 0xFF};
    constexpr std::array<unsigned char, 8> kPng{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::array<unsigned char, kPng.size()> head{};
    const RegularFileReader in(file);
    if (in.read(0, head.data(), kJpeg.size()) && std::equal(kJpeg.begin(), kJpeg.end(), head.begin()))
        return "image/jpeg";
    if (in.read(0, head.data(), head.size()) && head == kPng) return "image/png";
    return std::nullopt;
}

}  // namespace foundation
