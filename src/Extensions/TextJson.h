#pragma once
// JSON read from text into plain values (objects as dictionaries, null as a null value). Bad JSON
// gives an empty or absent result, never an error. Pure functions; safe from any thread.

#include <optional>
#include <string_view>

#include "Platform/Foundation/PlistValue.h"

namespace text {

// The top-level object; empty when the text is not JSON or its top level is not an object.
foundation::PlistDictionary jsonDictionary(std::string_view s);
// The top-level object or array; absent when the text is not JSON of that shape.
std::optional<foundation::PlistValue> jsonObject(std::string_view s);

}  // namespace text
