#include "GreyJpeg.h"

namespace coretest {
namespace {

void marker(std::string& out, unsigned char code, const std::string& payload) {
    const std::size_t length = payload.size() + 2;
    out += '\xFF';
    out += static_cast<char>(code);
    out += static_cast<char>(length >> 8);
    out += static_cast<char>(length & 0xFF);
    out += payload;
}

std::string bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values) s += static_cast<char>(v);
    return s;
}

}  // namespace

std::string greyJpeg(int width, int height) {
    std::string out = bytes({0xFF, 0xD8});
    marker(out, 0xDB, bytes({0x00}) + std::string(64, '\x01'));  // quantisation table of ones
    marker(out, 0xC0, bytes({8, height >> 8, height & 0xFF, width >> 8, width & 0xFF, 1, 1, 0x11, 0}));
    // One code each, "0": DC difference category 0, and end of block.
    const std::string oneCode = bytes({1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x00});
    marker(out, 0xC4, bytes({0x00}) + oneCode);
    marker(out, 0xC4, bytes({0x10}) + oneCode);
    marker(out, 0xDA, bytes({1, 1, 0x00, 0, 63, 0}));
    // Two zero bits per block: every block is flat at the level shift, 128.
    const auto blocks = [](int side) { return static_cast<std::size_t>((side + 7) / 8); };
    const std::size_t bits = blocks(width) * blocks(height) * 2;
    out += std::string(bits / 8, '\0');
    if (bits % 8) out += static_cast<char>(0xFF >> (bits % 8));
    out += bytes({0xFF, 0xD9});
    return out;
}

}  // namespace coretest
