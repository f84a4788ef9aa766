#include "Core/Records/LazyThumbnail.h"

#include "Platform/Image/Thumbnail.h"

namespace core {

LazyThumbnail::LazyThumbnail(std::filesystem::path file, int maxPixelSize)
    : state_(std::make_shared<State>()) {
    state_->file = std::move(file);
    state_->maxPixelSize = maxPixelSize;
}

std::optional<image::Image> LazyThumbnail::image() const {
    State& state = *state_;
    std::call_once(state.once, [&state] {
        const double side = state.maxPixelSize;
        state.image = image::thumbnail(state.file, cg::Size{side, side});
        state.made = true;
    });
    return state.image;
}

bool LazyThumbnail::isMade() const {
    return state_->made;
}

}  // namespace core
