#include "Platform/Foundation/JsonSerialization.h"

#include <nlohmann/json.hpp>

#include <cmath>

#include "Platform/Foundation/JsonReading.h"

namespace foundation {

namespace {

bool isJsonValue(const PlistValue& v) {
    switch (v.type()) {
        case PlistValue::Type::Null:
        case PlistValue::Type::Bool:
        case PlistValue::Type::Integer:
        case PlistValue::Type::String:
            return true;
        case PlistValue::Type::Double:
            return std::isfinite(*v.doubleIf());
        case PlistValue::Type::Data:
        case PlistValue::Type::Date:
            return false;
        case PlistValue::Type::Array:
            for (const PlistValue& e : *v.arrayIf()) {
                if (!isJsonValue(e)) return false;
            }
            return true;
        case PlistValue::Type::Dictionary:
            for (const auto& [key, e] : *v.dictionaryIf()) {
                if (!isJsonValue(e)) return false;
            }
            return true;
    }
    return false;
}

nlohmann::json toJson(const PlistValue& v) {
    switch (v.type()) {
        case PlistValue::Type::Bool:
            return *v.boolIf();
        case PlistValue::Type::Integer:
            return *v.integerIf();
        case PlistValue::Type::Double:
            return *v.doubleIf();
        case PlistValue::Type::String:
            return *v.stringIf();
        case PlistValue::Type::Array: {
            nlohmann::json out = nlohmann::json::array();
            for (const PlistValue& e : *v.arrayIf()) out.push_back(toJson(e));
            return out;
        }
        case PlistValue::Type::Dictionary: {
            nlohmann::json out = nlohmann::json::object();
            for (const auto& [key, e] : *v.dictionaryIf()) out[key] = toJson(e);
            return out;
        }
        default:
            return nullptr;
    }
}

}  // namespace

bool isValidJSONObject(const PlistValue& value) {
    const auto t = value.type();
    return (t == PlistValue::Type::Array || t == PlistValue::Type::Dictionary) && isJsonValue(value);
}

std::optional<Data> jsonData(const PlistValue& value, bool prettyPrinted) {
    if (!isValidJSONObject(value)) return std::nullopt;
    try {
        const std::string text =
            toJson(value).dump(prettyPrinted ? 2 : -1, ' ', false, nlohmann::json::error_handler_t::strict);
        return Data(text.begin(), text.end());
    } catch (const nlohmann::json::exception&) {
        return std::nullopt;  // text that is not UTF-8
    }
}

PlistValue jsonObject(std::span<const std::uint8_t> bytes, JsonReadingOptions options) {
    std::string why;
    auto parsed =
        readJsonText({reinterpret_cast<const char*>(bytes.data()), bytes.size()}, JsonTags::plain, &why);
    if (!parsed) throw JsonError(why);
    const auto type = parsed->type();
    if (!options.fragmentsAllowed && type != PlistValue::Type::Array &&
        type != PlistValue::Type::Dictionary) {
        throw JsonError("The JSON text is a bare value, not an array or an object");
    }
    return std::move(*parsed);
}

std::optional<PlistValue> readJson(std::string_view text) {
    try {
        return jsonObject({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
    } catch (const JsonError&) {
        return std::nullopt;
    }
}

}  // namespace foundation
