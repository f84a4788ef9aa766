#include "Core/Job/OutputPaths.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <functional>
#include <vector>

#include "Core/Rename/SafeName.h"
#include "Platform/Foundation/Formatters.h"

namespace core {

namespace {

void replaceAll(std::string& s, std::string_view from, std::string_view to) {
    for (std::size_t pos = 0; (pos = s.find(from, pos)) != std::string::npos; pos += to.size())
        s.replace(pos, from.size(), to);
}

std::string errorText(const std::string& what, int error) {
    return what + ": " + std::strerror(error);
}

std::string errnoText(const std::string& what) {
    return errorText(what, errno);
}

std::filesystem::path numbered(const std::filesystem::path& path, int n, bool isFolder) {
    if (n < 2) return path;
    const std::string stem = isFolder ? path.filename().string() : path.stem().string();
    const std::string ext = isFolder ? std::string() : path.extension().string();
    return path.parent_path() / (stem + " (" + std::to_string(n) + ")" + ext);
}

// Claims `wanted` or its first free " (N)" variant with `claim` (0, EEXIST when taken, or another errno).
// A name the file system refuses is tried once more with the refused characters replaced, as a memory
// card or a network share needs.
std::optional<std::filesystem::path> claimFirstFree(
    const std::filesystem::path& path, bool isFolder, const std::string& failure, std::string* error,
    const std::function<int(const std::filesystem::path&)>& claim) {
    auto wanted = path;
    bool renamed = false;
    for (int n = 1; n < 100000; ++n) {
        const auto candidate = numbered(wanted, n, isFolder);
        const int result = claim(candidate);
        if (result == 0) return candidate;
        if (result == EEXIST) continue;
        if (isRefusedName(result) && !renamed) {
            wanted = wanted.parent_path() / portableName(wanted.filename().string());
            renamed = true;
            n = 0;
            continue;
        }
        if (error) *error = errorText(failure + candidate.string(), result);
        return std::nullopt;
    }
    if (error) *error = "no free name for " + path.string();
    return std::nullopt;
}

// Every temporary name of this process starts so.
std::string temporaryPrefix() {
    return ".vorta-" + std::to_string(::getpid()) + "-";
}

// A temporary name beside `destination` that no other writer uses.
std::filesystem::path temporaryBeside(const std::filesystem::path& destination) {
    static std::atomic<unsigned> counter{0};
    return destination.parent_path() / (temporaryPrefix() + std::to_string(counter.fetch_add(1)) + ".part");
}

std::atomic<void (*)(const std::filesystem::path&)> gTemporaryWritten{nullptr};

std::filesystem::path announceWritten(std::filesystem::path temporary) {
    if (const auto hook = gTemporaryWritten.load()) hook(temporary);
    return temporary;
}

bool writeAll(int fd, const char* data, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const auto n = ::write(fd, data + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// A new hidden temporary file in `destination`'s folder with what `fill` writes to its descriptor;
// absent (with `error` set, nothing left behind) when it cannot be made or `fill` fails, having set
// `error` itself.
template <typename Fill>
std::optional<std::filesystem::path> temporaryFilledBy(const std::filesystem::path& destination,
                                                       std::string* error, Fill fill) {
    const auto tmp = temporaryBeside(destination);
    const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        if (error) *error = errnoText("cannot write in " + destination.parent_path().string());
        return std::nullopt;
    }
    const bool filled = fill(fd);
    if (::close(fd) != 0 || !filled) {
        if (filled && error) *error = errnoText("cannot write " + destination.string());
        ::unlink(tmp.c_str());
        return std::nullopt;
    }
    return announceWritten(tmp);
}

}  // namespace

std::string jobFolderName(std::string_view appName, foundation::Date date) {
    std::string text =
        foundation::formatDateTime(date, foundation::DateStyle::Short, foundation::DateStyle::Medium);
    replaceAll(text, ":", ".");
    replaceAll(text, ",", " at");
    replaceAll(text, "/", "-");
    return safePathComponent(std::string(appName) + " | " + text, "Vorta");
}

std::filesystem::path firstFreePath(const std::filesystem::path& path, bool isFolder) {
    std::error_code ec;
    for (int n = 1;; ++n) {
        auto candidate = numbered(path, n, isFolder);
        if (!std::filesystem::exists(std::filesystem::symlink_status(candidate, ec))) return candidate;
    }
}

std::optional<std::filesystem::path> createFreshFolder(const std::filesystem::path& path, std::string* error,
                                                       const OutputFileSystem& fileSystem) {
    std::error_code ec;
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ec);
    return claimFirstFree(
        path, true, "cannot create folder ", error,
        [&](const std::filesystem::path& candidate) { return fileSystem.makeFolder(candidate); });
}

std::optional<std::filesystem::path> createFolders(const std::filesystem::path& path, std::string* error,
                                                   const OutputFileSystem& fileSystem) {
    std::error_code ec;
    std::filesystem::path built;
    for (const auto& part : path) {
        if (built.empty()) {
            built = part;
            continue;
        }
        if (part.empty()) continue;  // a trailing separator
        int result = 0;
        for (const auto& name : {part.string(), portableName(part.string())}) {
            const auto candidate = built / name;
            if (std::filesystem::is_directory(candidate, ec)) {
                result = 0;
            } else {
                result = fileSystem.makeFolder(candidate);
                if (result == EEXIST && std::filesystem::is_directory(candidate, ec)) result = 0;
            }
            if (result == 0) {
                built = candidate;
                break;
            }
            if (!isRefusedName(result)) break;
        }
        if (result != 0) {
            if (error)
                *error = errorText("the folder " + (built / part).string() + " could not be made", result);
            return std::nullopt;
        }
    }
    return built;
}

std::optional<std::filesystem::path> moveIntoPlaceWithoutOverwriting(const std::filesystem::path& tmp,
                                                                     const std::filesystem::path& destination,
                                                                     std::string* error,
                                                                     const OutputFileSystem& fileSystem) {
    auto placed = claimFirstFree(
        destination, false, "cannot write ", error,
        [&](const std::filesystem::path& candidate) { return fileSystem.placeFile(tmp, candidate); });
    if (!placed) ::unlink(tmp.c_str());
    return placed;
}

std::optional<std::filesystem::path> writeTemporaryBeside(const std::filesystem::path& destination,
                                                          std::string_view bytes, std::string* error) {
    return temporaryFilledBy(destination, error, [&](int fd) {
        if (writeAll(fd, bytes.data(), bytes.size())) return true;
        if (error) *error = errnoText("cannot write " + destination.string());
        return false;
    });
}

std::optional<std::filesystem::path> copyToTemporaryBeside(const std::filesystem::path& source,
                                                           const std::filesystem::path& destination,
                                                           std::string* error) {
    // Opened without waiting and read through the descriptor that was found to be a regular file: a
    // source replaced by a named pipe after it was listed never stalls the job.
    const int in = ::open(source.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat status {};
    if (in < 0 || ::fstat(in, &status) != 0 || !S_ISREG(status.st_mode)) {
        if (error) *error = errorText("cannot copy " + source.string(), in < 0 ? errno : EOPNOTSUPP);
        if (in >= 0) ::close(in);
        return std::nullopt;
    }
    std::vector<char> buffer(1024 * 1024);
    auto tmp = temporaryFilledBy(destination, error, [&](int out) {
        ::fchmod(out, status.st_mode & 07777);  // a copy keeps the source's permissions
        for (;;) {
            const auto n = ::read(in, buffer.data(), buffer.size());
            if (n < 0 && errno == EINTR) continue;
            if (n == 0) return true;
            if (n < 0) {
                if (error) *error = errnoText("cannot copy " + source.string());
                return false;
            }
            if (!writeAll(out, buffer.data(), std::size_t(n))) {
                if (error) *error = errnoText("cannot write " + destination.string());
                return false;
            }
        }
    });
    ::close(in);
    return tmp;
}

void removeTemporariesBelow(const std::filesystem::path& folder) {
    const std::string prefix = temporaryPrefix();
    std::error_code ec;
    std::vector<std::filesystem::path> found;
    for (std::filesystem::recursive_directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.starts_with(prefix) && name.ends_with(".part")) found.push_back(it->path());
    }
    for (const auto& path : found) ::unlink(path.c_str());
}

void setTemporaryWrittenHook(void (*hook)(const std::filesystem::path& temporary)) {
    gTemporaryWritten = hook;
}

std::optional<std::filesystem::path> writeNewFile(const std::filesystem::path& destination,
                                                  std::string_view bytes, std::string* error) {
    const auto tmp = writeTemporaryBeside(destination, bytes, error);
    if (!tmp) return std::nullopt;
    return moveIntoPlaceWithoutOverwriting(*tmp, destination, error);
}

std::optional<std::filesystem::path> copyToNewFile(const std::filesystem::path& source,
                                                   const std::filesystem::path& destination,
                                                   std::string* error) {
    const auto tmp = copyToTemporaryBeside(source, destination, error);
    if (!tmp) return std::nullopt;
    return moveIntoPlaceWithoutOverwriting(*tmp, destination, error);
}

bool isInside(const std::filesystem::path& inner, const std::filesystem::path& outer) {
    const auto a = inner.lexically_normal();
    const auto b = outer.lexically_normal();
    auto ai = a.begin();
    for (auto bi = b.begin(); bi != b.end(); ++bi, ++ai) {
        if (bi->empty() && std::next(bi) == b.end()) break;  // trailing separator
        if (ai == a.end() || *ai != *bi) return false;
    }
    return true;
}

}  // namespace core
