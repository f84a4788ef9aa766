#include "Libraries/Colour/RandomSource.h"

#include <sys/random.h>

#include <cerrno>
#include <random>

namespace colour {
namespace {

std::uint32_t secureWord() {
    std::uint32_t word = 0;
    auto* bytes = reinterpret_cast<unsigned char*>(&word);
    std::size_t filled = 0;
    while (filled < sizeof word) {
        const ssize_t got = getrandom(bytes + filled, sizeof word - filled, 0);
        if (got > 0) {
            filled += static_cast<std::size_t>(got);
        } else if (got < 0 && errno != EINTR) {
            // No kernel source: the library's random colours still need a value.
            return std::random_device{}();
        }
    }
    return word;
}

class SystemRandom final : public RandomSource {
  public:
    std::uint32_t uniform(std::uint32_t upperBound) override {
        if (upperBound < 2) return 0;
        // Reject the low words that would make some results more likely than others.
        const std::uint32_t threshold = static_cast<std::uint32_t>(-upperBound) % upperBound;
        for (;;) {
            const std::uint32_t word = secureWord();
            if (word >= threshold) return word % upperBound;
        }
    }
};

}  // namespace

RandomSource& systemRandom() {
    static SystemRandom source;
    return source;
}

}  // namespace colour
