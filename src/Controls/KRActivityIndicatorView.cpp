#include "Controls/KRActivityIndicatorView.h"

#include <QShowEvent>
#include <cmath>
#include <mutex>

#include "Controls/KRActivityIndicatorAnimationBallClipRotateMultiple.h"

namespace controls {

namespace {

struct Defaults {
    KRActivityIndicatorType type = KRActivityIndicatorType::blank;
    cg::Color color = cg::Color::whiteColor();
    double padding = 0;
};

std::mutex gDefaultsMutex;

Defaults& defaultsLocked() {
    static Defaults values;  // made once, on first use
    return values;
}

Defaults defaults() {
    std::lock_guard lock(gDefaultsMutex);
    return defaultsLocked();
}

template <class Change>
void changeDefaults(Change change) {
    std::lock_guard lock(gDefaultsMutex);
    change(defaultsLocked());
}

}  // namespace

KRActivityIndicatorView::KRActivityIndicatorView(QWidget* parent)
    : appkit::View(parent), type_(defaults().type), color_(defaults().color), padding_(defaults().padding) {
    setHidden(true);
}

KRActivityIndicatorView::KRActivityIndicatorView(const cg::Rect& frame,
                                                 std::optional<KRActivityIndicatorType> type,
                                                 std::optional<cg::Color> color,
                                                 std::optional<double> padding, QWidget* parent)
    : appkit::View(parent),
      type_(type.value_or(defaults().type)),
      color_(color.value_or(defaults().color)),
      padding_(padding.value_or(defaults().padding)) {
    if (parent)
        setFrame(frame);
    else
        setGeometry(QRect(0, 0, static_cast<int>(frame.size.width), static_cast<int>(frame.size.height)));
    setHidden(true);
}

KRActivityIndicatorType KRActivityIndicatorView::defaultType() {
    return defaults().type;
}
void KRActivityIndicatorView::setDefaultType(KRActivityIndicatorType type) {
    changeDefaults([&](Defaults& d) { d.type = type; });
}
cg::Color KRActivityIndicatorView::defaultColor() {
    return defaults().color;
}
void KRActivityIndicatorView::setDefaultColor(cg::Color colour) {
    changeDefaults([&](Defaults& d) { d.color = colour; });
}
double KRActivityIndicatorView::defaultPadding() {
    return defaults().padding;
}
void KRActivityIndicatorView::setDefaultPadding(double padding) {
    changeDefaults([&](Defaults& d) { d.padding = padding; });
}

std::string KRActivityIndicatorView::typeName() const {
    return indicatortype::description(type_);
}

void KRActivityIndicatorView::setTypeName(const std::string& name) {
    if (const auto type = indicatortype::fromName(name)) type_ = *type;
}

double KRActivityIndicatorView::ringSize(cg::Size frame, double padding) {
    const double w = std::abs(frame.width - padding), h = std::abs(frame.height - padding);
    return std::min(w, h);
}

void KRActivityIndicatorView::startAnimating() {
    setHidden(false);
    isAnimating_ = true;
    setUpAnimation();
}

void KRActivityIndicatorView::stopAnimating() {
    setHidden(true);
    isAnimating_ = false;
    removeRings();
}

void KRActivityIndicatorView::setUpAnimation() {
    setWantsLayer(true);
    removeRings();
    KRActivityIndicatorAnimationBallClipRotateMultiple().setUpAnimation(
        *this, ringSize(frame().size, padding_), color_);
    layerDidChange();
}

void KRActivityIndicatorView::removeRings() {
    removeAllAnimations();
    if (layer()) {
        layer()->sublayers.clear();
        layerDidChange();
    }
}

void KRActivityIndicatorView::hideEvent(QHideEvent* event) {
    appkit::View::hideEvent(event);
    removeAllAnimations();  // no timer runs for a spinner nobody sees
}

void KRActivityIndicatorView::showEvent(QShowEvent* event) {
    appkit::View::showEvent(event);
    if (isAnimating_ && layer()) setUpAnimation();
}

}  // namespace controls
