#include "Controls/ViewAccent.h"

#include <atomic>

#include "Controls/SystemAppearance.h"

namespace view {

namespace {
std::atomic<bool> gColorAccent{false};  // one switch for the whole process
}

bool colorAccent(const appkit::View&) {
    return gColorAccent;
}

void setColorAccent(appkit::View& view, bool on) {
    gColorAccent = on;
    if (!on) return;
    auto& appearance = controls::SystemAppearance::instance();
    if (!appearance.accentColorsAvailable() || !view.layer()) return;
    view.layer()->backgroundColor = appearance.controlAccentColor();
    view.layerDidChange();
}

cg::Color background(const appkit::View& view) {
    const appkit::Layer* layer = view.layer();
    return layer && layer->backgroundColor ? *layer->backgroundColor : cg::Color::clear();
}

void setBackground(appkit::View& view, std::optional<cg::Color> colour) {
    view.setWantsLayer(true);
    view.layer()->backgroundColor = colour;
    view.layerDidChange();
}

double alpha(const appkit::View& view) {
    return view.alphaValue();
}

void setAlpha(appkit::View& view, double alpha) {
    view.setAlphaValue(alpha);
}

}  // namespace view
