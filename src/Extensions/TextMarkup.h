#pragma once
// Markup and matching helpers: tags stripped from HTML-like text, links found in free text, and a
// loose test of a text against a word or pattern. Pure functions (detectedLinks may print one
// diagnostic line); safe from any thread.

#include <string>
#include <string_view>
#include <vector>

namespace text {

// The text without its tags, tabs, newlines and "&nbsp;", trimmed: "<p>Hello&nbsp;<b>you</b></p>\n"
// gives "Helloyou". A tag is removed by its text wherever it occurs; a ">" outside any tag goes too.
std::string strippingHTMLTags(std::string_view s);
// The addresses of the links in the text, in order: addresses with a scheme (http, https, ftp,
// file, mailto), "www." host names (as http), and e-mail addresses (as mailto). Punctuation that
// ends a sentence is not part of a link.
std::vector<std::string> detectedLinks(std::string_view s);
// The text contains `other` ignoring case and accents, or else the whole text matches `other` as a
// regular expression (false for a pattern that does not compile).
bool containsOrMatches(std::string_view s, std::string_view other);

}  // namespace text
