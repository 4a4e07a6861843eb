#include "core/Divisibility.h"
#include "core/DivisorFilter.h"
#include "core/PrimeFactors.h"

#include "util/TextParse.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

constexpr int32_t Min32 = std::numeric_limits<int32_t>::min();

// The list as the window's filters read it, by the computation's filter and the plain function.
TEST(DividableByAny, TypedLists) {
    const std::tuple<int32_t, const char*, int> cases[] = {
        {12, "5,6", 1},     {12, "5,7", 0},           {12, "", -1},
        {12, "0,-4,x", -1}, {12, "99999999999", -1},  {12, " 4", 1},
        {12, "3 4", 0},     {12, "2.9", 1},           {12, ",,5,,6,", 1},
        {0, "7", 1},        {Min32, "2147483647", 0}, {Min32, "2", 1},
    };
    for (const auto& [n, list, result] : cases) {
        EXPECT_EQ(DividableByAny(n, list, ','), result) << "n = " << n << ", list " << list;
        EXPECT_EQ(DivisorFilter(list, ',').Test(n), result) << "n = " << n << ", list " << list;
    }
}

TEST(DivisorList, WorkedNumbers) {
    // Beyond the literal loop's reach: 65537, a prime beyond the factor table; the largest
    // 32-bit prime; 46337 * 46337, the square of the largest trial prime; 65521 * 32749.
    const std::pair<int32_t, const char*> cases[] = {{Min32, ""},
                                                     {65537, ""},
                                                     {2147483647, ""},
                                                     {2147117569, "46337"},
                                                     {2145747229, "32749,65521"}};
    for (const auto& [n, text] : cases) {
        EXPECT_EQ(DivisorList(n), text) << "n = " << n;
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

// The first numbers of the list, as many as `room` holds, joined like the list.
std::string LeadingText(int32_t n, std::size_t room) {
    std::vector<int64_t> divisors(room);
    divisors.resize(LeadingDivisors(n, divisors));
    std::string text;
    for (const int64_t d : divisors) {
        text += (text.empty() ? "" : ",") + std::to_string(d);
    }
    return text;
}

TEST(DivisorList, MatchesTheLiteralLoop) {
    for (int32_t n = -3; n <= 20000; ++n) {
        ASSERT_EQ(DivisorList(n), LiteralDivisorList(n)) << "n = " << n;
        ASSERT_EQ(LeadingText(n, 1600), DivisorList(n)) << "n = " << n;
    }
    // Large numbers: the literal loop stops at the co-divisor of the small factor.
    std::mt19937 random(2026);
    std::uniform_int_distribution<int32_t> small(2, 200), large(1, 5000);
    for (int i = 0; i < 300; ++i) {
        const int32_t n = small(random) * large(random) * 2003;
        const std::string list = DivisorList(n);
        ASSERT_EQ(list, LiteralDivisorList(n)) << "n = " << n;
        // A short array takes the list's first numbers.
        const std::string first = LeadingText(n, 5);
        ASSERT_EQ((list + ",").substr(0, first.size() + 1), first + ",") << "n = " << n;
        ASSERT_EQ(std::ranges::count(first, ','), std::min(4L, std::ranges::count(list, ',')));
    }
    EXPECT_EQ(LeadingText(2145747229, 2), "32749,65521");
    EXPECT_EQ(LeadingText(720720, 0), "");
}

// The order numbers compare like the lists, number by number, a list that starts another
// first, and are equal only for equal lists: every pair of small numbers, and large ones that
// share most of their factors.
TEST(DivisorList, OrderNumbersOrderLikeTheLists) {
    const auto listOf = [](int32_t n) {
        std::vector<int64_t> list(1600);
        list.resize(LeadingDivisors(n, list));
        return list;
    };
    const auto orderOf = [](int32_t n) {
        std::vector<int64_t> numbers(PrimeFactors::MaxListOrder);
        numbers.resize(PrimeFactors::Of(n).WriteListOrder(numbers));
        return numbers;
    };
    std::vector<int32_t> numbers;
    for (int32_t n = -1; n <= 300; ++n) {
        numbers.push_back(n);
    }
    std::mt19937 random(21);
    std::uniform_int_distribution<int32_t> factor(1, 48);
    for (int i = 0; i < 300; ++i) {
        numbers.push_back(65535 * factor(random) * factor(random));
    }
    // The most prime powers below 2^31, and the largest numbers.
    for (const int32_t n : {1 << 30, 2145747229, 2147483647}) {
        numbers.push_back(n);
    }
    for (const int32_t a : numbers) {
        for (const int32_t b : numbers) {
            ASSERT_EQ(orderOf(a) <=> orderOf(b), listOf(a) <=> listOf(b)) << a << " against " << b;
        }
    }
}

} // namespace
