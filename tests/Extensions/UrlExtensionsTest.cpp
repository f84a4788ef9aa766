#include "Extensions/UrlExtensions.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "Support/ShellWord.h"
#include "Support/TempDir.h"

namespace {

foundation::Url address(const std::string& text) {
    const auto url = foundation::Url::fromString(text);
    EXPECT_TRUE(url.has_value()) << text;
    return url.value_or(*foundation::Url::fromString("about:blank"));
}

foundation::Data bytesOf(const std::string& s) {
    return {s.begin(), s.end()};
}

// Runs `script` with /bin/sh in `folder` and returns what it printed.
std::string runShell(const std::filesystem::path& folder, const std::string& script) {
    std::ofstream(folder / "pasted.sh") << script;
    const std::string command = "cd " + testsupport::shellWord(folder) + " && /bin/sh ./pasted.sh 2>&1";
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (fgets(buffer, sizeof buffer, pipe)) out += buffer;
        pclose(pipe);
    }
    return out;
}

}  // namespace

TEST(UrlExtensions, AddressesAreParsedStrictlyAndResolved) {
    struct Case {
        const char* text;
        bool valid;
    };
    const Case cases[] = {
        {"https://example.com/a/b?x=1#top", true},
        {"mailto:someone@example.com", true},
        {"photos/2026/a.jpg", true},
        {"", false},
        {"https://example.com/a b", false},
        {"https://example.com/%zz", false},
        {"https://example.com/\"quoted\"", false},
        {"1http://example.com", false},
        {"https://example.com/caf\xc3\xa9", false},
        {"https://example.com/#a#b", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(foundation::Url::fromString(c.text).has_value(), c.valid) << c.text;
    }

    const auto base = foundation::Url::fromString("https://example.com/albums/2026/index.html?page=2");
    struct Resolution {
        const char* relative;
        const char* absolute;
    };
    const Resolution resolutions[] = {
        {"b.jpg", "https://example.com/albums/2026/b.jpg"},
        {"../2025/", "https://example.com/albums/2025/"},
        {"/top", "https://example.com/top"},
        {"?page=3", "https://example.com/albums/2026/index.html?page=3"},
        {"//cdn.example.com/x", "https://cdn.example.com/x"},
        {"../../../../up", "https://example.com/up"},
        {"http://other.org/", "http://other.org/"},
    };
    for (const Resolution& r : resolutions) {
        const auto url = url::fromOptionalString(r.relative, base);
        ASSERT_TRUE(url) << r.relative;
        EXPECT_EQ(url->absoluteString(), r.absolute);
        EXPECT_EQ(url->relativeString(), r.relative);
    }
    EXPECT_EQ(url::fromOptionalString(std::nullopt, base), std::nullopt);
    EXPECT_EQ(address("https://user@Example.com:8080/p").host(), "Example.com");
    EXPECT_EQ(address("/a/b%20c/").pathComponents(), (std::vector<std::string>{"/", "a", "b c"}));
}

TEST(UrlExtensions, QueriesReadLookUpAndAppend) {
    using P = url::Parameters;
    struct Case {
        const char* text;
        std::optional<P> parameters;
        std::optional<std::string> valueOfA;
    };
    const Case cases[] = {
        {"https://x.org/?a=1&b&a=2", P{{"a", "2"}}, "1"},
        {"https://x.org/?a=1&a", P{}, "1"},
        {"https://x.org/?b=x%26y&a=", P{{"a", ""}, {"b", "x&y"}}, ""},
        {"https://x.org/?a", P{}, std::nullopt},
        {"https://x.org/", std::nullopt, std::nullopt},
        {"https://x.org/?", std::nullopt, std::nullopt},
        {"https://x.org/?A=1", P{{"A", "1"}}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(url::queryParameters(address(c.text)), c.parameters);
        EXPECT_EQ(url::queryValue(address(c.text), "a"), c.valueOfA);
    }

    foundation::Url photo = address("https://x.org/p?size=2");
    url::appendQueryParameters(photo, {{"note", "a&b=c d"}, {"album", "2026"}});
    EXPECT_EQ(photo.absoluteString(), "https://x.org/p?size=2&album=2026&note=a%26b%3Dc%20d");
    EXPECT_EQ(url::queryValue(photo, "note"), "a&b=c d") << "a value with & and = survives the round trip";
    EXPECT_EQ(url::appendingQueryParameters(address("https://x.org/p"), {{"k", "v"}}).absoluteString(),
              "https://x.org/p?k=v");
}

TEST(UrlExtensions, PathsCutBackAndSchemesDropped) {
    struct Case {
        const char* text;
        const char* withoutPath;
        std::optional<std::string> withoutScheme;
    };
    const Case cases[] = {
        {"https://x.org/a/b/c?q=1", "https://x.org/?q=1", "x.org/a/b/c?q=1"},
        {"https://x.org/a", "https://x.org/", "x.org/a"},
        {"https://x.org", "https://x.org", "x.org"},
        {"file:///Users/me/Pictures/a.jpg", "file:///", "/Users/me/Pictures/a.jpg"},
        {"a/b/c", "a/", "a/b/c"},
        {"mailto:someone@example.com", "mailto:someone@example.com", "someone@example.com"},
        {"//cdn.x.org/a/b", "//cdn.x.org/", "cdn.x.org/a/b"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(url::deletingAllPathComponents(address(c.text)).absoluteString(), c.withoutPath);
        foundation::Url inPlace = address(c.text);
        url::deleteAllPathComponents(inPlace);
        EXPECT_EQ(inPlace.absoluteString(), c.withoutPath);
        const auto dropped = url::droppedScheme(address(c.text));
        EXPECT_EQ(dropped ? std::optional(dropped->absoluteString()) : std::nullopt, c.withoutScheme);
    }
}

TEST(UrlExtensions, RequestsAsCurlCommands) {
    EXPECT_EQ(url::request("not an address"), std::nullopt);
    auto get = url::request("https://example.com/photos");
    ASSERT_TRUE(get);
    EXPECT_EQ(get->timeoutInterval, 60);
    EXPECT_EQ(url::curlString(*get), "curl https://example.com/photos");
    EXPECT_EQ(url::curlString(foundation::UrlRequest{}), "");

    auto head = *get;
    head.httpMethod = "HEAD";
    head.setValue("a=1", "Cookie");
    EXPECT_EQ(url::curlString(head), "curl https://example.com/photos --head");

    auto post = *get;
    post.httpMethod = "POST";
    post.setValue("application/json", "Content-Type");
    post.httpBody = bytesOf("{\"n\":1}");
    EXPECT_EQ(url::curlString(post),
              "curl https://example.com/photos \\\n\t-X POST \\\n\t-H 'Content-Type: application/json' \\\n\t"
              "-d '{\"n\":1}'");
    post.httpBody = foundation::Data{0xff, 0xfe};
    EXPECT_EQ(url::curlString(post).find("-d"), std::string::npos) << "a body that is no UTF-8 is left out";
}

TEST(UrlExtensions, PastedCurlCommandRunsNoHiddenCommand) {
    testsupport::TempDir folder;
    auto request = url::request("https://example.com/;touch$IFS./pwned1;?a=1&b=$(touch$IFS./pwned2)");
    ASSERT_TRUE(request);
    request->httpMethod = "PUT;touch$IFS./pwned3;";
    request->setValue("it's'; touch ./pwned4; echo '", "X-Note");
    request->setValue("session=1", "Cookie");
    request->httpBody = bytesOf("{\"caption\": \"Ben's \\\"$(touch ./pwned5)\\\" `touch ./pwned6`\"}");

    // A stand-in curl prints each argument it receives on a line of its own.
    const std::string printed =
        runShell(folder.path(), "curl() { for a in \"$@\"; do printf '[%s]\\n' \"$a\"; done; }\n" +
                                    url::curlString(*request) + "\n");
    const std::string expected =
        "[https://example.com/;touch$IFS./pwned1;?a=1&b=$(touch$IFS./pwned2)]\n"
        "[-X]\n[PUT;touch$IFS./pwned3;]\n"
        "[-H]\n[X-Note: it's'; touch ./pwned4; echo ']\n"
        "[-d]\n[{\"caption\": \"Ben's \\\"$(touch ./pwned5)\\\" `touch ./pwned6`\"}]\n";
    EXPECT_EQ(printed, expected);
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        EXPECT_EQ(entry.path().filename(), "pasted.sh") << "a command hidden in the request ran";
    }
}
