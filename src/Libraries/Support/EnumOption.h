#pragma once
// EnumOption: an option whose value is one case of an enumeration, made from the first value text
// by the type's raw-value constructor. Not synchronised, like every option.

#include <concepts>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

#include "Libraries/Support/Option.h"

namespace support {

// A type made from a raw text: `fromRawValue(text, std::type_identity<T>{})`, found by argument-
// dependent lookup next to T, gives the case whose raw value the text is, or nothing.
template <class T>
concept RawRepresentable = requires(std::string_view raw) {
    { fromRawValue(raw, std::type_identity<T>{}) } -> std::same_as<std::optional<T>>;
};

template <RawRepresentable T>
class EnumOption : public Option {
  public:
    using Option::Option;
    const std::optional<T>& value() const { return value_; }
    bool wasSet() const override { return value_.has_value(); }
    std::int64_t claimedValues() const override { return value_ ? 1 : 0; }
    bool setValue(const std::vector<std::string>& values) override {
        if (values.empty()) return false;
        auto made = fromRawValue(std::string_view(values.front()), std::type_identity<T>{});
        if (!made) return false;
        value_ = std::move(made);
        return true;
    }

  private:
    std::optional<T> value_;
};

}  // namespace support
