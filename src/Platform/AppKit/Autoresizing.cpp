#include "Platform/AppKit/Autoresizing.h"

#include <algorithm>

namespace appkit {

namespace {
void resizeAxis(double& origin, double& size, double delta, bool flexMin, bool flexSize, bool flexMax) {
    const int flexible = int(flexMin) + int(flexSize) + int(flexMax);
    if (flexible == 0 || delta == 0) return;
    const double share = delta / flexible;
    if (flexMin) origin += share;
    if (flexSize) size = std::max(0.0, size + share);
}
}  // namespace

cg::Rect autoresized(cg::Rect f, unsigned mask, double dw, double dh) {
    using namespace Autoresizing;
    resizeAxis(f.origin.x, f.size.width, dw, mask & MinXMargin, mask & WidthSizable, mask & MaxXMargin);
    resizeAxis(f.origin.y, f.size.height, dh, mask & MinYMargin, mask & HeightSizable, mask & MaxYMargin);
    return f;
}

}  // namespace appkit
