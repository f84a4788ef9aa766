#include "Platform/Foundation/AtomicFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>

namespace foundation {

namespace {

// A name beside `destination` that no other write uses: made with O_EXCL, so a name taken by another
// writer is never opened, only passed over. -1 when none could be made.
int createTemporaryBeside(const std::filesystem::path& destination, std::filesystem::path& tmp) {
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::uint64_t tag = (std::uint64_t{random()} << 32) | random();
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, ".%016llx.tmp", static_cast<unsigned long long>(tag));
        tmp = destination;
        tmp += suffix;
        const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

}  // namespace

bool writeFileAtomically(const std::filesystem::path& destination, std::string_view bytes,
                         std::string* error) {
    const auto fail = [&](const std::string& what) {
        if (error) *error = what + ": " + std::strerror(errno);
        return false;
    };
    std::error_code ec;
    if (destination.has_parent_path()) std::filesystem::create_directories(destination.parent_path(), ec);
    std::filesystem::path tmp;
    const int fd = createTemporaryBeside(destination, tmp);
    if (fd < 0) return fail("cannot create " + tmp.string());
    std::size_t written = 0;
    while (written < bytes.size()) {
        const auto n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int saved = errno;
            ::close(fd);
            ::unlink(tmp.c_str());
            errno = saved;
            return fail("cannot write " + tmp.string());
        }
        written += static_cast<std::size_t>(n);
    }
    // The descriptor is closed even when the flush fails, so no failed write keeps a file open.
    const bool flushed = ::fsync(fd) == 0;
    const int flushError = errno;
    if (::close(fd) != 0 || !flushed) {
        const int saved = flushed ? errno : flushError;
        ::unlink(tmp.c_str());
        errno = saved;
        return fail("cannot flush " + tmp.string());
    }
    if (::rename(tmp.c_str(), destination.c_str()) != 0) {
        const int saved = errno;
        ::unlink(tmp.c_str());
        errno = saved;
        return fail("cannot move " + tmp.string() + " into place");
    }
    return true;
}

}  // namespace foundation
