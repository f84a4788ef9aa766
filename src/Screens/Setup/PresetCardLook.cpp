#include "Screens/Setup/PresetCardLook.h"

#include "Controls/InterfaceStyle.h"
#include "Platform/AppKit/View.h"

void applyCardEdge(appkit::View& card) {
    const bool dark = controls::interfacestyle::current() == controls::InterfaceStyle::Dark;
    card.setWantsLayer(true);
    appkit::Layer* layer = card.layer();
    layer->cornerRadius = 10;
    layer->borderWidth = 1;
    layer->borderColor = dark ? cg::Color::white(1, 0.14) : cg::Color::white(0, 0.12);
    card.layerDidChange();
}
