#pragma once
// White space handling of texts: collapsing runs of spaces, lookup keys free of spacing and
// punctuation, and trimming by a character set at one end. Pure functions; safe from any thread.

#include <string>
#include <string_view>

#include "Platform/Foundation/CharacterSet.h"

namespace text {

// Trimmed, then runs of spaces shortened by three passes (four, three, two spaces to one): five
// spaces become one, eleven become two.
std::string collapsingSpaces(std::string_view s);
// Trimmed, without any space.
std::string removingSpaces(std::string_view s);
// Lower case without spaces, ",", ".", "[", "]", "-", "(" and ")": " A-B (c), d. " gives "abcd".
std::string compactKey(std::string_view s);
// From the first character not in `set` to the end; empty when every character is in it.
std::string trimmingStart(std::string_view s, const foundation::CharacterSet& in);
// From the start through the last character not in `set`; empty when every character is in it.
std::string trimmingEnd(std::string_view s, const foundation::CharacterSet& in);

}  // namespace text
