#include "Platform/AppKit/ArrayController.h"

namespace appkit {

void ArrayController::rearrangeObjects() {
    arranged_.clear();
    if (!content_) return;
    for (const auto& object : *content_)
        if (!filter_ || filter_->evaluate(object)) arranged_.push_back(object);
}

}  // namespace appkit
