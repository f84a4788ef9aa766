#include "Platform/Foundation/JsonSerialization.h"

#include <nlohmann/json.hpp>

#include <cmath>

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

PlistValue fromJson(const nlohmann::json& j) {
    switch (j.type()) {
        case nlohmann::json::value_t::boolean:
            return j.get<bool>();
        case nlohmann::json::value_t::number_integer:
            return j.get<std::int64_t>();
        case nlohmann::json::value_t::number_unsigned: {
            const auto u = j.get<std::uint64_t>();
            if (u <= static_cast<std::uint64_t>(INT64_MAX)) return static_cast<std::int64_t>(u);
            return static_cast<double>(u);
        }
        case nlohmann::json::value_t::number_float:
            return j.get<double>();
        case nlohmann::json::value_t::string:
            return j.get<std::string>();
        case nlohmann::json::value_t::array: {
            PlistArray out;
            for (const auto& e : j) out.push_back(fromJson(e));
            return out;
        }
        case nlohmann::json::value_t::object: {
            PlistDictionary out;
            for (const auto& [key, e] : j.items()) out.insert_or_assign(key, fromJson(e));
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
    nlohmann::json parsed;
    try {
        parsed = nlohmann::json::parse(bytes.begin(), bytes.end());
    } catch (const nlohmann::json::exception& e) {
        throw JsonError(std::string("The data is no valid JSON: ") + e.what());
    }
    if (!options.fragmentsAllowed && !parsed.is_array() && !parsed.is_object()) {
        throw JsonError("The JSON text is a bare value, not an array or an object");
    }
    return fromJson(parsed);
}

}  // namespace foundation
