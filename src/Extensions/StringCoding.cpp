#include "Extensions/StringCoding.h"

#include <algorithm>
#include <map>

#include "Extensions/StringLines.h"
#include "Platform/Foundation/Base64.h"
#include "Platform/Foundation/TextServices.h"
#include "Platform/Foundation/Url.h"

namespace str {
namespace {

bool isBase64Alphabet(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' || c == '/';
}

// Strict Base64 of whole quads, "=" only as the last one or two characters.
std::optional<std::string> decodeStrict(std::string_view text) {
    if (text.size() % 4 != 0) return std::nullopt;
    const auto firstPad = text.find('=');
    if (firstPad != std::string_view::npos &&
        (text.size() - firstPad > 2 || text.find_first_not_of('=', firstPad) != std::string_view::npos))
        return std::nullopt;
    for (char c : text.substr(0, firstPad))
        if (!isBase64Alphabet(c)) return std::nullopt;
    const auto bytes = foundation::base64Decode(text);
    if (!bytes) return std::nullopt;
    std::string out(bytes->begin(), bytes->end());
    if (!foundation::isWellFormedUtf8(out)) return std::nullopt;
    return out;
}

}  // namespace

std::optional<std::string> base64Decoded(std::string_view s) {
    std::string padded(s);
    const std::size_t count = foundation::characterCount(s);
    if (count % 4 != 0) padded.append(4 - count % 4, '=');
    std::string kept;
    for (char c : padded)
        if (isBase64Alphabet(c) || c == '=') kept += c;
    return decodeStrict(kept);
}

std::optional<std::string> base64Encoded(std::string_view s) {
    return foundation::base64Encode(foundation::Data(s.begin(), s.end()));
}

std::optional<std::string> fromBase64(std::string_view base64) {
    return decodeStrict(base64);
}

std::string urlDecoded(std::string_view s) {
    const auto out = foundation::percentDecoded(s);
    return out && foundation::isWellFormedUtf8(*out) ? *out : std::string(s);
}

void urlDecode(std::string& s) {
    s = urlDecoded(s);
}

std::string urlEncoded(std::string_view s) {
    return foundation::percentEncoded(foundation::wellFormedUtf8(s), "!$&'()*+,:;=[]");
}

void urlEncode(std::string& s) {
    s = urlEncoded(s);
}

std::vector<std::int64_t> unicodeScalarValues(std::string_view s) {
    const std::u32string scalars = foundation::scalars(s);
    return std::vector<std::int64_t>(scalars.begin(), scalars.end());
}

std::vector<std::string> characterArray(std::string_view s) {
    return foundation::characters(s);
}

void reverse(std::string& s) {
    auto characters = foundation::characters(s);
    std::reverse(characters.begin(), characters.end());
    s.clear();
    for (const auto& c : characters) s += c;
}

std::optional<std::string> mostCommonCharacter(std::string_view s) {
    // Counted by composed form; a character is returned as it is first written.
    std::map<std::string, std::pair<std::size_t, std::string>> counts;
    const std::pair<std::size_t, std::string>* best = nullptr;
    for (const auto& c : foundation::characters(withoutSpacesAndNewlines(s))) {
        auto& entry = counts.try_emplace(foundation::composed(c), 0, c).first->second;
        ++entry.first;
        if (!best || entry.first > best->first) best = &entry;
    }
    if (!best) return std::nullopt;
    return best->second;
}

}  // namespace str
