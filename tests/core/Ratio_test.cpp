#include "core/Ratio.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>

namespace {

TEST(FitLetterbox, Frames) {
    constexpr int32_t max = std::numeric_limits<int32_t>::max();
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
        {"bars beyond 2^62", max, 1, max, 1, 1, max, max, 1},
    };
    for (const Case& c : cases) {
        const LetterboxFrame frame = FitLetterbox(c.w, c.h, c.sx, c.sy, c.px, c.py);
        EXPECT_EQ(frame, (LetterboxFrame{c.lw, c.lh}))
            << c.name << ": got " << frame.Width << ":" << frame.Height;
    }
}

// Exact rational arithmetic gives t as a fraction; the bars are t truncated and made even.
int64_t ExactBars(int64_t numerator, int64_t denominator) {
    const int64_t d = numerator / denominator;
    return d + d % 2;
}

TEST(FitLetterbox, AgreesWithExactArithmetic) {
    std::mt19937 random(1206);
    std::uniform_int_distribution<int32_t> size(1, 20000);
    std::uniform_int_distribution<int32_t> term(1, 2000);
    for (int i = 0; i < 20000; ++i) {
        const int32_t w = size(random), h = size(random);
        // Small terms half of the time, so that equal ratios and whole t come up often.
        const int32_t limit = i % 2 == 0 ? 20 : 2000;
        const int32_t sx = 1 + term(random) % limit, sy = 1 + term(random) % limit;
        const int32_t px = 1 + term(random) % limit, py = 1 + term(random) % limit;
        LetterboxFrame expected{w, h};
        if (int64_t{sx} * py < int64_t{px} * sy) {
            expected.Height +=
                ExactBars(h * (int64_t{px} * sy - int64_t{py} * sx), int64_t{py} * sx);
        } else {
            expected.Width +=
                ExactBars(w * (int64_t{sx} * py - int64_t{sy} * px), int64_t{sy} * px);
        }
        ASSERT_EQ(FitLetterbox(w, h, sx, sy, px, py), expected)
            << w << "x" << h << " screen " << sx << ":" << sy << " playing " << px << ":" << py;
    }
}

TEST(RatioEcho, HeightAndWidthForAGivenSide) {
    EXPECT_DOUBLE_EQ(HeightForWidth(4, 3, 1366), 1024.5);
    EXPECT_NEAR(WidthForHeight(16, 9, 1000), 1777.7777777777778, 1e-9);
    // A zero divisor term has no meaningful echo.
    EXPECT_EQ(HeightForWidth(0, 3, 4), 0.0);
    EXPECT_EQ(WidthForHeight(4, 3, 0), 0.0);
}

} // namespace
