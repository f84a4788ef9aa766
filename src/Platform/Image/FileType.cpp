#include "Platform/Image/FileType.h"

#include <algorithm>

namespace image {

const std::map<std::string, FileType>& fileTypeByExtension() {
    // Workers read it to the very end of the process: never destroyed.
    static const auto* const table = new std::map<std::string, FileType>{
        {"bmp", FileType::BMP},   {"gif", FileType::GIF},   {"giff", FileType::GIF},
        {"jpeg", FileType::JPEG}, {"jpg", FileType::JPEG},  {"jp2", FileType::JPEG2000},
        {"png", FileType::PNG},   {"tiff", FileType::TIFF}, {"tif", FileType::TIFF},
        {"heic", FileType::JPEG}, {"heif", FileType::JPEG},
    };
    return *table;
}

FileType fileTypeForExtension(std::string_view extension) {
    constexpr std::string_view blanks = " \t\n\r\v\f";
    const auto first = extension.find_first_not_of(blanks);
    if (first == std::string_view::npos) return FileType::PNG;
    extension = extension.substr(first, extension.find_last_not_of(blanks) - first + 1);
    std::string lower(extension);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : char(c); });
    const auto& table = fileTypeByExtension();
    const auto found = table.find(lower);
    return found == table.end() ? FileType::PNG : found->second;
}

std::string_view preferredExtension(FileType type) {
    switch (type) {
        case FileType::BMP:
            return "bmp";
        case FileType::GIF:
            return "gif";
        case FileType::JPEG:
            return "jpg";
        case FileType::JPEG2000:
            return "jp2";
        case FileType::PNG:
            return "png";
        case FileType::TIFF:
            return "tiff";
        case FileType::HEIF:
            return "heic";
    }
    return "png";
}

}  // namespace image
