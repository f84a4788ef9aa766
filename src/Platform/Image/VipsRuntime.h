#pragma once
// Starts libvips once per process, on first use, from whichever thread gets here first. Every entry
// point of this layer calls it, so callers never initialise libvips themselves. Thread-safe.

namespace image::detail {

void ensureVipsStarted();

}  // namespace image::detail
