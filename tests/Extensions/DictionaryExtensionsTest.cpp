#include "Extensions/DataExtensions.h"
#include "Extensions/DictionaryExtensions.h"
#include "Extensions/SizeArithmetic.h"

#include <gtest/gtest.h>

#include <list>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

using foundation::PlistDictionary;
using foundation::PlistValue;

namespace {

foundation::Data bytesOf(const std::string& s) {
    return {s.begin(), s.end()};
}

}  // namespace

TEST(DictionaryExtensions, PathsReadAndWriteNestedDictionaries) {
    const PlistDictionary nested{{"a", PlistDictionary{{"b", 1}}}, {"n", 5}};
    using Path = std::vector<std::string>;
    struct Read {
        Path path;
        std::optional<PlistValue> expected;
    };
    const Read reads[] = {
        {{"a", "b"}, PlistValue(1)}, {{"a", "c"}, std::nullopt},
        {{}, std::nullopt},          {{"n"}, PlistValue(5)},
        {{"n", "x"}, std::nullopt},  {{"a"}, PlistValue(PlistDictionary{{"b", 1}})},
    };
    for (const Read& r : reads) {
        EXPECT_EQ(dict::value(nested, r.path), r.expected) << ::testing::PrintToString(r.path);
    }

    struct Write {
        Path path;
        PlistDictionary expected;
    };
    const Write writes[] = {
        {{"a", "b"}, {{"a", PlistDictionary{{"b", 2}}}, {"n", 5}}},
        {{"a", "c"}, {{"a", PlistDictionary{{"b", 1}, {"c", 2}}}, {"n", 5}}},
        {{"m"}, {{"a", PlistDictionary{{"b", 1}}}, {"n", 5}, {"m", 2}}},
        {{"x", "b"}, nested},
        {{"n", "b"}, nested},
        {{}, nested},
    };
    for (const Write& w : writes) {
        PlistDictionary d = nested;
        dict::setValue(d, w.path, 2);
        EXPECT_EQ(d, w.expected) << ::testing::PrintToString(w.path);
    }
}

TEST(DictionaryExtensions, MergingRemovingAndMapping) {
    using Map = std::map<std::string, int, std::less<>>;
    EXPECT_EQ(dict::merged(Map{{"k", 1}, {"a", 0}}, Map{{"k", 2}}), (Map{{"a", 0}, {"k", 2}}));
    Map m{{"a", 1}, {"b", 2}, {"c", 1}};
    EXPECT_TRUE(dict::has(m, "a"));
    EXPECT_FALSE(dict::has(m, "z"));
    EXPECT_EQ(dict::keys(m, 1), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(dict::without(m, std::vector<std::string>{"a", "zz"}), (Map{{"b", 2}, {"c", 1}}));
    dict::merge(m, Map{{"d", 4}});
    dict::removeAll(m, std::list<std::string>{"b", "missing"});
    EXPECT_EQ(m, (Map{{"a", 1}, {"c", 1}, {"d", 4}}));

    EXPECT_EQ(dict::mapKeysAndValues(m, [](const std::string& k, int v) { return std::pair(v, k); }),
              (std::map<int, std::string, std::less<>>{{1, "c"}, {4, "d"}}));
    EXPECT_EQ(dict::compactMapKeysAndValues(
                  m,
                  [](const std::string& k, int v) -> std::optional<std::pair<std::string, int>> {
                      if (v == 4) return std::nullopt;
                      return std::pair(k + k, v * 10);
                  }),
              (std::map<std::string, int, std::less<>>{{"aa", 10}, {"cc", 10}}));

    std::unordered_map<int, int> pool{{1, 10}, {2, 20}, {3, 30}};
    std::vector<int> drawn;
    while (auto v = dict::removeValueForRandomKey(pool)) drawn.push_back(*v);
    std::ranges::sort(drawn);
    EXPECT_EQ(drawn, (std::vector<int>{10, 20, 30}));

    // A value whose lower-cased key is taken stays where it is: nothing is lost.
    PlistDictionary keys{{"Name", "x"}, {"ÄRGER", 1}, {"A", "upper"}, {"a", "lower"}};
    dict::lowercaseAllKeys(keys);
    EXPECT_EQ(keys, (PlistDictionary{{"name", "x"}, {"ärger", 1}, {"A", "upper"}, {"a", "lower"}}));
}

TEST(DictionaryExtensions, JsonTextOnlyForJsonValues) {
    struct Case {
        PlistDictionary input;
        std::optional<std::string> compact;
    };
    const Case cases[] = {
        {{}, "{}"},
        {{{"a", 1}, {"b", PlistValue(foundation::PlistArray{true, nullptr, 1.5, "x"})}},
         "{\"a\":1,\"b\":[true,null,1.5,\"x\"]}"},
        {{{"when", foundation::Date{0}}}, std::nullopt},
        {{{"bytes", foundation::Data{1, 2}}}, std::nullopt},
        {{{"deep", PlistDictionary{{"nan", std::nan("")}}}}, std::nullopt},
        {{{"text", "caf\xc3\xa9"}}, "{\"text\":\"caf\xc3\xa9\"}"},
        {{{"broken", "\xff"}}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.compact.value_or("absent"));
        EXPECT_EQ(dict::jsonString(c.input), c.compact);
        EXPECT_EQ(dict::jsonData(c.input).has_value(), c.compact.has_value());
    }
    EXPECT_EQ(dict::jsonString({{"a", 1}}, true), "{\n  \"a\": 1\n}");

    // And back: the text reads as the same values; what is no JSON is an error for the caller.
    EXPECT_EQ(data::jsonObject(bytesOf("{\"a\":1,\"b\":[true,null,1.5,\"x\"]}")), PlistValue(cases[1].input));
    EXPECT_THROW(data::jsonObject(bytesOf("{\"a\":")), foundation::JsonError);
    EXPECT_THROW(data::jsonObject(bytesOf("12")), foundation::JsonError);
    EXPECT_EQ(data::jsonObject(bytesOf("12"), {.fragmentsAllowed = true}), PlistValue(12));
    // Hostile nesting is refused before it can exhaust the stack.
    EXPECT_THROW(data::jsonObject(bytesOf(std::string(100000, '[') + std::string(100000, ']'))),
                 foundation::JsonError);
}

TEST(DataExtensions, TextOfBytesInAnEncoding) {
    using E = foundation::StringEncoding;
    struct Case {
        foundation::Data bytes;
        E encoding;
        std::optional<std::string> text;
    };
    const Case cases[] = {
        {bytesOf("caf\xc3\xa9"), E::UTF8, "caf\xc3\xa9"},
        {{0x63, 0xe9}, E::UTF8, std::nullopt},
        {{0x63, 0xe9}, E::ISOLatin1, "c\xc3\xa9"},
        {{0x63, 0xe9}, E::ASCII, std::nullopt},
        {{0x80}, E::WindowsCP1252, "\xe2\x82\xac"},
        {{0x00, 0x41}, E::UTF16BigEndian, "A"},
        {{0x41, 0x00}, E::UTF16LittleEndian, "A"},
        {{0xff, 0xfe, 0x41, 0x00}, E::UTF16, "A"},
        {{}, E::UTF8, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.bytes));
        EXPECT_EQ(data::string(c.bytes, c.encoding), c.text);
    }
    EXPECT_EQ(data::bytes(bytesOf("ab")), (std::vector<std::uint8_t>{'a', 'b'}));
}

TEST(DataExtensions, SizesAndComparisons) {
    struct Case {
        cg::Size size, bound, fit, fill;
    };
    const Case cases[] = {
        {{100, 50}, {60, 60}, {60, 30}, {60, 60}}, {{50, 100}, {60, 60}, {30, 60}, {60, 60}},
        {{10, 10}, {40, 20}, {20, 20}, {40, 20}},  {{0, 50}, {60, 60}, {0, 60}, {0, 60}},
        {{0, 0}, {60, 60}, {0, 0}, {0, 0}},        {{100, 50}, {0, 0}, {0, 0}, {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.size.width << "x" << c.size.height << " in " << c.bound.width
                                          << "x" << c.bound.height);
        EXPECT_EQ(data::aspectFit(c.size, c.bound), c.fit);
        EXPECT_EQ(data::aspectFill(c.size, c.bound), c.fill);
    }
    EXPECT_DOUBLE_EQ(data::aspectRatio({300, 200}), 1.5);
    EXPECT_EQ(data::aspectRatio({300, 0}), 0);
    EXPECT_EQ(data::maxDimension({3, 7}), 7);
    EXPECT_EQ(data::minDimension({3, 7}), 3);

    cg::Size s{2, 3};
    s += cg::Size{1, 1};
    s *= 2;
    s -= cg::Size{1, 1};
    s *= cg::Size{2, 0.5};
    EXPECT_EQ(s, (cg::Size{10, 3.5}));
    EXPECT_EQ((0.5 * cg::Size{4, 2} + cg::Size{1, 1} * cg::Size{2, 3} - cg::Size{1, 1}), (cg::Size{3, 3}));

    EXPECT_EQ(data::clamped(15, 0, 10), 10);
    EXPECT_EQ(data::clamped(-1, 0, 10), 0);
    EXPECT_EQ(data::clamped(5, 0, 10), 5);
    EXPECT_EQ(data::clamped(5, 10, 0), 10) << "inverted bounds: the lower one wins, no undefined behaviour";
    EXPECT_TRUE(data::isBetween(10, 0, 10));
    EXPECT_FALSE(data::isBetween(11, 0, 10));
    EXPECT_TRUE(data::isAlmostEqual(1.0, 1.05, 0.1));
    EXPECT_FALSE(data::isAlmostEqual(1.0, 1.1, 0.1)) << "strictly less than the tolerance";

    const std::list<int> list{1, 2, 1};
    EXPECT_EQ(data::indices(list, 1), (std::vector<std::size_t>{0, 2}));
    struct Offset {
        std::int64_t offset;
        std::optional<int> element;
    };
    const std::list<int> photos{10, 20, 30};
    const Offset offsets[] = {{0, 10},
                              {2, 30},
                              {-1, 30},
                              {-3, 10},
                              {3, std::nullopt},
                              {-4, std::nullopt},
                              {INT64_MIN, std::nullopt}};
    for (const Offset& o : offsets) {
        EXPECT_EQ(data::element(photos, o.offset), o.element) << o.offset;
    }

    bool seen[2] = {false, false};
    for (int i = 0; i < 200; ++i) seen[data::randomValue() ? 1 : 0] = true;
    EXPECT_TRUE(seen[0] && seen[1]);
}
