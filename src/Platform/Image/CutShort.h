#pragma once
// Whether a file was cut short, by its own headers: the byte count they give against the bytes the
// file holds. libvips words such files only as ones it could not parse or find. One check per format
// whose headers give a length. Thread-safe.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>

namespace image::detail {

// Words for a WebP whose RIFF header gives more bytes than the file holds; absent otherwise.
std::optional<std::string> webpCutShort(const std::filesystem::path& file);

// Words for a BMP whose headers reach past the end of the file; absent otherwise.
std::optional<std::string> bmpCutShort(const std::filesystem::path& file);

// Words for a file of `size` bytes that starts (`head`) as a TIFF whose first directory lies past its
// end; absent otherwise.
std::optional<std::string> tiffCutShort(std::span<const std::uint8_t> head, std::uint64_t size);

}  // namespace image::detail
