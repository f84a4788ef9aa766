#include "Platform/Foundation/PlistValue.h"

#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>

#include "Platform/Foundation/Base64.h"
#include "Platform/Foundation/JsonScalars.h"

namespace foundation {

namespace {

// Tag key of the objects that carry bytes and dates through JSON. A user dictionary that happens to
// have exactly this one key with a string value would be misread; no stored record has such a key.
constexpr const char* kTypeTag = "$vorta.type";

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
                return nlohmann::json{{kTypeTag, "double"},
                                      {"value", std::isnan(d) ? "nan"
                                                : d > 0       ? "inf"
                                                              : "-inf"}};
            }
            return d;
        }
        case T::String:
            return *v.stringIf();
        case T::Data:
            return nlohmann::json{{kTypeTag, "data"}, {"value", base64Encode(*v.dataIf())}};
        case T::Date:
            return nlohmann::json{{kTypeTag, "date"}, {"value", v.dateIf()->secondsSince1970}};
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

std::optional<PlistValue> fromJson(const nlohmann::json& j) {
    switch (j.type()) {
        case nlohmann::json::value_t::array: {
            PlistArray out;
            out.reserve(j.size());
            for (const auto& e : j) {
                auto v = fromJson(e);
                if (!v) return std::nullopt;
                out.push_back(std::move(*v));
            }
            return PlistValue(std::move(out));
        }
        case nlohmann::json::value_t::object: {
            if (j.size() == 2 && j.contains(kTypeTag) && j.contains("value") && j[kTypeTag].is_string()) {
                const auto tag = j[kTypeTag].get<std::string>();
                const auto& value = j["value"];
                if (tag == "data" && value.is_string()) {
                    auto bytes = base64Decode(value.get<std::string>());
                    if (!bytes) return std::nullopt;
                    return PlistValue(std::move(*bytes));
                }
                if (tag == "date" && value.is_number()) return PlistValue(Date{value.get<double>()});
                if (tag == "double" && value.is_string()) {
                    const auto s = value.get<std::string>();
                    if (s == "nan") return PlistValue(std::numeric_limits<double>::quiet_NaN());
                    if (s == "inf") return PlistValue(std::numeric_limits<double>::infinity());
                    if (s == "-inf") return PlistValue(-std::numeric_limits<double>::infinity());
                }
            }
            PlistDictionary out;
            for (const auto& [k, e] : j.items()) {
                auto v = fromJson(e);
                if (!v) return std::nullopt;
                out.emplace(k, std::move(*v));
            }
            return PlistValue(std::move(out));
        }
        default:
            return jsonScalar(j);
    }
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
    auto j = nlohmann::json::parse(text, nullptr, false);
    if (j.is_discarded()) return std::nullopt;
    return fromJson(j);
}

}  // namespace foundation
