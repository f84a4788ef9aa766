#pragma once
// Addresses as text: reading an absolute or relative address (RFC 3986) into its parts the way
// Foundation's URL(string:) accepts it, and resolving a relative address against a base. Pure
// functions; safe from any thread.

#include <optional>
#include <string>
#include <string_view>

namespace foundation {

struct UrlParts {
    std::string scheme;  // empty for a relative address
    std::optional<std::string> authority;
    std::string path;
    std::optional<std::string> query;
    std::optional<std::string> fragment;
    bool isFileURL() const;
};

// Absent for an empty text and for one holding characters an address may not hold (spaces,
// quotes, angle brackets, non-ASCII, a "%" without two hex digits, a second "#").
std::optional<UrlParts> parseUrl(std::string_view text);

// `reference` resolved against the absolute address `base` ("img/a.png" against
// "https://x.org/p/page" is "https://x.org/p/img/a.png"); absent when either does not parse.
std::optional<std::string> resolvingUrl(std::string_view reference, std::string_view base);

}  // namespace foundation
