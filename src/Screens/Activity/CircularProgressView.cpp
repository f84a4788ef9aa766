#include "Screens/Activity/CircularProgressView.h"

#include <cmath>

CircularProgressView::CircularProgressView(QWidget* parent) : appkit::View(parent) {
    setWantsLayer(true);
}

std::shared_ptr<CircularBarLayer> CircularProgressView::makeBar(cg::Color color, double startAngle,
                                                                double endAngle, double radius,
                                                                double lineWidth) {
    const cg::Point center{std::floor(width() * 0.5), std::floor(height() * 0.5)};
    auto bar =
        std::make_shared<CircularBarLayer>(color, isLineCap, center, radius, lineWidth, startAngle, endAngle);
    // The path is in the view's own coordinates: the layer covers the view as it is now.
    bar->frame = bounds();
    bar->setHost(this);
    return bar;
}

void CircularProgressView::addBar(cg::Color color, double startAngle, double endAngle, double progress,
                                  double radius, double lineWidth, double duration, float shadowOpacity,
                                  double shadowRadius) {
    auto bar = makeBar(color, startAngle, endAngle, radius, lineWidth);
    bar->shadowColor = color;
    bar->shadowRadius = shadowRadius;
    bar->shadowOpacity = shadowOpacity;
    bar->shadowOffset = {0, 0};
    if (appkit::Layer* root = layer()) root->addSublayer(bar);
    bars_.push_back(bar);
    if (duration > 0.0)
        bar->animateStrokeEnd(progress, duration);
    else
        bar->setProgress(progress);
    layerDidChange();
}

void CircularProgressView::addTrackBar(cg::Color color, double startAngle, double endAngle, double radius,
                                       double lineWidth) {
    auto bar = makeBar(color, startAngle, endAngle, radius, lineWidth);
    bar->setProgress(1.0);
    if (appkit::Layer* root = layer()) root->addSublayer(bar);
    layerDidChange();
}

CircularBarLayer* CircularProgressView::barAt(std::size_t index) const {
    return index < bars_.size() ? bars_[index].get() : nullptr;
}
