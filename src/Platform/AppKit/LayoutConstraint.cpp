#include "Platform/AppKit/LayoutConstraint.h"

#include <cmath>

namespace appkit {

LayoutConstraint::LayoutConstraint(QWidget* view, Attribute attribute, double constant)
    : QObject(view), view_(view), attribute_(attribute) {
    setConstant(constant);
}

LayoutConstraint::LayoutConstraint(QObject* owner, std::function<void(double)> apply, double constant)
    : QObject(owner), apply_(std::move(apply)) {
    setConstant(constant);
}

void LayoutConstraint::setConstant(double constant) {
    constant_ = std::isfinite(constant) ? constant : 0;
    if (apply_) {
        apply_(constant_);
        return;
    }
    if (!view_) return;
    const int px = static_cast<int>(std::lround(std::max(0.0, constant_)));
    switch (attribute_) {
        case Attribute::Width:
            view_->setFixedWidth(px);
            break;
        case Attribute::Height:
            view_->setFixedHeight(px);
            break;
        case Attribute::MaximumWidth:
            view_->setMaximumWidth(px);
            break;
        case Attribute::MaximumHeight:
            view_->setMaximumHeight(px);
            break;
    }
}

}  // namespace appkit
