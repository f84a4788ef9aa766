#include "Support/BrokenImages.h"

#include <cstdint>
#include <vector>

namespace testsupport {

std::string withZeroedFrameData(std::string gif) {
    std::size_t at = 13;
    if (std::uint8_t(gif[10]) & 0x80) at += 3u << ((std::uint8_t(gif[10]) & 7) + 1);
    while (gif[at] == '\x21') {  // extensions, each a run of sub-blocks
        at += 2;
        while (gif[at] != 0) at += std::uint8_t(gif[at]) + 1u;
        ++at;
    }
    const std::uint8_t flags = std::uint8_t(gif[at + 9]);
    at += 10 + ((flags & 0x80) ? 3u << ((flags & 7) + 1) : 0) + 1;
    std::vector<std::size_t> blocks;
    for (; gif[at] != 0; at += std::uint8_t(gif[at]) + 1u) blocks.push_back(at);
    gif.replace(blocks[blocks.size() / 2] - 32, 64, std::string(64, '\0'));
    return gif;
}

}  // namespace testsupport
