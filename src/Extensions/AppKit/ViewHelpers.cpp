#include "Extensions/AppKit/ViewHelpers.h"

#include <cmath>
#include <cstdint>

namespace view {

cg::Size size(const QWidget& view) {
    return appkit::View::frameOf(&view).size;
}

void setSize(QWidget& view, cg::Size size) {
    setWidth(view, size.width);
    setHeight(view, size.height);
}

double width(const QWidget& view) {
    return appkit::View::frameOf(&view).size.width;
}

void setWidth(QWidget& view, double width) {
    cg::Rect frame = appkit::View::frameOf(&view);
    frame.size.width = width;
    appkit::View::setFrameOf(&view, frame);
}

double height(const QWidget& view) {
    return appkit::View::frameOf(&view).size.height;
}

void setHeight(QWidget& view, double height) {
    cg::Rect frame = appkit::View::frameOf(&view);
    frame.size.height = height;
    appkit::View::setFrameOf(&view, frame);
}

void removeAllSubviews(appkit::View& view) {
    for (QWidget* subview : view.subviews()) appkit::View::removeFromSuperview(subview);
}

void addSubviews(appkit::View& view, const std::vector<QWidget*>& subviews) {
    for (QWidget* subview : subviews) view.addSubview(subview);
}

std::optional<cg::Color> borderColor(const appkit::LayerHost& view) {
    const appkit::Layer* layer = view.layer();
    return layer ? layer->borderColor : std::nullopt;
}

void setBorderColor(appkit::LayerHost& view, std::optional<cg::Color> colour) {
    view.setWantsLayer(true);
    view.layer()->borderColor = colour;
    view.layerDidChange();
}

double borderWidth(const appkit::LayerHost& view) {
    const appkit::Layer* layer = view.layer();
    return layer ? layer->borderWidth : 0;
}

void setBorderWidth(appkit::LayerHost& view, double width) {
    view.setWantsLayer(true);
    view.layer()->borderWidth = width;
    view.layerDidChange();
}

double cornerRadius(const appkit::LayerHost& view) {
    const appkit::Layer* layer = view.layer();
    return layer ? layer->cornerRadius : 0;
}

void setCornerRadius(appkit::LayerHost& view, double radius) {
    view.setWantsLayer(true);
    appkit::Layer* layer = view.layer();
    layer->masksToBounds = true;
    const double hundredfold = radius * 100;
    // 2^63 is exactly representable; anything at or beyond it does not fit.
    constexpr double limit = 9223372036854775808.0;
    if (std::isfinite(hundredfold) && hundredfold > -limit && hundredfold < limit) {
        const auto whole = static_cast<std::int64_t>(hundredfold);
        layer->cornerRadius = std::fabs(static_cast<double>(whole)) / 100;
    }
    view.layerDidChange();
}

std::optional<cg::Color> backgroundColor(const appkit::LayerHost& view) {
    const appkit::Layer* layer = view.layer();
    return layer ? layer->backgroundColor : std::nullopt;
}

void setBackgroundColor(appkit::LayerHost& view, std::optional<cg::Color> colour) {
    view.setWantsLayer(true);
    view.layer()->backgroundColor = colour;
    view.layerDidChange();
}

}  // namespace view
