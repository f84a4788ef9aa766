#pragma once
// LazyThumbnail: a record's small preview, made from its file the first time it is asked for and
// kept from then on. Filling a record decodes no pixels, and a list of thousands of images holds
// only the previews that were shown. Copies share the one preview. Thread-safe: the first caller
// makes it, concurrent callers wait for that one result.

#include <atomic>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>

#include "Platform/Image/Image.h"

namespace core {

class LazyThumbnail {
  public:
    // A preview of the file at `file` whose long side is at most `maxPixelSize` pixels.
    LazyThumbnail(std::filesystem::path file, int maxPixelSize);

    // The preview; absent when the file cannot be read as an image.
    std::optional<image::Image> image() const;

    // Whether the preview has been made (by this handle or a copy).
    bool isMade() const;

  private:
    struct State {
        std::filesystem::path file;
        int maxPixelSize;
        std::once_flag once;
        std::atomic<bool> made{false};
        std::optional<image::Image> image;
    };
    std::shared_ptr<State> state_;
};

}  // namespace core
