#pragma once
// Bytes read as text in a named encoding. Pure functions; safe from any thread.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace foundation {

// The encodings bytes can be read in (the platform's string encodings of that name).
enum class StringEncoding {
    UTF8,
    ASCII,
    ISOLatin1,
    WindowsCP1252,
    MacOSRoman,
    UTF16,
    UTF16BigEndian,
    UTF16LittleEndian
};

// The text of `bytes` as UTF-8; absent when they are not valid in the encoding. UTF16 without a
// byte-order mark reads big-endian.
std::optional<std::string> decodedText(std::span<const std::uint8_t> bytes, StringEncoding encoding);

}  // namespace foundation
