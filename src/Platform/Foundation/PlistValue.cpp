#include "Platform/Foundation/PlistValue.h"

#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>

#include "Platform/Foundation/Base64.h"
#include "Platform/Foundation/JsonReading.h"

namespace foundation {

namespace {

std::int64_t truncatedToInt(double d) {
    if (std::isnan(d)) return 0;
    if (d >= 9.2233720368547758e18) return std::numeric_limits<std::int64_t>::max();
    if (d <= -9.2233720368547758e18) return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(d);
}

nlohmann::json toJson(const PlistValue& v) {
    using T = PlistValue::Type;
    switch (v.type()) {
        case T::Null:
            return nullptr;
        case T::Bool:
            return *v.boolIf();
        case T::Integer:
            return *v.integerIf();
        case T::Double: {
            const double d = *v.doubleIf();
            if (!std::isfinite(d)) {
                return nlohmann::json{{kJsonTypeTag, "double"},
                                      {"value", std::isnan(d) ? "nan"
                                                : d > 0       ? "inf"
                                                              : "-inf"}};
            }
            return d;
        }
        case T::String:
            return *v.stringIf();
        case T::Data:
            return nlohmann::json{{kJsonTypeTag, "data"}, {"value", base64Encode(*v.dataIf())}};
        case T::Date:
            return nlohmann::json{{kJsonTypeTag, "date"}, {"value", v.dateIf()->secondsSince1970}};
        case T::Array: {
            auto out = nlohmann::json::array();
            for (const auto& e : *v.arrayIf()) out.push_back(toJson(e));
            return out;
        }
        case T::Dictionary: {
            auto out = nlohmann::json::object();
            for (const auto& [k, e] : *v.dictionaryIf()) out[k] = toJson(e);
            return out;
        }
    }
    return nullptr;
}

}  // namespace

std::optional<std::int64_t> PlistValue::toInt() const {
    if (auto b = boolIf()) return *b ? 1 : 0;
    if (auto i = integerIf()) return *i;
    if (auto d = doubleIf()) return truncatedToInt(*d);
    return std::nullopt;
}

std::optional<double> PlistValue::toDouble() const {
    if (auto b = boolIf()) return *b ? 1.0 : 0.0;
    if (auto i = integerIf()) return static_cast<double>(*i);
    if (auto d = doubleIf()) return *d;
    return std::nullopt;
}

std::optional<bool> PlistValue::toBool() const {
    if (auto b = boolIf()) return *b;
    if (auto i = integerIf()) return *i != 0;
    if (auto d = doubleIf()) return *d != 0.0;
    return std::nullopt;
}

std::optional<std::string> PlistValue::toString() const {
    if (auto s = stringIf()) return *s;
    return std::nullopt;
}

const PlistValue* PlistValue::find(std::string_view key) const {
    const auto* d = dictionaryIf();
    if (!d) return nullptr;
    const auto it = d->find(key);
    return it == d->end() ? nullptr : &it->second;
}

std::string PlistValue::toJSON(bool pretty) const {
    return toJson(*this).dump(pretty ? 2 : -1, ' ', false, nlohmann::json::error_handler_t::replace);
}

std::optional<PlistValue> PlistValue::fromJSON(std::string_view text) {
    return readJsonText(text, JsonTags::tagged);
}

}  // namespace foundation
