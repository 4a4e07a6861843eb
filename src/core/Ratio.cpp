// Heights and widths in a ratio, and letterboxed frames, in extended precision.
#include "core/Ratio.h"

#include <cmath>
#include <optional>

namespace {

// Extended precision (80-bit on x86-64) for the work, double for what is stored.
using Extended = long double;
// Products of three 32-bit terms.
__extension__ using Int128 = __int128;

// The floating-point t carries a few units of rounding in the last place. When the exact t
// is an odd integer, noise just below it would truncate a whole pixel short and then round
// the wrong way to even. So whether the exact t, side * (a - b) / b with a and b products
// of two terms, is whole is decided in integers; only then does it replace the computed t.
// Near misses are not whole and keep the computed value.
std::optional<Extended> WholeBars(int32_t side, int64_t a, int64_t b) {
    const Int128 numerator = Int128{side} * (Int128{a} - b);
    if (b == 0 || numerator % b != 0) {
        return std::nullopt;
    }
    // Exact below 2^64; anything that large is refused by EvenBars anyway.
    return static_cast<Extended>(numerator / b);
}

// Bars are whole pixel pairs: the truncated amount, made even away from zero. Bars of 2^62
// pixels and more could not be added to a 64-bit frame; false then.
bool EvenBars(Extended t, int64_t& bars) {
    constexpr Extended limit = 4611686018427387904.0L; // 2^62
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
        // The screen is narrower than the picture: bars above and below; exactly
        // t = h * (px * sy - py * sx) / (py * sx).
        const Extended t = (w * r) * (static_cast<Extended>(sy) / sx) - h;
        const auto whole = WholeBars(height, int64_t{px} * sy, int64_t{py} * sx);
        if (EvenBars(whole.value_or(t), bars)) {
            frame.Height += bars;
        }
    } else {
        // As wide as the picture or wider: bars at the sides; exactly
        // t = w * (sx * py - sy * px) / (sy * px).
        const Extended t = ((static_cast<Extended>(sx) / sy) * h) / r - w;
        const auto whole = WholeBars(width, int64_t{sx} * py, int64_t{sy} * px);
        if (EvenBars(whole.value_or(t), bars)) {
            frame.Width += bars;
        }
    }
    return frame;
}

std::string ChooseText(bool cond, const std::string& a, const std::string& b) {
    return cond ? a : b;
}
