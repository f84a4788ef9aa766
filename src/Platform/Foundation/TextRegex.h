#pragma once
// Regex: a compiled regular expression with the syntax and options of Foundation's regular
// expressions (ICU syntax: \p{L}, \x{..}, \Q..\E). A pattern that does not compile gives no Regex.
// A match that runs away (catastrophic backtracking) is cut off after a bounded amount of work and
// counts as no match, so untrusted patterns and texts never hang the caller. Immutable; one Regex
// may be used from several threads at once.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace foundation {

// The option bits, with the raw values of Foundation's regular-expression options.
enum RegexOption : unsigned {
    RegexCaseInsensitive = 1u << 0,
    RegexAllowCommentsAndWhitespace = 1u << 1,
    RegexIgnoreMetacharacters = 1u << 2,
    RegexDotMatchesLineSeparators = 1u << 3,
    RegexAnchorsMatchLines = 1u << 4,
    RegexUseUnixLineSeparators = 1u << 5,
    RegexUseUnicodeWordBoundaries = 1u << 6,
};

// A range of UTF-16 code units, as text views and attributed texts count.
struct Utf16Range {
    std::size_t location = 0;
    std::size_t length = 0;
    bool operator==(const Utf16Range&) const = default;
};

class Regex {
  public:
    static std::optional<Regex> make(std::string_view pattern, unsigned options = 0);

    // A match anywhere in `text`.
    bool search(std::string_view text) const;
    // The whole of `text` matches.
    bool matchesWhole(std::string_view text) const;
    // Every non-overlapping match, left to right.
    std::vector<Utf16Range> matchRanges(std::u16string_view text) const;
    // The text of every non-overlapping match, left to right.
    std::vector<std::string> matchTexts(std::string_view text) const;

  private:
    struct Compiled;
    explicit Regex(std::shared_ptr<const Compiled> compiled) : compiled_(std::move(compiled)) {}
    std::shared_ptr<const Compiled> compiled_;
};

}  // namespace foundation
