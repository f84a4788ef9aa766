#include "Platform/Foundation/SecureRandom.h"

#include <sys/random.h>

#include <cerrno>
#include <cstddef>
#include <random>

namespace foundation {

namespace {

template <typename Word>
Word secureWord() {
    Word word = 0;
    auto* bytes = reinterpret_cast<unsigned char*>(&word);
    std::size_t filled = 0;
    while (filled < sizeof word) {
        const ssize_t got = getrandom(bytes + filled, sizeof word - filled, 0);
        if (got > 0) {
            filled += static_cast<std::size_t>(got);
        } else if (got < 0 && errno != EINTR) {
            // No kernel source: callers still need a value.
            std::random_device device;
            return static_cast<Word>((static_cast<std::uint64_t>(device()) << 32) ^ device());
        }
    }
    return word;
}

}  // namespace

std::uint32_t secureRandom32() {
    return secureWord<std::uint32_t>();
}

std::uint64_t secureRandom64() {
    return secureWord<std::uint64_t>();
}

}  // namespace foundation
