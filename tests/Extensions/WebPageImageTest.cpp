#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <optional>
#include <string>
#include <thread>

#include "Extensions/LocalWebServer.h"
#include "Extensions/TextWebPage.h"
#include "Platform/Foundation/WebFetch.h"
#include "Support/FileAddress.h"
#include "Support/MainQueueFixture.h"
#include "Support/TempDir.h"

namespace {

using testsupport::WebRoute;

// A page whose head holds `head`.
std::string page(const std::string& head) {
    return "<!DOCTYPE html><html><head>" + head +
           "</head><body><p>og:image content=\"body.png\"</p></body></html>";
}

TEST(WebPageImageAddress, ReadFromTheHead) {
    const std::string pageUrl = "https://x.org/dir/page.html";
    struct Case {
        const char* name;
        std::string html;
        std::string expected;
    };
    const Case cases[] = {
        {"og:image, absolute", page(R"(<meta property="og:image" content="https://cdn.x.org/a.jpg">)"),
         "https://cdn.x.org/a.jpg"},
        {"og:image, relative", page(R"(<meta property="og:image" content="img/a.png">)"),
         "https://x.org/dir/img/a.png"},
        {"og:image, root-relative", page(R"(<meta property="og:image" content="/a.png" />)"),
         "https://x.org/a.png"},
        {"og:image, scheme-relative", page(R"(<meta property="og:image" content="//cdn.y.org/b.png">)"),
         "https://cdn.y.org/b.png"},
        {"content before itemprop", page(R"(<meta content="img/a.png" itemprop="image">)"),
         "https://x.org/dir/img/a.png"},
        {"bare content after itemprop", page(R"(<meta itemprop="image" content=http://x.org/c.png >)"),
         "http://x.org/c.png"},
        // The bare content attribute is read up to the next space, quotes and tag end included.
        {"quoted content after itemprop", page(R"(<meta itemprop="image" content="d.png">)"),
         "https://x.org/dir/%22d.png%22%3E"},
        {"quoted absolute content after itemprop",
         page(R"(<meta itemprop="image" content='http://x.org/q.png'>)"), "'http://x.org/q.png'>"},
        {"self-closed, root-relative", page(R"(<meta itemprop="image" content=/f.png/>)"),
         "https://x.org/f.png/%3E"},
        {"og:image without content goes on to itemprop",
         page(R"(<meta property="og:image"><meta content="e.png" itemprop="image">)"),
         "https://x.org/dir/e.png"},
        {"itemprop without content", page(R"(<meta name="x"><meta itemprop="image">)"), pageUrl},
        {"no image marker", page("<title>t</title>"), pageUrl},
        {"markers only in the body", "<html><head></head><body>og:image content=\"x.png\"</body></html>",
         pageUrl},
        {"no head", "<html><body>og:image content=\"x.png\"</body></html>", pageUrl},
        // A page is read as ASCII: any other byte, in a legacy encoding or in UTF-8, and no image.
        {"legacy encoding",
         page("<title>caf\xE9</title><meta property=\"og:image\" content=\"https://x.org/a.png\">"), pageUrl},
        {"UTF-8",
         page("<title>caf\u00e9</title><meta property=\"og:image\" content=\"https://x.org/a.png\">"),
         pageUrl},
        {"non-ASCII byte only in the body",
         page(R"(<meta property="og:image" content="https://x.org/a.png">)") + "\xFF", pageUrl},
        {"empty page", "", pageUrl},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(text::pageImageAddress(pageUrl, c.html), c.expected);
    }
}

// The main queue belongs to the test's thread; fetches run on other threads.
class WebPageImage : public testsupport::MainQueueTest {};

TEST_F(WebPageImage, LocalFilesAndUnreadableAddresses) {
    testsupport::TempDir dir;
    const auto withImage =
        dir.write("site/page.html", page(R"(<meta content="img/a.png" itemprop="image">)"));
    const auto plain = dir.write("site/plain.html", page("<title>x</title>"));
    dir.write("site/utf8.html",
              page("<title>Caf\u00e9</title><meta content=\"img/a.png\" itemprop=\"image\">"));
    const std::string base = testsupport::fileAddress(dir.path() / "site") + "/";
    struct Case {
        std::string address;
        std::string expected;
    };
    const Case cases[] = {
        {base + "page.html", base + "img/a.png"},     {base + "plain.html", base + "plain.html"},
        {base + "utf8.html", base + "utf8.html"},     {base + "missing.html", base + "missing.html"},
        {"not an address", "not an address"},         {"", ""},
        {"relative/page.html", "relative/page.html"}, {"gopher://127.0.0.1/", "gopher://127.0.0.1/"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        std::string result;
        // Never on the main queue: a worker thread does the fetching.
        std::thread([&] { result = text::webPageImageURL(c.address); }).join();
        EXPECT_EQ(result, c.expected);
    }
}

TEST_F(WebPageImage, WebPagesWithinTimeAndSizeLimits) {
    testsupport::TempDir dir;
    const auto secret =
        dir.write("secret.html", page(R"(<meta property="og:image" content="https://leak/x.png">)"));
    testsupport::LocalWebServer server({
        {"/dir/page", {200, page(R"(<meta property="og:image" content="img/a.png">)"), "", {}}},
        {"/moved", {302, "", "/dir/page", {}}},
        {"/to-file", {302, "", testsupport::fileAddress(secret), {}}},
        {"/slow",
         {200, page(R"(<meta property="og:image" content="https://x/slow.png">)"), "",
          std::chrono::milliseconds(3000)}},
        {"/big",
         {200,
          page(std::string(300'000, ' ') + R"(<meta property="og:image" content="https://x/b.png">)"),
          "",
          {}}},
        {"/error", {500, page(R"(<meta property="og:image" content="https://x/e.png">)"), "", {}}},
    });
    const foundation::FetchLimits limits{0.5, 100'000};
    struct Case {
        std::string path;
        std::string expected;
    };
    const Case cases[] = {
        {"/dir/page", server.url("/dir/img/a.png")},
        {"/moved", server.url("/dir/img/a.png")},
        {"/to-file", server.url("/to-file")},  // a web page never makes us read a local file
        {"/big", server.url("/big")},
        {"/error", server.url("/error")},
        {"/nothing-here", server.url("/nothing-here")},
        {"/slow", server.url("/slow")},  // last: the server stays busy with it
    };
    const foundation::CurlWebFetcher fetcher;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        std::string result;
        const auto started = std::chrono::steady_clock::now();
        std::thread([&] { result = text::webPageImageURL(server.url(c.path), fetcher, limits); }).join();
        EXPECT_EQ(result, c.expected);
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2));
    }
}

// Counts fetches and remembers the thread of the last one.
class RecordingFetcher : public foundation::WebFetcher {
  public:
    std::optional<foundation::FetchedPage> fetch(const std::string& address,
                                                 const foundation::FetchLimits&) const override {
        ++count;
        thread = std::this_thread::get_id();
        return foundation::FetchedPage{page(R"(<meta property="og:image" content="https://cdn/x.png">)"),
                                       address};
    }
    mutable std::atomic<int> count{0};
    mutable std::thread::id thread;
};

TEST_F(WebPageImage, NeverFetchesOnTheMainQueue) {
    auto fetcher = std::make_shared<RecordingFetcher>();
    // Asked on the main queue, the blocking form reads nothing and keeps the address.
    EXPECT_EQ(text::webPageImageURL("https://x.org/p", *fetcher), "https://x.org/p");
    EXPECT_EQ(fetcher->count, 0);

    std::optional<std::string> delivered;
    std::thread::id deliveredOn;
    text::webPageImageURLAsync(
        "https://x.org/p",
        [&](std::string result) {
            delivered = std::move(result);
            deliveredOn = std::this_thread::get_id();
        },
        fetcher);
    EXPECT_FALSE(delivered);  // never inside the call
    ASSERT_TRUE(mainQueue->runUntil([&] { return delivered.has_value(); }));
    EXPECT_EQ(*delivered, "https://cdn/x.png");
    EXPECT_EQ(fetcher->count, 1);
    EXPECT_NE(fetcher->thread, std::this_thread::get_id());
    EXPECT_EQ(deliveredOn, std::this_thread::get_id());
}

}  // namespace
