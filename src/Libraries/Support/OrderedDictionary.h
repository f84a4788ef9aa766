#pragma once
// OrderedDictionary: a dictionary that keeps its entries in an explicit order (the order keys were
// added, changed only by the positional operations), reachable by key in constant expected time and
// by position. Every operation either completes or, when its precondition is broken (a key that is
// already present, a position out of range), throws and leaves the dictionary as it was: keys and
// values never disagree and no entry is lost. A plain value: copies are independent; not
// synchronised.

#include <algorithm>
#include <cstddef>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <optional>
#include <ranges>
#include <stdexcept>
#include <unordered_map>
#include <utility>
#include <vector>

namespace support {

template <class Key, class Value, class Hash = std::hash<Key>, class KeyEqual = std::equal_to<Key>>
class OrderedDictionary {
  public:
    using Index = std::ptrdiff_t;

    // One entry: a key and its value.
    struct Element {
        Key key;
        Value value;
        bool operator==(const Element&) const = default;
    };

    // Positions from `startIndex` up to `endIndex` of a dictionary, keeping the dictionary's positions.
    class Slice;
    class Iterator;

    OrderedDictionary() = default;
    // The pairs in order; throws std::invalid_argument when a key occurs twice.
    OrderedDictionary(std::initializer_list<Element> elements) { appendAll(elements); }
    template <std::ranges::input_range Elements>
    static OrderedDictionary uniqueKeysWithValues(const Elements& elements) {
        OrderedDictionary made;
        made.appendAll(elements);
        return made;
    }
    // Each value under the key `keyOf` gives it (a function or a pointer to a member of the value).
    template <std::ranges::input_range Values, class KeyOf>
    static OrderedDictionary uniquelyKeyed(const Values& values, KeyOf keyOf) {
        OrderedDictionary made;
        for (const auto& value : values) made.append(Element{std::invoke(keyOf, value), value});
        return made;
    }
    // The entries of a hash dictionary, sorted by `areInIncreasingOrder` on whole entries.
    template <class Compare>
    static OrderedDictionary unsorted(const std::unordered_map<Key, Value, Hash, KeyEqual>& entries,
                                      Compare areInIncreasingOrder) {
        std::vector<Element> elements;
        for (const auto& [key, value] : entries) elements.push_back(Element{key, value});
        mergeSort(elements, areInIncreasingOrder);
        return uniqueKeysWithValues(elements);
    }

    // --- By key

    std::optional<Value> subscript(const Key& key) const { return value(key); }
    // A value stores it (in place for a present key, at the end for a new one); nothing removes the key.
    void subscript(const Key& key, std::optional<Value> value) {
        if (value)
            updateValue(std::move(*value), key);
        else
            removeValue(key);
    }
    // Lets `change` edit the key's value (nothing when absent) and stores the result as subscript does.
    template <class Change>
    void modify(const Key& key, Change change) {
        std::optional<Value> current = value(key);
        change(current);
        subscript(key, std::move(current));
    }
    std::optional<Value> value(const Key& key) const {
        const auto it = values_.find(key);
        if (it == values_.end()) return std::nullopt;
        return it->second;
    }
    bool containsKey(const Key& key) const { return values_.count(key) != 0; }
    std::optional<Index> index(const Key& key) const {
        if (!containsKey(key)) return std::nullopt;
        const auto it =
            std::find_if(keys_.begin(), keys_.end(), [&](const Key& k) { return KeyEqual()(k, key); });
        return static_cast<Index>(it - keys_.begin());
    }
    // The previous value of a present key, which keeps its position; a new key goes at the end.
    std::optional<Value> updateValue(Value value, const Key& key) {
        const auto it = values_.find(key);
        if (it != values_.end()) return std::exchange(it->second, std::move(value));
        keys_.push_back(key);
        try {
            values_.emplace(key, std::move(value));
        } catch (...) {
            keys_.pop_back();
            throw;
        }
        return std::nullopt;
    }
    std::optional<Value> removeValue(const Key& key) {
        const auto at = index(key);
        if (!at) return std::nullopt;
        return removeAt(*at)->value;
    }
    void removeAll(bool keepingCapacity = false) {
        keys_.clear();
        values_.clear();
        if (!keepingCapacity) {
            keys_.shrink_to_fit();
            values_.rehash(0);
        }
    }

    // --- By position

    Index startIndex() const { return 0; }
    Index endIndex() const { return count(); }
    Index count() const { return static_cast<Index>(keys_.size()); }
    // Every valid position, 0 up to count - 1, in order.
    auto indices() const { return std::views::iota(Index{0}, count()); }
    bool isEmpty() const { return keys_.empty(); }

    // The entry at a position from 0 to count - 1; throws std::out_of_range otherwise.
    Element operator[](Index position) const {
        requireValid(position);
        return entryAt(position);
    }
    Slice slice(Index from, Index to) const;
    std::optional<Element> elementAt(Index position) const {
        if (!isValid(position)) return std::nullopt;
        return entryAt(position);
    }
    bool canInsertKey(const Key& key) const { return !containsKey(key); }
    bool canInsert(const Element& element) const { return canInsertKey(element.key); }
    bool canInsertAt(Index position) const { return position >= 0 && position <= count(); }
    // Later entries move up by one. Throws for a present key or a position outside 0...count.
    void insert(Element element, Index position) {
        if (!canInsertAt(position))
            throw std::out_of_range("OrderedDictionary: insert position out of range");
        if (!canInsert(element)) throw std::invalid_argument("OrderedDictionary: the key is already present");
        keys_.insert(keys_.begin() + position, element.key);
        try {
            values_.emplace(std::move(element.key), std::move(element.value));
        } catch (...) {
            keys_.erase(keys_.begin() + position);
            throw;
        }
    }
    // Whether `element` may replace the entry at `position`: its key is new, or is the one there.
    bool canUpdate(const Element& element, Index position) const {
        requireValid(position);
        return !containsKey(element.key) || KeyEqual()(keys_[position], element.key);
    }
    // Replaces the entry at `position` and returns the one that was there; throws when !canUpdate.
    std::optional<Element> update(Element element, Index position) {
        if (!canUpdate(element, position))
            throw std::invalid_argument("OrderedDictionary: the key is present at another position");
        Element old = entryAt(position);
        if (KeyEqual()(old.key, element.key)) {
            values_.find(old.key)->second = std::move(element.value);
            return old;
        }
        values_.emplace(element.key, std::move(element.value));
        values_.erase(old.key);
        keys_[position] = std::move(element.key);
        return old;
    }
    std::optional<Element> removeAt(Index position) {
        if (!isValid(position)) return std::nullopt;
        Element removed = entryAt(position);
        values_.erase(removed.key);
        keys_.erase(keys_.begin() + position);
        return removed;
    }
    std::optional<Element> popFirst() { return removeAt(0); }
    std::optional<Element> popLast() { return removeAt(count() - 1); }
    // As popFirst and popLast; throw std::out_of_range on an empty dictionary.
    Element removeFirst() { return required(popFirst()); }
    Element removeLast() { return required(popLast()); }
    // Moves the key's entry to `position` (counted without the entry) and returns where it was;
    // nothing for an absent key. A position outside 0...count - 1 throws and moves nothing.
    std::optional<Index> moveElement(const Key& key, Index position) {
        const auto from = index(key);
        if (!from) return std::nullopt;
        if (*from == position) return from;
        if (!isValid(position)) throw std::out_of_range("OrderedDictionary: move position out of range");
        Key moved = std::move(keys_[*from]);
        keys_.erase(keys_.begin() + *from);
        keys_.insert(keys_.begin() + position, std::move(moved));
        return from;
    }

    // Reorders the entries by a comparison of whole entries. Stable; a comparison that throws leaves
    // the order as it was, and one that is not a consistent order never reads out of bounds.
    template <class Compare>
    void sort(Compare areInIncreasingOrder) {
        std::vector<Element> elements = entries();
        mergeSort(elements, areInIncreasingOrder);
        std::vector<Key> keys;
        keys.reserve(elements.size());
        for (auto& element : elements) keys.push_back(std::move(element.key));
        keys_ = std::move(keys);
    }
    template <class Compare>
    OrderedDictionary sorted(Compare areInIncreasingOrder) const {
        OrderedDictionary copy = *this;
        copy.sort(areInIncreasingOrder);
        return copy;
    }

    // --- Views, iteration, equality

    const std::vector<Key>& orderedKeys() const { return keys_; }
    auto orderedValues() const {
        return keys_ | std::views::transform(
                           [this](const Key& key) -> const Value& { return values_.find(key)->second; });
    }
    Iterator begin() const { return Iterator(this, 0); }
    Iterator end() const { return Iterator(this, count()); }

    // Equal entries in the same order.
    bool operator==(const OrderedDictionary& other) const requires std::equality_comparable<Value> {
        return keys_ == other.keys_ && values_ == other.values_;
    }

  private:
    bool isValid(Index position) const { return position >= 0 && position < count(); }
    void requireValid(Index position) const {
        if (!isValid(position)) throw std::out_of_range("OrderedDictionary: position out of range");
    }
    Element entryAt(Index position) const {
        const Key& key = keys_[static_cast<std::size_t>(position)];
        return Element{key, values_.find(key)->second};
    }
    std::vector<Element> entries() const {
        std::vector<Element> all;
        all.reserve(keys_.size());
        for (Index i = 0; i < count(); ++i) all.push_back(entryAt(i));
        return all;
    }
    static Element required(std::optional<Element> element) {
        if (!element) throw std::out_of_range("OrderedDictionary: the dictionary is empty");
        return std::move(*element);
    }
    void append(Element element) {
        if (containsKey(element.key)) throw std::invalid_argument("OrderedDictionary: a key occurs twice");
        updateValue(std::move(element.value), element.key);
    }
    template <class Elements>
    void appendAll(const Elements& elements) {
        for (const auto& element : elements) append(element);
    }
    // A merge sort whose every read is bounds-checked, so that any comparison, consistent or not,
    // only decides the order.
    template <class Compare>
    static void mergeSort(std::vector<Element>& elements, Compare& less) {
        std::vector<Element> buffer;
        for (std::size_t width = 1; width < elements.size(); width *= 2) {
            buffer.clear();
            buffer.reserve(elements.size());
            for (std::size_t lo = 0; lo < elements.size(); lo += 2 * width) {
                const std::size_t mid = std::min(lo + width, elements.size());
                const std::size_t hi = std::min(lo + 2 * width, elements.size());
                std::size_t a = lo, b = mid;
                while (a < mid && b < hi)
                    buffer.push_back(less(elements[b], elements[a]) ? elements[b++] : elements[a++]);
                while (a < mid) buffer.push_back(elements[a++]);
                while (b < hi) buffer.push_back(elements[b++]);
            }
            elements.swap(buffer);
        }
    }

    std::vector<Key> keys_;
    std::unordered_map<Key, Value, Hash, KeyEqual> values_;
};

// Iterates the entries from position 0 upward, yielding each as an Element.
template <class Key, class Value, class Hash, class KeyEqual>
class OrderedDictionary<Key, Value, Hash, KeyEqual>::Iterator {
  public:
    using iterator_category = std::bidirectional_iterator_tag;
    using value_type = Element;
    using difference_type = Index;
    using pointer = void;
    using reference = Element;

    Iterator() = default;
    Iterator(const OrderedDictionary* owner, Index position) : owner_(owner), position_(position) {}
    Element operator*() const { return (*owner_)[position_]; }
    Iterator& operator++() {
        ++position_;
        return *this;
    }
    Iterator operator++(int) {
        Iterator before = *this;
        ++position_;
        return before;
    }
    Iterator& operator--() {
        --position_;
        return *this;
    }
    Iterator operator--(int) {
        Iterator before = *this;
        --position_;
        return before;
    }
    bool operator==(const Iterator& other) const { return position_ == other.position_; }

  private:
    const OrderedDictionary* owner_ = nullptr;
    Index position_ = 0;
};

template <class Key, class Value, class Hash, class KeyEqual>
class OrderedDictionary<Key, Value, Hash, KeyEqual>::Slice {
  public:
    Slice(const OrderedDictionary* owner, Index from, Index to) : owner_(owner), from_(from), to_(to) {}
    Index startIndex() const { return from_; }
    Index endIndex() const { return to_; }
    Index count() const { return to_ - from_; }
    // The entry at a position of the dictionary between startIndex and endIndex - 1.
    Element operator[](Index position) const {
        if (position < from_ || position >= to_)
            throw std::out_of_range("OrderedDictionary: position outside the slice");
        return (*owner_)[position];
    }
    Iterator begin() const { return Iterator(owner_, from_); }
    Iterator end() const { return Iterator(owner_, to_); }

  private:
    const OrderedDictionary* owner_;
    Index from_, to_;
};

template <class Key, class Value, class Hash, class KeyEqual>
auto OrderedDictionary<Key, Value, Hash, KeyEqual>::slice(Index from, Index to) const -> Slice {
    if (from < 0 || to < from || to > count())
        throw std::out_of_range("OrderedDictionary: slice out of range");
    return Slice(this, from, to);
}

}  // namespace support
