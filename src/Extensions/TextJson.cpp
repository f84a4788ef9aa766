#include "Extensions/TextJson.h"

#include "Platform/Foundation/JsonSerialization.h"

namespace text {

foundation::PlistDictionary jsonDictionary(std::string_view s) {
    auto value = foundation::readJson(s);
    if (!value) return {};
    if (const auto* dictionary = value->dictionaryIf()) return *dictionary;
    return {};
}

std::optional<foundation::PlistValue> jsonObject(std::string_view s) {
    return foundation::readJson(s);
}

}  // namespace text
