#include "Controls/CheckBox.h"

#include <QPainter>

#include "Controls/InterfaceStyle.h"
#include "Controls/SystemAppearance.h"
#include "Platform/AppKit/LayerPainter.h"

namespace controls {

namespace {

QImage checkImage(bool ticked, InterfaceStyle style) {
    const bool dark = style == InterfaceStyle::Dark;
    QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (ticked) {
        p.setPen(Qt::NoPen);
        p.setBrush(appkit::toQColor(SystemAppearance::instance().controlAccentColor()));
        p.drawRoundedRect(QRectF(1, 1, 14, 14), 3.5, 3.5);
        p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF({QPointF(4.5, 8.2), QPointF(7, 10.8), QPointF(11.5, 5.2)}));
    } else {
        p.setPen(QPen(dark ? QColor(150, 150, 156) : QColor(140, 140, 146), 1.2));
        p.setBrush(dark ? QColor(44, 44, 46) : Qt::white);
        p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 3.5, 3.5);
    }
    return image;
}

}  // namespace

CheckBox::CheckBox(const QString& title, QWidget* parent) : Button(parent) {
    setBordered(false);
    setButtonType(ButtonType::PushOnPushOff);
    QFont f = font();
    f.setPixelSize(13);
    setFont(f);
    setTitle(title);
    showState();
    setFixedHeight(24);
    setMinimumWidth(sizeHint().width() + 8);
    setCursor(Qt::PointingHandCursor);
    setAccessibleName(title);
    awakeFromNib();
}

void CheckBox::setChecked(bool checked) {
    setState(checked ? StateValue::On : StateValue::Off);
    showState();
}

void CheckBox::mouseReleaseEvent(QMouseEvent* event) {
    Button::mouseReleaseEvent(event);
    showState();
}

void CheckBox::interfaceStyleDidChange() {
    showState();
    Button::interfaceStyleDidChange();
}

void CheckBox::showState() {
    setImage(ButtonImage::make(checkImage(isChecked(), interfacestyle::current())));
}

}  // namespace controls
