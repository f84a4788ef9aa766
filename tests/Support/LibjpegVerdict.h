#pragma once
// libjpeg's own verdict on a JPEG, called directly: a judge of test files other than libvips, so that a
// file a test calls valid or damaged is what the test says it is.

#include <cstddef>
#include <string>

namespace testsupport {

struct LibjpegVerdict {
    // Every row decoded and the image data read to its end, without a word of corrupt or missing data
    // (bytes skipped before a marker, or an unknown JFIF revision, are no such word).
    bool readsWhole = false;
    std::size_t warnings = 0;  // all of them, harmless ones included
    int width = 0;
    int height = 0;
    std::string words;  // the first word of corrupt data, or the error that stopped the decoder
};

LibjpegVerdict libjpegVerdict(const std::string& jpeg);

}  // namespace testsupport
