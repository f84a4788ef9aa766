#pragma once
// Case changes, accent folding and slugs. Case mapping is full and locale-independent ("ß"
// upper-cases to "SS"); characters are user-perceived characters. Pure functions (the forms
// taking a std::string& replace it with the result); safe from any thread.

#include <string>
#include <string_view>

namespace str {

// Lower camel case: "hello world" gives "helloWorld". The first character of the result is
// always the lower-cased first character of the text, even when that is a space.
std::string camelCased(std::string_view s);
void camelize(std::string& s);
// The first character upper-cased, the rest unchanged.
void uppercaseFirstCharacter(std::string& s);
// Accents and other non-spacing marks removed ("Crème" gives "Creme").
std::string latinized(std::string_view s);
void latinize(std::string& s);
// For addresses: lower case without accents, spaces as "-", only letters, marks, numbers, "-" and
// "&" kept, no dash at either end, "--" collapsed once ("a - b" gives "a--b").
std::string slug(std::string_view s);

}  // namespace str
