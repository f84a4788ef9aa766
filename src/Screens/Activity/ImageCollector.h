#pragma once
// Turning chosen or dropped files and folders into new records for the image list: files whose
// extension names an image type, folders walked to any depth in name order (hidden entries and links
// to folders left out), files already in the list left out, each new record filled from its file
// and given its output name under the current rename options. A path names a folder when it ends
// in "/" or is a folder on disk. Pure work on its arguments: runs on any thread.

#include <atomic>
#include <set>
#include <string>
#include <vector>

#include "Core/Records/SourceURLInfo.h"
#include "Core/Rename/RenameOptions.h"

namespace screens {

// True when `path` ends in "/" or names an existing folder.
bool isFolderPath(const std::string& path);

// The paths of a list, put in canonical form once, for many paths to be looked up in it: canonically
// equivalent spellings (composed and decomposed) of a name are the same path. A plain value.
class KnownPaths {
  public:
    explicit KnownPaths(const std::vector<std::string>& paths);
    // Whether `path` is one of the known paths.
    bool contains(const std::string& path) const;
    // Whether some known path lies inside the folder `folder`, at any depth.
    bool holdsSomeInside(const std::string& folder) const;

  private:
    std::set<std::string> canonical_;  // in order: the paths inside a folder follow its name
};

// The new records for `urls`, in their order (within a folder in walk order); empty when nothing
// new was found. `knownPaths` are the full paths already in the list when the addition started.
// Once `cancelled`, when given, is set, the collection stops early and finds nothing.
std::vector<core::SourceURLInfo> collectImages(const std::vector<std::string>& urls,
                                               const std::vector<std::string>& knownPaths,
                                               const core::RenameOptions& options,
                                               const std::atomic<bool>* cancelled = nullptr);

// How many records `collectImages` would make of `urls`, without reading the files: what adding them
// brings to the list. 0 once `cancelled` is set.
std::size_t countNewImages(const std::vector<std::string>& urls, const std::vector<std::string>& knownPaths,
                           const std::atomic<bool>* cancelled = nullptr);

}  // namespace screens
