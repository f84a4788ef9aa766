#include "Extensions/TextMarkup.h"

#include <algorithm>
#include <iostream>
#include <optional>

#include "Extensions/TextEditing.h"
#include "Platform/Foundation/Scanner.h"
#include "Platform/Foundation/TextRegex.h"
#include "Platform/Foundation/TextSearch.h"
#include "Platform/Foundation/TextServices.h"

namespace text {
namespace {

constexpr std::string_view kLinkPattern =
    R"((?:\b(?:https?|ftp|file)://[^\s<>"]+)|(?:\bmailto:[^\s<>"]+)|(?:\bwww\.[\p{L}0-9-]+(?:\.[\p{L}0-9-]+)+[^\s<>"]*)|(?:[\p{L}0-9._%+-]+@[\p{L}0-9-]+(?:\.[\p{L}0-9-]+)*\.\p{L}{2,}))";

// A link found in prose often ends with the sentence's punctuation or a closing bracket that
// belongs to the prose.
std::string withoutTrailingPunctuation(std::string link) {
    while (!link.empty()) {
        const char last = link.back();
        if (std::string_view(".,;:!?'\"").find(last) != std::string_view::npos) {
            link.pop_back();
        } else if (last == ')' &&
                   std::count(link.begin(), link.end(), '(') < std::count(link.begin(), link.end(), ')')) {
            link.pop_back();
        } else {
            break;
        }
    }
    return link;
}

}  // namespace

std::string strippingHTMLTags(std::string_view s) {
    std::string working(s);
    std::string tag;
    foundation::Scanner scanner{std::string(s)};
    while (!scanner.isAtEnd()) {
        scanner.scanUpTo("<");
        if (auto scanned = scanner.scanUpTo(">")) tag = std::move(*scanned);
        working = replacing(working, tag + ">", "");
    }
    for (std::string_view noise : {"\t", "\n", "&nbsp;"}) working = replacing(working, noise, "");
    return foundation::trimmingWhitespaceAndNewlines(working);
}

std::vector<std::string> detectedLinks(std::string_view s) {
    static const std::optional<foundation::Regex> detector = foundation::Regex::make(kLinkPattern);
    if (!detector) {
        std::cout << "The link detector could not be made." << std::endl;
        return {};
    }
    std::vector<std::string> out;
    for (std::string found : detector->matchTexts(s)) {
        found = withoutTrailingPunctuation(std::move(found));
        if (found.empty()) continue;
        if (found.rfind("www.", 0) == 0)
            found = "http://" + found;
        else if (found.find("://") == std::string::npos && found.rfind("mailto:", 0) != 0)
            found = "mailto:" + found;
        out.push_back(std::move(found));
    }
    return out;
}

bool containsOrMatches(std::string_view s, std::string_view other) {
    if (!foundation::caseInsensitiveRanges(foundation::foldingDiacritics(s),
                                           foundation::foldingDiacritics(other))
             .empty())
        return true;
    const auto regex = foundation::Regex::make(other);
    return regex && regex->matchesWhole(s);
}

}  // namespace text
