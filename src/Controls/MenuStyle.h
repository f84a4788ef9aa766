#pragma once
// MenuStyle: the application's style with menus raised off the window they open over: in the dark
// look a lighter surface than the window and a light one-pixel edge, in the light look a white
// surface with a grey edge, so a menu's outline shows over any window. Main thread only.

#include <QProxyStyle>

namespace controls {

class MenuStyle : public QProxyStyle {
  public:
    // Wraps `base` and owns it.
    explicit MenuStyle(QStyle* base);

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;

    // The menu's surface and edge on `palette`.
    static QColor surfaceOn(const QPalette& palette);
    static QColor edgeOn(const QPalette& palette);
};

}  // namespace controls
