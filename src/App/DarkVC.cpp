#include "App/DarkVC.h"

#include "App/Appearance.h"
#include "Platform/AppKit/Window.h"

void DarkVC::viewWillAppear() {
    if (appkit::Window* w = window()) setAppearance(*w, Appearance::VibrantDark);
    setAppearance(*view(), Appearance::VibrantDark);
}
