#pragma once
// Members that build or change whole containers (vectors, strings, deques: any container with
// insert and erase): generation, rotation, removal by predicate or at random, leading runs,
// duplicate removal, offset access, and array conveniences (removing items, prepending, a checked
// swap, ordering like another array). Members that change their receiver take it by reference and
// return it. Offsets outside the container are reported with std::out_of_range, never read.
// Calling-thread only; a container is not shared while it changes.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <ranges>
#include <stdexcept>
#include <unordered_map>
#include <vector>

#include "Extensions/IntegerExtensions.h"
#include "Extensions/SequenceExtensions.h"

namespace seq {

// A container of `n` results of generator() (empty for n < 1), with room for n reserved.
template <class C, class Generator>
C withExpectedCount(std::int64_t n, Generator generator) {
    C out;
    if (n < 1) return out;
    if constexpr (requires { out.reserve(std::size_t{}); }) out.reserve(static_cast<std::size_t>(n));
    while (static_cast<std::int64_t>(std::ranges::size(out)) < n) out.push_back(generator());
    return out;
}

// Rotates by n places: positive moves the last n to the front, negative the first -n to the back;
// n counts modulo the size. An empty container stays as it is.
template <class C>
C& rotate(C& c, std::int64_t n) {
    const auto count = static_cast<std::int64_t>(std::ranges::size(c));
    if (n == 0 || count == 0) return c;
    const std::int64_t r = n % count;
    const auto middle = r > 0 ? std::ranges::next(std::ranges::begin(c), count - r)
                              : std::ranges::next(std::ranges::begin(c), -r);
    std::ranges::rotate(c, middle);
    return c;
}
template <class C>
C rotated(C c, std::int64_t n) {
    rotate(c, n);
    return c;
}

template <class C, class Pred>
std::optional<std::ranges::range_value_t<C>> removeFirst(C& c, Pred pred) {
    const auto it = std::ranges::find_if(c, std::ref(pred));
    if (it == std::ranges::end(c)) return std::nullopt;
    std::optional<std::ranges::range_value_t<C>> removed(std::move(*it));
    c.erase(it);
    return removed;
}

template <class C>
std::optional<std::ranges::range_value_t<C>> removeRandomElement(C& c) {
    if (std::ranges::empty(c)) return std::nullopt;
    const auto last = static_cast<std::int64_t>(std::ranges::size(c)) - 1;
    const auto it = std::ranges::next(std::ranges::begin(c), num::random(0, last));
    std::optional<std::ranges::range_value_t<C>> removed(std::move(*it));
    c.erase(it);
    return removed;
}

// Removes everything from the first element that fails the predicate to the end.
template <class C, class Pred>
C& keep(C& c, Pred pred) {
    c.erase(std::ranges::find_if_not(c, std::ref(pred)), std::ranges::end(c));
    return c;
}
// The leading elements that satisfy the predicate.
template <class C, class Pred>
C take(const C& c, Pred pred) {
    return C(std::ranges::begin(c), std::ranges::find_if_not(c, std::ref(pred)));
}
// From the first element that fails the predicate to the end.
template <class C, class Pred>
C skip(const C& c, Pred pred) {
    return C(std::ranges::find_if_not(c, std::ref(pred)), std::ranges::end(c));
}

// Keeps the first element of each key and removes later ones.
template <class C, class Proj = std::identity>
C& removeDuplicates(C& c, Proj proj = {}) {
    detail::SeenKeys<Key<C, Proj>> seen;
    const auto tail =
        std::ranges::remove_if(c, [&](const auto& e) { return !seen.insert(std::invoke(proj, e)); });
    c.erase(tail.begin(), tail.end());
    return c;
}

namespace detail {
inline void checkOffsets(std::int64_t lower, std::int64_t upper, std::size_t count) {
    if (lower < 0 || upper < lower || static_cast<std::uint64_t>(upper) > count) {
        throw std::out_of_range("offsets outside the collection");
    }
}
inline void checkOffset(std::int64_t offset, std::size_t count) {
    if (offset < 0 || static_cast<std::uint64_t>(offset) >= count) {
        throw std::out_of_range("offset outside the collection");
    }
}
}  // namespace detail

// The element at a 0-based offset, and its replacement.
template <class C>
std::ranges::range_value_t<C> atOffset(const C& c, std::int64_t offset) {
    detail::checkOffset(offset, std::ranges::size(c));
    return *std::ranges::next(std::ranges::begin(c), offset);
}
template <class C>
void setAtOffset(C& c, std::int64_t offset, std::ranges::range_value_t<C> value) {
    detail::checkOffset(offset, std::ranges::size(c));
    *std::ranges::next(std::ranges::begin(c), offset) = std::move(value);
}
// The elements at offsets lower ..< upper, and their replacement by another run of any length.
template <class C>
C atOffsets(const C& c, std::int64_t lower, std::int64_t upper) {
    detail::checkOffsets(lower, upper, std::ranges::size(c));
    const auto first = std::ranges::next(std::ranges::begin(c), lower);
    return C(first, std::ranges::next(first, upper - lower));
}
template <class C, std::ranges::input_range R>
void replaceOffsets(C& c, std::int64_t lower, std::int64_t upper, const R& replacement) {
    detail::checkOffsets(lower, upper, std::ranges::size(c));
    const auto first = c.erase(std::ranges::next(std::ranges::begin(c), lower),
                               std::ranges::next(std::ranges::begin(c), upper));
    c.insert(first, std::ranges::begin(replacement), std::ranges::end(replacement));
}

// --- Arrays ---

template <class T>
std::vector<T>& removeAll(std::vector<T>& v, const T& item) {
    std::erase(v, item);
    return v;
}
template <class T>
std::vector<T>& removeAll(std::vector<T>& v, const std::vector<T>& items) {
    if (items.empty()) return v;
    std::erase_if(v, [&](const T& e) { return std::ranges::find(items, e) != items.end(); });
    return v;
}
template <class T>
void prepend(std::vector<T>& v, T value) {
    v.insert(v.begin(), std::move(value));
}
// Swaps only two different positions that both lie inside the array.
template <class T>
void safeSwap(std::vector<T>& v, std::int64_t i, std::int64_t j) {
    const auto n = static_cast<std::int64_t>(v.size());
    if (i == j || i < 0 || j < 0 || i >= n || j >= n) return;
    std::swap(v[static_cast<std::size_t>(i)], v[static_cast<std::size_t>(j)]);
}

// Elements whose key occurs in `order` first, in that order (a repeated value counts at its last
// position), then the others in their own order.
template <class T, class K, class Proj>
std::vector<T> sortedLike(const std::vector<T>& v, const std::vector<K>& order, Proj proj) {
    std::unordered_map<K, std::size_t> position;
    for (std::size_t i = 0; i < order.size(); ++i) position[order[i]] = i;
    std::vector<T> out = v;
    std::ranges::stable_sort(out, [&](const T& a, const T& b) {
        const auto pa = position.find(std::invoke(proj, a)), pb = position.find(std::invoke(proj, b));
        if (pa == position.end()) return false;
        if (pb == position.end()) return true;
        return pa->second < pb->second;
    });
    return out;
}

}  // namespace seq
