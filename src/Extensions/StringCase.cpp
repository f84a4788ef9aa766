#include "Extensions/StringCase.h"

#include "Extensions/TextEditing.h"
#include "Platform/Foundation/TextServices.h"

namespace str {

std::string camelCased(std::string_view input) {
    const std::string s = foundation::lowercased(input);
    const auto characters = foundation::characters(s);
    if (characters.empty()) return {};
    if (s.find(' ') == std::string::npos) return s;
    const std::string words = text::replacing(text::replacing(foundation::capitalized(s), " ", ""), "\n", "");
    const auto rest = foundation::characters(words);
    std::string out = characters.front();
    for (std::size_t i = 1; i < rest.size(); ++i) out += rest[i];
    return out;
}

void camelize(std::string& s) {
    s = camelCased(s);
}

void uppercaseFirstCharacter(std::string& s) {
    const auto characters = foundation::characters(s);
    if (characters.empty()) return;
    std::string out = foundation::uppercased(characters.front());
    for (std::size_t i = 1; i < characters.size(); ++i) out += characters[i];
    s = std::move(out);
}

std::string latinized(std::string_view s) {
    return foundation::foldingDiacritics(s);
}

void latinize(std::string& s) {
    s = latinized(s);
}

std::string slug(std::string_view s) {
    const std::string dashed =
        text::replacing(foundation::foldingDiacritics(foundation::lowercased(s)), " ", "-");
    std::string kept;
    for (const std::string& c : foundation::characters(dashed)) {
        bool keep = c == "-" || c == "&";
        for (char32_t scalar : foundation::scalars(c))
            keep = keep || foundation::isMember(scalar, foundation::CharacterClass::Alphanumerics);
        if (keep) kept += c;
    }
    while (!kept.empty() && kept.back() == '-') kept.pop_back();
    const auto first = kept.find_first_not_of('-');
    kept = first == std::string::npos ? std::string() : kept.substr(first);
    return text::replacing(kept, "--", "-");
}

}  // namespace str
