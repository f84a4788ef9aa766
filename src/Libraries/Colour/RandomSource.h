#pragma once
// Where the colour library's random colours draw from. Callers may pass their own source (tests pass a
// scripted one); the system source is stateless and safe on any thread.

#include <cstdint>

namespace colour {

class RandomSource {
  public:
    virtual ~RandomSource() = default;
    // A uniformly distributed value in 0...upperBound - 1 (0 when upperBound is 0 or 1).
    virtual std::uint32_t uniform(std::uint32_t upperBound) = 0;
};

// The operating system's cryptographically secure source, without modulo bias.
RandomSource& systemRandom();

}  // namespace colour
