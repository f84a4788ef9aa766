#include "Controls/MenuStyle.h"

#include <QPainter>
#include <QStyleOption>

namespace controls {

namespace {

bool isDark(const QPalette& palette) {
    return palette.color(QPalette::Window).lightness() < palette.color(QPalette::WindowText).lightness();
}

// The base style paints a menu and each of its items with the palette's base colour lightened by
// 8 %; the base colour handed to it is the surface taken back by as much.
QStyleOptionMenuItem onSurface(const QStyleOptionMenuItem& item) {
    QStyleOptionMenuItem raised(item);
    const QColor surface = MenuStyle::surfaceOn(item.palette);
    raised.palette.setColor(QPalette::Base, QColor::fromHsvF(surface.hsvHueF(), surface.hsvSaturationF(),
                                                             surface.valueF() / 1.08f));
    return raised;
}

}  // namespace

MenuStyle::MenuStyle(QStyle* base) : QProxyStyle(base) {}

QColor MenuStyle::surfaceOn(const QPalette& palette) {
    return isDark(palette) ? QColor(44, 44, 47) : QColor(255, 255, 255);
}

QColor MenuStyle::edgeOn(const QPalette& palette) {
    return isDark(palette) ? QColor(96, 96, 102) : QColor(188, 188, 194);
}

void MenuStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                              const QWidget* widget) const {
    // The panel carries its own edge: the base style gives menus no separate frame.
    if (element == PE_PanelMenu || element == PE_FrameMenu) {
        painter->save();
        if (element == PE_PanelMenu) painter->fillRect(option->rect, surfaceOn(option->palette));
        painter->setPen(edgeOn(option->palette));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
        painter->restore();
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void MenuStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                            const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element == CE_MenuItem && item) {
        const QStyleOptionMenuItem raised = onSurface(*item);
        QProxyStyle::drawControl(element, &raised, painter, widget);
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

}  // namespace controls
