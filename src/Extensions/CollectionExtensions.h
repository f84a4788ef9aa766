#pragma once
// Members on collections (C++20 forward or random-access ranges): a parallel for-each, a checked
// element read, index searches, chunking and the average. Offsets are 0-based positions from the
// start. All but concurrentForEach run entirely on the calling thread.

#include <concepts>
#include <cstddef>
#include <iterator>
#include <optional>
#include <ranges>
#include <vector>

#include "Extensions/SequenceExtensions.h"
#include "Platform/Dispatch/ConcurrentPerform.h"

namespace seq {

// Calls body(element) once for every element, on several threads at once and in no fixed order;
// returns when every call has returned. The first exception a call throws stops further calls and is
// thrown here once the running ones are done.
template <std::ranges::random_access_range R, class Body>
void concurrentForEach(R&& r, Body body) {
    const auto first = std::ranges::begin(r);
    dispatch::concurrentPerform(static_cast<std::size_t>(std::ranges::distance(r)), [&](std::size_t i) {
        std::invoke(body, first[static_cast<std::ranges::range_difference_t<R>>(i)]);
    });
}

// The element at `index` when the collection has one there; absent otherwise (negative included).
template <std::ranges::forward_range R, std::integral I>
std::optional<Element<R>> safe(R&& r, I index) {
    if (index < 0) return std::nullopt;
    auto it = std::ranges::begin(r);
    const auto end = std::ranges::end(r);
    for (I i = 0; i < index && it != end; ++i) ++it;
    if (it == end) return std::nullopt;
    return *it;
}

// The offsets of every element equal to `value`, in order.
template <std::ranges::input_range R, class T>
requires std::equality_comparable_with < const Element<R>
&, const T& > std::vector<std::size_t> indices(R&& r, const T& value) {
    std::vector<std::size_t> out;
    std::size_t offset = 0;
    for (auto&& e : r) {
        if (e == value) out.push_back(offset);
        ++offset;
    }
    return out;
}

// The offsets of the elements that satisfy the predicate; absent (not empty) when none does.
template <std::ranges::input_range R, class Pred>
requires std::predicate < Pred&, const Element<R>
& > std::optional<std::vector<std::size_t>> indices(R&& r, Pred pred) {
    std::vector<std::size_t> out;
    std::size_t offset = 0;
    for (auto&& e : r) {
        if (std::invoke(pred, e)) out.push_back(offset);
        ++offset;
    }
    if (out.empty()) return std::nullopt;
    return out;
}

// Calls the body with consecutive arrays of up to `n` elements; nothing for n < 1.
template <std::ranges::forward_range R, std::integral N, class Body>
void forEach(R&& r, N n, Body body) {
    if (n < 1) return;
    std::vector<Element<R>> chunk;
    for (auto&& e : r) {
        chunk.push_back(e);
        if (chunk.size() == static_cast<std::size_t>(n)) {
            std::invoke(body, chunk);
            chunk.clear();
        }
    }
    if (!chunk.empty()) std::invoke(body, chunk);
}

// Consecutive arrays of up to `n` elements; absent (not empty) for n < 1 or an empty collection.
template <std::ranges::forward_range R, std::integral N>
std::optional<std::vector<std::vector<Element<R>>>> chunked(R&& r, N n) {
    if (n < 1 || std::ranges::empty(r)) return std::nullopt;
    std::vector<std::vector<Element<R>>> out;
    forEach(r, n, [&](const std::vector<Element<R>>& chunk) { out.push_back(chunk); });
    return out;
}

// The mean: a double for integers (summed in double, so no sum overflows), the element type for
// floating-point values; 0 for an empty collection.
template <std::ranges::input_range R>
requires std::is_arithmetic_v<Element<R>>
auto average(R&& r) {
    using Result = std::conditional_t<std::floating_point<Element<R>>, Element<R>, double>;
    Result total = 0;
    std::size_t n = 0;
    for (auto&& e : r) {
        total += static_cast<Result>(e);
        ++n;
    }
    return n == 0 ? Result(0) : total / static_cast<Result>(n);
}

}  // namespace seq
