#include "Platform/Foundation/RegularFileReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace foundation {

RegularFileReader::RegularFileReader(const std::filesystem::path& file) {
    // Without O_NONBLOCK, opening a named pipe waits for a writer that may never come.
    const int descriptor = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) return;
    struct stat info {};
    if (::fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(descriptor);
        return;
    }
    descriptor_ = descriptor;
}

RegularFileReader::~RegularFileReader() {
    if (descriptor_ >= 0) ::close(descriptor_);
}

bool RegularFileReader::read(std::uint64_t offset, unsigned char* out, std::size_t size) const {
    if (descriptor_ < 0) return false;
    std::size_t got = 0;
    while (got < size) {
        const ssize_t n = ::pread(descriptor_, out + got, size - got, off_t(offset + got));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        got += std::size_t(n);
    }
    return true;
}

}  // namespace foundation
