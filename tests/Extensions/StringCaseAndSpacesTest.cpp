#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Extensions/CharacterMembers.h"
#include "Extensions/StringCase.h"
#include "Extensions/StringLines.h"
#include "Extensions/TextEditing.h"
#include "Extensions/TextSpaces.h"

namespace {

TEST(StringCase, CamelCaseLatinisingAndSlugs) {
    struct Case {
        const char* text;
        const char* camel;
        const char* latin;
        const char* slug;
    };
    const Case cases[] = {
        {"hello world", "helloWorld", "hello world", "hello-world"},
        {"Hello", "hello", "Hello", "hello"},
        {" Crème Brûlée & Co. ", " rèmeBrûlée&Co.", " Creme Brulee & Co. ", "creme-brulee-&-co"},
        {"a - b", "a-B", "a - b", "a--b"},
        {"", "", "", ""},
        {"ÉCOLE normale", "écoleNormale", "ECOLE normale", "ecole-normale"},
        {"straße zwei", "straßeZwei", "straße zwei", "straße-zwei"},
        {"--x--", "--x--", "--x--", "x"},
        {"Ωmega ΣΟΦΙΑ", "ωmegaΣοφια", "Ωmega ΣΟΦΙΑ", "ωmega-σοφια"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(str::camelCased(c.text), c.camel);
        EXPECT_EQ(str::latinized(c.text), c.latin);
        EXPECT_EQ(str::slug(c.text), c.slug);
        std::string camel = c.text, latin = c.text;
        str::camelize(camel);
        str::latinize(latin);
        EXPECT_EQ(camel, c.camel);
        EXPECT_EQ(latin, c.latin);
    }
    struct First {
        const char* text;
        const char* upperFirst;  // the rest unchanged
        const char* capitalizedFirst;
    };
    const First firsts[] = {
        {"hello World", "Hello World", "Hello World"},
        {"", "", ""},
        {"é", "É", "É"},
        {"e\xCC\x81t\xC3\xA9", "E\xCC\x81t\xC3\xA9", "E\xCC\x81t\xC3\xA9"},
        {"ßa", "SSa", "Ssa"},
        {"ǆemal", "Ǆemal", "ǅemal"},
        {"1abc", "1abc", "1abc"},
    };
    for (const First& f : firsts) {
        SCOPED_TRACE(f.text);
        std::string s = f.text;
        str::uppercaseFirstCharacter(s);
        EXPECT_EQ(s, f.upperFirst);
        EXPECT_EQ(text::capitalizingFirstLetter(f.text), f.capitalizedFirst);
    }
    EXPECT_EQ(text::lowercase("ÀB Σ"), "àb σ");
    EXPECT_EQ(chr::uppercased("ß"), "S");
    EXPECT_EQ(chr::lowercased("Ä"), "ä");
    EXPECT_EQ(chr::string("e\xCC\x81"), "e\xCC\x81");
}

TEST(StringSpaces, TrimmingCollapsingAndKeys) {
    struct Case {
        const char* text;
        const char* trimmed;
        const char* collapsed;
        const char* removed;
        const char* compact;
        const char* noSpacesOrNewlines;
    };
    const Case cases[] = {
        {" A-B (c), d. ", "A-B (c), d.", "A-B (c), d.", "A-B(c),d.", "abcd", "A-B(c),d."},
        {"a     b", "a     b", "a b", "ab", "ab", "ab"},
        {"a           b", "a           b", "a  b", "ab", "ab", "ab"},
        {"\t x\n\u00a0", "x", "x", "x", "x", "\tx\u00a0"},
        {"[One] - Two", "[One] - Two", "[One] - Two", "[One]-Two", "onetwo", "[One]-Two"},
        {"", "", "", "", "", ""},
        {" \n ", "", "", "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(str::trimmed(c.text), c.trimmed);
        EXPECT_EQ(text::collapsingSpaces(c.text), c.collapsed);
        EXPECT_EQ(text::removingSpaces(c.text), c.removed);
        EXPECT_EQ(text::compactKey(c.text), c.compact);
        EXPECT_EQ(str::withoutSpacesAndNewlines(c.text), c.noSpacesOrNewlines);
        std::string s = c.text;
        str::trim(s);
        EXPECT_EQ(s, c.trimmed);
    }
    using foundation::CharacterClass;
    using foundation::CharacterSet;
    struct Ends {
        const char* text;
        CharacterSet set;
        const char* start;
        const char* end;
    };
    const Ends ends[] = {
        {"  ab  ", CharacterClass::WhitespacesAndNewlines, "ab  ", "  ab"},
        {"    ", CharacterClass::WhitespacesAndNewlines, "", ""},
        {"", CharacterClass::WhitespacesAndNewlines, "", ""},
        {"xxaxbxx", CharacterSet::characters("x"), "axbxx", "xxaxb"},
        {"12ab34", CharacterClass::DecimalDigits, "ab34", "12ab"},
        // An accent on a trimmed letter belongs to it: the whole character goes or stays.
        {"e\xCC\x81"
         "b",
         CharacterSet::characters("e"),
         "e\xCC\x81"
         "b",
         "e\xCC\x81"
         "b"},
        {"ab", CharacterSet::characters("a").inverted(), "ab", "a"},
    };
    for (const Ends& e : ends) {
        SCOPED_TRACE(e.text);
        EXPECT_EQ(text::trimmingStart(e.text, e.set), e.start);
        EXPECT_EQ(text::trimmingEnd(e.text, e.set), e.end);
    }
}

TEST(StringLines, LinesAndWords) {
    struct Case {
        const char* text;
        std::vector<std::string> lines;
        std::vector<std::string> words;
    };
    const Case cases[] = {
        {"", {}, {}},
        {"one", {"one"}, {"one"}},
        {"a\nb\r\nc\rd", {"a", "b", "c", "d"}, {"a", "b", "c", "d"}},
        {"a\n\nb\n", {"a", "", "b"}, {"a", "b"}},
        {"x\u2028y\u2029z\u0085w", {"x", "y", "z", "w"}, {"x", "y", "z", "w"}},
        {"Hello, world! It's   me.", {"Hello, world! It's   me."}, {"Hello", "world", "It", "s", "me"}},
        {"\n", {""}, {}},
        {"naïve café—ok", {"naïve café—ok"}, {"naïve", "café", "ok"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(str::lines(c.text), c.lines);
        EXPECT_EQ(str::words(c.text), c.words);
        EXPECT_EQ(str::wordCount(c.text), c.words.size());
    }
}

}  // namespace
