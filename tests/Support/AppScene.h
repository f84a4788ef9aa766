#pragma once
// The start that every screenshot program of the running application shares: its arguments
// (OUTDIR and light|dark), the application's own look in that style, the Qt main queue with
// animations at zero duration, waiting for a state while the event loop turns, and the window as
// the user sees it with its sheets and pop-ups.

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "App/Appearance.h"
#include "Controls/ScrollBarStyle.h"
#include "Controls/SystemAppearance.h"
#include "Platform/AppKit/AnimationClock.h"
#include "Platform/Dispatch/Qt/QtMainQueue.h"

namespace testsupport {

struct SceneArguments {
    QString out;
    QString style;  // "light" or "dark"
    bool dark = false;
};

// Absent, after printing the usage, when the arguments are missing.
inline std::optional<SceneArguments> startAppScene(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s OUTDIR light|dark\n", argv[0]);
        return std::nullopt;
    }
    SceneArguments scene{QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2])};
    scene.dark = scene.style == "dark";
    controls::installScrollBarStyle();
    QApplication::setPalette(paletteFor(scene.dark ? Appearance::VibrantDark : Appearance::Aqua));
    controls::SystemAppearance::instance().overrideDesktopIsDark(scene.dark);
    dispatch::Queue::setMainBackend(std::make_shared<dispatch::QtMainQueue>());
    appkit::AnimationClock::setDurationScale(0);
    return scene;
}

inline bool waitFor(const std::function<bool()>& done, int ms = 30000, int step = 50) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < ms) QTest::qWait(step);
    return done();
}

// `window` with every shown dialog, sheet and pop-up drawn over it where it stands on the screen:
// dialogs before pop-ups, each over the one it was opened from, each cut to its shape (a sheet's
// rounded corners).
inline QImage composedScreen(QWidget& window) {
    QImage image = window.grab().toImage();
    QPainter painter(&image);
    const auto rank = [](const QWidget* w) {
        int depth = 0;
        for (const QWidget* up = w->parentWidget(); up; up = up->parentWidget()) ++depth;
        return std::pair(w->windowType() == Qt::Popup, depth);
    };
    std::vector<QWidget*> tops;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top != &window && top->isVisible() &&
            (qobject_cast<QDialog*>(top) || top->windowType() == Qt::Popup))
            tops.push_back(top);
    std::stable_sort(tops.begin(), tops.end(),
                     [&](const QWidget* a, const QWidget* b) { return rank(a) < rank(b); });
    for (QWidget* top : tops) {
        const QPoint at = top->geometry().topLeft() - window.geometry().topLeft();
        painter.save();
        if (!top->mask().isEmpty()) painter.setClipRegion(top->mask().translated(at));
        painter.drawPixmap(at, top->grab());
        painter.restore();
    }
    return image;
}

}  // namespace testsupport
