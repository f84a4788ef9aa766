#include "Controls/ViewScrollAuto.h"

#include <algorithm>

#include "Extensions/AppKit/ViewHelpers.h"

namespace controls {

ViewScrollAuto::ViewScrollAuto(QWidget* parent) : appkit::View(parent), random_(std::random_device{}()) {}

void ViewScrollAuto::setDoAuto(bool value) {
    doAuto_ = value;
    arrangeHorizontally();
}

void ViewScrollAuto::setAutoRandom(bool value) {
    autoRandom_ = value;
    shuffleSubviews();
}

void ViewScrollAuto::setDoAutoHeight(bool value) {
    doAutoHeight_ = value;
    arrangeVertically();
}

void ViewScrollAuto::arrangeHorizontally() {
    const cg::Rect own = frame();
    double x = own.origin.x;
    for (QWidget* sub : subviews()) {
        const cg::Rect f = frameOf(sub);
        setFrameOf(sub, cg::Rect(x, f.origin.y, f.size.width, f.size.height));
        if (!sub->isHidden()) x += f.size.width;
    }
    setFrame(cg::Rect(own.origin.x, own.origin.y, x - own.origin.x, own.size.height));
}

void ViewScrollAuto::arrangeVertically() {
    const cg::Rect own = frame();
    double y = own.origin.y;
    for (QWidget* sub : subviews()) {
        const cg::Rect f = frameOf(sub);
        setFrameOf(sub, cg::Rect(f.origin.x, y, f.size.width, f.size.height));
        if (!sub->isHidden()) y += f.size.height;
    }
    setFrame(cg::Rect(own.origin.x, own.origin.y, own.size.width, y - own.origin.y));
}

void ViewScrollAuto::shuffleSubviews() {
    std::vector<QWidget*> others = subviews();
    if (others.empty()) return;
    QWidget* first = others.front();
    others.erase(others.begin());
    std::shuffle(others.begin(), others.end(), random_);
    view::removeAllSubviews(*this);
    addSubview(first);
    view::addSubviews(*this, others);
    doAuto_ = true;
    arrangeHorizontally();
}

}  // namespace controls
