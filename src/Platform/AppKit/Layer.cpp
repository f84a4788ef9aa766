#include "Platform/AppKit/Layer.h"

#include <algorithm>

namespace appkit {

void Layer::insertSublayer(std::shared_ptr<Layer> layer, std::size_t index) {
    removeSublayer(layer.get());
    sublayers.insert(sublayers.begin() + static_cast<std::ptrdiff_t>(std::min(index, sublayers.size())),
                     std::move(layer));
}

void Layer::removeSublayer(const Layer* layer) {
    std::erase_if(sublayers, [layer](const auto& l) { return l.get() == layer; });
}

double Layer::presented(const std::string& keyPath) const {
    if (auto it = presentation.find(keyPath); it != presentation.end()) return it->second;
    if (keyPath == KeyPath::opacity) return opacity;
    if (keyPath == KeyPath::scale) return scale;
    if (keyPath == KeyPath::rotation) return rotationZ;
    if (keyPath == KeyPath::positionX) return positionOffset.x;
    if (keyPath == KeyPath::positionY) return positionOffset.y;
    if (keyPath == KeyPath::strokeEnd) return strokeEnd;
    if (keyPath == KeyPath::strokeStart) return strokeStart;
    return 0;
}

}  // namespace appkit
