#pragma once
// A valid progressive JPEG of far more scans than encoders write by default, made by libjpeg from a
// scan script of its own: each coefficient of each channel in a scan of its own, first to all but its
// last bit and then refined. For tests; thread-safe.

#include <string>

namespace testsupport {

// `rgb` (width x height, 3 bytes a pixel, row after row) as such a JPEG of 380 scans.
std::string jpegOf380Scans(const std::string& rgb, int width, int height);

}  // namespace testsupport
