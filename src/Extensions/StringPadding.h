#pragma once
// Padding, truncation, repetition and generated texts. Lengths count characters. No call builds a
// text of more than `maxGeneratedBytes`: a length or count that would is refused as stated per
// function, so a huge number never exhausts memory. Pure functions, except that the random texts
// draw from the system's random source; safe from any thread.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace str {

inline constexpr std::size_t maxGeneratedBytes = std::size_t{64} << 20;

// The pad text repeated (and cut) before the text up to `length` characters. The text itself when
// it is already that long, when the pad is empty, or when the result would be too large.
std::string paddingStart(std::string_view s, std::int64_t length, std::string_view with = " ");
void padStart(std::string& s, std::int64_t length, std::string_view with = " ");
std::string paddingEnd(std::string_view s, std::int64_t length, std::string_view with = " ");
void padEnd(std::string& s, std::int64_t length, std::string_view with = " ");

// The first `length` characters and then `trailing` when 1 <= length < count; else the text.
std::string truncated(std::string_view s, std::int64_t toLength,
                      std::optional<std::string_view> trailing = "...");
std::string truncate(std::string& s, std::int64_t toLength, std::optional<std::string_view> trailing = "...");

// The first `length` characters of the placeholder text (all of it from 445 on).
std::string lorem(std::int64_t ofLength);
// `length` characters drawn uniformly from the random alphabet; empty for a length below 1 or one
// that would be too large.
std::string randomString(std::int64_t ofLength);
// The text `count` times; empty for a count below 1 or a result that would be too large.
std::string repeated(std::string_view s, std::int64_t count);

}  // namespace str
