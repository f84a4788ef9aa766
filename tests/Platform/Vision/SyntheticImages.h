#pragma once
// Generated test pictures for the detectors: a flat grey field with noise, optionally with one bright
// disc. Deterministic (fixed seed, mean grey 112).

#include <algorithm>
#include <cstdint>
#include <vector>

namespace visiontest {

struct GreyPicture {
    int width = 0, height = 0;
    std::vector<std::uint8_t> pixels;
};

inline GreyPicture noisyField(int width, int height, unsigned seed = 7) {
    GreyPicture p{width, height, std::vector<std::uint8_t>(std::size_t(width) * height)};
    // Sum of four uniform draws: close to normal around 90, cheap enough for a 96-megapixel field.
    std::uint32_t state = seed * 2654435761u + 1;
    const auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    };
    for (auto& v : p.pixels) {
        const std::uint32_t r = next();
        v = std::uint8_t(50 + (r & 0x1f) + ((r >> 8) & 0x1f) + ((r >> 16) & 0x1f) + ((r >> 24) & 0x1f));
    }
    return p;
}

inline void addDisc(GreyPicture& p, int cx, int cy, int radius, std::uint8_t value = 245) {
    for (int y = std::max(0, cy - radius); y < std::min(p.height, cy + radius + 1); ++y)
        for (int x = std::max(0, cx - radius); x < std::min(p.width, cx + radius + 1); ++x)
            if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius)
                p.pixels[std::size_t(y) * p.width + x] = value;
}

}  // namespace visiontest
