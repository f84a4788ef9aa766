#include "Platform/AppKit/DropShadow.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>

namespace appkit {

namespace {
constexpr int kSpread = 18;
constexpr int kDrop = 5;
constexpr int kLayerAlpha = 9;
}  // namespace

void paintDropShadow(QPainter& painter, const QRect& caster, int radius) {
    if (caster.isEmpty()) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    // Faint layers, each a little larger, add up to a shade that is darkest at the edge and fades
    // outwards; the whole is lowered a little, as light from above would cast it.
    const QRectF base = QRectF(caster).translated(0, kDrop);
    painter.setBrush(QColor(0, 0, 0, kLayerAlpha));
    for (int d = kSpread; d >= 1; d -= 2)
        painter.drawRoundedRect(base.adjusted(-d, -d, d, d), d + 4 + radius, d + 4 + radius);
    if (radius > 0) {
        painter.restore();
        return;
    }
    // A hairline right at the edge, so even a window of the same colour is set off.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0, 0, 0, 60), 1.0));
    painter.drawRect(QRectF(caster).adjusted(-0.5, -0.5, 0.5, 0.5));
    painter.restore();
}

DropShadow::DropShadow(QWidget* window, QWidget* caster, int radius)
    : QWidget(window), caster_(caster), radius_(radius) {
    setObjectName("DropShadow");
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(window->rect());
    window->installEventFilter(this);
    if (caster) caster->installEventFilter(this);
    raise();
    show();
}

QRect DropShadow::casterFrame() const {
    if (!caster_ || !caster_->isVisible() || !parentWidget()) return {};
    // Under a window manager a window that became active was raised over the caster: it casts
    // nothing on it then.
    if (parentWidget()->isActiveWindow() && !caster_->isActiveWindow() && !caster_->isModal()) return {};
    return QRect(mapFromGlobal(caster_->mapToGlobal(QPoint(0, 0))), caster_->size());
}

void DropShadow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintDropShadow(painter, casterFrame(), radius_);
}

bool DropShadow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::Resize:
        case QEvent::ChildAdded:
            if (watched == parent()) {
                setGeometry(parentWidget()->rect());
                raise();
            }
            update();
            break;
        case QEvent::Move:
        case QEvent::Show:
        case QEvent::Hide:
        case QEvent::WindowActivate:
        case QEvent::WindowDeactivate:
            update();
            break;
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace appkit
