#pragma once
// Members on a single character: a user-perceived character held as its UTF-8 text. Pure
// functions, except randomAlphanumeric, which draws from the system's random source; safe from
// any thread.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace chr {

using Character = std::string;

// Only the first scalar is looked at: a flag of two regional indicators is an emoji.
bool isEmoji(std::string_view c);
std::optional<std::int64_t> int_(std::string_view c);
std::string string(std::string_view c);
// The first character of the lower- / upper-cased character ("ß" upper-cases to "S").
Character lowercased(std::string_view c);
Character uppercased(std::string_view c);
Character randomAlphanumeric();
// The character `count` times; empty for a count below 1.
std::string repeated(std::string_view c, std::int64_t count);

}  // namespace chr
