#pragma once
// DrawnStyle: the application's style for the stock widgets the drawn controls sit beside. Menus
// are raised off the window they open over: in the dark look a lighter surface than the window and
// a light one-pixel edge, in the light look a white surface with a grey edge, so a menu's outline
// shows over any window. Sliders are a thin rounded track filled with the accent up to a round
// knob. Main thread only.

#include <QProxyStyle>

namespace controls {

class DrawnStyle : public QProxyStyle {
  public:
    // Wraps `base` and owns it.
    explicit DrawnStyle(QStyle* base);

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
    QRect subElementRect(SubElement element, const QStyleOption* option,
                         const QWidget* widget = nullptr) const override;

    // The corner radius of a framed text field, and how far its text keeps from the side edges.
    static constexpr double kFieldRadius = 6;
    static constexpr int kFieldInset = 7;

    // A menu's surface and edge on `palette`.
    static QColor surfaceOn(const QPalette& palette);
    static QColor edgeOn(const QPalette& palette);
};

}  // namespace controls
