#include "Platform/Foundation/TextRegex.h"

#include "Platform/Foundation/IcuText.h"

#include <unicode/regex.h>
#include <unicode/unistr.h>

namespace foundation {

struct Regex::Compiled {
    std::unique_ptr<icu::RegexPattern> pattern;
};

namespace {

// Steps of the match engine (each on the order of a millisecond or less) before a match gives up.
constexpr int32_t kMatchWorkLimit = 2000;

uint32_t icuFlags(unsigned options) {
    uint32_t flags = 0;
    if (options & RegexCaseInsensitive) flags |= UREGEX_CASE_INSENSITIVE;
    if (options & RegexAllowCommentsAndWhitespace) flags |= UREGEX_COMMENTS;
    if (options & RegexIgnoreMetacharacters) flags |= UREGEX_LITERAL;
    if (options & RegexDotMatchesLineSeparators) flags |= UREGEX_DOTALL;
    if (options & RegexAnchorsMatchLines) flags |= UREGEX_MULTILINE;
    if (options & RegexUseUnixLineSeparators) flags |= UREGEX_UNIX_LINES;
    if (options & RegexUseUnicodeWordBoundaries) flags |= UREGEX_UWORD;
    return flags;
}

using icutext::unicode;

std::unique_ptr<icu::RegexMatcher> matcherFor(const icu::RegexPattern& pattern,
                                              const icu::UnicodeString& text) {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::RegexMatcher> matcher(pattern.matcher(text, status));
    if (U_FAILURE(status)) return nullptr;
    matcher->setTimeLimit(kMatchWorkLimit, status);
    return matcher;
}

}  // namespace

std::optional<Regex> Regex::make(std::string_view pattern, unsigned options) {
    UErrorCode status = U_ZERO_ERROR;
    UParseError parseError{};
    auto compiled = std::make_shared<Compiled>();
    compiled->pattern.reset(
        icu::RegexPattern::compile(unicode(pattern), icuFlags(options), parseError, status));
    if (U_FAILURE(status) || !compiled->pattern) return std::nullopt;
    return Regex(std::move(compiled));
}

bool Regex::search(std::string_view text) const {
    const icu::UnicodeString input = unicode(text);
    auto matcher = matcherFor(*compiled_->pattern, input);
    if (!matcher) return false;
    UErrorCode status = U_ZERO_ERROR;
    const bool found = matcher->find(status);
    return U_SUCCESS(status) && found;
}

bool Regex::matchesWhole(std::string_view text) const {
    const icu::UnicodeString input = unicode(text);
    auto matcher = matcherFor(*compiled_->pattern, input);
    if (!matcher) return false;
    UErrorCode status = U_ZERO_ERROR;
    const bool matched = matcher->matches(status);
    return U_SUCCESS(status) && matched;
}

std::vector<Utf16Range> Regex::matchRanges(std::u16string_view text) const {
    const icu::UnicodeString input(text.data(), static_cast<int32_t>(text.size()));
    std::vector<Utf16Range> out;
    auto matcher = matcherFor(*compiled_->pattern, input);
    if (!matcher) return out;
    UErrorCode status = U_ZERO_ERROR;
    while (matcher->find(status) && U_SUCCESS(status)) {
        const int32_t start = matcher->start(status);
        const int32_t end = matcher->end(status);
        if (U_FAILURE(status)) break;
        out.push_back({static_cast<std::size_t>(start), static_cast<std::size_t>(end - start)});
    }
    return out;
}

std::vector<std::string> Regex::matchTexts(std::string_view text) const {
    const icu::UnicodeString input = unicode(text);
    std::vector<std::string> out;
    for (const Utf16Range& r :
         matchRanges(std::u16string_view(input.getBuffer(), static_cast<std::size_t>(input.length())))) {
        std::string piece;
        input.tempSubString(static_cast<int32_t>(r.location), static_cast<int32_t>(r.length))
            .toUTF8String(piece);
        out.push_back(std::move(piece));
    }
    return out;
}

}  // namespace foundation
