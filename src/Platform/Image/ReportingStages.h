#pragma once
// Pipeline stages whose pixels are computed on threads that report to a log (see WarningLog.h): for
// images libvips decodes on threads of its own. Thread-safe.

#include <vips/vips8>

#include <functional>
#include <memory>
#include <optional>

#include "Platform/Image/WarningLog.h"

namespace image::detail {

// `image` unchanged, except that the threads computing its pixels report to `log` meanwhile, and a
// failure to compute them is recorded there: for a pipeline libvips runs on threads of its own.
vips::VImage reportingTo(const vips::VImage& image, std::shared_ptr<WarningLog> log);

// A second decoder of the same image (opened for sequential access), for when the first fails, given
// what the first reported; absent when there is none or the first's failure is not one it can help.
using DecoderFallback = std::function<std::optional<vips::VImage>(const WarningLog& firstReports)>;

// `decoder` (an image opened for sequential access) as an image that any pipeline may read in any
// order: on first use its pixels are decoded once, in memory (on disc when very large), with
// everything its decoder reports, while decoding and when it closes right after, going to `log`.
// When that decode fails, `fallback`'s decoder is tried, and only what the one that served reports
// is kept. A failure to decode is recorded in `log` too, and every later read fails likewise.
vips::VImage decodedReportingTo(const vips::VImage& decoder, std::shared_ptr<WarningLog> log,
                                DecoderFallback fallback = {});

}  // namespace image::detail
