#pragma once
// SliderStyle: the application's style with sliders drawn as the drawn controls are: a thin
// rounded track filled with the accent up to a round knob, in the light and the dark look alike.
// Main thread only.

#include <QProxyStyle>

namespace controls {

class SliderStyle : public QProxyStyle {
  public:
    // Wraps `base` and owns it.
    explicit SliderStyle(QStyle* base);

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
};

}  // namespace controls
