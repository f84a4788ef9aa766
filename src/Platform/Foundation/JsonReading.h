#pragma once
// The one reader of JSON text into property-list values, behind both the platform JSON serialiser
// (plain JSON) and the settings file (PlistValue::fromJSON, which also reads back the tagged bytes,
// dates and non-finite numbers that PlistValue::toJSON writes). Text whose arrays and objects nest
// deeper than kMaxJsonNesting is refused before it is parsed: the conversion is recursive, and a
// corrupted or hostile file must not exhaust the stack. Pure functions, any thread.

#include <optional>
#include <string>
#include <string_view>

#include "Platform/Foundation/PlistValue.h"

namespace foundation {

inline constexpr int kMaxJsonNesting = 512;

// Key of the objects that carry bytes, dates and non-finite numbers through tagged JSON. A user
// dictionary that happens to have exactly this key and "value" would be misread; no stored record
// has such a key.
inline constexpr char kJsonTypeTag[] = "$vorta.type";

enum class JsonTags {
    plain,   // every object is a dictionary
    tagged,  // {"$vorta.type": ..., "value": ...} objects are read as the values they tag
};

// The value of the text (a bare number, text, Boolean or null included); absent when the text is no
// JSON, nests too deep, or holds a tagged object that does not decode. `why`, when given, receives
// the reason.
std::optional<PlistValue> readJsonText(std::string_view text, JsonTags tags, std::string* why = nullptr);

}  // namespace foundation
