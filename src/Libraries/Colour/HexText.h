#pragma once
// Colours from hexadecimal texts and numbers, and back: "#RRGGBB" long texts (upper-case digits), "#RGB"
// short texts, and packed 0xRRGGBB values. Pure functions, any thread.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "Platform/Graphics/Color.h"

namespace colour {

// Strict parse: a "0x" prefix (lower case only) or "#" is removed wherever it occurs, three digits are
// doubled ("f0a" is "ff00aa"), and the rest must be a signed 64-bit hexadecimal number. Its low 24 bits
// are the channels. No colour for anything else ("", "#", "#GGG", "0Xff0000", overflow).
std::optional<cg::Color> fromHexString(std::string_view text, double alpha = 1);

// Lenient parse: every "#" removed, then leading white space, an optional 0x/0X and as many hexadecimal
// digits as follow are read (saturating at 2^64 - 1); the low 24 bits are the channels. Unreadable text
// gives black. Never fails.
cg::Color fromHex(std::string_view text);
cg::Color fromHex(std::string_view text, float alpha);  // alpha widened, not clamped
cg::Color colorFromHex(std::string_view text);

// 0xRRGGBB of the 8-bit channel values, each limited to 0...255 so channels never spill into each other.
std::uint32_t hexValue(const cg::Color& c);

// "#RRGGBB" of the 8-bit channel values. A channel below 0 prints as 00; one above 255 prints with all
// its digits (1.2 gives 132).
std::string hexString(const cg::Color& c);

// "#RGB" when each channel's two digits are equal, otherwise none.
std::optional<std::string> shortHexString(const cg::Color& c);
std::string shortestHexString(const cg::Color& c);

}  // namespace colour
