#include "Extensions/TextSpaces.h"

#include <vector>

#include "Extensions/TextEditing.h"
#include "Platform/Foundation/TextSearch.h"
#include "Platform/Foundation/TextServices.h"

namespace text {
namespace {

// A character belongs to a set when each of its scalars does.
bool inSet(const std::string& character, const foundation::CharacterSet& set) {
    for (char32_t c : foundation::scalars(character))
        if (!set.contains(c)) return false;
    return true;
}

}  // namespace

std::string collapsingSpaces(std::string_view s) {
    std::string out = foundation::trimmingWhitespaceAndNewlines(s);
    for (std::string_view run : {"    ", "   ", "  "}) out = replacing(out, run, " ");
    return out;
}

std::string removingSpaces(std::string_view s) {
    return replacing(foundation::trimmingWhitespaceAndNewlines(s), " ", "");
}

std::string compactKey(std::string_view s) {
    std::string out = collapsingSpaces(foundation::lowercased(s));
    for (std::string_view piece : {",", ".", "]", "   ", "  ", " ", "[", "-", "(", ")", "]"})
        out = replacing(out, piece, "");
    return foundation::trimmingWhitespaceAndNewlines(out);
}

std::string trimmingStart(std::string_view s, const foundation::CharacterSet& in) {
    const auto characters = foundation::characters(s);
    std::string out;
    std::size_t i = 0;
    while (i < characters.size() && inSet(characters[i], in)) ++i;
    for (; i < characters.size(); ++i) out += characters[i];
    return out;
}

std::string trimmingEnd(std::string_view s, const foundation::CharacterSet& in) {
    const auto characters = foundation::characters(s);
    std::size_t end = characters.size();
    while (end > 0 && inSet(characters[end - 1], in)) --end;
    std::string out;
    for (std::size_t i = 0; i < end; ++i) out += characters[i];
    return out;
}

}  // namespace text
