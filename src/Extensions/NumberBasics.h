#pragma once
// The magnitude of an integer, the one numeric member other code (the date library) calls.
// Pure; safe from any thread.

#include <cassert>
#include <cstdint>
#include <limits>

namespace num {

// `value` when it is 0 or more, else its negation. The smallest 64-bit value has no magnitude in
// the type: it is a caller error, caught in debug builds and saturated otherwise.
constexpr std::int64_t abs(std::int64_t value) {
    assert(value != std::numeric_limits<std::int64_t>::min());
    if (value == std::numeric_limits<std::int64_t>::min()) return std::numeric_limits<std::int64_t>::max();
    return value < 0 ? -value : value;
}

}  // namespace num
