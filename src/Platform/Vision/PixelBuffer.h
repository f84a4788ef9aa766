#pragma once
// A read-only view of 8-bit interleaved pixels (grey, grey+alpha, RGB or RGBA) handed to the detectors.
// It owns nothing: the pixels must outlive every use of the view. A plain value, safe anywhere.

#include <cstddef>
#include <cstdint>

namespace vision {

struct PixelBuffer {
    int width = 0;
    int height = 0;
    int channels = 0;  // 1 grey, 2 grey + alpha, 3 RGB, 4 RGBA
    const std::uint8_t* data = nullptr;
    std::size_t bytesPerRow = 0;  // 0: rows are packed (width × channels bytes)

    bool isValid() const {
        return width > 0 && height > 0 && channels >= 1 && channels <= 4 && data != nullptr &&
               (bytesPerRow == 0 || bytesPerRow >= std::size_t(width) * std::size_t(channels));
    }
};

}  // namespace vision
