#include "Core/Job/FolderWalk.h"

#include <algorithm>
#include <vector>

namespace core {

void walkVisibleEntries(const std::filesystem::path& folder,
                        const std::function<void(const std::filesystem::directory_entry&)>& visit,
                        const std::atomic<bool>* cancelled) {
    namespace fs = std::filesystem;
    std::error_code ec;
    std::vector<fs::directory_entry> entries;
    // An error ends the listing of this folder only; what was listed so far is still walked.
    for (fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec), end;
         !ec && it != end && !isCancelled(cancelled); it.increment(ec)) {
        if (!it->path().filename().string().starts_with(".")) entries.push_back(*it);
    }
    std::sort(entries.begin(), entries.end(),
              [](const auto& a, const auto& b) { return a.path().filename() < b.path().filename(); });
    for (const auto& entry : entries) {
        if (isCancelled(cancelled)) return;
        visit(entry);
        std::error_code typeError;
        if (entry.is_directory(typeError) && !entry.is_symlink(typeError))
            walkVisibleEntries(entry.path(), visit, cancelled);
    }
}

}  // namespace core
