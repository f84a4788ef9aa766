#pragma once
// Ninety-five fixed opaque colours (fixed01 ... fixed95) and three opaque greys. Each call makes its
// colour anew; nothing is shared. Any thread.

#include "Platform/Graphics/Color.h"

namespace colour {

#define VORTA_FIXED_COLOUR(name, hex) cg::Color name();
#include "Libraries/Colour/FixedColours.def"
#undef VORTA_FIXED_COLOUR

cg::Color grey25();  // white level 0.25
cg::Color grey50();  // white level 0.5
cg::Color grey75();  // white level 0.75

}  // namespace colour
