#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "Extensions/CharacterMembers.h"
#include "Extensions/StringCase.h"
#include "Extensions/StringClasses.h"
#include "Extensions/StringCoding.h"
#include "Extensions/StringLines.h"
#include "Extensions/StringOffsets.h"
#include "Extensions/StringPadding.h"
#include "Extensions/StringParsing.h"
#include "Extensions/StringPaths.h"
#include "Extensions/TextEditing.h"
#include "Extensions/TextJson.h"
#include "Extensions/TextMarkup.h"
#include "Extensions/TextNumbers.h"
#include "Extensions/TextSpaces.h"
#include "Extensions/TextWebPage.h"
#include "Platform/Foundation/TextServices.h"

namespace {

// Pieces that random texts are made of: plain and special ASCII, combining marks, emoji and their
// joiners, line breaks, and byte sequences that are not UTF-8 at all.
const std::vector<std::string> kPieces = {
    "a",
    "Z",
    "7",
    " ",
    "  ",
    "\t",
    "\n",
    "\r\n",
    "\r",
    "-",
    "&",
    "%",
    "%4",
    "%41",
    "=",
    "+",
    "/",
    ".",
    "..",
    "<",
    ">",
    "<head>",
    "</head>",
    "og:image",
    "content=\"",
    "\"",
    "itemprop=\"image\">",
    "[",
    "]",
    "{",
    "}",
    "(",
    ")",
    "*",
    "?",
    "\\",
    "\\E",
    "\\Q",
    "e\xCC\x81",
    "\xCC\x81",
    "\xC3\xA9",
    "ß",
    "Σ",
    "İ",
    "ǆ",
    "😀",
    "🇩🇪",
    "🇩",
    "👨‍👩‍👧",
    "\xE2\x80\x8D",
    "\xEF\xB8\x8F",
    "\xE2\x80\xA8",
    "\xC2\x85",
    "\xC2\xA0",
    "١",
    "@",
    "http://",
    "www.",
    "mailto:",
    "&nbsp;",
    "\x80",
    "\xC0",
    "\xC0\xAF",
    "\xFF",
    "\xFE",
    "\xE2\x82",
    "\xED\xA0\x80",
    "\xF4\x90\x80\x80",
    "\xF0\x9F\x98",
    std::string(1, '\0'),
};

std::string randomText(std::mt19937& random) {
    std::uniform_int_distribution<std::size_t> length(0, 12);
    std::uniform_int_distribution<std::size_t> pick(0, kPieces.size() - 1);
    std::string out;
    for (std::size_t n = length(random); n > 0; --n) out += kPieces[pick(random)];
    return out;
}

std::size_t sink = 0;  // keeps results observable
void use(const std::string& s) {
    sink += s.size();
}
void use(const std::optional<std::string>& s) {
    sink += s ? s->size() + 1 : 0;
}
void use(const std::vector<std::string>& v) {
    for (const auto& s : v) use(s);
}
template <typename T>
void use(const T& value) {
    sink += sizeof(value);
}

void exercise(const std::string& s, const std::string& other, std::int64_t n) {
    use(str::int_(s));
    use(str::bool_(s));
    use(str::date(s));
    use(str::dateTime(s));
    use(str::date(s, other));
    use(str::isNumeric(s));
    use(str::isDigits(s));
    use(str::hasLetters(s));
    use(str::hasNumbers(s));
    use(str::isAlphabetic(s));
    use(str::isAlphaNumeric(s));
    use(str::containsEmoji(s));
    use(str::isBlank(s));
    use(str::hasUniqueCharacters(s));
    use(str::isValidEmail(s));
    use(str::matches(s, other));
    use(str::isValidURL(s));
    use(str::isValidSchemedURL(s));
    use(str::isValidHTTPSURL(s));
    use(str::isValidHTTPURL(s));
    use(str::isValidFileURL(s));
    use(str::camelCased(s));
    use(str::latinized(s));
    use(str::slug(s));
    std::string edited = s;
    str::uppercaseFirstCharacter(edited);
    use(str::trimmed(s));
    use(str::withoutSpacesAndNewlines(s));
    use(str::lines(s));
    use(str::words(s));
    use(str::lastPathComponent(s));
    use(str::pathExtension(s));
    use(str::deletingPathExtension(s));
    use(str::deletingLastPathComponent(s));
    use(str::appendingPathComponent(s, other));
    use(str::appendingPathExtension(s, other));
    use(str::pathComponents(s));
    use(str::character(s, n));
    use(str::substring(s, str::OffsetRange::halfOpen(n, n + 2)));
    use(str::substring(s, str::OffsetRange::through(n, INT64_MAX)));
    use(str::slicing(s, n, n));
    str::slice(edited, n, 2);
    str::sliceFromTo(edited, n, n + 1);
    str::slice(edited, n);
    use(str::firstCharacterAsString(s));
    use(str::lastCharacterAsString(s));
    use(str::removingPrefix(s, other));
    use(str::removingSuffix(s, other));
    use(str::withPrefix(s, other));
    use(str::starts(s, other, false));
    use(str::ends(s, other, false));
    use(str::contains(s, other, false));
    use(str::contains(s, other, true));
    use(str::count(s, other, false));
    use(str::base64Decoded(s));
    use(str::base64Encoded(s));
    use(str::fromBase64(s));
    use(str::urlDecoded(s));
    use(str::urlEncoded(s));
    use(str::unicodeScalarValues(s));
    use(str::characterArray(s));
    str::reverse(edited);
    use(str::mostCommonCharacter(s));
    use(str::paddingStart(s, n, other));
    use(str::paddingEnd(s, n * 1'000'000'000'000, other));
    use(str::truncated(s, n, other));
    use(str::repeated(s, n * 1'000'000'000'000'000));
    use(chr::isEmoji(s));
    use(chr::lowercased(s));
    use(chr::uppercased(s));
    use(text::strippingHTMLTags(s));
    use(text::detectedLinks(s));
    use(text::containsOrMatches(s, other));
    use(text::jsonDictionary(s).size());
    use(text::jsonObject(s).has_value());
    use(text::scannedDouble(s));
    use(text::scannedFloat(s));
    use(text::nonNegativeInt(s));
    use(text::intOrZero(s));
    use(text::collapsingSpaces(s));
    use(text::removingSpaces(s));
    use(text::compactKey(s));
    use(text::trimmingStart(s, foundation::CharacterSet::characters(other)));
    use(text::trimmingEnd(s, foundation::CharacterClass::WhitespacesAndNewlines));
    use(text::capitalizingFirstLetter(s));
    use(text::substringFromOffset(s, n));
    use(text::substringToOffset(s, -n));
    use(text::substring(s, n, -n));
    use(text::substringUnguarded(s, -n, n));
    use(text::inserting(s, other, n));
    use(text::replacing(s, other, s));
    use(text::replacingFirst(s, other, s));
    use(text::split(s, other));
    use(text::numericCompare(s, other));
    use(text::pageImageAddress(s, other + s));
}

TEST(TextFuzz, RandomValidAndInvalidUtf8NeverBreaksAMember) {
    std::mt19937 random(std::getenv("FUZZ_SEED") ? std::atoi(std::getenv("FUZZ_SEED")) : 20261207);
    std::uniform_int_distribution<std::int64_t> offsets(-3, 14);
    for (int round = 0; round < (std::getenv("FUZZ_ROUNDS") ? std::atoi(std::getenv("FUZZ_ROUNDS")) : 400);
         ++round) {
        const std::string s = randomText(random);
        const std::string other = randomText(random);
        SCOPED_TRACE(::testing::PrintToString(s) + " / " + ::testing::PrintToString(other));
        exercise(s, other, offsets(random));
        // Taking a text apart never loses or invents anything but the repair of bad bytes.
        std::string joined;
        for (const auto& c : foundation::characters(s)) joined += c;
        ASSERT_EQ(joined, foundation::wellFormedUtf8(s));
        ASSERT_TRUE(foundation::isWellFormedUtf8(str::slug(s)));
        ASSERT_TRUE(foundation::isWellFormedUtf8(text::substringUnguarded(s, 1, 3)));
    }
    EXPECT_GT(sink, 0u);
}

}  // namespace
