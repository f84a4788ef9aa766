#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Extensions/BundleVersion.h"
#include "Extensions/TextJson.h"
#include "Extensions/TextMarkup.h"
#include "Platform/Foundation/LocalizedStrings.h"
#include "Support/TempDir.h"

namespace {

TEST(TextMarkup, TagsAreStrippedByTheirText) {
    struct Case {
        const char* html;
        const char* text;
    };
    const Case cases[] = {
        {"<p>Hello&nbsp;<b>you</b></p>\n", "Helloyou"},
        {"a > b", "a  b"},
        {"plain", "plain"},
        {"", ""},
        {"<br><br>x<br>", "x"},
        {"\t<i>a</i>\n<i>b</i> ", "ab"},
        {"<a href=\"x\">link</a> and <a href=\"x\">again</a>", "link and again"},
        {"x < y", "x < y"},
        {"<<<>>>", ">>"},
        {"<unclosed", "<unclosed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.html);
        EXPECT_EQ(text::strippingHTMLTags(c.html), c.text);
    }
}

TEST(TextMarkup, LinksFoundInProse) {
    struct Case {
        const char* text;
        std::vector<std::string> links;
    };
    const Case cases[] = {
        {"😀😀 see https://example.com/a_b?c=1#frag", {"https://example.com/a_b?c=1#frag"}},
        {"Go to www.example.org, then http://x.io/p.", {"http://www.example.org", "http://x.io/p"}},
        {"Mail jane.doe@example.com or mailto:bob@x.org!",
         {"mailto:jane.doe@example.com", "mailto:bob@x.org"}},
        {"(see https://en.wikipedia.org/wiki/Foo_(bar))", {"https://en.wikipedia.org/wiki/Foo_(bar)"}},
        {"nothing here, not even 3.14 or a@b", {}},
        {"", {}},
        {"file:///tmp/a.png and ftp://host/x", {"file:///tmp/a.png", "ftp://host/x"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(text::detectedLinks(c.text), c.links);
    }
}

TEST(TextMarkup, JsonReadIntoPlainValues) {
    const auto dictionary = text::jsonDictionary(R"({"a": 1, "b": [true, null, "x"], "c": {"d": 2.5}})");
    ASSERT_EQ(dictionary.size(), 3u);
    EXPECT_EQ(dictionary.at("a").toInt(), 1);
    const auto* list = dictionary.at("b").arrayIf();
    ASSERT_TRUE(list);
    ASSERT_EQ(list->size(), 3u);
    EXPECT_EQ((*list)[0].toBool(), true);
    EXPECT_EQ((*list)[1].type(), foundation::PlistValue::Type::Null);
    EXPECT_EQ((*list)[2].toString(), "x");
    EXPECT_EQ(dictionary.at("c").find("d")->toDouble(), 2.5);
    // Objects that the settings file would read as tagged values are plain dictionaries here.
    const auto tagged = text::jsonDictionary(R"({"$vorta.type": "date", "value": 1})");
    EXPECT_EQ(tagged.size(), 2u);

    struct Case {
        std::string json;
        bool dictionary;  // gives a non-empty dictionary
        bool object;      // gives a value
    };
    const Case cases[] = {
        {R"({"k": "v"})", true, true},
        {"[1, 2]", false, true},
        {"42", false, false},
        {"\"text\"", false, false},
        {"{", false, false},
        {"", false, false},
        {"{\"k\": \"\xff\"}", false, false},
        {std::string(100000, '[') + std::string(100000, ']'), false, false},
        {std::string(400, '[') + std::string(400, ']'), false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.json.substr(0, 20));
        EXPECT_EQ(!text::jsonDictionary(c.json).empty(), c.dictionary);
        EXPECT_EQ(text::jsonObject(c.json).has_value(), c.object);
    }
}

TEST(TextMarkup, TranslationsAndVersion) {
    testsupport::TempDir resources;
    resources.write("translations/de.json", R"({"Cancel": "Abbrechen", "Count": 3})");
    resources.write("translations/fr_CA.json", "not json");
    const foundation::Bundle bundle({}, resources.path());
    struct Case {
        const char* key;
        std::vector<std::string> languages;
        const char* expected;
    };
    const Case cases[] = {
        {"Cancel", {"de_AT", "de"}, "Abbrechen"},
        {"Cancel", {"fr_CA", "fr"}, "Cancel"},
        {"Count", {"de"}, "Count"},
        {"Missing", {"de"}, "Missing"},
        {"Cancel", {}, "Cancel"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(foundation::localizedString(bundle, c.key, c.languages), c.expected);
    }

    foundation::PlistDictionary info{{"CFBundleShortVersionString", "2.4.1"}};
    EXPECT_EQ(bundle::appVersion(foundation::Bundle(info, resources.path())), "2.4.1");
    info["CFBundleShortVersionString"] = 241;
    EXPECT_EQ(bundle::appVersion(foundation::Bundle(info, resources.path())), std::nullopt);
    EXPECT_EQ(bundle::appVersion(foundation::Bundle(foundation::PlistDictionary{}, resources.path())),
              std::nullopt);
    EXPECT_EQ(bundle::appVersion(bundle), std::nullopt);
    EXPECT_TRUE(bundle::appVersion());  // the running application has one
}

}  // namespace
