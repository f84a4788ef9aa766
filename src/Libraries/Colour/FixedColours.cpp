#include "Libraries/Colour/FixedColours.h"

#include "Libraries/Colour/Construction.h"

namespace colour {

#define VORTA_FIXED_COLOUR(name, hex) \
    cg::Color name() {                \
        return fromRGBHex(hex);       \
    }
#include "Libraries/Colour/FixedColours.def"
#undef VORTA_FIXED_COLOUR

cg::Color grey25() {
    return cg::Color::white(0.25);
}
cg::Color grey50() {
    return cg::Color::white(0.5);
}
cg::Color grey75() {
    return cg::Color::white(0.75);
}

}  // namespace colour
