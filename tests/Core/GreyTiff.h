#pragma once
// A valid baseline TIFF (uncompressed 8-bit RGB, one strip) whose pixels are all mid-grey, written by
// hand so that a test can add any tag an encoder would not write: a private one, a camera's.

#include <cstdint>
#include <string>
#include <vector>

namespace coretest {

struct TiffTag {
    std::uint16_t tag = 0;
    std::uint16_t type = 0;  // TIFF field type: 1 BYTE, 2 ASCII, 3 SHORT, 4 LONG, ...
    std::uint32_t count = 0;
    std::string value;  // the value's bytes, little-endian
};

// `extraTags` join the baseline's tags; one with a baseline tag's number replaces it. `afterHeader`
// goes between the 8-byte header and the first directory, where a CR2 keeps its signature.
std::string greyTiff(int width, int height, const std::vector<TiffTag>& extraTags = {},
                     const std::string& afterHeader = {});

}  // namespace coretest
