#pragma once
// A colour as sRGB red, green, blue and alpha components in double precision (nominally 0...1;
// values outside are kept, as extended-range colours are). NSColor and CGColor both map to it.

namespace cg {

struct Color {
    double red = 0, green = 0, blue = 0, alpha = 1;

    static Color white(double w, double alpha = 1) { return {w, w, w, alpha}; }
    static Color clear() { return {0, 0, 0, 0}; }
    static Color black() { return {0, 0, 0, 1}; }
    static Color whiteColor() { return {1, 1, 1, 1}; }

    Color withAlpha(double a) const { return {red, green, blue, a}; }
    bool operator==(const Color&) const = default;
};

}  // namespace cg
