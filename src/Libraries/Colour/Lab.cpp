#include "Libraries/Colour/Lab.h"

#include <cmath>

#include "Libraries/Colour/ComponentGuard.h"
#include "Libraries/Colour/Components.h"

namespace colour {
namespace {

constexpr double whiteX = 0.95047;
constexpr double whiteZ = 1.08883;
constexpr double epsilon = 0.008856;  // (6/29)^3
constexpr double slope = 7.787;       // (29/6)^2 / 3
constexpr double offset = 16.0 / 116.0;

double labInverse(double f) {
    const double cube = f * f * f;
    return cube > epsilon ? cube : (f - 0.13793103448276) / slope;
}

double labForward(double t) {
    return t > epsilon ? std::cbrt(t) : slope * t + offset;
}

double compand(double linear) {
    return linear > 0.0031308 ? 1.055 * std::pow(linear, 0.41666666666667) - 0.055 : 12.92 * linear;
}

double linearise(double c) {
    const double magnitude = std::fabs(c);
    const double linear =
        magnitude <= 0.04045 ? magnitude / 12.92 : std::pow((magnitude + 0.055) / 1.055, 2.4);
    return std::copysign(linear, c);
}

}  // namespace

cg::Color fromLab(double L, double a, double b, double alpha) {
    const double fy = (L + 16) / 116;
    const double fx = a / 500 + fy;
    const double fz = fy - b / 200;
    const double x = labInverse(fx) * whiteX;
    const double y = labInverse(fy);
    const double z = labInverse(fz) * whiteZ;
    const double r = 3.2406 * x - 1.5372 * y - 0.4986 * z;
    const double g = -0.9689 * x + 1.8758 * y + 0.0415 * z;
    const double bl = 0.0557 * x - 0.204 * y + 1.057 * z;
    return detail::makeRGBA(compand(r), compand(g), compand(bl), alpha);
}

XYZ xyz(const cg::Color& c) {
    const RGBA v = rgba(c);
    const double r = linearise(v.red), g = linearise(v.green), b = linearise(v.blue);
    return {0.4124564 * r + 0.3575761 * g + 0.1804375 * b, 0.2126729 * r + 0.7151522 * g + 0.0721750 * b,
            0.0193339 * r + 0.1191920 * g + 0.9503041 * b};
}

Lab lab(const cg::Color& c) {
    const XYZ v = xyz(c);
    const double fx = labForward(v.x / whiteX);
    const double fy = labForward(v.y);
    const double fz = labForward(v.z / whiteZ);
    return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

double labL(const cg::Color& c) {
    return lab(c).L;
}
double labA(const cg::Color& c) {
    return lab(c).a;
}

}  // namespace colour
