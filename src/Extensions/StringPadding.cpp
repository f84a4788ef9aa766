#include "Extensions/StringPadding.h"

#include <cstdlib>

#include "Extensions/StringConstants.h"
#include "Platform/Foundation/TextServices.h"

namespace str {
namespace {

// The pad of `need` characters cut from `with` repeated; absent when it cannot be made.
std::optional<std::string> pad(std::string_view with, std::int64_t need) {
    const auto characters = foundation::characters(with);
    if (characters.empty() || static_cast<std::uint64_t>(need) > maxGeneratedBytes) return std::nullopt;
    std::size_t bytes = 0;
    std::string out;
    for (std::int64_t i = 0; i < need; ++i) {
        const std::string& c = characters[static_cast<std::size_t>(i) % characters.size()];
        bytes += c.size();
        if (bytes > maxGeneratedBytes) return std::nullopt;
        out += c;
    }
    return out;
}

}  // namespace

std::string paddingStart(std::string_view s, std::int64_t length, std::string_view with) {
    const auto count = static_cast<std::int64_t>(foundation::characterCount(s));
    if (count >= length) return std::string(s);
    const auto p = pad(with, length - count);
    return p ? *p + std::string(s) : std::string(s);
}

void padStart(std::string& s, std::int64_t length, std::string_view with) {
    s = paddingStart(s, length, with);
}

std::string paddingEnd(std::string_view s, std::int64_t length, std::string_view with) {
    const auto count = static_cast<std::int64_t>(foundation::characterCount(s));
    if (count >= length) return std::string(s);
    const auto p = pad(with, length - count);
    return p ? std::string(s) + *p : std::string(s);
}

void padEnd(std::string& s, std::int64_t length, std::string_view with) {
    s = paddingEnd(s, length, with);
}

std::string truncated(std::string_view s, std::int64_t toLength, std::optional<std::string_view> trailing) {
    const auto characters = foundation::characters(s);
    if (toLength < 1 || static_cast<std::uint64_t>(toLength) >= characters.size()) return std::string(s);
    std::string out;
    for (std::int64_t i = 0; i < toLength; ++i) out += characters[static_cast<std::size_t>(i)];
    if (trailing) out += *trailing;
    return out;
}

std::string truncate(std::string& s, std::int64_t toLength, std::optional<std::string_view> trailing) {
    s = truncated(s, toLength, trailing);
    return s;
}

std::string lorem(std::int64_t ofLength) {
    if (ofLength < 1) return {};
    // The placeholder text is ASCII: a character is a byte.
    if (static_cast<std::uint64_t>(ofLength) >= loremText.size()) return std::string(loremText);
    return std::string(loremText.substr(0, static_cast<std::size_t>(ofLength)));
}

std::string randomString(std::int64_t ofLength) {
    if (ofLength < 1 || static_cast<std::uint64_t>(ofLength) > maxGeneratedBytes) return {};
    std::string out;
    out.reserve(static_cast<std::size_t>(ofLength));
    for (std::int64_t i = 0; i < ofLength; ++i)
        out += randomAlphabet[arc4random_uniform(static_cast<std::uint32_t>(randomAlphabet.size()))];
    return out;
}

std::string repeated(std::string_view s, std::int64_t count) {
    if (count < 1 || s.empty()) return {};
    if (static_cast<std::uint64_t>(count) > maxGeneratedBytes / s.size()) return {};
    std::string out;
    out.reserve(s.size() * static_cast<std::size_t>(count));
    for (std::int64_t i = 0; i < count; ++i) out += s;
    return out;
}

}  // namespace str
