#include "Platform/Foundation/CharacterClusters.h"

#include "Platform/Foundation/IcuText.h"
#include "Platform/Foundation/TextServices.h"

namespace foundation {

std::vector<std::string_view> characterClusters(std::string_view text) {
    std::vector<std::string_view> out;
    std::size_t start = 0;
    for (const std::size_t end : characterBoundaries(text)) {
        if (end <= start || end > text.size()) continue;
        out.push_back(text.substr(start, end - start));
        start = end;
    }
    if (start < text.size()) out.push_back(text.substr(start));
    return out;
}

bool sameText(std::string_view a, std::string_view b, CompareOptions options) {
    if (has(options, CompareOptions::literal)) return a == b;
    return icutext::comparisonKey(icutext::unicode(a), options) ==
           icutext::comparisonKey(icutext::unicode(b), options);
}

}  // namespace foundation
