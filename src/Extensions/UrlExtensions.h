#pragma once
// Address helpers: query parameters read, looked up and appended, the path cut back to its root, the
// scheme dropped, and requests made from text and written out as a curl command line that is safe to
// paste into a shell. Pure functions on plain values; safe from any thread.

#include <map>
#include <optional>
#include <string>

#include "Platform/Foundation/Url.h"
#include "Platform/Foundation/UrlRequest.h"

namespace url {

using Parameters = std::map<std::string, std::string, std::less<>>;

// A GET request for the address, cache policy 0 and a 60 s time-out; absent when the text is no
// address.
std::optional<foundation::UrlRequest> request(const std::string& urlString);

// The request as a curl command, one argument a line: "curl <address>", then " --head" for HEAD,
// "-X <method>" for methods other than GET and HEAD, "-H '<name>: <value>'" for each header field
// but "Cookie", and "-d '<body>'" for a UTF-8 body. Every argument is quoted for a POSIX shell where
// it needs it, so no text of the request can end its quotes and run a command. Empty without an
// address.
std::string curlString(const foundation::UrlRequest& request);

// The query items of the address itself (not resolved against its base) as a dictionary: a later
// item replaces an earlier one of the same name, an item without a value removes its name. Absent
// without query items.
std::optional<Parameters> queryParameters(const foundation::Url& url);

// Absent for an absent text, else the address of the text relative to the base.
std::optional<foundation::Url> fromOptionalString(const std::optional<std::string>& text,
                                                  const std::optional<foundation::Url>& base);

// The resolved address with one query item appended per parameter (in key order) after its own.
foundation::Url appendingQueryParameters(const foundation::Url& url, const Parameters& parameters);
void appendQueryParameters(foundation::Url& url, const Parameters& parameters);

// The value of the first query item named exactly `key`; absent without one or without a value.
std::optional<std::string> queryValue(const foundation::Url& url, const std::string& key);

// The address with only the first path component left ("https://x.org/a/b" -> "https://x.org/");
// an address with one path component or none is returned as it is.
foundation::Url deletingAllPathComponents(const foundation::Url& url);
void deleteAllPathComponents(foundation::Url& url);

// The address without "scheme:" and the "//" that may follow it ("https://x.org/a" -> "x.org/a",
// "mailto:a@b.org" -> "a@b.org"); without a scheme, without the leading "//" of a host. Absent when
// what is left is no address.
std::optional<foundation::Url> droppedScheme(const foundation::Url& url);

}  // namespace url
