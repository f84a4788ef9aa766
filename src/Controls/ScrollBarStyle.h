#pragma once
// ScrollBarStyle: the application's style with thin scroll bars drawn from the widget's own palette,
// so their handle stands out from the groove under the light and the dark look alike. They have no
// stepper arrows: the groove is the whole bar. Main thread only.

#include <QProxyStyle>

namespace controls {

class ScrollBarStyle : public QProxyStyle {
  public:
    // Wraps `base` (the Fusion style when null) and owns it.
    explicit ScrollBarStyle(QStyle* base = nullptr);

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                         const QWidget* widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
};

// Installs the application's style: these scroll bars, wrapping the Fusion style, under the menus
// and sliders of DrawnStyle.
void installScrollBarStyle();

}  // namespace controls
