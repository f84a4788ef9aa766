#include "Extensions/StringLines.h"

#include "Extensions/TextEditing.h"
#include "Platform/Foundation/TextSearch.h"
#include "Platform/Foundation/TextServices.h"

namespace str {

std::string trimmed(std::string_view s) {
    return foundation::trimmingWhitespaceAndNewlines(s);
}

void trim(std::string& s) {
    s = trimmed(s);
}

std::string withoutSpacesAndNewlines(std::string_view s) {
    return text::replacing(text::replacing(s, " ", ""), "\n", "");
}

std::vector<std::string> lines(std::string_view s) {
    return foundation::lines(s);
}

std::vector<std::string> words(std::string_view s) {
    using foundation::CharacterClass;
    std::vector<std::string> out;
    std::u32string word;
    for (char32_t c : foundation::scalars(s)) {
        if (foundation::isMember(c, CharacterClass::WhitespacesAndNewlines) ||
            foundation::isMember(c, CharacterClass::Punctuation)) {
            if (!word.empty()) out.push_back(foundation::utf8(word));
            word.clear();
        } else {
            word.push_back(c);
        }
    }
    if (!word.empty()) out.push_back(foundation::utf8(word));
    return out;
}

std::size_t wordCount(std::string_view s) {
    return words(s).size();
}

}  // namespace str
