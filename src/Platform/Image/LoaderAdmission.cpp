#include "Platform/Image/LoaderAdmission.h"

#include <array>
#include <fstream>
#include <string_view>
#include <system_error>

namespace image::detail {

namespace {

struct KnownLoader {
    std::string_view classPrefix;
    std::string_view format;
};

constexpr std::array kKnownLoaders{
    KnownLoader{"VipsForeignLoadJpeg", "jpeg"},  KnownLoader{"VipsForeignLoadPng", "png"},
    KnownLoader{"VipsForeignLoadTiff", "tiff"},  KnownLoader{"VipsForeignLoadNsgif", "gif"},
    KnownLoader{"VipsForeignLoadGif", "gif"},    KnownLoader{"VipsForeignLoadHeif", "heif"},
    KnownLoader{"VipsForeignLoadWebp", "webp"},  KnownLoader{"VipsForeignLoadJp2k", "jp2k"},
    KnownLoader{"VipsForeignLoadMagick", "bmp"},
};

bool startsAsBmp(std::span<const std::uint8_t> head) {
    return head.size() >= 2 && head[0] == 'B' && head[1] == 'M';
}

std::optional<Admission> admitLoader(const char* loaderClass, std::span<const std::uint8_t> head,
                                     std::string* error) {
    if (loaderClass == nullptr) {
        reportError(error, "not an image in a known format");
        return std::nullopt;
    }
    const std::string_view name(loaderClass);
    for (const auto& known : kKnownLoaders) {
        if (!name.starts_with(known.classPrefix)) continue;
        // ImageMagick reads hundreds of formats, some of them scriptable; it is only let near
        // data that says it is a BMP.
        if (known.format == "bmp" && !startsAsBmp(head)) break;
        return Admission{std::string(known.format)};
    }
    reportError(error, "not an image in a supported format");
    return std::nullopt;
}

}  // namespace

void reportError(std::string* error, const std::string& message) {
    vips_error_clear();
    if (error != nullptr) *error = message;
}

std::optional<Admission> admitFile(const std::filesystem::path& path, std::string* error) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        reportError(error, "not a readable file");
        return std::nullopt;
    }
    if (std::filesystem::file_size(path, ec) == 0 || ec) {
        reportError(error, "empty file");
        return std::nullopt;
    }
    std::array<std::uint8_t, 2> head{};
    std::ifstream in(path, std::ios::binary);
    in.read(reinterpret_cast<char*>(head.data()), head.size());
    const auto headSpan = std::span<const std::uint8_t>(head.data(), std::size_t(in.gcount()));
    return admitLoader(vips_foreign_find_load(path.c_str()), headSpan, error);
}

std::optional<Admission> admitBytes(std::span<const std::uint8_t> bytes, std::string* error) {
    if (bytes.empty()) {
        reportError(error, "empty data");
        return std::nullopt;
    }
    return admitLoader(vips_foreign_find_load_buffer(bytes.data(), bytes.size()), bytes, error);
}

bool exceedsPixelBound(const vips::VImage& header) {
    return static_cast<long long>(header.width()) * header.height() > kMaximumPixels;
}

}  // namespace image::detail
