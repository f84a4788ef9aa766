#pragma once
// Where a job writes: the job folder's name, path components made safe from user text, and free
// names that never overwrite an existing file. Pure functions over the file system's current state;
// safe on any thread.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "Core/Job/OutputFileSystem.h"
#include "Platform/Foundation/Date.h"

namespace core {

// The job folder's name: the application name, " | " and the date in the locale's short date and
// medium time styles, with ":" written ".", "," written " at" and "/" written "-".
std::string jobFolderName(std::string_view appName, foundation::Date date);

// `path` when nothing exists there; otherwise the first of "<stem> (2)<ext>", "<stem> (3)<ext>", ...
// that is free. Folders take the numbers after their whole name.
std::filesystem::path firstFreePath(const std::filesystem::path& path, bool isFolder = false);

// Names that the output file system refuses (see OutputFileSystem) are tried once more with the
// refused characters replaced; the names below are kept wherever the file system takes them.

// Creates a new folder at `path`, or at its first free " (N)" variant when something is there already,
// with any missing parents. Never reuses an existing folder. Absent (with `error` set) on failure.
std::optional<std::filesystem::path> createFreshFolder(
    const std::filesystem::path& path, std::string* error,
    const OutputFileSystem& fileSystem = OutputFileSystem::system());

// Makes the folder `path` and its missing parents, or finds them made already; returns the folder,
// whose names may differ from `path`'s where the file system refused them. Absent (with `error` set)
// on failure.
std::optional<std::filesystem::path> createFolders(
    const std::filesystem::path& path, std::string* error,
    const OutputFileSystem& fileSystem = OutputFileSystem::system());

// Moves the finished temporary file `tmp` to `destination`, or to its first free " (N)" variant, never
// replacing an existing file. Returns the final path; absent (with `error` set) on failure, in which
// case `tmp` is removed.
std::optional<std::filesystem::path> moveIntoPlaceWithoutOverwriting(
    const std::filesystem::path& tmp, const std::filesystem::path& destination, std::string* error,
    const OutputFileSystem& fileSystem = OutputFileSystem::system());

// Writes `bytes` to a hidden temporary file in `destination`'s folder, for moveIntoPlaceWithoutOverwriting
// to name later. Absent (with `error` set, nothing left behind) on failure.
std::optional<std::filesystem::path> writeTemporaryBeside(const std::filesystem::path& destination,
                                                          std::string_view bytes, std::string* error);

// Copies `source` byte for byte to a hidden temporary file in `destination`'s folder, as above.
std::optional<std::filesystem::path> copyToTemporaryBeside(const std::filesystem::path& source,
                                                           const std::filesystem::path& destination,
                                                           std::string* error);

// Removes every temporary file this process has left below `folder` (a job's folder whose worker will
// not finish). Another process's temporaries are left alone.
void removeTemporariesBelow(const std::filesystem::path& folder);

// For tests: called on the writing thread each time a temporary file is complete, before it is named,
// so a test can make a worker stick there as one does on a disk that stops answering. Set it before
// any job starts; null (the default) calls nothing.
void setTemporaryWrittenHook(void (*hook)(const std::filesystem::path& temporary));

// Writes `bytes` to a new file at `destination` (or its first free " (N)" variant) through a temporary
// file in the same folder, so no half-written file is ever visible under the final name.
std::optional<std::filesystem::path> writeNewFile(const std::filesystem::path& destination,
                                                  std::string_view bytes, std::string* error);

// Copies `source` byte for byte to a new file as writeNewFile does.
std::optional<std::filesystem::path> copyToNewFile(const std::filesystem::path& source,
                                                   const std::filesystem::path& destination,
                                                   std::string* error);

// True when `inner` lies inside `outer` (or is it), after resolving "." and ".." lexically.
bool isInside(const std::filesystem::path& inner, const std::filesystem::path& outer);

}  // namespace core
