#pragma once
// The look of the screenshot scenes: the given style (Fusion when none) with a light or a dark
// palette and the system-blue highlight.

#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

namespace testsupport {

inline void applySceneStyle(QApplication& app, bool dark, QStyle* style = nullptr) {
    app.setStyle(style ? style : QStyleFactory::create("Fusion"));
    QPalette palette = app.style()->standardPalette();
    if (dark) {
        palette.setColor(QPalette::Window, QColor(44, 44, 46));
        palette.setColor(QPalette::WindowText, QColor(235, 235, 240));
        palette.setColor(QPalette::Base, QColor(30, 30, 32));
        palette.setColor(QPalette::Text, QColor(235, 235, 240));
        palette.setColor(QPalette::Button, QColor(58, 58, 60));
        palette.setColor(QPalette::ButtonText, QColor(235, 235, 240));
    }
    palette.setColor(QPalette::Highlight, QColor(0, 122, 255));
    app.setPalette(palette);
}

}  // namespace testsupport
