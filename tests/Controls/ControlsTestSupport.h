#pragma once
// Shared helpers of the control tests: the desktop's look pinned per test, pointer crossings, and
// pixel probes of grabbed widgets.

#include <QCoreApplication>
#include <QEnterEvent>
#include <QImage>
#include <QWidget>

#include "Controls/SystemAppearance.h"
#include "Controls/ViewAccent.h"
#include "Platform/AppKit/View.h"
#include "Support/UiTestFixture.h"

namespace controlstest {

inline const cg::Color kAccent{0, 0.48, 1, 1};

inline cg::Color rgb(double r, double g, double b) {
    return {r, g, b, 1};
}

// Each test starts on a light desktop with the accent above, accent colours offered and the
// process-wide accent switch off.
class ControlsTest : public testsupport::UiTest {
  protected:
    void SetUp() override {
        UiTest::SetUp();
        auto& appearance = controls::SystemAppearance::instance();
        appearance.overrideDesktopIsDark(false);
        appearance.overrideAccentColor(kAccent);
        appearance.setAccentColorsAvailable(true);
        appkit::View scratch;
        view::setColorAccent(scratch, false);
    }
    void TearDown() override {
        appkit::View scratch;
        view::setColorAccent(scratch, false);
        controls::SystemAppearance::instance().overrideDesktopIsDark(false);
        UiTest::TearDown();
    }
    void turnAccentOn() {
        appkit::View scratch;
        view::setColorAccent(scratch, true);
    }
};

inline void enter(QWidget& w) {
    QEnterEvent event(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QCoreApplication::sendEvent(&w, &event);
}

inline void leave(QWidget& w) {
    QEvent event(QEvent::Leave);
    QCoreApplication::sendEvent(&w, &event);
}

inline QImage grabImage(QWidget& w) {
    return w.grab().toImage().convertToFormat(QImage::Format_ARGB32);
}

// Channels within `tolerance` (0...255) of the colour.
inline bool near(QColor pixel, const cg::Color& c, int tolerance = 12) {
    auto ch = [](double v) { return static_cast<int>(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
    return std::abs(pixel.red() - ch(c.red)) <= tolerance &&
           std::abs(pixel.green() - ch(c.green)) <= tolerance &&
           std::abs(pixel.blue() - ch(c.blue)) <= tolerance;
}

inline int countPixelsNear(const QImage& image, const cg::Color& c, int tolerance = 40) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y).alpha() > 128 && near(image.pixelColor(x, y), c, tolerance)) ++n;
    return n;
}

inline bool colourNear(const cg::Color& a, const cg::Color& b, double eps = 1e-9) {
    return std::abs(a.red - b.red) < eps && std::abs(a.green - b.green) < eps &&
           std::abs(a.blue - b.blue) < eps && std::abs(a.alpha - b.alpha) < eps;
}

}  // namespace controlstest
