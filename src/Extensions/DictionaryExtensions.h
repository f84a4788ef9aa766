#pragma once
// Dictionary helpers (over std::map, std::unordered_map and the property-list dictionary):
// membership, removal by key list or at random, key and value mapping, reverse lookup, lower-cased
// keys, reading and writing through a path of nested dictionaries, merging and subtraction, and the
// JSON text of a dictionary. Calling-thread only; a dictionary is not shared while it changes.

#include <concepts>
#include <cstdint>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <ranges>
#include <string>
#include <type_traits>
#include <vector>

#include "Extensions/IntegerExtensions.h"
#include "Platform/Foundation/PlistValue.h"

namespace dict {

template <class D>
concept Dictionary = requires(D d) {
    typename D::key_type;
    typename D::mapped_type;
    d.find(std::declval<const typename D::key_type&>());
};

template <Dictionary D>
bool has(const D& d, const typename D::key_type& key) {
    return d.find(key) != d.end();
}

// Removes the value of each key, in order; missing keys are ignored (the in-place subtraction).
template <Dictionary D, std::ranges::input_range Keys>
void removeAll(D& d, const Keys& keys) {
    for (const auto& key : keys) d.erase(key);
}

// Removes a key chosen at random and returns its value; absent for an empty dictionary.
template <Dictionary D>
std::optional<typename D::mapped_type> removeValueForRandomKey(D& d) {
    if (d.empty()) return std::nullopt;
    auto it = std::next(d.begin(), num::random(0, static_cast<std::int64_t>(d.size()) - 1));
    std::optional<typename D::mapped_type> value(std::move(it->second));
    d.erase(it);
    return value;
}

// A dictionary of transform(key, value) pairs; a later pair wins where two map to one key.
template <Dictionary D, class Transform>
auto mapKeysAndValues(const D& d, Transform transform) {
    using Pair = std::remove_cvref_t<
        std::invoke_result_t<Transform&, const typename D::key_type&, const typename D::mapped_type&>>;
    std::map<typename Pair::first_type, typename Pair::second_type, std::less<>> out;
    for (const auto& [key, value] : d) {
        auto [k, v] = std::invoke(transform, key, value);
        out.insert_or_assign(std::move(k), std::move(v));
    }
    return out;
}

// The same, dropping the pairs for which the transform gives none.
template <Dictionary D, class Transform>
auto compactMapKeysAndValues(const D& d, Transform transform) {
    using Pair =
        typename std::remove_cvref_t<std::invoke_result_t<Transform&, const typename D::key_type&,
                                                          const typename D::mapped_type&>>::value_type;
    std::map<typename Pair::first_type, typename Pair::second_type, std::less<>> out;
    for (const auto& [key, value] : d) {
        if (auto pair = std::invoke(transform, key, value))
            out.insert_or_assign(std::move(pair->first), std::move(pair->second));
    }
    return out;
}

// The keys whose value equals `value`, in the dictionary's key order.
template <Dictionary D>
std::vector<typename D::key_type> keys(const D& d, const typename D::mapped_type& value) {
    std::vector<typename D::key_type> out;
    for (const auto& [key, v] : d) {
        if (v == value) out.push_back(key);
    }
    return out;
}

// A copy of `left` with every pair of `right` stored into it (the right value wins), and the in-place
// form.
template <Dictionary D>
D merged(D left, const D& right) {
    for (const auto& [key, value] : right) left.insert_or_assign(key, value);
    return left;
}
template <Dictionary D>
void merge(D& left, const D& right) {
    left = merged(std::move(left), right);
}
// A copy without the given keys.
template <Dictionary D, std::ranges::input_range Keys>
D without(D d, const Keys& keys) {
    removeAll(d, keys);
    return d;
}

// Moves each value to the lower-cased form of its key. A value whose lower-cased key is already taken
// stays under its own key, so no value is lost to a collision ("A" beside "a").
void lowercaseAllKeys(foundation::PlistDictionary& d);
void lowercaseAllKeys(std::map<std::string, std::string, std::less<>>& d);

// The value reached by following `path` through nested dictionaries; absent for an empty path, a
// missing key or a value on the way that is no dictionary.
std::optional<foundation::PlistValue> value(const foundation::PlistDictionary& d,
                                            const std::vector<std::string>& path);
// Stores `newValue` at the end of `path` when every dictionary before the last key exists; changes
// nothing otherwise.
void setValue(foundation::PlistDictionary& d, const std::vector<std::string>& path,
              foundation::PlistValue newValue);

// JSON text of the dictionary (indented when `prettify`); absent when a value is no JSON value (a
// date, bytes, a non-finite number).
std::optional<foundation::Data> jsonData(const foundation::PlistDictionary& d, bool prettify = false);
std::optional<std::string> jsonString(const foundation::PlistDictionary& d, bool prettify = false);

}  // namespace dict
