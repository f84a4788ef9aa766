#pragma once
// Keeping index-keyed state (visible items, selections) in step when items are inserted or deleted
// elsewhere in a list. Plain functions on values.

#include <map>
#include <set>
#include <vector>

namespace appkit {

// The index an item at `index` has after `inserted` (indexes in the new list) were inserted.
inline int indexAfterInsert(int index, const std::set<int>& inserted) {
    int shifted = index;
    for (int at : inserted) {
        if (at <= shifted)
            ++shifted;
        else
            break;
    }
    return shifted;
}

// The index an item at `index` has after `deleted` (indexes in the old list) were deleted, or -1
// when it is one of them.
inline int indexAfterDelete(int index, const std::set<int>& deleted) {
    if (deleted.count(index)) return -1;
    int below = 0;
    for (int at : deleted) {
        if (at < index)
            ++below;
        else
            break;
    }
    return index - below;
}

template <class Map, class F>
Map remapKeys(const Map& map, F newIndex) {
    Map out;
    for (const auto& [index, value] : map) {
        const int to = newIndex(index);
        if (to >= 0) out.emplace(to, value);
    }
    return out;
}

inline std::set<int> remapSet(const std::set<int>& set, int (*f)(int, const std::set<int>&),
                              const std::set<int>& changed) {
    std::set<int> out;
    for (int index : set) {
        const int to = f(index, changed);
        if (to >= 0) out.insert(to);
    }
    return out;
}

}  // namespace appkit
