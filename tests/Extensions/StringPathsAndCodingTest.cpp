#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "Extensions/CharacterMembers.h"
#include "Extensions/StringCoding.h"
#include "Extensions/StringConstants.h"
#include "Extensions/StringPadding.h"
#include "Extensions/StringPaths.h"

namespace {

TEST(StringPaths, ComponentsAndExtensions) {
    struct Case {
        const char* path;
        const char* last;
        const char* extension;
        const char* withoutExtension;
        const char* withoutLast;
        std::vector<std::string> components;
    };
    const Case cases[] = {
        {"/tmp/scratch.tiff", "scratch.tiff", "tiff", "/tmp/scratch", "/tmp", {"/", "tmp", "scratch.tiff"}},
        {"/tmp/lock/", "lock", "", "/tmp/lock", "/tmp", {"/", "tmp", "lock", "/"}},
        {"/tmp", "tmp", "", "/tmp", "/", {"/", "tmp"}},
        {"/", "/", "", "/", "/", {"/"}},
        {"", "", "", "", "", {}},
        {"scratch.tiff", "scratch.tiff", "tiff", "scratch", "", {"scratch.tiff"}},
        {"a//b///c.d.e", "c.d.e", "e", "a/b/c.d", "a/b", {"a", "b", "c.d.e"}},
        {"/home/u/.bashrc", ".bashrc", "", "/home/u/.bashrc", "/home/u", {"/", "home", "u", ".bashrc"}},
        {"name.", "name.", "", "name.", "", {"name."}},
        {"Ünïcödé/fïlé.jpég", "fïlé.jpég", "jpég", "Ünïcödé/fïlé", "Ünïcödé", {"Ünïcödé", "fïlé.jpég"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(str::lastPathComponent(c.path), c.last);
        EXPECT_EQ(str::pathExtension(c.path), c.extension);
        EXPECT_EQ(str::deletingPathExtension(c.path), c.withoutExtension);
        EXPECT_EQ(str::deletingLastPathComponent(c.path), c.withoutLast);
        EXPECT_EQ(str::pathComponents(c.path), c.components);
    }
    struct Append {
        const char* path;
        const char* component;
        const char* joined;
        const char* extension;
        std::optional<std::string> withExtension;
    };
    const Append appends[] = {
        {"/tmp", "scratch.tiff", "/tmp/scratch.tiff", "tiff", "/tmp.tiff"},
        {"/tmp/", "/a/", "/tmp/a", "gz", "/tmp.gz"},
        {"", "a", "a", "tiff", std::nullopt},
        {"/", "a", "/a", "tiff", std::nullopt},
        {"scratch.old", "", "scratch.old", "tiff", "scratch.old.tiff"},
        {"dir/file", "x", "dir/file/x", "a/b", std::nullopt},
        {"dir/file", "x", "dir/file/x", "", std::nullopt},
    };
    for (const Append& a : appends) {
        SCOPED_TRACE(std::string(a.path) + " + " + a.component);
        EXPECT_EQ(str::appendingPathComponent(a.path, a.component), a.joined);
        EXPECT_EQ(str::appendingPathExtension(a.path, a.extension), a.withExtension);
    }
}

TEST(StringCoding, Base64AndPercentCoding) {
    struct Case {
        const char* text;
        std::optional<std::string> lenient;  // padding added, unknown characters ignored
        std::optional<std::string> strict;
    };
    const Case cases[] = {
        {"aGVsbG8=", "hello", "hello"},
        {"aGVsbG8", "hello", std::nullopt},
        {"YQ", "a", std::nullopt},
        {"YWJj", "abc", "abc"},
        {"aGVs\n\n\n\nbG8=", "hello", std::nullopt},
        {"aGVs*\nbG8=", std::nullopt, std::nullopt},  // the padding is counted with the unknown characters
        {"", "", ""},
        {"====", std::nullopt, std::nullopt},
        {"a===", std::nullopt, std::nullopt},
        {"YQ==YQ==", std::nullopt, std::nullopt},
        {"/w==", std::nullopt, std::nullopt},  // the byte FF is not UTF-8 text
        {"w6k=", "\xC3\xA9", "\xC3\xA9"},
        {"%%%", std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(str::base64Decoded(c.text), c.lenient);
        EXPECT_EQ(str::fromBase64(c.text), c.strict);
    }
    for (const std::string text : {"", "a", "ab", "abc", "héllo wörld 😀", "\x01\x7f"}) {
        SCOPED_TRACE(text);
        const auto encoded = str::base64Encoded(text);
        ASSERT_TRUE(encoded);
        EXPECT_EQ(encoded->size() % 4, 0u);
        EXPECT_EQ(str::fromBase64(*encoded), text);
    }
    EXPECT_EQ(str::base64Encoded("hello"), "aGVsbG8=");

    struct Percent {
        const char* text;
        const char* encoded;
        const char* decoded;
    };
    const Percent percents[] = {
        {"a b", "a%20b", "a b"},
        {"x/y?z=1&w", "x%2Fy%3Fz=1&w", "x/y?z=1&w"},
        {"é", "%C3%A9", "é"},
        {"100%", "100%25", "100%"},
        {"%41%42", "%2541%2542", "AB"},
        {"%zz", "%25zz", "%zz"},
        {"%C3", "%25C3", "%C3"},  // a lone UTF-8 lead byte does not decode
        {"%E2%82", "%25E2%2582", "%E2%82"},
        {"[::1]:8", "[::1]:8", "[::1]:8"},
        {"", "", ""},
    };
    for (const Percent& p : percents) {
        SCOPED_TRACE(p.text);
        EXPECT_EQ(str::urlEncoded(p.text), p.encoded);
        EXPECT_EQ(str::urlDecoded(p.text), p.decoded);
        EXPECT_EQ(str::urlDecoded(str::urlEncoded(p.text)), p.text);
        std::string encoded = p.text, decoded = p.text;
        str::urlEncode(encoded);
        str::urlDecode(decoded);
        EXPECT_EQ(encoded, p.encoded);
        EXPECT_EQ(decoded, p.decoded);
    }
}

TEST(StringCoding, ScalarsCharactersAndFrequency) {
    const std::string flagAndE = "🇩🇪e\xCC\x81";
    EXPECT_EQ(str::unicodeScalarValues(flagAndE), (std::vector<std::int64_t>{0x1F1E9, 0x1F1EA, 0x65, 0x301}));
    EXPECT_EQ(str::characterArray(flagAndE), (std::vector<std::string>{"🇩🇪", "e\xCC\x81"}));
    struct Case {
        std::string text;
        std::string reversed;
        std::optional<std::string> mostCommon;
    };
    const Case cases[] = {
        {"abc", "cba", std::nullopt},   {flagAndE + "x", "x" + std::string("e\xCC\x81") + "🇩🇪", std::nullopt},
        {"", "", std::nullopt},         {"a b\nb", "b\nb a", "b"},
        {" \n ", " \n ", std::nullopt}, {"\xC3\xA9 e\xCC\x81 x", "x e\xCC\x81 \xC3\xA9", "\xC3\xA9"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::string s = c.text;
        str::reverse(s);
        EXPECT_EQ(s, c.reversed);
        if (c.mostCommon) {
            EXPECT_EQ(str::mostCommonCharacter(c.text), c.mostCommon);
        }
    }
    // Ties may return any of the tied characters, but never one that is not there.
    const auto tie = str::mostCommonCharacter("abc");
    ASSERT_TRUE(tie);
    EXPECT_NE(std::string("abc").find(*tie), std::string::npos);
    EXPECT_EQ(str::mostCommonCharacter(" \n "), std::nullopt);
    EXPECT_EQ(str::mostCommonCharacter(""), std::nullopt);
}

TEST(StringPadding, PaddingTruncationAndGeneratedTexts) {
    struct Pad {
        std::string text;
        std::int64_t length;
        std::string with;
        std::string start, end;
    };
    const Pad pads[] = {
        {"7", 3, "0", "007", "700"},
        {"7", 4, "ab", "aba7", "7aba"},
        {"hello", 3, "-", "hello", "hello"},
        {"7", 3, "", "7", "7"},  // an empty pad cannot fill anything
        {"7", -5, "0", "7", "7"},
        {"é", 3, "🇩🇪", "🇩🇪🇩🇪é", "é🇩🇪🇩🇪"},
        {"x", 4'000'000'000'000, "0", "x", "x"},  // would need terabytes
    };
    for (const Pad& p : pads) {
        SCOPED_TRACE(p.text + " to " + std::to_string(p.length) + " with " + p.with);
        EXPECT_EQ(str::paddingStart(p.text, p.length, p.with), p.start);
        EXPECT_EQ(str::paddingEnd(p.text, p.length, p.with), p.end);
        std::string start = p.text, end = p.text;
        str::padStart(start, p.length, p.with);
        str::padEnd(end, p.length, p.with);
        EXPECT_EQ(start, p.start);
        EXPECT_EQ(end, p.end);
    }
    struct Truncate {
        std::string text;
        std::int64_t length;
        std::optional<std::string> trailing;
        std::string expected;
    };
    const Truncate truncates[] = {
        {"hello", 5, "~", "hello"}, {"hello", 2, "~", "he~"},     {"hello", 2, std::nullopt, "he"},
        {"", 3, "...", ""},         {"hello", 0, "...", "hello"}, {"🇩🇪🇩🇪e\xCC\x81", 2, "…", "🇩🇪🇩🇪…"},
    };
    for (const Truncate& t : truncates) {
        SCOPED_TRACE(t.text + " " + std::to_string(t.length));
        const std::optional<std::string_view> trailing =
            t.trailing ? std::optional<std::string_view>(*t.trailing) : std::nullopt;
        EXPECT_EQ(str::truncated(t.text, t.length, trailing), t.expected);
        std::string s = t.text;
        EXPECT_EQ(str::truncate(s, t.length, trailing), t.expected);
        EXPECT_EQ(s, t.expected);
    }
    EXPECT_EQ(str::lorem(5), "Lorem");
    EXPECT_EQ(str::lorem(1000).size(), 445u);
    EXPECT_EQ(str::lorem(445), str::loremText);
    EXPECT_EQ(str::lorem(444), str::loremText.substr(0, 444));
    EXPECT_EQ(str::lorem(0), "");

    struct Repeat {
        std::string text;
        std::int64_t count;
        std::string expected;
    };
    const Repeat repeats[] = {
        {"ab", 3, "ababab"}, {"ab", 0, ""},         {"ab", -2, ""},
        {"", 5, ""},         {"ab", INT64_MAX, ""}, {"ab", 1, "ab"},
    };
    for (const Repeat& r : repeats) {
        SCOPED_TRACE(r.text + " * " + std::to_string(r.count));
        EXPECT_EQ(str::repeated(r.text, r.count), r.expected);
    }
    EXPECT_EQ(chr::repeated("🇩🇪", 2), "🇩🇪🇩🇪");
    EXPECT_EQ(chr::repeated("x", 0), "");

    EXPECT_EQ(str::randomString(0), "");
    EXPECT_EQ(str::randomString(INT64_MAX), "");
    std::set<char> seen;
    for (int i = 0; i < 50; ++i) {
        const std::string r = str::randomString(40);
        ASSERT_EQ(r.size(), 40u);
        for (char c : r) {
            ASSERT_NE(str::randomAlphabet.find(c), std::string_view::npos) << c;
            seen.insert(c);
        }
        seen.insert(chr::randomAlphanumeric().front());
    }
    // 2,050 draws reach every one of the 62 characters unless the draw is not uniform.
    EXPECT_EQ(seen.size(), 62u);
}

}  // namespace
