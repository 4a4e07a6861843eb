#include "core/Ratio.h"
#include "core/brueche.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <tuple>
#include <utility>
#include <vector>

namespace {

constexpr int32_t Min32 = std::numeric_limits<int32_t>::min();
constexpr int32_t Max32 = std::numeric_limits<int32_t>::max();

TEST(ReduceRatio, LowestTermsAndDegenerateRatios) {
    // Min32 : -1 would overflow when reduced: left as it is.
    const std::tuple<int32_t, int32_t, int32_t, int32_t> cases[] = {
        {8, 6, 4, 3}, {1920, 1080, 16, 9}, {720, 576, 5, 4},     {100, 100, 1, 1},
        {0, 5, 0, 1}, {0, 0, 0, 0},        {Min32, Min32, 1, 1}, {Min32, -1, Min32, -1}};
    for (const auto& [x, y, rx, ry] : cases) {
        EXPECT_EQ(ReduceRatio(x, y), std::make_pair(rx, ry)) << x << ":" << y;
    }
    // Gcd(a, 0) is a, the remainder keeps the sign of the dividend, Min32 % -1 takes 64 bits.
    EXPECT_EQ(std::make_tuple(Gcd(5, 0), Gcd(-12, 8), Gcd(Min32, -1)), std::make_tuple(5, -4, -1));
}

TEST(ReduceRatio, RandomRatiosKeepTheirValueAndEndCoprime) {
    std::mt19937 random(20261206);
    std::uniform_int_distribution<int32_t> any(Min32, Max32), small(-5000, 5000);
    for (int i = 0; i < 20000; ++i) {
        const int32_t x = i % 2 ? any(random) : small(random);
        const int32_t y = i % 2 ? any(random) : small(random);
        const auto [rx, ry] = ReduceRatio(x, y);
        ASSERT_EQ(int64_t{x} * ry, int64_t{y} * rx) << x << ":" << y;
        if (x != 0 && y != 0 && !(x == Min32 && y == -1)) {
            ASSERT_EQ(std::abs(int64_t{Gcd(rx, ry)}), 1) << x << ":" << y;
        }
    }
}

TEST(FitLetterbox, Frames) {
    struct Case {
        const char* name;
        int32_t w, h, sx, sy, px, py;
        int64_t lw, lh;
    };
    const Case cases[] = {
        {"bars above and below", 640, 480, 4, 3, 16, 9, 640, 640},
        {"odd truncation made even", 640, 480, 3, 4, 16, 9, 640, 1138},
        {"bars at the sides", 1920, 1080, 16, 9, 4, 3, 2560, 1080},
        {"equal ratios", 720, 576, 5, 4, 5, 4, 720, 576},
        // t is exactly 1 but computes a hair below it: the bars are 2, not 0.
        {"exact odd t", 4, 3, 4, 3, 16, 9, 4, 5},
        {"exact odd t at the sides", 3, 2, 16, 9, 4, 3, 5, 2},
        {"exact even t", 8, 6, 4, 3, 16, 9, 8, 8},
        {"bars beyond 32 bits", 32768, 1, 1000000, 1, 1, 1, 32768000000, 1},
        {"zero width", 0, 480, 4, 3, 16, 9, 0, 480},
        {"zero screen term", 640, 480, 4, 0, 16, 9, 640, 480},
        {"zero playing term", 640, 480, 4, 3, 0, 9, 640, 480},
        {"bars beyond 2^62", Max32, 1, Max32, 1, 1, Max32, Max32, 1},
        // t = 311 - 2.7e-12 is no integer: truncated to 310, not taken for 311.
        {"near miss", 7738, 2038, 2228106, 1279, 670479142, 333919, 7738, 2348},
    };
    for (const Case& c : cases) {
        const LetterboxFrame frame = FitLetterbox(c.w, c.h, c.sx, c.sy, c.px, c.py);
        EXPECT_EQ(frame, (LetterboxFrame{c.lw, c.lh}))
            << c.name << ": got " << frame.Width << ":" << frame.Height;
    }
}

__extension__ using Int128 = __int128;

// The frame by exact rational arithmetic: the bars are t = side * (a - b) / b for the side
// that gets them, truncated and made even.
LetterboxFrame ExactFrame(int32_t w, int32_t h, int32_t sx, int32_t sy, int32_t px, int32_t py) {
    const bool sides = int64_t{sx} * py >= int64_t{px} * sy; // else bars above and below
    const int64_t a = sides ? int64_t{sx} * py : int64_t{px} * sy;
    const int64_t b = sides ? int64_t{sy} * px : int64_t{py} * sx;
    const auto bars = static_cast<int64_t>(Int128{sides ? w : h} * (a - b) / b);
    return sides ? LetterboxFrame{w + bars + bars % 2, h} : LetterboxFrame{w, h + bars + bars % 2};
}

// The continued-fraction convergents of n / d whose terms fit 31 bits; they approach n / d
// from alternate sides and end with it when its lowest terms fit.
std::vector<std::pair<int32_t, int32_t>> Convergents(Int128 n, Int128 d) {
    std::vector<std::pair<int32_t, int32_t>> out;
    for (Int128 p0 = 0, q0 = 1, p1 = 1, q1 = 0; d != 0;) {
        const Int128 a = n / d, p2 = a * p1 + p0, q2 = a * q1 + q0, r = n % d;
        if (p2 > Max32 || q2 > Max32) {
            break;
        }
        out.emplace_back(static_cast<int32_t>(p2), static_cast<int32_t>(q2));
        p0 = p1, q0 = q1, p1 = p2, q1 = q2, n = d, d = r;
    }
    return out;
}

// Random frames, and frames whose terms are chosen so that the exact t lies within a few
// units in the last place of an odd integer k, or on it: one ratio fixed, the other a
// convergent of the ratio that makes t = k. The floating-point t cannot tell these apart;
// exact arithmetic can.
TEST(FitLetterbox, AgreesWithExactArithmeticAlsoNearAnOddInteger) {
    std::mt19937 anyRandom(1206), random(311);
    std::uniform_int_distribution<int32_t> anySize(1, 20000), anyTerm(1, 2000);
    std::uniform_int_distribution<int32_t> size(100, 8000), odd(0, 499), term(1000, 1 << 21);
    int below = 0, above = 0, on = 0;
    for (int i = 0; i < 20000; ++i) {
        // Small terms half of the time, so that equal ratios and whole t come up often.
        const int32_t limit = i % 2 == 0 ? 20 : 2000;
        const int32_t w = anySize(anyRandom), h = anySize(anyRandom);
        const int32_t sx = 1 + anyTerm(anyRandom) % limit, sy = 1 + anyTerm(anyRandom) % limit;
        const int32_t px = 1 + anyTerm(anyRandom) % limit, py = 1 + anyTerm(anyRandom) % limit;
        ASSERT_EQ(FitLetterbox(w, h, sx, sy, px, py), ExactFrame(w, h, sx, sy, px, py))
            << w << "x" << h << " screen " << sx << ":" << sy << " playing " << px << ":" << py;
    }
    for (int i = 0; i < 4000; ++i) {
        const int32_t w = size(random), h = size(random), k = 2 * odd(random) + 1;
        const int32_t f1 = term(random) >> (i % 4), f2 = term(random);
        const bool sides = i % 2 == 1; // else bars above and below
        const int32_t side = sides ? w : h;
        for (const auto& [n, d] : Convergents(Int128{k + side} * f1, Int128{side} * f2)) {
            const int32_t sx = sides ? n : f1, sy = sides ? d : f2;
            const int32_t px = sides ? f1 : n, py = sides ? f2 : d;
            // How far the exact t = side * (a - b) / b lies from k.
            const int64_t a = sides ? int64_t{sx} * py : int64_t{px} * sy;
            const int64_t b = sides ? int64_t{sy} * px : int64_t{py} * sx;
            const long double offset =
                static_cast<long double>(Int128{side} * (a - b) - Int128{k} * b) / b;
            const long double ulp = std::numeric_limits<double>::epsilon() * (side + k);
            if (offset != 0 && (std::fabs(offset) < ulp || std::fabs(offset) > 16 * ulp)) {
                continue; // a stored ratio's rounding alone can cross below one unit
            }
            ++(offset < 0 ? below : offset > 0 ? above : on);
            ASSERT_EQ(FitLetterbox(w, h, sx, sy, px, py), ExactFrame(w, h, sx, sy, px, py))
                << w << "x" << h << " screen " << sx << ":" << sy << " playing " << px << ":" << py
                << " t = " << k << " + " << static_cast<double>(offset);
        }
    }
    // Every kind came up often enough to matter.
    EXPECT_GT(std::min({below, above, on}), 50) << below << " " << above << " " << on;
}

TEST(RatioEcho, HeightAndWidthForAGivenSide) {
    EXPECT_DOUBLE_EQ(HeightForWidth(4, 3, 1366), 1024.5);
    EXPECT_NEAR(WidthForHeight(16, 9, 1000), 1777.7777777777778, 1e-9);
    // A zero divisor term has no meaningful echo.
    EXPECT_EQ(HeightForWidth(0, 3, 4), 0.0);
    EXPECT_EQ(WidthForHeight(4, 3, 0), 0.0);
}

} // namespace
