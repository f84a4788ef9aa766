#include "Extensions/TextEditing.h"

#include <algorithm>

#include "Platform/Foundation/TextServices.h"

namespace text {
namespace {

using Characters = std::vector<std::string>;

std::size_t clamped(std::int64_t offset, std::size_t count) {
    if (offset < 0) return 0;
    return std::min(static_cast<std::size_t>(offset), count);
}

std::string joined(const Characters& c, std::size_t from, std::size_t to) {
    std::string out;
    for (std::size_t i = from; i < to && i < c.size(); ++i) out += c[i];
    return out;
}

}  // namespace

std::size_t length(std::string_view s) {
    return foundation::characterCount(s);
}

std::string lowercase(std::string_view s) {
    return foundation::lowercased(s);
}

std::string capitalizingFirstLetter(std::string_view s) {
    const Characters c = foundation::characters(s);
    if (c.size() < 2) return foundation::capitalized(s);
    return foundation::capitalized(c.front()) + joined(c, 1, c.size());
}

std::string substringFromOffset(std::string_view s, std::int64_t offset) {
    const Characters c = foundation::characters(s);
    return joined(c, clamped(offset, c.size()), c.size());
}

std::string substringToOffset(std::string_view s, std::int64_t offset) {
    const Characters c = foundation::characters(s);
    return joined(c, 0, clamped(offset, c.size()));
}

std::optional<std::string> substring(std::string_view s, std::int64_t from, std::int64_t to) {
    const Characters c = foundation::characters(s);
    if (from < 0 || to > static_cast<std::int64_t>(c.size())) return std::nullopt;
    if (to < from) return std::string();
    return joined(c, static_cast<std::size_t>(from), static_cast<std::size_t>(to));
}

std::string substringUnguarded(std::string_view s, std::int64_t from, std::int64_t to) {
    const Characters c = foundation::characters(s);
    const std::size_t a = clamped(from, c.size());
    const std::size_t b = clamped(to, c.size());
    return b < a ? std::string() : joined(c, a, b);
}

std::string inserting(std::string_view s, std::string_view insert, std::int64_t at) {
    const Characters c = foundation::characters(s);
    const std::size_t i = clamped(at, c.size());
    return joined(c, 0, i) + std::string(insert) + joined(c, i, c.size());
}

std::string replacing(std::string_view s, std::string_view find, std::string_view with) {
    if (find.empty()) return std::string(s);
    std::string out;
    std::size_t start = 0;
    for (auto at = s.find(find); at != std::string_view::npos; at = s.find(find, start)) {
        out.append(s.substr(start, at - start));
        out.append(with);
        start = at + find.size();
    }
    out.append(s.substr(start));
    return out;
}

std::string replacingFirst(std::string_view s, std::string_view of, std::string_view with) {
    const auto at = of.empty() ? std::string_view::npos : s.find(of);
    if (at == std::string_view::npos) return std::string(s);
    return std::string(s.substr(0, at)) + std::string(with) + std::string(s.substr(at + of.size()));
}

std::vector<std::string> split(std::string_view s, std::string_view by) {
    const std::string separator = foundation::composed(by);
    std::vector<std::string> out;
    std::string piece;
    for (const std::string& c : foundation::characters(s)) {
        if (foundation::composed(c) == separator) {
            if (!piece.empty()) out.push_back(std::move(piece));
            piece.clear();
        } else {
            piece += c;
        }
    }
    if (!piece.empty()) out.push_back(std::move(piece));
    return out;
}

ComparisonResult numericCompare(std::string_view s, std::string_view other) {
    const int order = foundation::compareNumerically(s, other);
    if (order < 0) return ComparisonResult::OrderedAscending;
    return order > 0 ? ComparisonResult::OrderedDescending : ComparisonResult::OrderedSame;
}

}  // namespace text
