#include "Controls/ButtonBase.h"

#include <QEnterEvent>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "Controls/BackgroundStyleText.h"
#include "Controls/ImageOperations.h"
#include "Controls/SystemAppearance.h"
#include "Platform/AppKit/LayerPainter.h"

namespace controls {

namespace {

constexpr double kTitleMargin = 8;
constexpr double kImageGap = 4;

QFont defaultFont(const QWidget& widget) {
    QFont font = widget.font();
    font.setPixelSize(13);
    return font;
}

}  // namespace

ButtonBase::ButtonBase(QWidget* parent) : appkit::View(parent) {
    setFont(defaultFont(*this));
    connect(&SystemAppearance::instance(), &SystemAppearance::changed, this,
            [this] { interfaceStyleDidChange(); });
}

void ButtonBase::setTitle(const QString& title) {
    attributedTitle_.runs.clear();
    if (!title.isEmpty()) attributedTitle_.runs.push_back({title, {font(), std::nullopt}});
    updateGeometry();
    update();
}

void ButtonBase::setAttributedTitle(AttributedTitle title) {
    attributedTitle_ = std::move(title);
    updateGeometry();
    update();
}

void ButtonBase::setImage(std::shared_ptr<ButtonImage> image) {
    image_ = std::move(image);
    update();
}

void ButtonBase::setState(StateValue state) {
    state_ = state;
    update();
}

void ButtonBase::setBordered(bool bordered) {
    bordered_ = bordered;
    update();
}

void ButtonBase::setShowsBorderOnlyWhileMouseInside(bool only) {
    bordersOnlyInside_ = only;
    setAttribute(Qt::WA_Hover, true);
    update();
}

void ButtonBase::setCell(std::unique_ptr<ButtonCell> cell) {
    cell_ = std::move(cell);
    updateGeometry();
    update();
}

void ButtonBase::advanceState() {
    if (type_ == ButtonType::MomentaryPushIn) return;
    // Three-state buttons go on, off, mixed, on, as the platform cycles them.
    switch (state_) {
        case StateValue::On:
            state_ = StateValue::Off;
            break;
        case StateValue::Off:
            state_ = allowsMixedState_ ? StateValue::Mixed : StateValue::On;
            break;
        case StateValue::Mixed:
            state_ = StateValue::On;
            break;
    }
    update();
}

void ButtonBase::performClick() {
    if (!isEnabled()) return;
    advanceState();
    if (action_) action_(*this);
}

int ButtonBase::addTrackingRect() {
    trackingTags_.push_back(nextTrackingTag_);
    return nextTrackingTag_++;
}

void ButtonBase::removeTrackingRect(int tag) {
    std::erase(trackingTags_, tag);
}

cg::Color ButtonBase::effectiveTitleColor() const {
    const auto own = attributedTitle_.attributesAt(0).foregroundColor;
    cg::Color c = own && own->alpha > 0 ? *own : SystemAppearance::labelColor(interfacestyle::current());
    if (!isEnabled()) c.alpha *= 0.5;
    return c;
}

QRectF ButtonBase::interiorRect() const {
    const cg::Rect bounds(0, 0, width(), height());
    const cg::Rect r = cell_ ? cell_->interiorFrame(bounds) : bounds;
    return QRectF(r.origin.x, r.origin.y, r.size.width, r.size.height);
}

QSize ButtonBase::sizeHint() const {
    double w = 2 * kTitleMargin, h = 22;
    for (const auto& run : attributedTitle_.runs)
        w += QFontMetricsF(run.attributes.font.value_or(font())).horizontalAdvance(run.text);
    if (image_ && !image_->pixels.isNull()) {
        w += image_->pixels.width() + (attributedTitle_.runs.empty() ? 0 : kImageGap);
        h = std::max(h, double(image_->pixels.height()) + 6);
    }
    cg::Size size{w, h};
    if (cell_) size = cell_->cellSizeForBounds({w, h});
    return QSize(static_cast<int>(std::ceil(size.width)), static_cast<int>(std::ceil(size.height)));
}

void ButtonBase::drawBezel(QPainter& painter, const QRectF& rect) {
    const InterfaceStyle style = interfacestyle::current();
    QColor face = appkit::toQColor(SystemAppearance::bezelColor(style));
    if (pressed_ && mouseInside_) face = face.darker(115);
    if (state_ != StateValue::Off && type_ != ButtonType::MomentaryPushIn) face = face.darker(108);
    painter.setPen(QPen(appkit::toQColor(SystemAppearance::bezelFrameColor(style)), 1));
    painter.setBrush(face);
    painter.drawRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), 5, 5);
}

void ButtonBase::drawContent(QPainter& painter) {
    const bool hasBackground = layer() && layer()->backgroundColor;
    if (bordered_ && !hasBackground && (!bordersOnlyInside_ || mouseInside_))
        drawBezel(painter, QRectF(rect()));

    const QRectF area = interiorRect();
    const cg::Color titleColour = effectiveTitleColor();
    double textWidth = 0, textHeight = 0;
    for (const auto& run : attributedTitle_.runs) {
        const QFontMetricsF metrics(run.attributes.font.value_or(font()));
        textWidth += metrics.horizontalAdvance(run.text);
        textHeight = std::max(textHeight, metrics.height());
    }
    QImage picture;
    if (image_ && !image_->pixels.isNull()) {
        picture = image_->isTemplate ? image::tinted(image_->pixels, titleColour) : image_->pixels;
        if (!isEnabled()) picture = image::tinted(picture, titleColour);
    }
    const double gap = picture.isNull() || textWidth == 0 ? 0 : kImageGap;
    const double total = textWidth + gap + (picture.isNull() ? 0 : picture.width());
    double x = area.left() + std::max(0.0, (area.width() - total) / 2);
    if (!picture.isNull()) {
        painter.drawImage(QPointF(x, area.top() + (area.height() - picture.height()) / 2), picture);
        x += picture.width() + gap;
    }
    const double baselineTop = area.top() + (area.height() - textHeight) / 2;
    for (const auto& run : attributedTitle_.runs) {
        const QFont runFont = run.attributes.font.value_or(font());
        const QFontMetricsF metrics(runFont);
        cg::Color c = run.attributes.foregroundColor.value_or(titleColour);
        if (c.alpha <= 0) c = titleColour;  // an invisible title colour is never used
        if (!isEnabled()) c.alpha = std::min(c.alpha, titleColour.alpha);
        painter.setFont(runFont);
        drawTitleOnBackground(painter, QPointF(x, baselineTop + metrics.ascent()), run.text, c,
                              backgroundStyle_);
        x += metrics.horizontalAdvance(run.text);
    }
}

void ButtonBase::enterEvent(QEnterEvent* event) {
    appkit::View::enterEvent(event);
    mouseInside_ = true;
    update();
    if (!trackingTags_.empty() || bordersOnlyInside_) mouseEntered();
}

void ButtonBase::leaveEvent(QEvent* event) {
    appkit::View::leaveEvent(event);
    mouseInside_ = false;
    update();
    if (!trackingTags_.empty() || bordersOnlyInside_) mouseExited();
}

void ButtonBase::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return appkit::View::mousePressEvent(event);
    pressed_ = true;
    update();
}

void ButtonBase::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed_) return appkit::View::mouseReleaseEvent(event);
    pressed_ = false;
    update();
    if (rect().contains(event->position().toPoint())) performClick();
}

void ButtonBase::changeEvent(QEvent* event) {
    appkit::View::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) update();
}

}  // namespace controls
