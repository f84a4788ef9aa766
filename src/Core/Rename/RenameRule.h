#pragma once
// The steps of the new-file-name rule that the rename engine and the Rename tab's preview share, so
// that the name shown and the name written cannot drift apart. Pure functions; safe from any thread.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "Core/Rename/RenameOptions.h"

namespace core {

// The start index: an optional "+" or "-" followed by decimal digits only, within 64 bits; absent
// for any other text (including "", " 5" and "5 ").
std::optional<std::int64_t> parseStartIndex(std::string_view text);

// `renameNewName` without white space and line breaks at both ends.
std::string trimmedNewName(const RenameOptions& options);

// The extension a renamed file gets: none when the source has none; the output format without its
// dot when the format starts with "." and is not "Default" (in any letter case); else the source's.
std::string renamedExtension(std::string_view sourceExtension, std::string_view outputFormat);

// Prefix + stem + suffix, where the stem is the trimmed new name when there is one (else `stem`)
// with every match of the find text, compared in lower case, replaced (only when find and replace texts
// are both non-empty).
std::string composeRenamedStem(std::string_view stem, const RenameOptions& options);

}  // namespace core
