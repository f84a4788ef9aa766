#pragma once
// The plain value of a JSON scalar (null, true/false, a number, a string), shared by the readers of
// JSON text in this folder. Safe from any thread.

#include <cstdint>
#include <limits>
#include <nlohmann/json.hpp>
#include <optional>

#include "Platform/Foundation/PlistValue.h"

namespace foundation {

// Absent for arrays, objects and anything else that is not a scalar. An unsigned number beyond
// the 64-bit signed range becomes a double.
inline std::optional<PlistValue> jsonScalar(const nlohmann::json& j) {
    switch (j.type()) {
        case nlohmann::json::value_t::null:
            return PlistValue();
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
            return std::nullopt;
    }
}

}  // namespace foundation
