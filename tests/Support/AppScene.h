#pragma once
// The start that every screenshot program of the running application shares: its arguments
// (OUTDIR and light|dark), the application's own look in that style, the Qt main queue with
// animations at zero duration, and waiting for a state while the event loop turns.

#include <QApplication>
#include <QElapsedTimer>
#include <QString>
#include <QTest>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>

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

}  // namespace testsupport
