#pragma once
// Base64 and percent coding of text, and the text as scalars or characters. Decoding never fails
// loudly: malformed input gives an absent result (or, for percent decoding, the text unchanged).
// Pure functions (forms taking a std::string& edit it); safe from any thread.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace str {

// Missing "=" padding is added first, characters outside the Base64 alphabet are ignored; absent
// when what remains is not Base64 or does not decode to UTF-8 text.
std::optional<std::string> base64Decoded(std::string_view s);
// The standard alphabet with "=" padding and no line breaks, of the UTF-8 bytes.
std::optional<std::string> base64Encoded(std::string_view s);
// Strict: padding required, any character outside the alphabet refused; then UTF-8.
std::optional<std::string> fromBase64(std::string_view base64);

// Percent escapes decoded; the text itself when an escape is malformed or the bytes are not UTF-8.
std::string urlDecoded(std::string_view s);
void urlDecode(std::string& s);
// Everything but ASCII letters, digits and !$&'()*+,-.:;=[]_~ percent-encoded.
std::string urlEncoded(std::string_view s);
void urlEncode(std::string& s);

std::vector<std::int64_t> unicodeScalarValues(std::string_view s);
std::vector<std::string> characterArray(std::string_view s);
// The characters in reverse order (a flag or an accented letter stays whole).
void reverse(std::string& s);
// The most frequent character once spaces and "\n" are removed; absent when nothing remains.
std::optional<std::string> mostCommonCharacter(std::string_view s);

}  // namespace str
