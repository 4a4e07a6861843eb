// One bounded randomized sweep (fixed seed): products and rounding checked against exact
// integer arithmetic that shares no code with the helpers.
#include "util/DecimalText.h"
#include "util/NumberFormat.h"

#include <cmath>
#include <cstdint>
#include <random>
#include <string>

#include <gtest/gtest.h>

namespace {

using Random = std::mt19937_64;
__extension__ typedef unsigned __int128 Uint128; // holds any product of two 19-digit numbers

// The number digits / 10^decimals as the helpers write it: no trailing zeros of the fraction,
// no bare point, one digit before the point.
std::string Scaled(Uint128 digits, std::size_t decimals) {
    std::string text;
    do {
        text.insert(text.begin(), static_cast<char>('0' + static_cast<int>(digits % 10)));
        digits /= 10;
    } while (digits != 0 || text.size() <= decimals);
    if (decimals > 0) {
        text.insert(text.size() - decimals, 1, '.');
        text.erase(text.find_last_not_of('0') + 1);
        text.erase(text.find_last_not_of('.') + 1);
    }
    return text;
}

TEST(UtilRandomized, AgreesWithReferences) {
    Random random(20240611);
    const auto below = [&random](uint64_t n) { return random() % n; };
    // Up to 19 digits, zeros common (leading ones too); the value in `value`.
    const auto randomDigits = [&below](uint64_t& value) {
        std::string text;
        for (uint64_t k = 1 + below(19); k > 0; --k) {
            const uint64_t digit = below(3) == 0 ? 0 : below(10);
            text.push_back(static_cast<char>('0' + digit));
            value = value * 10 + digit;
        }
        return text;
    };
    for (int n = 0; n < 3000; ++n) {
        // Products, with a point somewhere in either operand; texts of zeros alone give "0",
        // a "1" (leading zeros allowed) gives the other operand as written.
        uint64_t valueA = 0, valueB = 0;
        std::string a = randomDigits(valueA);
        std::string b = randomDigits(valueB);
        const auto zeros = [](const std::string& t) {
            return t.find_first_not_of('0') == std::string::npos;
        };
        const auto one = [](const std::string& t) {
            return t.back() == '1' && t.find_first_not_of('0') == t.size() - 1;
        };
        std::size_t decimals = 0;
        for (std::string* operand : {&a, &b}) {
            if (below(2) == 0) {
                const std::size_t at = below(operand->size());
                decimals += operand->size() - at;
                operand->insert(at, 1, '.');
            }
        }
        std::string expected = Scaled(Uint128{valueA} * valueB, decimals);
        expected = zeros(a) || zeros(b) ? "0" : one(a) ? b : one(b) ? a : expected;
        ASSERT_EQ(MultiplyDecimal(a, b), expected) << "case " << n << ": " << a << " x " << b;

        // x = m / 2^s has at most s decimals, so m * 10^d / 2^s rounded half up is the exact
        // text to d decimals; ties are common.
        const uint64_t m = below(uint64_t{1} << 20);
        const auto s = static_cast<int>(below(11));
        const auto d = static_cast<int>(below(12));
        const bool negative = below(2) == 0;
        const auto scaled = m * static_cast<uint64_t>(std::pow(10.0, d)); // below 2^57
        const uint64_t rounded = (scaled + (uint64_t{1} << s >> 1)) >> s;
        const double x =
            std::ldexp(negative ? -static_cast<double>(m) : static_cast<double>(m), -s);
        ASSERT_EQ(FloatToText(d, x), (negative && rounded != 0 ? "-" : "") + Scaled(rounded, d))
            << "case " << n << ": " << m << " / 2^" << s << " to " << d;
    }
}

} // namespace
