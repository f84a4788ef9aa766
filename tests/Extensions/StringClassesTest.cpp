#include <gtest/gtest.h>

#include <string>

#include "Extensions/CharacterMembers.h"
#include "Extensions/StringClasses.h"
#include "Extensions/TextMarkup.h"

namespace {

TEST(StringClasses, LettersDigitsEmojiAndBlankness) {
    struct Case {
        const char* text;
        bool letters, numbers, alphabetic, alphaNumeric, emoji, blank, unique;
    };
    const Case cases[] = {
        {"", false, false, false, false, false, true, false},
        {" \n", false, false, false, false, false, true, true},
        {"abc", true, false, true, false, false, false, true},
        {"abc1", true, true, false, true, false, false, true},
        {"ab c1", true, true, false, false, false, false, true},
        {"a-1", true, true, false, false, false, false, true},
        {"Σωκράτης", true, false, true, false, false, false, true},
        {"123", false, true, false, false, false, false, true},
        {"hello", true, false, true, false, false, false, false},
        {"hi 😀", true, false, true, false, true, false, true},
        {"\xE2\x98\x80", false, false, false, false, true, false, true},  // U+2600 sun
        // "é" composed and "é" decomposed are one character twice.
        {"\xC3\xA9"
         "e\xCC\x81",
         true, false, true, false, false, false, false},
        {"\xF0\x9F\x87\xA9\xF0\x9F\x87\xAA", false, false, false, false, true, false, true},  // one flag
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(str::hasLetters(c.text), c.letters);
        EXPECT_EQ(str::hasNumbers(c.text), c.numbers);
        EXPECT_EQ(str::isAlphabetic(c.text), c.alphabetic);
        EXPECT_EQ(str::isAlphaNumeric(c.text), c.alphaNumeric);
        EXPECT_EQ(str::containsEmoji(c.text), c.emoji);
        EXPECT_EQ(str::isBlank(c.text), c.blank);
        EXPECT_EQ(str::hasUniqueCharacters(c.text), c.unique);
    }
    const std::pair<const char*, bool> characters[] = {
        {"\xF0\x9F\x87\xA9\xF0\x9F\x87\xAA", true},
        {"A", false},
        {"😀", true},
        {"#\xEF\xB8\x8F\xE2\x83\xA3", false},
    };
    for (const auto& [c, emoji] : characters) {
        SCOPED_TRACE(c);
        EXPECT_EQ(chr::isEmoji(c), emoji);
    }
}

TEST(StringClasses, EmailAddressesAndPatterns) {
    const std::pair<const char*, bool> emails[] = {
        {"john@example.com", true},
        {"john.smith+tag@mail.example.co.uk", true},
        {"john@EXAMPLE.com", true},
        {"jöhn@exämple.de", true},
        {"\"john.doe\"@example.com", true},
        {"\"john doe\"@example.com", false},
        {"john@[192.168.0.1]", true},
        {"john@example", false},
        {"john@", false},
        {"@example.com", false},
        {"john example@x.com", false},
        {"john@@example.com", false},
        {"john@-example.com", false},
        {"say john@example.com", false},
        {"", false},
    };
    for (const auto& [text, valid] : emails) {
        SCOPED_TRACE(text);
        EXPECT_EQ(str::isValidEmail(text), valid);
    }
    struct Pattern {
        const char* text;
        const char* pattern;
        bool matches;            // anywhere in the text
        bool containsOrMatches;  // contained ignoring case and accents, or the whole text matches
    };
    const Pattern patterns[] = {
        {"file10.png", "[0-9]+", true, false},
        {"file10.png", "^[a-z]+[0-9]+\\.png$", true, true},
        {"Crème", "creme", false, true},
        {"HTTP://x.org", "http", false, true},
        {"abc", "(", false, false},  // a pattern that does not compile matches nothing
        {"abc", "[", false, false},
        {"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaab", "^(a+)+$", false, false},
    };
    for (const Pattern& p : patterns) {
        SCOPED_TRACE(std::string(p.text) + " / " + p.pattern);
        EXPECT_EQ(str::matches(p.text, p.pattern), p.matches);
        EXPECT_EQ(text::containsOrMatches(p.text, p.pattern), p.containsOrMatches);
    }
}

TEST(StringClasses, Addresses) {
    struct Case {
        const char* text;
        bool valid, schemed, https, http, file;
    };
    const Case cases[] = {
        {"https://example.com/a?b=c#d", true, true, true, false, false},
        {"http://example.com", true, true, false, true, false},
        {"HTTPS://example.com", true, true, false, false, false},
        {"file:///tmp/a.png", true, true, false, false, true},
        {"FILE:///tmp/a.png", true, true, false, false, true},
        {"mailto:a@b.com", true, true, false, false, false},
        {"img/a.png", true, false, false, false, false},
        {"", false, false, false, false, false},
        {"http://exa mple.com", false, false, false, false, false},
        {"http://x.org/%zz", false, false, false, false, false},
        {"http://x.org/a#b#c", false, false, false, false, false},
        {"1http://x.org", false, false, false, false, false},
        {"http://[::1]:8080/", true, true, false, true, false},
        {"http://x.org/<script>", false, false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(str::isValidURL(c.text), c.valid);
        EXPECT_EQ(str::isValidSchemedURL(c.text), c.schemed);
        EXPECT_EQ(str::isValidHTTPSURL(c.text), c.https);
        EXPECT_EQ(str::isValidHTTPURL(c.text), c.http);
        EXPECT_EQ(str::isValidFileURL(c.text), c.file);
    }
    const auto url = str::url("https://example.com:8443/p/q?x=1#top");
    ASSERT_TRUE(url);
    EXPECT_EQ(url->scheme, "https");
    EXPECT_EQ(url->authority, "example.com:8443");
    EXPECT_EQ(url->percentEncodedPath, "/p/q");
    EXPECT_EQ(url->percentEncodedQuery, "x=1");
    EXPECT_EQ(url->fragment, "top");
}

}  // namespace
