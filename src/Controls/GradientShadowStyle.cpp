#include "Controls/GradientShadowStyle.h"

#include "Platform/AppKit/GuardedDispatch.h"

namespace controls {

namespace {
constexpr double kRefreshDelay = 0.1;
}

GradientShadowStyle::GradientShadowStyle(appkit::View& host, bool roundGradient, cg::Size shadowOffset)
    : host_(host), roundGradient_(roundGradient), shadowOffset_(shadowOffset) {}

void GradientShadowStyle::setGradientOn(bool on) {
    gradientOn_ = on;
    appkit::postToMainAfter(&host_, kRefreshDelay, [this] { setUpGradientLayer(); });
}

void GradientShadowStyle::setShadowOn(bool on) {
    shadowOn_ = on;
    appkit::postToMainAfter(&host_, kRefreshDelay, [this] { setUpShadow(); });
}

void GradientShadowStyle::setUpGradientLayer() {
    if (!gradientOn_) return;
    host_.setWantsLayer(true);
    appkit::Layer& root = *host_.layer();
    root.masksToBounds = true;
    gradientLayer_->frame = host_.bounds();
    gradientLayer_->colors = {topColor_, bottomColor_};
    gradientLayer_->startPoint = startPoint_;
    gradientLayer_->endPoint = endPoint_;
    root.insertSublayer(gradientLayer_, 0);
    gradientLayer_->autoresizingMask =
        appkit::Autoresizing::WidthSizable | appkit::Autoresizing::HeightSizable;
    if (roundGradient_) gradientLayer_->cornerRadius = root.cornerRadius;
    gradientLayer_->masksToBounds = true;
    host_.layerDidChange();
}

void GradientShadowStyle::setUpShadow() {
    if (!shadowOn_) return;
    host_.setWantsLayer(true);
    if (appkit::View* super = host_.superview()) super->setWantsLayer(true);
    appkit::Layer& root = *host_.layer();
    root.shadowOpacity = shadowOpacity_;
    root.shadowColor = shadowColor_;
    root.shadowOffset = shadowOffset_;
    root.shadowRadius = shadowRadius_;
    root.masksToBounds = false;
    host_.layerDidChange();
}

}  // namespace controls
