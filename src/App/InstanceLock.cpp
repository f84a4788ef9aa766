#include "App/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <utility>

namespace {

// Longer than any socket path (a Unix socket's path is at most 108 bytes).
constexpr std::size_t kLongestNote = 4096;

// Never through a link (another user's file could be locked or written); never waits on a FIFO.
int openToLock(const std::string& path, std::string* error) {
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd >= 0) return fd;
    const int why = errno;
    // A file the user cannot write (read-only, left by another user, a folder) still takes the
    // lock: flock asks for no write access.
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0 && error) *error = std::strerror(why);
    return fd;
}

}  // namespace

std::optional<InstanceLock> InstanceLock::tryTake(const std::string& path, Outcome& outcome,
                                                  std::string* error) {
    const int fd = openToLock(path, error);
    if (fd < 0) {
        outcome = Outcome::Unavailable;
        return std::nullopt;
    }
    int locked = 0;
    do {
        locked = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        const int why = errno;
        ::close(fd);
        outcome = why == EWOULDBLOCK ? Outcome::Held : Outcome::Unavailable;
        if (error && outcome == Outcome::Unavailable) *error = std::strerror(why);
        return std::nullopt;
    }
    outcome = Outcome::Taken;
    return InstanceLock(fd);
}

void InstanceLock::setNote(const std::string& text) {
    if (fd_ < 0) return;
    // A reader that meets the note half written finds no socket there and looks again. A lock taken
    // on a read-only descriptor keeps whatever note it has: readers try their own socket after it.
    if (::ftruncate(fd_, 0) != 0) return;
    const auto written = ::pwrite(fd_, text.data(), text.size(), 0);
    (void)written;
}

std::string InstanceLock::noteOf(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) return {};
    std::array<char, kLongestNote> buffer{};
    const auto got = ::pread(fd, buffer.data(), buffer.size(), 0);
    ::close(fd);
    return got > 0 ? std::string(buffer.data(), static_cast<std::size_t>(got)) : std::string();
}

InstanceLock::InstanceLock(InstanceLock&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

InstanceLock& InstanceLock::operator=(InstanceLock&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

InstanceLock::~InstanceLock() {
    // Closing the only descriptor of the open file lets go of the lock.
    if (fd_ >= 0) ::close(fd_);
}
