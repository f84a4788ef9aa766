#pragma once
// Four palettes of ready-made opaque colours: Social (27), Material (256 stored colours plus 19 hue names
// that are the very same objects as their shade 500), CSS (148 keywords) and FlatUI (20). Each colour is
// made on its first use under its own thread-safe once-guard and then shared, unchanged, until the
// process ends; any thread may read them.

#include "Platform/Graphics/Color.h"

namespace colour {

#define VORTA_PALETTE_COLOUR(name, hex) const cg::Color& name();
#define VORTA_MATERIAL_ALIAS(name, shade500) const cg::Color& name();

#include "Libraries/Colour/PaletteNamespaces.def"

#undef VORTA_MATERIAL_ALIAS
#undef VORTA_PALETTE_COLOUR

}  // namespace colour
