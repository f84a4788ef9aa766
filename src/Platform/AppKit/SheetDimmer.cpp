#include "Platform/AppKit/SheetDimmer.h"

#include <QEvent>
#include <QPainter>

namespace appkit {

SheetDimmer::SheetDimmer(QWidget* window, QWidget* sheet, int radius)
    : DropShadow(window, sheet, radius), sheet_(sheet) {
    setObjectName("SheetDimmer");
    // The shade takes the clicks meant for the window behind.
    setAttribute(Qt::WA_TransparentForMouseEvents, false);
    if (sheet) connect(sheet, &QObject::destroyed, this, &QObject::deleteLater);
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
    paintDropShadow(painter, casterFrame(), casterRadius());
}

bool SheetDimmer::eventFilter(QObject* watched, QEvent* event) {
    if (sheet_ && watched == sheet_ && event->type() == QEvent::Hide) {
        hide();
        deleteLater();
    }
    return DropShadow::eventFilter(watched, event);
}

}  // namespace appkit
