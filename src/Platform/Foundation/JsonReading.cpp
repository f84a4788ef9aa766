#include "Platform/Foundation/JsonReading.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <limits>

#include "Platform/Foundation/Base64.h"

namespace foundation {

namespace {

// Whether the brackets outside strings nest deeper than the limit.
bool nestsTooDeep(std::string_view text) {
    int depth = 0;
    bool inString = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > kMaxJsonNesting) return true;
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return false;
}

// The plain value of a scalar; an unsigned number beyond the 64-bit signed range becomes a double.
PlistValue scalar(const nlohmann::json& j) {
    switch (j.type()) {
        case nlohmann::json::value_t::boolean:
            return PlistValue(j.get<bool>());
        case nlohmann::json::value_t::number_integer:
            return PlistValue(j.get<std::int64_t>());
        case nlohmann::json::value_t::number_unsigned: {
            const auto u = j.get<std::uint64_t>();
            if (u > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
                return PlistValue(static_cast<double>(u));
            return PlistValue(static_cast<std::int64_t>(u));
        }
        case nlohmann::json::value_t::number_float:
            return PlistValue(j.get<double>());
        case nlohmann::json::value_t::string:
            return PlistValue(j.get<std::string>());
        default:
            return PlistValue();
    }
}

// The value a tagged object stands for; absent when it is no tagged object. `bad` is set when it
// is one whose value does not decode.
std::optional<PlistValue> taggedValue(const nlohmann::json& j, bool& bad) {
    if (j.size() != 2 || !j.contains(kJsonTypeTag) || !j.contains("value") || !j[kJsonTypeTag].is_string())
        return std::nullopt;
    const auto tag = j[kJsonTypeTag].get<std::string>();
    const auto& value = j["value"];
    if (tag == "data" && value.is_string()) {
        auto bytes = base64Decode(value.get<std::string>());
        if (!bytes) bad = true;
        return bytes ? std::optional<PlistValue>(PlistValue(std::move(*bytes))) : std::nullopt;
    }
    if (tag == "date" && value.is_number()) return PlistValue(Date{value.get<double>()});
    if (tag == "double" && value.is_string()) {
        const auto s = value.get<std::string>();
        if (s == "nan") return PlistValue(std::numeric_limits<double>::quiet_NaN());
        if (s == "inf") return PlistValue(std::numeric_limits<double>::infinity());
        if (s == "-inf") return PlistValue(-std::numeric_limits<double>::infinity());
    }
    return std::nullopt;
}

// Recursive, and safe because the text was refused beyond kMaxJsonNesting levels.
std::optional<PlistValue> toPlist(const nlohmann::json& j, JsonTags tags) {
    if (j.is_array()) {
        PlistArray out;
        out.reserve(j.size());
        for (const auto& e : j) {
            auto v = toPlist(e, tags);
            if (!v) return std::nullopt;
            out.push_back(std::move(*v));
        }
        return PlistValue(std::move(out));
    }
    if (j.is_object()) {
        if (tags == JsonTags::tagged) {
            bool bad = false;
            if (auto v = taggedValue(j, bad)) return v;
            if (bad) return std::nullopt;
        }
        PlistDictionary out;
        for (const auto& [key, e] : j.items()) {
            auto v = toPlist(e, tags);
            if (!v) return std::nullopt;
            out.insert_or_assign(key, std::move(*v));
        }
        return PlistValue(std::move(out));
    }
    return scalar(j);
}

}  // namespace

std::optional<PlistValue> readJsonText(std::string_view text, JsonTags tags, std::string* why) {
    const auto fail = [why](std::string reason) {
        if (why) *why = std::move(reason);
        return std::nullopt;
    };
    if (nestsTooDeep(text))
        return fail("The JSON text nests deeper than " + std::to_string(kMaxJsonNesting) + " levels");
    nlohmann::json parsed;
    try {
        parsed = nlohmann::json::parse(text);
    } catch (const nlohmann::json::exception& e) {
        return fail(std::string("The data is no valid JSON: ") + e.what());
    }
    auto value = toPlist(parsed, tags);
    if (!value) return fail("The JSON text holds a tagged value that does not decode");
    return value;
}

}  // namespace foundation
