#include "Platform/Foundation/JsonReading.h"

#include <nlohmann/json.hpp>

#include "Platform/Foundation/JsonScalars.h"

namespace foundation {
namespace {

constexpr int kMaxDepth = 512;

// Deepest nesting of brackets outside strings, stopping once past the limit.
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
            if (++depth > kMaxDepth) return true;
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return false;
}

PlistValue plain(const nlohmann::json& j) {
    if (j.is_array()) {
        PlistArray out;
        out.reserve(j.size());
        for (const auto& e : j) out.push_back(plain(e));
        return PlistValue(std::move(out));
    }
    if (j.is_object()) {
        PlistDictionary out;
        for (const auto& [k, e] : j.items()) out.emplace(k, plain(e));
        return PlistValue(std::move(out));
    }
    return jsonScalar(j).value_or(PlistValue());
}

}  // namespace

std::optional<PlistValue> readJson(std::string_view text) {
    if (nestsTooDeep(text)) return std::nullopt;
    const auto j = nlohmann::json::parse(text, nullptr, false);
    if (j.is_discarded() || !(j.is_object() || j.is_array())) return std::nullopt;
    return plain(j);
}

}  // namespace foundation
