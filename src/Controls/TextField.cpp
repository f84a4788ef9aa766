#include "Controls/TextField.h"

#include <cmath>

#include <QFontMetricsF>
#include <QPainter>
#include <QPalette>

#include "Controls/DrawnStyle.h"
#include "Platform/AppKit/Fonts.h"
#include "Platform/AppKit/GuardedDispatch.h"
#include "Platform/AppKit/LayerPainter.h"

namespace controls {

namespace {
constexpr double kFitStepDelay = 0.02;
constexpr double kFitStep = 2;
constexpr double kSmallestFont = 1;
// QLineEdit keeps this much room on each side of its text inside the contents rectangle.
constexpr double kInnerMargin = 2;

bool isClear(const cg::Color& c) {
    return c == cg::Color::clear();
}
}  // namespace

TextField::TextField(QWidget* parent) : QLineEdit(parent), placeholderColor_(cg::Color::white(2.0 / 3.0)) {}

void TextField::setPlaceholderColor(cg::Color colour) {
    placeholderColor_ = colour;
    updatePlaceholder();
}

void TextField::updatePlaceholder() {
    if (placeholderText().isEmpty()) return;
    QPalette p = palette();
    p.setColor(QPalette::PlaceholderText, appkit::toQColor(placeholderColor_));
    setPalette(p);
    applyColors();
}

void TextField::setFontAutoSize(bool on) {
    fontAutoSize_ = on;
    autoSizeFont();
}

void TextField::setBorderColor(std::optional<cg::Color> colour) {
    borderColor_ = colour;
    update();
}

void TextField::setBorderWidth(double width) {
    borderWidth_ = width;
    update();
}

void TextField::setStringValue(const QString& value) {
    setText(value);
    updateFontSize_ = true;
    if (fontDefaultSize_ != 0) setFont(appkit::systemFont(fontDefaultSize_));
    fontAutoSize_ = true;
    autoSizeFont();
}

cg::Color TextField::textColor() const {
    return appkit::fromQColor(palette().color(QPalette::Text));
}

void TextField::setTextColor(cg::Color colour) {
    QPalette p = palette();
    p.setColor(QPalette::Text, appkit::toQColor(colour));
    setPalette(p);
    applyColors();
}

void TextField::awakeFromNib() {
    tracking_ = true;
    setAttribute(Qt::WA_Hover);
    applyColors();
}

void TextField::applyColors() {
    // The caret is drawn in the palette's text colour; keep the two in step whatever set them.
    QPalette p = palette();
    if (p.color(QPalette::Text) != p.color(QPalette::WindowText)) {
        p.setColor(QPalette::WindowText, p.color(QPalette::Text));
        setPalette(p);
    }
}

double TextField::currentFontSize() const {
    const QFont f = font();
    return f.pixelSize() > 0 ? f.pixelSize() : f.pointSizeF();
}

bool TextField::textFits() const {
    const QMargins margins = textMargins();
    const double room = contentsRect().width() - margins.left() - margins.right() - 2 * kInnerMargin;
    return QFontMetricsF(font()).horizontalAdvance(text()) <= room;
}

void TextField::autoSizeFont() {
    fitStep(++fittingPass_);
}

void TextField::fitStep(unsigned pass) {
    if (pass != fittingPass_) return;  // a newer pass took over
    if (fontDefaultSize_ == 0) fontDefaultSize_ = currentFontSize();
    if (textFits()) return;
    const double size = currentFontSize();
    if (fontMinSize_ > size) return;
    // A font of no size cannot be drawn and would never fit: the smallest step ends the pass.
    if (size - kFitStep < kSmallestFont) return;
    setFont(appkit::systemFont(size - kFitStep));
    appkit::postToMainAfter(this, kFitStepDelay, [this, pass] {
        fontAutoSize_ = true;
        fitStep(pass);
    });
}

void TextField::mouseEntered() {
    if (!isClear(borderHover_)) setBorderColor(borderHover_);
    applyColors();
}

void TextField::mouseExited() {
    if (!isFocused_) setBorderColor(borderColorBack_);
}

void TextField::enterEvent(QEnterEvent* event) {
    QLineEdit::enterEvent(event);
    if (tracking_) mouseEntered();
}

void TextField::leaveEvent(QEvent* event) {
    QLineEdit::leaveEvent(event);
    if (tracking_) mouseExited();
}

void TextField::mousePressEvent(QMouseEvent* event) {
    QLineEdit::mousePressEvent(event);
    mouseEntered();
}

void TextField::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    isFocused_ = true;
}

void TextField::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    isFocused_ = false;
    setBorderColor(borderColorBack_);
}

void TextField::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    if (!borderColor_ || borderWidth_ <= 0) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double half = borderWidth_ / 2;
    painter.setPen(QPen(appkit::toQColor(*borderColor_), borderWidth_));
    painter.setBrush(Qt::NoBrush);
    // Framed fields are rounded wells; the border follows their corners.
    const double radius = hasFrame() ? DrawnStyle::kFieldRadius : 0;
    painter.drawRoundedRect(QRectF(rect()).adjusted(half, half, -half, -half), radius, radius);
}

void TextField::setCell(std::optional<TextFieldCell> cell) {
    cell_ = std::move(cell);
    if (cell_)
        cell_->install(*this);
    else
        setTextMargins(0, 0, 0, 0);
    updateGeometry();
}

QSize TextField::sizeHint() const {
    const QSize base = QLineEdit::sizeHint();
    if (!cell_) return base;
    // The line edit counts its text margins in its size; the cell adds only height.
    const QMargins margins = textMargins();
    const cg::Size size =
        cell_->cellSizeForBounds({double(base.width() - margins.left() - margins.right()),
                                  double(base.height() - margins.top() - margins.bottom())});
    return QSize(static_cast<int>(std::ceil(size.width)), static_cast<int>(std::ceil(size.height)));
}

}  // namespace controls
