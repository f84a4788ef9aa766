#include "Libraries/Support/CommandLineText.h"

#include <locale.h>
#include <clocale>
#include <cstdlib>

#include "Platform/Foundation/TextServices.h"

namespace str {

namespace {

// The "C" locale as an object of its own, so that reading a number never depends on the process
// locale and never changes it.
locale_t cLocale() {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return c;
}

bool startsWithBlank(std::string_view text) {
    switch (text.front()) {
        case ' ':
        case '\t':
        case '\n':
        case '\v':
        case '\f':
        case '\r':
        case '\0':
            return true;
        default:
            return false;
    }
}

}  // namespace

std::optional<double> toDouble(std::string_view text, std::string_view decimalSeparator) {
    if (decimalSeparator.empty()) decimalSeparator = ".";
    std::string number;
    if (decimalSeparator != ".") {
        if (text.find('.') != std::string_view::npos) return std::nullopt;
        for (std::size_t i = 0; i < text.size();) {
            if (text.substr(i, decimalSeparator.size()) == decimalSeparator) {
                number += '.';
                i += decimalSeparator.size();
            } else {
                number += text[i++];
            }
        }
    } else {
        number = text;
    }
    if (number.empty() || startsWithBlank(number)) return std::nullopt;
    // A NUL inside the text would end the C string early and let a prefix pass for the whole.
    if (number.find('\0') != std::string::npos) return std::nullopt;
    if (!cLocale()) return std::nullopt;
    char* end = nullptr;
    const double value = strtod_l(number.c_str(), &end, cLocale());
    if (end != number.c_str() + number.size()) return std::nullopt;
    return value;
}

std::optional<double> toDouble(std::string_view text) {
    return toDouble(text, foundation::decimalSeparator({}));
}

std::vector<std::string> split(std::string_view text, std::string_view separator, std::size_t maxSplits) {
    std::vector<std::string> pieces;
    std::string current;
    for (const std::string_view c : foundation::characterClusters(text)) {
        if (c == separator && (maxSplits == 0 || pieces.size() < maxSplits)) {
            pieces.push_back(std::move(current));
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) pieces.push_back(std::move(current));
    return pieces;
}

std::string commonSuffix(std::string_view text, std::string_view other, foundation::CompareOptions options) {
    const auto mine = foundation::characterClusters(text);
    const auto theirs = foundation::characterClusters(other);
    std::size_t common = 0;
    while (common < mine.size() && common < theirs.size() &&
           foundation::sameText(mine[mine.size() - 1 - common], theirs[theirs.size() - 1 - common], options))
        ++common;
    if (common == 0) return {};
    const std::string_view first = mine[mine.size() - common];
    return std::string(text.substr(static_cast<std::size_t>(first.data() - text.data())));
}

}  // namespace str
