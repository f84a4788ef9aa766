#include "Extensions/ImageExtensions.h"

#include <cmath>
#include <string_view>

#include "Platform/Foundation/AtomicFile.h"
#include "Platform/Image/ImageEncoding.h"
#include "Platform/Image/ImageGeometry.h"

namespace found {

std::optional<image::Image> scaledByLongerSide(const image::Image& source, double width, double height) {
    const auto w = static_cast<float>(source.width()), h = static_cast<float>(source.height());
    if (w <= 0 || h <= 0) return std::nullopt;
    const float factor = h < w ? static_cast<float>(width) / w : static_cast<float>(height) / h;
    const float newWidth = factor * w, newHeight = factor * h;
    if (!std::isfinite(newWidth) || !std::isfinite(newHeight)) return std::nullopt;
    return image::resized(source, {std::trunc(newWidth), std::trunc(newHeight)});
}

bool writeBitmap(const image::Image& source, const std::filesystem::path& file, image::FileType type,
                 std::optional<double> compressionFactor, std::string* error) {
    const auto bytes = image::encodedData(source, type, compressionFactor, error);
    if (!bytes) return false;
    return foundation::writeFileAtomically(
        file, std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()), error);
}

}  // namespace found
