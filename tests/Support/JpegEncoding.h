#pragma once
// JPEGs made by libjpeg itself, with the settings libvips' saver does not offer: restart markers every
// few rows of blocks, chroma halved at any quality, and a scan script of its own (a valid progressive
// JPEG of far more scans than encoders write by default). For tests; thread-safe.

#include <string>

namespace testsupport {

// `rgb` (width x height, 3 bytes a pixel, row after row) as a baseline JPEG at `quality`, its chroma
// halved both ways as most cameras and libraries write it, with a restart marker after every
// `restartRows` rows of blocks (none when 0).
std::string jpegOf(const std::string& rgb, int width, int height, int quality, int restartRows = 0);

// The same as a progressive JPEG of 380 scans: each coefficient of each channel in a scan of its own,
// first to all but its last bit and then refined.
std::string jpegOf380Scans(const std::string& rgb, int width, int height);

}  // namespace testsupport
