#include "App/Appearance.h"

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <QWidget>

namespace {
constexpr char kProperty[] = "vortaAppearance";
}

std::optional<Appearance> appearanceForMode(int mode) {
    switch (mode) {
        case -1:
            return std::nullopt;
        case 2:
        case 4:
        case 6:
        case 8:
            return Appearance::VibrantDark;
        case 3:
        case 7:
            return Appearance::VibrantLight;
        default:
            return Appearance::Aqua;
    }
}

QPalette paletteFor(Appearance appearance) {
    QPalette p = QApplication::style() ? QApplication::style()->standardPalette() : QPalette();
    const QColor accent(0, 122, 255);
    if (appearance == Appearance::VibrantDark) {
        const QColor text(235, 235, 240), dim(142, 142, 147);
        p.setColor(QPalette::Window, QColor(36, 36, 38));
        p.setColor(QPalette::WindowText, text);
        p.setColor(QPalette::Base, QColor(28, 28, 30));
        p.setColor(QPalette::AlternateBase, QColor(44, 44, 46));
        p.setColor(QPalette::Text, text);
        p.setColor(QPalette::Button, QColor(58, 58, 60));
        p.setColor(QPalette::ButtonText, text);
        p.setColor(QPalette::PlaceholderText, dim);
        p.setColor(QPalette::Mid, QColor(72, 72, 74));
        p.setColor(QPalette::ToolTipBase, QColor(58, 58, 60));
        p.setColor(QPalette::ToolTipText, text);
        p.setColor(QPalette::Disabled, QPalette::WindowText, dim);
        p.setColor(QPalette::Disabled, QPalette::ButtonText, dim);
        p.setColor(QPalette::Disabled, QPalette::Text, dim);
        // Disabled texts are etched with this colour: light would ghost them on a dark background.
        p.setColor(QPalette::Light, QColor(64, 64, 66));
    } else {
        const QColor text(28, 28, 30);
        p.setColor(QPalette::Window,
                   appearance == Appearance::VibrantLight ? QColor(246, 246, 248) : QColor(236, 236, 238));
        p.setColor(QPalette::WindowText, text);
        p.setColor(QPalette::Base, Qt::white);
        p.setColor(QPalette::Text, text);
        p.setColor(QPalette::Button, QColor(250, 250, 252));
        p.setColor(QPalette::ButtonText, text);
        const QColor dim(150, 150, 155);
        p.setColor(QPalette::Disabled, QPalette::WindowText, dim);
        p.setColor(QPalette::Disabled, QPalette::ButtonText, dim);
        p.setColor(QPalette::Disabled, QPalette::Text, dim);
    }
    p.setColor(QPalette::Highlight, accent);
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Link, accent);
    return p;
}

void setAppearance(QWidget& widget, Appearance appearance) {
    widget.setPalette(paletteFor(appearance));
    widget.setAutoFillBackground(widget.isWindow() || widget.autoFillBackground());
    widget.setProperty(kProperty, static_cast<int>(appearance));
}

std::optional<Appearance> appearanceOf(const QWidget& widget) {
    const QVariant v = widget.property(kProperty);
    if (!v.isValid()) return std::nullopt;
    return static_cast<Appearance>(v.toInt());
}
