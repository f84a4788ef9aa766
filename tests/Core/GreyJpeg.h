#pragma once
// A valid baseline JPEG of any size whose pixels are all mid-grey, written by hand in a few bytes
// per block, so tests can have a large photo on disk without an encoder or a fixture.

#include <string>

namespace coretest {

std::string greyJpeg(int width, int height);

}  // namespace coretest
