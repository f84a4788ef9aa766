#pragma once
// Trimming, lines and words of a text. White space means Unicode separators, U+0009...U+000D and
// U+0085. Pure functions (the form taking a std::string& replaces it); safe from any thread.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace str {

std::string trimmed(std::string_view s);
void trim(std::string& s);
// Without any " " and "\n" (tabs and other white space stay).
std::string withoutSpacesAndNewlines(std::string_view s);
// The lines without their terminators (LF, CR, CR LF, U+0085, U+2028, U+2029).
std::vector<std::string> lines(std::string_view s);
// The non-empty pieces between white space, line breaks and punctuation.
std::vector<std::string> words(std::string_view s);
std::size_t wordCount(std::string_view s);

}  // namespace str
