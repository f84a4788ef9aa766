#pragma once
// Walking a folder the way the user sees it: hidden entries (names starting with ".") and everything
// inside them are left out, links to folders are not followed, and an entry that cannot be read (a
// sub-folder that vanished or may not be opened) is passed over while the walk goes on. Runs on any
// thread.

#include <filesystem>
#include <functional>

namespace core {

// Calls `visit` for every visible entry below `folder`, depth first: each folder's entries in name
// order, a sub-folder's own entry just before its contents.
void walkVisibleEntries(const std::filesystem::path& folder,
                        const std::function<void(const std::filesystem::directory_entry&)>& visit);

}  // namespace core
