#include "stage_tool/lab_colour.h"

#include <cmath>

namespace kaleidra::stage_tool {

namespace {

double linearFromSrgb(std::uint8_t channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double labCurve(double t) {
    constexpr double epsilon = 216.0 / 24389.0;
    constexpr double kappa = 24389.0 / 27.0;
    return t > epsilon ? std::cbrt(t) : (kappa * t + 16.0) / 116.0;
}

}  // namespace

Lab labFromRgb(Rgb colour) {
    const double r = linearFromSrgb(colour.r);
    const double g = linearFromSrgb(colour.g);
    const double b = linearFromSrgb(colour.b);
    // sRGB to XYZ, relative to the D65 white point.
    const double x = (0.4124564 * r + 0.3575761 * g + 0.1804375 * b) / 0.95047;
    const double y = 0.2126729 * r + 0.7151522 * g + 0.0721750 * b;
    const double z = (0.0193339 * r + 0.1191920 * g + 0.9503041 * b) / 1.08883;
    const double fx = labCurve(x);
    const double fy = labCurve(y);
    const double fz = labCurve(z);
    return Lab{116.0 * fy - 16.0, 500.0 * (fx - fy), 200.0 * (fy - fz)};
}

double labDistanceSquared(const Lab& x, const Lab& y) {
    const double dl = x.l - y.l;
    const double da = x.a - y.a;
    const double db = x.b - y.b;
    return dl * dl + da * da + db * db;
}

}  // namespace kaleidra::stage_tool
