#include "Core/Job/OutputPaths.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fstream>

#include "Core/Rename/SafeName.h"
#include "Platform/Foundation/Formatters.h"

namespace core {

namespace {

void replaceAll(std::string& s, std::string_view from, std::string_view to) {
    for (std::size_t pos = 0; (pos = s.find(from, pos)) != std::string::npos; pos += to.size())
        s.replace(pos, from.size(), to);
}

std::string errnoText(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

std::filesystem::path numbered(const std::filesystem::path& path, int n, bool isFolder) {
    if (n < 2) return path;
    const std::string stem = isFolder ? path.filename().string() : path.stem().string();
    const std::string ext = isFolder ? std::string() : path.extension().string();
    return path.parent_path() / (stem + " (" + std::to_string(n) + ")" + ext);
}

// A temporary name beside `destination` that no other writer uses.
std::filesystem::path temporaryBeside(const std::filesystem::path& destination) {
    static std::atomic<unsigned> counter{0};
    return destination.parent_path() /
           (".vorta-" + std::to_string(::getpid()) + "-" + std::to_string(counter.fetch_add(1)) + ".part");
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

std::optional<std::filesystem::path> createFreshFolder(const std::filesystem::path& path,
                                                       std::string* error) {
    std::error_code ec;
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ec);
    for (int n = 1; n < 100000; ++n) {
        const auto candidate = numbered(path, n, true);
        if (::mkdir(candidate.c_str(), 0755) == 0) return candidate;
        if (errno != EEXIST) {
            if (error) *error = errnoText("cannot create folder " + candidate.string());
            return std::nullopt;
        }
    }
    if (error) *error = "no free name for folder " + path.string();
    return std::nullopt;
}

std::optional<std::filesystem::path> moveIntoPlaceWithoutOverwriting(const std::filesystem::path& tmp,
                                                                     const std::filesystem::path& destination,
                                                                     std::string* error) {
    // link() fails when the name is taken, so two writers can never claim the same name.
    for (int n = 1; n < 100000; ++n) {
        const auto candidate = numbered(destination, n, false);
        if (::link(tmp.c_str(), candidate.c_str()) == 0) {
            ::unlink(tmp.c_str());
            return candidate;
        }
        if (errno != EEXIST) {
            if (error) *error = errnoText("cannot write " + candidate.string());
            ::unlink(tmp.c_str());
            return std::nullopt;
        }
    }
    if (error) *error = "no free name for " + destination.string();
    ::unlink(tmp.c_str());
    return std::nullopt;
}

std::optional<std::filesystem::path> writeTemporaryBeside(const std::filesystem::path& destination,
                                                          std::string_view bytes, std::string* error) {
    const auto tmp = temporaryBeside(destination);
    const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        if (error) *error = errnoText("cannot write in " + destination.parent_path().string());
        return std::nullopt;
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const auto n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (error) *error = errnoText("cannot write " + destination.string());
            ::close(fd);
            ::unlink(tmp.c_str());
            return std::nullopt;
        }
        done += static_cast<std::size_t>(n);
    }
    if (::close(fd) != 0) {
        if (error) *error = errnoText("cannot write " + destination.string());
        ::unlink(tmp.c_str());
        return std::nullopt;
    }
    return tmp;
}

std::optional<std::filesystem::path> copyToTemporaryBeside(const std::filesystem::path& source,
                                                           const std::filesystem::path& destination,
                                                           std::string* error) {
    const auto tmp = temporaryBeside(destination);
    std::error_code ec;
    if (!std::filesystem::copy_file(source, tmp, std::filesystem::copy_options::none, ec)) {
        if (error) *error = "cannot copy " + source.string() + ": " + ec.message();
        std::filesystem::remove(tmp, ec);
        return std::nullopt;
    }
    return tmp;
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
