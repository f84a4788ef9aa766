#include "Extensions/TextWebPage.h"

#include <algorithm>
#include <vector>

#include "Extensions/TextEditing.h"
#include "Extensions/TextMarkup.h"
#include "Platform/Dispatch/Queue.h"
#include "Platform/Foundation/TextServices.h"
#include "Platform/Foundation/Url.h"

namespace text {
namespace {

constexpr std::string_view kQuote = "\"";
constexpr std::string_view kQuotedContent = "content=\"";
constexpr std::string_view kClosedItemprop = "itemprop=\"image\">";
constexpr std::string_view kOpenItemprop = "itemprop=\"image\"";

// The pieces of `s` between every occurrence of `separator` (empty pieces kept).
std::vector<std::string_view> pieces(std::string_view s, std::string_view separator) {
    std::vector<std::string_view> out;
    std::size_t start = 0;
    for (auto at = s.find(separator); at != std::string_view::npos; at = s.find(separator, start)) {
        out.push_back(s.substr(start, at - start));
        start = at + separator.size();
    }
    out.push_back(s.substr(start));
    return out;
}

std::string_view firstPiece(std::string_view s, std::string_view separator) {
    return pieces(s, separator).front();
}

// A content attribute after "og:image".
std::string openGraphImage(std::string_view head) {
    const auto marked = pieces(head, "og:image");
    if (marked.size() < 2) return {};
    const auto content = pieces(marked[1], kQuotedContent);
    if (content.size() < 2) return {};
    return replacing(firstPiece(content[1], kQuote), kQuote, "");
}

// A quoted content attribute before itemprop="image"> in the same tag.
std::string itempropImageBefore(std::string_view head) {
    const auto marked = pieces(head, kClosedItemprop);
    if (marked.size() < 2) return {};
    const auto content = pieces(marked[0], kQuotedContent);
    if (content.size() < 2) return {};
    return std::string(firstPiece(content.back(), kQuote));
}

// A bare content attribute after itemprop="image", up to the next space, quotes and tag end
// included as they stand.
std::string itempropImageAfter(std::string_view head) {
    const auto marked = pieces(head, kOpenItemprop);
    if (marked.size() < 2) return {};
    const auto content = pieces(marked[1], "content=");
    if (content.size() < 2) return {};
    return std::string(firstPiece(content[1], " "));
}

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Characters an address may not hold written as percent escapes (pages often leave spaces and
// non-ASCII letters in their image paths).
std::string escapedForAddress(std::string_view candidate) {
    return foundation::percentEncoded(candidate, "!#$%&'()*+,/:;=?@[]");
}

}  // namespace

std::string pageImageAddress(std::string_view pageAddress, std::string_view page) {
    // A page is read as ASCII; one that is not gives no image.
    if (!isAscii(page)) return std::string(pageAddress);
    const auto afterHead = pieces(page, "<head>");
    if (afterHead.size() < 2) return std::string(pageAddress);
    const std::string_view head = firstPiece(afterHead[1], "</head>");
    std::string candidate = openGraphImage(head);
    if (candidate.empty()) candidate = itempropImageBefore(head);
    if (candidate.empty()) candidate = itempropImageAfter(head);
    if (containsOrMatches(candidate, "http")) return candidate;
    if (candidate.empty()) return std::string(pageAddress);
    // A relative image address is relative to the page, not glued to its address.
    const auto base = foundation::Url::fromString(pageAddress);
    const auto image = foundation::Url::fromString(escapedForAddress(candidate), base);
    if (base && base->scheme() && image) return image->absoluteString();
    return std::string(pageAddress) + candidate;
}

std::string webPageImageURL(std::string_view address, const foundation::WebFetcher& fetcher,
                            const foundation::FetchLimits& limits) {
    if (dispatch::Queue::main().isCurrent()) return std::string(address);
    if (!foundation::Url::fromString(address)) return std::string(address);
    const auto page = fetcher.fetch(std::string(address), limits);
    if (!page) return std::string(address);
    // Without a redirect the page keeps the address as it was asked for.
    const std::string_view pageAddress = page->address.empty() ? address : std::string_view(page->address);
    const std::string found = pageImageAddress(pageAddress, page->bytes);
    return found == pageAddress ? std::string(address) : found;
}

std::string webPageImageURL(std::string_view address) {
    return webPageImageURL(address, foundation::CurlWebFetcher{});
}

void webPageImageURLAsync(std::string address, std::function<void(std::string)> completion,
                          std::shared_ptr<const foundation::WebFetcher> fetcher,
                          foundation::FetchLimits limits) {
    if (!fetcher) fetcher = std::make_shared<foundation::CurlWebFetcher>();
    dispatch::Queue::global().async([address = std::move(address), completion = std::move(completion),
                                     fetcher = std::move(fetcher), limits] {
        std::string result = webPageImageURL(address, *fetcher, limits);
        dispatch::Queue::main().async([completion, result = std::move(result)] {
            if (completion) completion(result);
        });
    });
}

}  // namespace text
