#include "core/Divisibility.h"

#include "util/TextParse.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <string>

namespace {

constexpr int32_t Min32 = std::numeric_limits<int32_t>::min();

TEST(DividableByAny, TypedLists) {
    struct Case {
        int32_t n;
        const char* list;
        int result;
    };
    const Case cases[] = {
        {12, "5,6", 1},     {12, "5,7", 0},           {12, "", -1},
        {12, "0,-4,x", -1}, {12, "99999999999", -1},  {12, " 4", 1},
        {12, "3 4", 0},     {12, "2.9", 1},           {12, ",,5,,6,", 1},
        {0, "7", 1},        {Min32, "2147483647", 0}, {Min32, "2", 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DividableByAny(c.n, c.list, ','), c.result)
            << "n = " << c.n << ", list \"" << c.list << "\"";
    }
}

TEST(DivisorList, WorkedNumbers) {
    struct Case {
        int32_t n;
        const char* text;
    };
    const Case cases[] = {
        {3, ""},
        {-12, ""},
        {Min32, ""},
        {4, "2"},
        {36, "2,3,4,6,9,12,18"},
        {65537, ""},              // a prime beyond the factor table
        {2147483647, ""},         // the largest 32-bit prime
        {46337 * 46337, "46337"}, // the square of the largest trial prime
        {65521 * 32749, "32749,65521"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DivisorList(c.n), c.text) << "n = " << c.n;
    }
}

// The trial-division loop that stops at the co-divisor bound, written out plainly.
std::string LiteralDivisorList(int32_t n) {
    std::string small;
    std::string large;
    int64_t limit = int64_t{n} - 1;
    for (int64_t d = 2; limit > d; ++d) {
        if (n % d == 0) {
            small += "," + std::to_string(d);
            limit = n / d;
            if (limit != d) {
                large = std::to_string(limit) + "," + large;
            }
        }
    }
    return TrimSeparators(small + "," + large, ',');
}

TEST(DivisorList, MatchesTheLiteralLoop) {
    for (int32_t n = -3; n <= 20000; ++n) {
        ASSERT_EQ(DivisorList(n), LiteralDivisorList(n)) << "n = " << n;
    }
    // Large numbers: the literal loop stops at the co-divisor of the small factor.
    std::mt19937 random(2026);
    std::uniform_int_distribution<int32_t> small(2, 200);
    std::uniform_int_distribution<int32_t> large(1, 5000);
    for (int i = 0; i < 300; ++i) {
        const int32_t n = small(random) * large(random) * 2003;
        ASSERT_EQ(DivisorList(n), LiteralDivisorList(n)) << "n = " << n;
    }
}

} // namespace
