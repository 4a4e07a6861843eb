#include "core/brueche.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>

namespace {

constexpr int32_t Min32 = std::numeric_limits<int32_t>::min();
constexpr int32_t Max32 = std::numeric_limits<int32_t>::max();

TEST(ReduceRatio, LowestTermsAndDegenerateRatios) {
    struct Case {
        int32_t x, y, rx, ry;
    };
    const Case cases[] = {
        {8, 6, 4, 3}, {1920, 1080, 16, 9},  {720, 576, 5, 4},       {100, 100, 1, 1}, {0, 5, 0, 1},
        {0, 0, 0, 0}, {Min32, Min32, 1, 1}, {Min32, -1, Min32, -1}, // the reduction would overflow:
                                                                    // left as it is
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ReduceRatio(c.x, c.y), std::make_pair(c.rx, c.ry)) << c.x << ":" << c.y;
    }
    EXPECT_EQ(Gcd(5, 0), 5);
    EXPECT_EQ(Gcd(-12, 8), -4); // the remainder keeps the sign of the dividend
    EXPECT_EQ(Gcd(Min32, -1), -1);
}

TEST(ReduceRatio, RandomRatiosKeepTheirValueAndEndCoprime) {
    std::mt19937 random(20261206);
    std::uniform_int_distribution<int32_t> any(Min32, Max32);
    std::uniform_int_distribution<int32_t> small(-5000, 5000);
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

} // namespace
