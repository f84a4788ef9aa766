#include "Platform/AppKit/SheetDimmer.h"

#include <QEvent>
#include <QPainter>

namespace appkit {

SheetDimmer::SheetDimmer(QWidget* window) : QWidget(window) {
    setObjectName("SheetDimmer");
    setAttribute(Qt::WA_NoSystemBackground);
    setGeometry(window->rect());
    window->installEventFilter(this);
    raise();
    show();
}

void SheetDimmer::paintEvent(QPaintEvent*) {
    // A dark window needs a deeper shade than a light one for the dimming to read as such.
    const QPalette& colours = palette();
    const bool dark =
        colours.color(QPalette::Window).lightness() < colours.color(QPalette::WindowText).lightness();
    // The shade is the window's own colour taken near black, so it tints rather than greys.
    QColor shade = colours.color(QPalette::Window).darker(400);
    shade.setAlpha(dark ? 120 : 80);
    QPainter painter(this);
    painter.fillRect(rect(), shade);
}

bool SheetDimmer::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parent() && (event->type() == QEvent::Resize || event->type() == QEvent::ChildAdded)) {
        setGeometry(parentWidget()->rect());
        raise();
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace appkit
