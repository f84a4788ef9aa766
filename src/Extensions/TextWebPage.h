#pragma once
// The address of a web page's preview image, read from the page's head (its "og:image" or
// itemprop="image" content). Fetching is bounded (FetchLimits) and never happens on the main
// queue: webPageImageURL blocks its worker thread, webPageImageURLAsync runs it on the global
// queue and hands the result to the main queue.

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "Platform/Foundation/WebFetch.h"

namespace text {

// The image address, resolved against the page's address when relative; the page's own address
// when its head names no image; `address` itself when it is not an address or the page cannot be
// read (within the limits), holds a byte that is not ASCII or has no head. A content attribute
// found after itemprop="image" without quotes around it is taken up to the next space as it
// stands. Called on the main queue it reads nothing and returns `address`.
std::string webPageImageURL(std::string_view address, const foundation::WebFetcher& fetcher,
                            const foundation::FetchLimits& limits = {});
std::string webPageImageURL(std::string_view address);

// The preview image of the page at `address` on a worker; `completion` runs on the main queue.
void webPageImageURLAsync(std::string address, std::function<void(std::string)> completion,
                          std::shared_ptr<const foundation::WebFetcher> fetcher = nullptr,
                          foundation::FetchLimits limits = {});

// The image address named in the text of a page (as webPageImageURL after fetching).
std::string pageImageAddress(std::string_view pageAddress, std::string_view page);

}  // namespace text
