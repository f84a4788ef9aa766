#pragma once
// Translations of interface texts: a bundle's table for a language is the JSON object
// <resources>/translations/<language>.json mapping each text to its translation. A text without a
// translation (no table, no entry, not a string) is its own translation. Reads the file on every
// call; safe from any thread.

#include <string>
#include <string_view>
#include <vector>

#include "Platform/Foundation/Bundle.h"

namespace foundation {

// The user's preferred languages, most specific first ("de_AT", then "de"), from LANGUAGE,
// LC_ALL, LC_MESSAGES and LANG.
std::vector<std::string> preferredLanguages();

std::string localizedString(const Bundle& bundle, std::string_view key,
                            const std::vector<std::string>& languages = preferredLanguages());

}  // namespace foundation
