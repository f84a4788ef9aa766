#pragma once
// ActionType: how a preset sizes an image. Plain enumeration; the raw values are stored nowhere but
// kept as the platform numbered them.

#include <optional>

namespace core {

enum class ActionType : int {
    PxP = 0,     // a percentage of the source size
    WxAuto = 1,  // width given, height follows
    HxAuto = 2,  // height given, width follows
    WxH = 3,     // both given
};

// The case of raw value 0...3; absent for any other value.
constexpr std::optional<ActionType> actionTypeFromRawValue(int raw) {
    if (raw < 0 || raw > 3) return std::nullopt;
    return static_cast<ActionType>(raw);
}

}  // namespace core
