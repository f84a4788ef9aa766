#pragma once
// Random words from the operating system's cryptographically secure source. Stateless; any thread.

#include <cstdint>

namespace foundation {

std::uint32_t secureRandom32();
std::uint64_t secureRandom64();

}  // namespace foundation
