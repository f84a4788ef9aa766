#pragma once
// Standard base64 (RFC 4648, with padding) for bytes that travel through text formats.

#include <optional>
#include <string>
#include <string_view>

#include "Platform/Foundation/PlistValue.h"

namespace foundation {

std::string base64Encode(const Data& bytes);
// Absent when the text holds anything but the alphabet, padding and line breaks.
std::optional<Data> base64Decode(std::string_view text);

}  // namespace foundation
