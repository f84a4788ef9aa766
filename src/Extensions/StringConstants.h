#pragma once
// The fixed texts and tables of the string library: the random alphabet, the placeholder text,
// the e-mail address pattern and the scalar ranges counted as emoji. Immutable.

#include <array>
#include <string_view>
#include <utility>

namespace str {

inline constexpr std::string_view randomAlphabet =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";

inline constexpr std::string_view loremText =
    "Lorem ipsum dolor sit amet, consectetur adipiscing elit, sed do eiusmod tempor incididunt ut labore "
    "et dolore magna aliqua. Ut enim ad minim veniam, quis nostrud exercitation ullamco laboris nisi ut "
    "aliquip ex ea commodo consequat. Duis aute irure dolor in reprehenderit in voluptate velit esse cillum "
    "dolore eu fugiat nulla pariatur. Excepteur sint occaecat cupidatat non proident, sunt in culpa qui "
    "officia deserunt mollit anim id est laborum.";

// Domain labels accept letters of either case throughout (a lower-case-only inner class would
// refuse "john@EXAMPLE.com").
inline constexpr std::string_view emailPattern =
    R"(^(?:[\p{L}0-9!#$%\&'*+/=?\^_`{|}~-]+(?:\.[\p{L}0-9!#$%\&'*+/=?\^_`{|}~-]+)*|"(?:[\x01-\x08\x0b\x0c\x0e-\x1f\x21\x23-\x5b\x5d-\x7f]|\\[\x01-\x09\x0b\x0c\x0e-\x7f])*")@(?:(?:[\p{L}0-9](?:[\p{L}0-9-]*[\p{L}0-9])?\.)+[\p{L}0-9](?:[\p{L}0-9-]*[\p{L}0-9])?|\[(?:(?:25[0-5]|2[0-4][0-9]|[01]?[0-9][0-9]?)\.){3}(?:25[0-5]|2[0-4][0-9]|[01]?[0-9][0-9]?|[\p{L}0-9-]*[\p{L}0-9]:(?:[\x01-\x08\x0b\x0c\x0e-\x1f\x21-\x5a\x53-\x7f]|\\[\x01-\x09\x0b\x0c\x0e-\x7f])+)\])$)";

// Inclusive ranges of scalar values.
inline constexpr std::array<std::pair<char32_t, char32_t>, 12> emojiRanges{{
    {0x1F600, 0x1F64F},
    {0x1F300, 0x1F5FF},
    {0x1F680, 0x1F6FF},
    {0x1F1E6, 0x1F1FF},
    {0x2600, 0x26FF},
    {0x2700, 0x27BF},
    {0xFE00, 0xFE0F},
    {0x1F900, 0x1F9FF},
    {0x1F018, 0x1F270},
    {0x238C, 0x2454},
    {0x20D0, 0x20FF},
    {0xE0020, 0xE007F},
}};

constexpr bool isInEmojiRanges(char32_t scalar) {
    for (const auto& [low, high] : emojiRanges)
        if (scalar >= low && scalar <= high) return true;
    return false;
}

}  // namespace str
