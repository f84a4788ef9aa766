#pragma once
// PlistValue: the property-list value every stored setting, preset and result record is made of
// (null, bool, integer, double, string, bytes, date, array, string-keyed dictionary). A plain value:
// copies are independent and may be handed between threads.

#include <concepts>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "Platform/Foundation/Date.h"

namespace foundation {

using Data = std::vector<std::uint8_t>;
class PlistValue;
using PlistArray = std::vector<PlistValue>;
using PlistDictionary = std::map<std::string, PlistValue, std::less<>>;

class PlistValue {
  public:
    enum class Type { Null, Bool, Integer, Double, String, Data, Date, Array, Dictionary };

    PlistValue() = default;
    PlistValue(std::nullptr_t) {}
    PlistValue(bool b) : v_(b) {}
    template <std::integral I>
    requires(!std::same_as<I, bool>) PlistValue(I i) : v_(static_cast<std::int64_t>(i)) {}
    template <std::floating_point F>
    PlistValue(F d) : v_(static_cast<double>(d)) {}
    PlistValue(const char* s) : v_(std::string(s)) {}
    PlistValue(std::string s) : v_(std::move(s)) {}
    PlistValue(std::string_view s) : v_(std::string(s)) {}
    PlistValue(Data d) : v_(std::move(d)) {}
    PlistValue(Date d) : v_(d) {}
    PlistValue(PlistArray a) : v_(std::move(a)) {}
    PlistValue(PlistDictionary d) : v_(std::move(d)) {}

    Type type() const { return static_cast<Type>(v_.index()); }
    bool isNull() const { return type() == Type::Null; }
    bool isNumber() const {
        return type() == Type::Integer || type() == Type::Double || type() == Type::Bool;
    }

    // Exact access: present only when the value holds that very type.
    const bool* boolIf() const { return std::get_if<bool>(&v_); }
    const std::int64_t* integerIf() const { return std::get_if<std::int64_t>(&v_); }
    const double* doubleIf() const { return std::get_if<double>(&v_); }
    const std::string* stringIf() const { return std::get_if<std::string>(&v_); }
    const Data* dataIf() const { return std::get_if<Data>(&v_); }
    const Date* dateIf() const { return std::get_if<Date>(&v_); }
    const PlistArray* arrayIf() const { return std::get_if<PlistArray>(&v_); }
    PlistArray* arrayIf() { return std::get_if<PlistArray>(&v_); }
    const PlistDictionary* dictionaryIf() const { return std::get_if<PlistDictionary>(&v_); }
    PlistDictionary* dictionaryIf() { return std::get_if<PlistDictionary>(&v_); }

    // Number bridging as the platform's boxed numbers do it: a bool reads as 0 or 1, a double reads
    // as an integer truncated toward zero, any non-zero number reads as true. Absent for non-numbers.
    std::optional<std::int64_t> toInt() const;
    std::optional<double> toDouble() const;
    std::optional<bool> toBool() const;
    std::optional<std::string> toString() const;

    // Dictionary member lookup; null when this is no dictionary or the key is missing.
    const PlistValue* find(std::string_view key) const;

    // JSON that keeps every type: integers and doubles stay apart (1.0 is written "1.0"), bytes and
    // dates are written as tagged objects.
    std::string toJSON(bool pretty = false) const;
    static std::optional<PlistValue> fromJSON(std::string_view text);

    bool operator==(const PlistValue&) const = default;

  private:
    std::variant<std::monostate, bool, std::int64_t, double, std::string, Data, Date, PlistArray,
                 PlistDictionary>
        v_;
};

}  // namespace foundation
