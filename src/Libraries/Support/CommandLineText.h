#pragma once
// Text functions of the command-line parser: the number test it applies to arguments that begin
// with "-", splitting a flag from its attached value, and the common ending of two texts. Pure
// functions (they read the user's locale, never change it); safe from any thread.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Platform/Foundation/CharacterClusters.h"

namespace str {

// The text as a number written with `decimalSeparator` in place of "." (a text holding "." under
// another separator is no number). The whole text must be the number, with no leading white space;
// the C library's forms are accepted: sign, exponent, hexadecimal, "inf", "nan".
std::optional<double> toDouble(std::string_view text, std::string_view decimalSeparator);
// The same with the decimal separator of the user's current locale.
std::optional<double> toDouble(std::string_view text);

// The pieces of `text` between occurrences of the character `separator`, splitting at most
// `maxSplits` times (0: no limit). Empty pieces are kept except an empty last one: "=a" gives
// "", "a"; "a=" gives "a"; "" gives nothing.
std::vector<std::string> split(std::string_view text, std::string_view separator, std::size_t maxSplits = 0);

// The longest ending of `text` that `other` ends with too, character by character under `options`,
// taken from `text` (so it keeps the letters of `text` when compared case-insensitively).
std::string commonSuffix(std::string_view text, std::string_view other,
                         foundation::CompareOptions options = foundation::CompareOptions::none);

}  // namespace str
