// Greatest common divisors and ratios in lowest terms.
#include "core/brueche.h"

#include <limits>

int32_t Gcd(int32_t a, int32_t b) {
    // 64-bit remainders: INT32_MIN % -1 overflows in 32 bits.
    int64_t x = a;
    int64_t y = b;
    while (y != 0) {
        const int64_t r = x % y;
        x = y;
        y = r;
    }
    // x is always one of the arguments or a remainder smaller in magnitude, so it fits.
    return static_cast<int32_t>(x);
}

std::pair<int32_t, int32_t> ReduceRatio(int32_t x, int32_t y) {
    const int64_t g = Gcd(x, y);
    if (g == 0) {
        return {x, y};
    }
    const int64_t rx = x / g;
    const int64_t ry = y / g;
    constexpr int64_t top = std::numeric_limits<int32_t>::max();
    if (rx > top || ry > top) {
        return {x, y};
    }
    return {static_cast<int32_t>(rx), static_cast<int32_t>(ry)};
}
