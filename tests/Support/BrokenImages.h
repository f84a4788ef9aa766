#pragma once
// Damage made to valid image files, as a disc or a transfer would make it. For tests.

#include <string>

namespace testsupport {

// The GIF with 64 zero bytes in the middle of its first frame's data, a sub-block's length among them:
// the frame's data ends part way.
std::string withZeroedFrameData(std::string gif);

}  // namespace testsupport
