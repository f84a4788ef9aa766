#include "Platform/AppKit/WindowEdge.h"

#include <QEvent>
#include <QPainter>

namespace appkit {

WindowEdge::WindowEdge(QWidget* window) : QWidget(window) {
    setObjectName("WindowEdge");
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(window->rect());
    window->installEventFilter(this);
    raise();
    show();
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
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

bool WindowEdge::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parent() && (event->type() == QEvent::Resize || event->type() == QEvent::ChildAdded ||
                                event->type() == QEvent::LayoutRequest)) {
        setGeometry(parentWidget()->rect());
        raise();
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace appkit
