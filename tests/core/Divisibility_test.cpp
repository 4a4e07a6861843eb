#include "core/Divisibility.h"
#include "core/PrimeFactors.h"

#include "util/TextParse.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

namespace {

TEST(DividableByAny, TypedLists) {
    struct Case {
        int32_t n;
        const char* list;
        int result;
    };
    const Case cases[] = {
        {12, "5,6", 1},
        {12, "5,7", 0},
        {12, "", -1},
        {12, "0", -1},
        {12, "-3", -1},
        {12, "abc", -1},
        {12, " 4", 1},
        {12, "3 4", 0},
        {12, "2.9", 1},
        {12, ",,5,,6,", 1},
        {0, "7", 1},
        {12, "0,-4,x", -1},
        {12, "0,5", 0},
        {-12, "5,6", 1},
        {12, "4'000", 0},
        {12, "99999999999", -1},
        {std::numeric_limits<int32_t>::min(), "2147483647", 0},
        {std::numeric_limits<int32_t>::min(), "2", 1},
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
        {1, ""},
        {-12, ""},
        {std::numeric_limits<int32_t>::min(), ""},
        {4, "2"},
        {9, "3"},
        {12, "2,3,4,6"},
        {36, "2,3,4,6,9,12,18"},
        {480, "2,3,4,5,6,8,10,12,15,16,20,24,30,32,40,48,60,80,96,120,160,240"},
        {65536, "2,4,8,16,32,64,128,256,512,1024,2048,4096,8192,16384,32768"},
        {65537, ""},              // a prime beyond the factor table
        {2147483647, ""},         // the largest 32-bit prime
        {46337 * 46337, "46337"}, // a square of the largest trial prime that fits
        {65521 * 32749, "32749,65521"},
        {2 * 1073741789, "2,1073741789"},
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
            const int64_t q = n / d;
            limit = q;
            if (q != d) {
                large = std::to_string(q) + "," + large;
            }
        }
    }
    return TrimSeparators(small + "," + large, ',');
}

// Every divisor pair up to the square root: slower than factoring, but plainly right.
std::string SquareRootDivisorList(int32_t n) {
    std::string small;
    std::string large;
    for (int64_t d = 2; d * d <= n; ++d) {
        if (n % d == 0) {
            small += std::to_string(d) + ",";
            if (d * d != n) {
                large = "," + std::to_string(n / d) + large;
            }
        }
    }
    std::string text = small + large;
    return TrimSeparators(text, ',');
}

TEST(DivisorList, MatchesTheLiteralLoop) {
    for (int32_t n = -3; n <= 20000; ++n) {
        ASSERT_EQ(DivisorList(n), LiteralDivisorList(n)) << "n = " << n;
    }
}

TEST(DivisorList, MatchesSquareRootTrialDivisionOnLargeNumbers) {
    std::mt19937 random(2026);
    std::uniform_int_distribution<int32_t> any(20000, std::numeric_limits<int32_t>::max());
    for (int i = 0; i < 300; ++i) {
        const int32_t n = any(random);
        ASSERT_EQ(DivisorList(n), SquareRootDivisorList(n)) << "n = " << n;
    }
}

TEST(PrimeFactors, ProductListsTheDivisorsOfTheProduct) {
    struct Case {
        int32_t a, b;
    };
    const Case cases[] = {{12, 18}, {1, 480}, {480, 1},      {65535, 32749},
                          {7, 7},   {1, 1},   {46337, 46337}};
    for (const Case& c : cases) {
        const PrimeFactors product = PrimeFactors::Of(c.a) * PrimeFactors::Of(c.b);
        EXPECT_EQ(product.Value(), int64_t{c.a} * c.b);
        EXPECT_EQ(product.DivisorText(), DivisorList(c.a * c.b)) << c.a << " * " << c.b;
    }
}

} // namespace
