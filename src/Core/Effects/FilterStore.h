#pragma once
// FilterStore: runs one filter over an image, and keeps the process-wide list of configured filters
// of the filter framework, built once on the first application. Thread-safe: the list is built
// under the language's once-only initialisation and never changed.

#include "Platform/Image/Filter.h"
#include "Platform/Image/Image.h"

#include <optional>
#include <vector>

namespace core {

class FilterStore {
  public:
    // The image through `filter`, the same size as the image. A filter that takes no image (a
    // generator) fills the image's extent instead. When the filter gives nothing, the very same
    // image is returned.
    static image::Image apply(const ci::Filter& filter, const image::Image& image);

    // The 14 configured entries: an empty one first, then one per framework filter (absent when the
    // framework has no filter of that name). Built on first use.
    static const std::vector<std::optional<ci::Filter>>& filters();
};

}  // namespace core
