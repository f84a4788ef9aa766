#include "Libraries/Colour/RandomSource.h"

#include "Platform/Foundation/SecureRandom.h"

namespace colour {
namespace {

class SystemRandom final : public RandomSource {
  public:
    std::uint32_t uniform(std::uint32_t upperBound) override {
        if (upperBound < 2) return 0;
        // Reject the low words that would make some results more likely than others.
        const std::uint32_t threshold = static_cast<std::uint32_t>(-upperBound) % upperBound;
        for (;;) {
            const std::uint32_t word = foundation::secureRandom32();
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
