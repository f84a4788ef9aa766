#include "Platform/AppKit/WindowEdge.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>

namespace appkit {

WindowEdge::WindowEdge(QWidget* window, int radius) : QWidget(window), radius_(radius) {
    setObjectName("WindowEdge");
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    window->installEventFilter(this);
    fitWindow();
    show();
}

void WindowEdge::fitWindow() {
    QWidget* window = parentWidget();
    setGeometry(window->rect());
    raise();
    if (radius_ <= 0 || window->size() == masked_) return;
    masked_ = window->size();
    QPainterPath outline;
    outline.addRoundedRect(QRectF(window->rect()), radius_, radius_);
    window->setMask(QRegion(outline.toFillPolygon().toPolygon()));
}

QColor WindowEdge::colourOn(const QPalette& palette) {
    const bool dark =
        palette.color(QPalette::Window).lightness() < palette.color(QPalette::WindowText).lightness();
    return dark ? QColor(255, 255, 255, 56) : QColor(0, 0, 0, 64);
}

void WindowEdge::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(colourOn(parentWidget() ? parentWidget()->palette() : palette()));
    painter.setBrush(Qt::NoBrush);
    if (radius_ <= 0) {
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), radius_ - 0.5, radius_ - 0.5);
}

bool WindowEdge::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parent() && (event->type() == QEvent::Resize || event->type() == QEvent::ChildAdded ||
                                event->type() == QEvent::LayoutRequest)) {
        fitWindow();
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace appkit
