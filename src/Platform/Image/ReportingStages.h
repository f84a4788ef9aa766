#pragma once
// Pipeline stages whose pixels are computed on threads that report to a log (see WarningLog.h): for
// images libvips decodes on threads of its own. Thread-safe.

#include <vips/vips8>

#include <memory>
#include <optional>

#include "Platform/Image/WarningLog.h"

namespace image::detail {

// `image` unchanged, except that the threads computing its pixels report to `log` meanwhile, and a
// failure to compute them is recorded there: for a pipeline libvips runs on threads of its own.
vips::VImage reportingTo(const vips::VImage& image, std::shared_ptr<WarningLog> log);

// `decoder` (an image opened for sequential access) as an image that any pipeline may read in any
// order: on first use its pixels are decoded once, in memory (on disc when very large), with
// everything its decoder reports, while decoding and when it closes right after, going to `log`.
// A failure to decode is recorded in `log` too, and every later read fails likewise.
vips::VImage decodedReportingTo(const vips::VImage& decoder, std::shared_ptr<WarningLog> log);

}  // namespace image::detail
