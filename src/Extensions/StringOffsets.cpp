#include "Extensions/StringOffsets.h"

#include <algorithm>
#include <vector>

#include "Platform/Foundation/TextSearch.h"
#include "Platform/Foundation/TextServices.h"

namespace str {
namespace {

using Characters = std::vector<std::string>;

std::string joined(const Characters& c, std::size_t from, std::size_t to) {
    std::string out;
    for (std::size_t i = from; i < to && i < c.size(); ++i) out += c[i];
    return out;
}

// The characters of `s` in composed form, for comparing whole characters.
Characters composedCharacters(std::string_view s) {
    Characters out = foundation::characters(s);
    for (auto& c : out) c = foundation::composed(c);
    return out;
}

bool hasPrefix(const Characters& s, const Characters& prefix) {
    return prefix.size() <= s.size() && std::equal(prefix.begin(), prefix.end(), s.begin());
}

bool hasSuffix(const Characters& s, const Characters& suffix) {
    return suffix.size() <= s.size() && std::equal(suffix.rbegin(), suffix.rend(), s.rbegin());
}

}  // namespace

std::optional<std::string> character(std::string_view s, std::int64_t at) {
    const Characters c = foundation::characters(s);
    if (at < 0 || static_cast<std::uint64_t>(at) >= c.size()) return std::nullopt;
    return c[static_cast<std::size_t>(at)];
}

std::optional<std::string> substring(std::string_view s, OffsetRange in) {
    std::int64_t upper = in.upper;
    if (in.closed) {
        if (upper == std::numeric_limits<std::int64_t>::max()) return std::nullopt;
        ++upper;
    }
    const Characters c = foundation::characters(s);
    const auto count = static_cast<std::int64_t>(c.size());
    if (in.lower < 0 || in.lower > count || upper > count || upper < in.lower) return std::nullopt;
    return joined(c, static_cast<std::size_t>(in.lower), static_cast<std::size_t>(upper));
}

std::optional<std::string> slicing(std::string_view s, std::int64_t from, std::int64_t length) {
    const Characters c = foundation::characters(s);
    const auto count = static_cast<std::int64_t>(c.size());
    if (from < 0 || length < 0 || from >= count) return std::nullopt;
    if (length == 0) return std::string();
    const std::int64_t to = length > count - from ? count : from + length;
    return joined(c, static_cast<std::size_t>(from), static_cast<std::size_t>(to));
}

void slice(std::string& s, std::int64_t from, std::int64_t length) {
    if (auto result = slicing(s, from, length)) s = std::move(*result);
}

void sliceFromTo(std::string& s, std::int64_t from, std::int64_t to) {
    const Characters c = foundation::characters(s);
    const auto count = static_cast<std::int64_t>(c.size());
    if (from < 0 || from > to || to > count) return;
    s = joined(c, static_cast<std::size_t>(from), static_cast<std::size_t>(to));
}

void slice(std::string& s, std::int64_t at) {
    const Characters c = foundation::characters(s);
    if (at < 0 || static_cast<std::uint64_t>(at) >= c.size()) return;
    s = joined(c, static_cast<std::size_t>(at), c.size());
}

std::optional<std::string> firstCharacterAsString(std::string_view s) {
    return character(s, 0);
}

std::optional<std::string> lastCharacterAsString(std::string_view s) {
    const Characters c = foundation::characters(s);
    if (c.empty()) return std::nullopt;
    return c.back();
}

std::string removingPrefix(std::string_view s, std::string_view prefix) {
    const Characters c = foundation::characters(s);
    const Characters p = composedCharacters(prefix);
    if (!hasPrefix(composedCharacters(s), p)) return std::string(s);
    return joined(c, p.size(), c.size());
}

std::string removingSuffix(std::string_view s, std::string_view suffix) {
    const Characters c = foundation::characters(s);
    const Characters p = composedCharacters(suffix);
    if (!hasSuffix(composedCharacters(s), p)) return std::string(s);
    return joined(c, 0, c.size() - p.size());
}

std::string withPrefix(std::string_view s, std::string_view prefix) {
    if (hasPrefix(composedCharacters(s), composedCharacters(prefix))) return std::string(s);
    return std::string(prefix) + std::string(s);
}

bool starts(std::string_view s, std::string_view with, bool caseSensitive) {
    if (caseSensitive) return hasPrefix(composedCharacters(s), composedCharacters(with));
    return hasPrefix(composedCharacters(foundation::lowercased(s)),
                     composedCharacters(foundation::lowercased(with)));
}

bool ends(std::string_view s, std::string_view with, bool caseSensitive) {
    if (caseSensitive) return hasSuffix(composedCharacters(s), composedCharacters(with));
    return hasSuffix(composedCharacters(foundation::lowercased(s)),
                     composedCharacters(foundation::lowercased(with)));
}

bool contains(std::string_view s, std::string_view find, bool caseSensitive) {
    if (find.empty()) return false;
    if (!caseSensitive) return !foundation::caseInsensitiveRanges(s, find).empty();
    return foundation::composed(s).find(foundation::composed(find)) != std::string::npos;
}

std::size_t count(std::string_view s, std::string_view of, bool caseSensitive) {
    if (of.empty()) return 0;
    const std::string text = foundation::composed(caseSensitive ? std::string(s) : foundation::lowercased(s));
    const std::string needle =
        foundation::composed(caseSensitive ? std::string(of) : foundation::lowercased(of));
    std::size_t n = 0;
    for (auto at = text.find(needle); at != std::string::npos; at = text.find(needle, at + needle.size()))
        ++n;
    return n;
}

}  // namespace str
