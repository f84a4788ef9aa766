#pragma once
// Members on every sequence (any C++20 input range): predicate tests, searches, counting, running
// accumulation, partitioning, duplicate handling, sorting by a projected key and sums. Every member
// reads its range once, in order, on the calling thread, and returns new values; an exception thrown
// by a caller's closure stops the walk and reaches the caller.
// Keys are projections, as in std::ranges: a member pointer or any callable on an element.

#include <algorithm>
#include <concepts>
#include <functional>
#include <iterator>
#include <optional>
#include <ranges>
#include <type_traits>
#include <unordered_set>
#include <utility>
#include <vector>

namespace seq {

template <class R>
using Element = std::ranges::range_value_t<R>;
template <class R, class Proj>
using Key = std::remove_cvref_t<std::invoke_result_t<Proj&, const Element<R>&>>;

namespace detail {
template <class T>
concept Hashable = requires(const T& v) {
    { std::hash<T>{}(v) } -> std::convertible_to<std::size_t>;
};

// Tells whether a key was met before: a hash set when the key can be hashed, else a linear list.
template <class K>
class SeenKeys {
  public:
    // True when `key` is new (and remembers it).
    bool insert(const K& key) {
        if constexpr (Hashable<K>) {
            return keys_.insert(key).second;
        } else {
            if (std::find(keys_.begin(), keys_.end(), key) != keys_.end()) return false;
            keys_.push_back(key);
            return true;
        }
    }

  private:
    std::conditional_t<Hashable<K>, std::unordered_set<K>, std::vector<K>> keys_;
};
}  // namespace detail

// True when no element fails the predicate (true for an empty range).
template <std::ranges::input_range R, class Pred>
bool all(R&& r, Pred pred) {
    return std::ranges::all_of(r, std::ref(pred));
}
template <std::ranges::input_range R, class Pred>
bool none(R&& r, Pred pred) {
    return std::ranges::none_of(r, std::ref(pred));
}
template <std::ranges::input_range R, class Pred>
bool any(R&& r, Pred pred) {
    return std::ranges::any_of(r, std::ref(pred));
}

template <std::ranges::input_range R, class Pred>
std::optional<Element<R>> last(R&& r, Pred pred) {
    std::optional<Element<R>> found;
    if constexpr (std::ranges::bidirectional_range<R>) {
        for (auto it = std::ranges::end(r); it != std::ranges::begin(r);) {
            if (std::invoke(pred, *--it)) return *it;
        }
    } else {
        for (auto&& e : r) {
            if (std::invoke(pred, e)) found = e;
        }
    }
    return found;
}

template <std::ranges::input_range R, class Pred>
std::vector<Element<R>> reject(R&& r, Pred pred) {
    std::vector<Element<R>> out;
    for (auto&& e : r) {
        if (!std::invoke(pred, e)) out.push_back(e);
    }
    return out;
}

template <std::ranges::input_range R, class Pred>
std::size_t count(R&& r, Pred pred) {
    return static_cast<std::size_t>(std::ranges::count_if(r, std::ref(pred)));
}

template <std::ranges::input_range R, class Body>
void forEachReversed(R&& r, Body body) {
    if constexpr (std::ranges::bidirectional_range<R>) {
        for (auto&& e : std::views::reverse(r)) std::invoke(body, e);
    } else {
        std::vector<Element<R>> copy(std::ranges::begin(r), std::ranges::end(r));
        for (auto it = copy.rbegin(); it != copy.rend(); ++it) std::invoke(body, *it);
    }
}

// Calls the body, in order, for the elements that satisfy the condition.
template <std::ranges::input_range R, class Pred, class Body>
requires std::predicate < Pred&, const Element<R>
& > void forEach(R&& r, Pred condition, Body body) {
    for (auto&& e : r) {
        if (std::invoke(condition, e)) std::invoke(body, e);
    }
}

// The running results of next(accumulator, element), starting from `initial`.
template <std::ranges::input_range R, class T, class Next>
std::vector<T> accumulated(R&& r, T initial, Next next) {
    std::vector<T> out;
    for (auto&& e : r) {
        initial = std::invoke(next, std::move(initial), e);
        out.push_back(initial);
    }
    return out;
}

template <std::ranges::input_range R, class Pred, class Transform>
auto map(R&& r, Pred condition, Transform transform) {
    std::vector<std::remove_cvref_t<std::invoke_result_t<Transform&, const Element<R>&>>> out;
    for (auto&& e : r) {
        if (std::invoke(condition, e)) out.push_back(std::invoke(transform, e));
    }
    return out;
}

// The only element that satisfies the predicate; absent for none, and as soon as a second is met.
template <std::ranges::input_range R, class Pred>
std::optional<Element<R>> single(R&& r, Pred pred) {
    std::optional<Element<R>> found;
    for (auto&& e : r) {
        if (!std::invoke(pred, e)) continue;
        if (found) return std::nullopt;
        found = e;
    }
    return found;
}

// The first element of each key, in order (the element itself is the key without a projection).
template <std::ranges::input_range R, class Proj = std::identity>
std::vector<Element<R>> withoutDuplicates(R&& r, Proj proj = {}) {
    std::vector<Element<R>> out;
    detail::SeenKeys<Key<R, Proj>> seen;
    for (auto&& e : r) {
        if (seen.insert(std::invoke(proj, e))) out.push_back(e);
    }
    return out;
}

// (matching, nonMatching), each in order.
template <std::ranges::input_range R, class Pred>
std::pair<std::vector<Element<R>>, std::vector<Element<R>>> divided(R&& r, Pred pred) {
    std::pair<std::vector<Element<R>>, std::vector<Element<R>>> out;
    for (auto&& e : r) (std::invoke(pred, e) ? out.first : out.second).push_back(e);
    return out;
}

// Sorted by the projected keys with `compare` (ascending < by default); equal keys keep their order.
template <std::ranges::input_range R, class Proj, class Compare = std::ranges::less>
std::vector<Element<R>> sorted(R&& r, Proj proj, Compare compare = {}) {
    std::vector<Element<R>> out(std::ranges::begin(r), std::ranges::end(r));
    std::ranges::stable_sort(out, std::ref(compare), std::ref(proj));
    return out;
}

// True when every item occurs in the range (true for no items).
template <std::ranges::input_range R, std::ranges::input_range Items>
bool containsAll(R&& r, const Items& items) {
    const std::vector<Element<R>> elements(std::ranges::begin(r), std::ranges::end(r));
    return std::ranges::all_of(
        items, [&](const auto& item) { return std::ranges::find(elements, item) != elements.end(); });
}

template <std::ranges::input_range R>
bool containsDuplicates(R&& r) {
    detail::SeenKeys<Element<R>> seen;
    for (auto&& e : r) {
        if (!seen.insert(e)) return true;
    }
    return false;
}

// The values that occur more than once, each once, in the order of their second occurrence.
template <std::ranges::input_range R>
std::vector<Element<R>> duplicates(R&& r) {
    detail::SeenKeys<Element<R>> seen, reported;
    std::vector<Element<R>> out;
    for (auto&& e : r) {
        if (!seen.insert(e) && reported.insert(e)) out.push_back(e);
    }
    return out;
}

template <std::ranges::input_range R>
Element<R> sum(R&& r) {
    Element<R> total{};
    for (auto&& e : r) total += e;
    return total;
}

}  // namespace seq
