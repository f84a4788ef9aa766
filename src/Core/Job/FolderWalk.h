#pragma once
// Walking a folder the way the user sees it: hidden entries (names starting with ".") and everything
// inside them are left out, links to folders are not followed, and an entry that cannot be read (a
// sub-folder that vanished or may not be opened) is passed over while the walk goes on. Runs on any
// thread.

#include <atomic>
#include <filesystem>
#include <functional>

namespace core {

// True once a collection's optional cancel flag is set.
inline bool isCancelled(const std::atomic<bool>* flag) {
    return flag && flag->load();
}

// Calls `visit` for every visible entry below `folder`, depth first: each folder's entries in name
// order, a sub-folder's own entry just before its contents. The walk ends early once `cancelled`,
// when given, is set.
void walkVisibleEntries(const std::filesystem::path& folder,
                        const std::function<void(const std::filesystem::directory_entry&)>& visit,
                        const std::atomic<bool>* cancelled = nullptr);

}  // namespace core
