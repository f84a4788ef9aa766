#pragma once
// JSON to and from property-list values, with the platform JSON serialiser's rules: only arrays,
// dictionaries, text, finite numbers, Booleans and null are JSON; bytes and dates are not. Unlike
// PlistValue::toJSON, nothing is tagged: this is JSON as any other program reads it. Thread-safe.

#include <optional>
#include <span>
#include <stdexcept>
#include <string_view>

#include "Platform/Foundation/PlistValue.h"

namespace foundation {

// True when `value` is an array or a dictionary made only of JSON values.
bool isValidJSONObject(const PlistValue& value);

// UTF-8 JSON text of a valid JSON object (indented when `prettyPrinted`); absent otherwise.
std::optional<Data> jsonData(const PlistValue& value, bool prettyPrinted);

struct JsonReadingOptions {
    bool fragmentsAllowed = false;  // a top-level value that is no array or dictionary
};

// The value of JSON text. Throws JsonError when the bytes are no JSON, nest deeper than 512
// levels, or are a bare fragment when fragments are not allowed.
class JsonError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};
PlistValue jsonObject(std::span<const std::uint8_t> bytes, JsonReadingOptions options = {});
// The same for text whose top level must be an object or an array; absent where jsonObject throws.
std::optional<PlistValue> readJson(std::string_view text);

}  // namespace foundation
