#pragma once
// User-perceived characters (extended grapheme clusters) of UTF-8 text, and the comparison of two
// characters under string comparison options. Pure functions; safe from any thread.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace foundation {

// The characters of `text` in order, each a view into `text` (the count is TextServices'
// characterCount).
std::vector<std::string_view> characterClusters(std::string_view text);

// How two texts are compared, as a set of flags.
enum class CompareOptions : unsigned {
    none = 0,
    caseInsensitive = 1,
    literal = 2,  // code unit by code unit: no canonical equivalence, no other option applies
    diacriticInsensitive = 4,
    widthInsensitive = 8,
};
constexpr CompareOptions operator|(CompareOptions a, CompareOptions b) {
    return static_cast<CompareOptions>(static_cast<unsigned>(a) | static_cast<unsigned>(b));
}
constexpr bool has(CompareOptions set, CompareOptions option) {
    return (static_cast<unsigned>(set) & static_cast<unsigned>(option)) != 0;
}

// Whether two texts compare as the same under `options`, with no locale: without `literal`,
// canonically equivalent forms are the same ("é" precomposed and "e" + U+0301).
bool sameText(std::string_view a, std::string_view b, CompareOptions options);

}  // namespace foundation
