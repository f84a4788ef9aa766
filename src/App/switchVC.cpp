#include "App/switchVC.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

#include "App/AppDefaults.h"
#include "App/AppDelegate.h"
#include "Platform/AppKit/GuardedDispatch.h"
#include "Platform/AppKit/StoryboardIdentifiers.h"
#include "Platform/AppKit/Window.h"

cg::Size maxSizeCoveringScreens(cg::Size current, const std::vector<cg::Size>& screens,
                                std::optional<cg::Size> mainScreen) {
    if (screens.empty()) return mainScreen.value_or(current);
    for (const auto& s : screens) {
        current.width = std::max(current.width, s.width);
        current.height = std::max(current.height, s.height);
    }
    return current;
}

void switchVC::viewDidLoad() {
    const bool welcomeDone = appSettings().integer(appkeys::isShowFirst) == 1;
    performSegue(welcomeDone ? ids::SlideLeft_Tabbar : ids::Segue_Welocme);
    fitWindowMaxSize();
}

void switchVC::fitWindowMaxSize() {
    if (appSettings().integer(appkeys::isShowFirst) != 1) return;
    if (tryFitWindowMaxSize()) return;
    appkit::retryOnMain(this, [this] { return tryFitWindowMaxSize(); });
}

bool switchVC::tryFitWindowMaxSize() {
    AppDelegate* delegate = appDelegate();
    if (!delegate || !delegate->tabBarVC || !delegate->tabBarVC->isViewLoaded()) return false;
    appkit::Window* window = delegate->tabBarVC->window();
    if (!window) return false;
    std::vector<cg::Size> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.emplace_back(screen->geometry().width(), screen->geometry().height());
    std::optional<cg::Size> mainScreen;
    if (const QScreen* primary = QGuiApplication::primaryScreen())
        mainScreen = cg::Size(primary->geometry().width(), primary->geometry().height());
    const QSize max = window->maximumSize();
    window->setMaxSize(maxSizeCoveringScreens(cg::Size(max.width(), max.height()), screens, mainScreen));
    window->setStandardButtonHidden(appkit::Window::StandardButton::Zoom, false);
    return true;
}
