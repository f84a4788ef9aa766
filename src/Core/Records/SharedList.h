#pragma once
// SharedList: an ordered list of values that several threads use at once. The screens change it on
// the main queue; a worker takes a snapshot and works on its own copy. Every member is thread-safe
// and hands out copies, never references into the list.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <set>
#include <utility>
#include <vector>

namespace core {

template <class T>
class SharedList {
  public:
    std::vector<T> snapshot() const {
        std::lock_guard lock(mutex_);
        return items_;
    }
    std::size_t count() const {
        std::lock_guard lock(mutex_);
        return items_.size();
    }
    bool isEmpty() const { return count() == 0; }
    std::optional<T> at(std::size_t index) const {
        std::lock_guard lock(mutex_);
        if (index >= items_.size()) return std::nullopt;
        return items_[index];
    }
    // The first index holding a value equal to `value`; absent when there is none.
    std::optional<std::size_t> indexOf(const T& value) const {
        std::lock_guard lock(mutex_);
        for (std::size_t i = 0; i < items_.size(); ++i)
            if (items_[i] == value) return i;
        return std::nullopt;
    }

    // Counts the times the whole list was replaced or emptied, so that work begun on the list as it
    // was can tell that it has since been started afresh.
    std::uint64_t generation() const {
        std::lock_guard lock(mutex_);
        return generation_;
    }

    void replaceAll(std::vector<T> items) {
        std::lock_guard lock(mutex_);
        items_ = std::move(items);
        ++generation_;
    }
    void append(T value) {
        std::lock_guard lock(mutex_);
        items_.push_back(std::move(value));
    }
    void append(const std::vector<T>& values) {
        std::lock_guard lock(mutex_);
        items_.insert(items_.end(), values.begin(), values.end());
    }
    // False (and no change) when `index` is out of range.
    bool replaceAt(std::size_t index, T value) {
        std::lock_guard lock(mutex_);
        if (index >= items_.size()) return false;
        items_[index] = std::move(value);
        return true;
    }
    bool removeAt(std::size_t index) {
        std::lock_guard lock(mutex_);
        if (index >= items_.size()) return false;
        items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
        return true;
    }
    // Removes the elements at the given indexes; indexes out of range are ignored.
    void removeAt(const std::set<std::size_t>& indexes) {
        std::lock_guard lock(mutex_);
        for (auto it = indexes.rbegin(); it != indexes.rend(); ++it)
            if (*it < items_.size()) items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(*it));
    }
    void removeAll() {
        std::lock_guard lock(mutex_);
        items_.clear();
        ++generation_;
    }
    // Runs `change` on the list under the lock, for edits that must not interleave with another
    // thread's (read-modify-write such as counting a preset's use). `change` must not touch this list.
    void modify(const std::function<void(std::vector<T>&)>& change) {
        std::lock_guard lock(mutex_);
        change(items_);
    }

  private:
    mutable std::mutex mutex_;
    std::vector<T> items_;
    std::uint64_t generation_ = 0;
};

}  // namespace core
