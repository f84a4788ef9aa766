#pragma once
// FMFilterable: an effect a job can apply to its images (an entry of the effect catalogue, or any
// other filter the set-up screens hand over). Implementations are immutable and may be applied from
// any thread.

#include <optional>
#include <string>

#include "Platform/Image/Image.h"

namespace core {

class FMFilterable {
  public:
    virtual ~FMFilterable() = default;
    // The filtered image; absent when the effect cannot be applied (the caller keeps its image).
    virtual std::optional<image::Image> apply(const image::Image& input) const = 0;
    // The name shown to the user ("Original", "Mono", ...).
    virtual std::string displayName() const = 0;
    // True for the catalogue's "Original" entry, which leaves images as they are.
    virtual bool isOriginal() const { return false; }
};

}  // namespace core
