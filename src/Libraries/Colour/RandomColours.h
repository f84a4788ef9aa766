#pragma once
// Random colours: any colour, light ones and dark ones, all opaque. Any thread (the random source's
// contract permitting).

#include "Libraries/Colour/RandomSource.h"
#include "Platform/Graphics/Color.h"

namespace colour {

// Three independent random bytes, each / 255.
cg::Color random(RandomSource& source = systemRandom());

// Red 140...255, green and blue 140...240.
cg::Color randomLight(RandomSource& source = systemRandom());

// Red 70...200, green and blue 70...170.
cg::Color randomDark(RandomSource& source = systemRandom());

namespace detail {
// A draw below `bound` even from a source that breaks its contract.
std::uint32_t drawBelow(RandomSource& source, std::uint32_t bound);
}  // namespace detail

}  // namespace colour
