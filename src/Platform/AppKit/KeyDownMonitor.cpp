#include "Platform/AppKit/KeyDownMonitor.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace appkit {

KeyDownMonitor::KeyDownMonitor(QObject* owner, std::function<bool(QKeyEvent&)> handler)
    : QObject(owner), handler_(std::move(handler)) {
    qApp->installEventFilter(this);
}

KeyDownMonitor::~KeyDownMonitor() {
    if (qApp) qApp->removeEventFilter(this);
}

bool KeyDownMonitor::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !handler_) return false;
    // A key press that the focus widget ignores travels on to its parents; take it only at its
    // first receiver.
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget) return false;
    QWidget* first = QApplication::focusWidget();
    if (!first) first = QApplication::activeWindow();
    if (first && widget != first) return false;
    return handler_(*static_cast<QKeyEvent*>(event));
}

}  // namespace appkit
