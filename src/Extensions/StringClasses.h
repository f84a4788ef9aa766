#pragma once
// Tests of what a text holds: letters, digits, emoji, blankness, repeated characters, and whether
// it reads as an e-mail address, a pattern match or an address (URL). Pure functions; safe from
// any thread.

#include <optional>
#include <string_view>

#include "Platform/Foundation/Url.h"

namespace str {

bool hasLetters(std::string_view s);
bool hasNumbers(std::string_view s);
bool isAlphabetic(std::string_view s);
// Letters and digits both occur, and nothing else does.
bool isAlphaNumeric(std::string_view s);
bool containsEmoji(std::string_view s);
bool isBlank(std::string_view s);
// No character occurs twice (composed and decomposed accents count as the same character); false
// for an empty text.
bool hasUniqueCharacters(std::string_view s);
bool isValidEmail(std::string_view s);
// A match of the regular expression anywhere in the text; false for a pattern that does not compile.
bool matches(std::string_view s, std::string_view pattern);

// The parts of an absolute or relative address; absent for an empty text or one that is no address.
std::optional<foundation::UrlComponents> url(std::string_view s);
bool isValidURL(std::string_view s);
bool isValidSchemedURL(std::string_view s);
bool isValidHTTPSURL(std::string_view s);
bool isValidHTTPURL(std::string_view s);
bool isValidFileURL(std::string_view s);

}  // namespace str
