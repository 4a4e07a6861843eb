#include "core/brueche.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <tuple>

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
