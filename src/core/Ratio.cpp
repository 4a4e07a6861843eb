#include "core/Ratio.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Extended precision (80-bit on x86-64) for the work, double for what is stored.
using Extended = long double;

// t comes from products and quotients of terms up to 2^31 and carries a few units of
// rounding in the last place of the larger operand. When the exact t is an odd integer,
// noise just below it would truncate a whole pixel short and then round the wrong way to
// even, so values that close to an integer count as that integer.
double SnapToInteger(double t, double magnitude) {
    const double nearest = std::nearbyint(t);
    const double tolerance = 16.0 * std::numeric_limits<double>::epsilon() * magnitude;
    return std::fabs(t - nearest) <= tolerance ? nearest : t;
}

// Bars are whole pixel pairs: the truncated amount, made even away from zero. Bars of 2^62
// pixels and more could not be added to a 64-bit frame; false then.
bool EvenBars(double t, int64_t& bars) {
    constexpr double limit = 4611686018427387904.0; // 2^62
    if (!std::isfinite(t) || std::fabs(t) >= limit) {
        return false;
    }
    bars = static_cast<int64_t>(t);
    bars += bars % 2;
    return true;
}

} // namespace

double HeightForWidth(int32_t x, int32_t y, int32_t width) {
    if (x == 0 || width == 0) {
        return 0.0;
    }
    const Extended q = static_cast<Extended>(x) / width;
    return static_cast<double>(y / q);
}

double WidthForHeight(int32_t x, int32_t y, int32_t height) {
    if (y == 0 || height == 0) {
        return 0.0;
    }
    const Extended q = static_cast<Extended>(y) / height;
    return static_cast<double>(x / q);
}

LetterboxFrame FitLetterbox(int32_t width, int32_t height, int32_t sx, int32_t sy, int32_t px,
                            int32_t py) {
    LetterboxFrame frame{width, height};
    if (width == 0 || height == 0 || sx == 0 || sy == 0 || px == 0 || py == 0) {
        return frame;
    }
    const Extended w = width;
    const Extended h = height;
    // The pixel aspect of the picture, and the two ratios, each stored as a double.
    const double r = static_cast<double>((static_cast<Extended>(px) / py) * h / w);
    const double p = static_cast<double>(static_cast<Extended>(px) / py);
    const double s = static_cast<double>(static_cast<Extended>(sx) / sy);

    int64_t bars = 0;
    if (s < p) {
        // The screen is narrower than the picture: bars above and below.
        const Extended grown = (w * r) * (static_cast<Extended>(sy) / sx);
        const double t = static_cast<double>(grown - h);
        const double magnitude = static_cast<double>(std::max(std::fabs(grown), std::fabs(h)));
        if (EvenBars(SnapToInteger(t, magnitude), bars)) {
            frame.Height += bars;
        }
    } else {
        // As wide as the picture or wider: bars at the sides.
        const Extended grown = ((static_cast<Extended>(sx) / sy) * h) / r;
        const double t = static_cast<double>(grown - w);
        const double magnitude = static_cast<double>(std::max(std::fabs(grown), std::fabs(w)));
        if (EvenBars(SnapToInteger(t, magnitude), bars)) {
            frame.Width += bars;
        }
    }
    return frame;
}

std::string ChooseText(bool cond, const std::string& a, const std::string& b) {
    return cond ? a : b;
}
