#include "Screens/Setup/TextRanges.h"

#include <QString>
#include <algorithm>

namespace screens {

std::vector<TextRange16> nsRanges(std::string_view text, std::string_view find, bool ignoringCase,
                                  std::optional<TextRange16> range) {
    const QString haystack = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const QString needle = QString::fromUtf8(find.data(), static_cast<qsizetype>(find.size()));
    const auto size = static_cast<std::size_t>(haystack.size());
    const std::size_t lower = range ? std::min(range->location, size) : 0;
    const std::size_t upper = range ? std::min(range->location + range->length, size) : size;
    std::vector<TextRange16> ranges;
    if (needle.isEmpty() || lower >= upper) return ranges;
    const QString within = haystack.left(static_cast<qsizetype>(upper));
    const auto sensitivity = ignoringCase ? Qt::CaseInsensitive : Qt::CaseSensitive;
    qsizetype from = static_cast<qsizetype>(lower);
    while (true) {
        const qsizetype at = within.indexOf(needle, from, sensitivity);
        if (at < 0) break;
        ranges.push_back({static_cast<std::size_t>(at), static_cast<std::size_t>(needle.size())});
        from = at + needle.size();
        if (static_cast<std::size_t>(from) >= upper) break;
    }
    return ranges;
}

}  // namespace screens
