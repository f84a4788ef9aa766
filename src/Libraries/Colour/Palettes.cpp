#include "Libraries/Colour/Palettes.h"

#include "Libraries/Colour/Construction.h"

namespace colour {

// Function-local statics are the once-guards: made on first use, safe under concurrent first use.
#define VORTA_PALETTE_COLOUR(name, hex)                  \
    const cg::Color& name() {                            \
        static const cg::Color colour = fromRGBHex(hex); \
        return colour;                                   \
    }
#define VORTA_MATERIAL_ALIAS(name, shade500) \
    const cg::Color& name() {                \
        return shade500();                   \
    }

#include "Libraries/Colour/PaletteNamespaces.def"

#undef VORTA_MATERIAL_ALIAS
#undef VORTA_PALETTE_COLOUR

}  // namespace colour
