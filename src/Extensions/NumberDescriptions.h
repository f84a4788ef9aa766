#pragma once
// Texts of any number: its description as the platform's string conversion writes it ("42", "1.0",
// "1e+16"), and the currency, spelled-out and ordinal texts of a locale's number formatters. Each
// call makes its own formatter; safe from any thread.

#include <concepts>
#include <cstdint>
#include <optional>
#include <string>
#include <type_traits>

#include "Platform/Foundation/NumberTexts.h"

namespace num {

// Shortest round-trip digits, with ".0" on whole numbers; exponent form below 1e-4 and from 2^53
// (2^24 for float): "0.1", "1e-05", "1e+16", "inf", "-nan" as "nan".
std::string description(double v, bool singlePrecision);

template <class T>
requires std::is_arithmetic_v<T> std::string asString(T v) {
    if constexpr (std::same_as<T, bool>) {
        return v ? "true" : "false";
    } else if constexpr (std::integral<T>) {
        return std::to_string(v);
    } else {
        return description(static_cast<double>(v), std::same_as<T, float>);
    }
}

namespace detail {
template <class T>
auto bridged(T v) {
    if constexpr (std::integral<T>) {
        if constexpr (std::unsigned_integral<T> && sizeof(T) >= sizeof(std::int64_t)) {
            return static_cast<double>(v);  // beyond the signed range a number object holds a double
        } else {
            return static_cast<std::int64_t>(v);
        }
    } else {
        return static_cast<double>(v);
    }
}
}  // namespace detail

// Currency style in the current locale.
template <class T>
requires std::is_arithmetic_v<T> std::optional<std::string> currencyText(T v) {
    return foundation::currencyText(detail::bridged(v));
}
// The locale is an ICU identifier ("en_US").
template <class T>
requires std::is_arithmetic_v<T> std::optional<std::string> spelledOut(T v, const std::string& locale) {
    return foundation::spelledOutText(detail::bridged(v), locale);
}
template <class T>
requires std::is_arithmetic_v<T> std::optional<std::string> ordinalText(T v, const std::string& locale) {
    return foundation::ordinalText(detail::bridged(v), locale);
}

}  // namespace num
