#include "Extensions/StringClasses.h"

#include <algorithm>
#include <set>
#include <string>

#include "Extensions/StringConstants.h"
#include "Platform/Foundation/TextRegex.h"
#include "Platform/Foundation/TextSearch.h"
#include "Platform/Foundation/TextServices.h"

namespace str {
namespace {

using foundation::CharacterClass;

bool anyScalarIn(std::string_view s, CharacterClass characterClass) {
    const std::u32string scalars = foundation::scalars(s);
    return std::any_of(scalars.begin(), scalars.end(),
                       [&](char32_t c) { return foundation::isMember(c, characterClass); });
}

}  // namespace

bool hasLetters(std::string_view s) {
    return anyScalarIn(s, CharacterClass::Letters);
}

bool hasNumbers(std::string_view s) {
    return anyScalarIn(s, CharacterClass::DecimalDigits);
}

bool isAlphabetic(std::string_view s) {
    return hasLetters(s) && !hasNumbers(s);
}

bool isAlphaNumeric(std::string_view s) {
    if (!hasLetters(s) || !hasNumbers(s)) return false;
    const std::u32string scalars = foundation::scalars(s);
    return std::all_of(scalars.begin(), scalars.end(),
                       [](char32_t c) { return foundation::isMember(c, CharacterClass::Alphanumerics); });
}

bool containsEmoji(std::string_view s) {
    const std::u32string scalars = foundation::scalars(s);
    return std::any_of(scalars.begin(), scalars.end(), isInEmojiRanges);
}

bool isBlank(std::string_view s) {
    return foundation::trimmingWhitespaceAndNewlines(s).empty();
}

bool hasUniqueCharacters(std::string_view s) {
    const auto characters = foundation::characters(s);
    if (characters.empty()) return false;
    std::set<std::string> seen;
    for (const auto& c : characters)
        if (!seen.insert(foundation::composed(c)).second) return false;
    return true;
}

bool isValidEmail(std::string_view s) {
    return matches(s, emailPattern);
}

bool matches(std::string_view s, std::string_view pattern) {
    const auto regex = foundation::Regex::make(pattern);
    return regex && regex->search(s);
}

std::optional<foundation::UrlComponents> url(std::string_view s) {
    if (s.empty()) return std::nullopt;
    return foundation::UrlComponents::fromString(s);
}

bool isValidURL(std::string_view s) {
    return url(s).has_value();
}

bool isValidSchemedURL(std::string_view s) {
    const auto parts = url(s);
    return parts && parts->scheme;
}

bool isValidHTTPSURL(std::string_view s) {
    const auto parts = url(s);
    return parts && parts->scheme == "https";
}

bool isValidHTTPURL(std::string_view s) {
    const auto parts = url(s);
    return parts && parts->scheme == "http";
}

bool isValidFileURL(std::string_view s) {
    const auto parts = url(s);
    return parts && parts->scheme && foundation::lowercased(*parts->scheme) == "file";
}

}  // namespace str
