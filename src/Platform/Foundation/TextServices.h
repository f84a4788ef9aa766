#pragma once
// Unicode rules for UTF-8 text: user-perceived characters (extended grapheme clusters), scalars,
// case mapping, accent folding, normalisation, character classes, lines and numeric ordering.
// Ill-formed UTF-8 reads as U+FFFD wherever text is taken apart. Pure functions; safe from any
// thread.

#include <string>
#include <string_view>
#include <vector>

namespace foundation {

// The user-perceived characters of `text`, in order: "e" + U+0301 and a flag of two regional
// indicators are one character each.
std::vector<std::string> characters(std::string_view text);
std::size_t characterCount(std::string_view text);
// The byte offsets at which the characters of `text` start, followed by text.size() (nothing
// else for an empty text).
std::vector<std::size_t> characterBoundaries(std::string_view text);

std::u32string scalars(std::string_view text);
std::string utf8(std::u32string_view scalars);
std::string utf8(char32_t scalar);
// `text` with every ill-formed sequence replaced by U+FFFD.
std::string wellFormedUtf8(std::string_view text);
bool isWellFormedUtf8(std::string_view text);
// Bytes read as ISO 8859-1, as UTF-8.
std::string latin1ToUtf8(std::string_view bytes);

// Full, locale-independent case mapping ("ß" upper-cases to "SS").
std::string lowercased(std::string_view text);
std::string uppercased(std::string_view text);
// The first character of every word in title case, the rest lower case; words are separated by
// white space and line breaks.
std::string capitalized(std::string_view text);
// `text` without its accents and other non-spacing marks ("é" becomes "e").
std::string foldingDiacritics(std::string_view text);
// Canonically composed form, so that composed and decomposed accents compare equal.
std::string composed(std::string_view text);

// The character classes of Foundation's predefined sets.
enum class CharacterClass {
    Letters,                 // letters and marks
    DecimalDigits,           // decimal digits of every script
    Alphanumerics,           // letters, marks and numbers
    WhitespacesAndNewlines,  // separators, U+0009...U+000D and U+0085
    Punctuation,
    UrlHostAllowed,  // ASCII letters and digits and !$&'()*+,-.:;=[]_~
};
bool isMember(char32_t scalar, CharacterClass characterClass);

// The lines of `text` without their terminators (LF, CR, CR LF, U+0085, U+2028, U+2029); no lines
// for an empty text, and no empty last line after a final terminator.
std::vector<std::string> lines(std::string_view text);

// Orders by scalar value, except that runs of ASCII digits compare by their numeric value
// ("file2" before "file10"). Negative, zero or positive.
int compareNumerically(std::string_view a, std::string_view b);

// The decimal separator of a locale (an ICU identifier; empty means the default locale).
std::string decimalSeparator(const std::string& localeId);

}  // namespace foundation
