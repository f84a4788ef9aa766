#include "App/WindowController.h"

#include "App/AppDelegate.h"
#include "App/Appearance.h"
#include "Platform/AppKit/StoryboardIdentifiers.h"

std::array<bool, 3> hiddenTitleBarButtons(int toolbarButtons) {
    switch (toolbarButtons) {
        case 0:
            return {true, true, true};
        case 1:
            return {false, true, true};
        case 2:
            return {false, false, true};
        default:
            return {false, false, false};
    }
}

void WindowController::windowDidLoad() {
    appkit::WindowController::windowDidLoad();
    appkit::Window* w = window();
    if (frameAutosaveName) w->setFrameAutosaveName(ids::position, appSettings());
    if (toolbarTransparent) w->titlebarAppearsTransparent = true;
    if (fullSizeContent) w->fullSizeContentView = true;
    if (movableByBG) w->movableByWindowBackground = true;
    if (transparentBG) w->backgroundColor = cg::Color{0.3133952, 0.39462218, 0.65432966, 0.0};
    if (opaque) w->isOpaque = true;
    w->bottomContentBorderThickness = footerThickness;
    using Button = appkit::Window::StandardButton;
    const auto hidden = hiddenTitleBarButtons(toolbarButtons);
    w->setStandardButtonHidden(Button::Close, hidden[0]);
    w->setStandardButtonHidden(Button::Miniaturize, hidden[1]);
    w->setStandardButtonHidden(Button::Zoom, hidden[2]);
    if (const auto appearance = appearanceForMode(appearanceMode)) setAppearance(*w, *appearance);
    if (headerThickness != -1.0) positionWindowButtons(headerThickness);
}

// The window manager draws the title bar and places its buttons: a taller header is accepted and
// ignored.
void WindowController::positionWindowButtons(double) {}
