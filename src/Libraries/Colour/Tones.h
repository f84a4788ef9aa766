#pragma once
// Three fixed lists of soft colours (light tones, the deeper tones of roughly the same hues entry by
// entry, and a mixed set) and random picks and pairs from them. Each list is made anew on every call.
// Any thread (the random source's contract permitting).

#include <array>
#include <vector>

#include "Libraries/Colour/RandomSource.h"
#include "Platform/Graphics/Color.h"

namespace colour {

std::vector<cg::Color> lightTones();  // 11 colours
std::vector<cg::Color> deepTones();   // 11 colours, entry i a deeper shade of lightTones()[i]
std::vector<cg::Color> mixedTones();  // 21 colours

// A random light tone.
cg::Color randomFlat(RandomSource& source = systemRandom());

// The deep and the light tone at one random index, each with its brightness x (1 + factor).
std::array<cg::Color, 2> randomTonePair(double factor, RandomSource& source = systemRandom());

// A light tone less 0.25 on red, green and blue (floored at 0), then the same light tone itself.
std::array<cg::Color, 2> randomShadedPair(RandomSource& source = systemRandom());

}  // namespace colour
