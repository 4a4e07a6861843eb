#include "util/DecimalText.h"
#include "util/NumberFormat.h"

#include <clocale>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

namespace {

constexpr double Inf = std::numeric_limits<double>::infinity();
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

TEST(FloatToFixed, RoundsHalfAwayAfterEighteenDigits) {
    // Where a locale with a decimal comma is installed the table runs under it, as it does in
    // the main window: the point must stay a point.
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8"}) {
        if (std::setlocale(LC_NUMERIC, name) != nullptr) {
            break;
        }
    }
    // Ties go away from zero once the value is taken to 18 significant digits (17 decimals
    // below 1): 0.015 is 0.01499999999999999944 and rounds up, 1.015 is 1.01499999999999990
    // and rounds down. A result of zero has no sign; FloatToText drops the fraction's zeros only.
    const std::tuple<int, double, const char*, const char*> cases[] = {
        {2, 0.125, "0.13", "0.13"}, {2, -0.125, "-0.13", "-0.13"}, {0, 2.5, "3", "3"},
        {2, 0.015, "0.02", "0.02"}, {2, 1.015, "1.01", "1.01"},    {2, 9.9951, "10.00", "10"},
        {2, 0.999, "1.00", "1"},    {1, -9.96, "-10.0", "-10"},    {2, 100.0, "100.00", "100"},
        {0, 100.0, "100", "100"},   {3, 12.5, "12.500", "12.5"},   {2, -0.001, "0.00", "0"},
        {2, -Inf, "-INF", "-INF"},  {2, NaN, "NAN", "NAN"}};
    for (const auto& [decimals, value, fixed, text] : cases) {
        EXPECT_EQ(FloatToFixed(decimals, value), fixed) << value << " to " << decimals;
        EXPECT_EQ(FloatToText(decimals, value), text) << value << " to " << decimals;
    }
    // Decimals outside 0..11 count as 11; a tie at the 18th digit; digits of a huge value
    // past the 18th are zeros.
    EXPECT_EQ(FloatToFixed(12, 2.0), "2.00000000000");
    EXPECT_EQ(FloatToFixed(-1, 1.0 / 3), "0.33333333333");
    EXPECT_EQ(FloatToFixed(11, 1234567 + 1.0 / 4096), "1234567.00024414063");
    EXPECT_EQ(FloatToText(0, 1e36), "1000000000000000040000000000000000000");
    // FixedUnits reads the digits as one number: none with a sign or beyond 64 bits.
    for (const double signedOrHuge : {-0.5, -Inf, NaN, Inf, 1e19 * 100}) {
        EXPECT_EQ(FixedUnits(2, signedOrHuge), std::nullopt) << signedOrHuge;
    }
    EXPECT_EQ(FixedUnits(0, 1e19), uint64_t{10000000000000000000u});
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(GroupDigits, IntegerPartWidthBlanksAndSigns) {
    EXPECT_EQ(GroupDigits("1234567"), "1234567") << "no separator at the start";
    DigitGroupSeparator.assign(1, '\'');
    // The rightmost separators go first, a text at the width limit stays as it is; among
    // leading blanks a blank stands in for the separator; none follows a sign.
    const std::tuple<const char*, int32_t, const char*> cases[] = {
        {"999", 0, "999"},           {"1000", 0, "1'000"},          {"123456.5", 0, "123'456.5"},
        {"0.12345", 0, "0.12345"},   {"1234567", 8, "1'234567"},    {"1234567", 9, "1'234'567"},
        {"1234567", 7, "1234567"},   {"1234567", -1, "1234567"},    {"1234567.5", 10, "1'234567.5"},
        {"   1234", 0, "    1'234"}, {"  123456", 0, "   123'456"}, {"   1234", 8, "    1234"},
        {"-123", 0, "-123"},         {"-1234", 0, "-1'234"},        {"", 0, ""}};
    for (const auto& [text, width, expected] : cases) {
        EXPECT_EQ(GroupDigits(text, width), expected) << "'" << text << "' width " << width;
    }
    DigitGroupSeparator = "::";
    EXPECT_EQ(GroupDigits("1234567"), "1::234::567");
    DigitGroupSeparator.clear();
}

TEST(NaturalCompare, NumbersByValueTheRestByCode) {
    // Bytes compare unsigned: UTF-8 lead bytes after ASCII.
    const std::tuple<const char*, const char*, int> cases[] = {
        {"01", "1", 0},     {"000", "0", 0},      {"9", "10", 1},     {"0.0", "0", 2},
        {"", "a", 1},       {"a10", "a9", 2},     {"a2b", "a10a", 1}, {"12", "12a", 1},
        {"x01y", "x1y", 0}, {"16:10", "16:9", 2}, {"A", "a", 1},      {"\xC3\xA4", "z", 2}};
    for (const auto& [a, b, expected] : cases) {
        EXPECT_EQ(NaturalCompare(a, b), expected) << "'" << a << "' vs '" << b << "'";
        EXPECT_EQ(NaturalCompare(b, a), expected == 0 ? 0 : 3 - expected)
            << "'" << b << "' vs '" << a << "'";
    }
}

TEST(MultiplyDecimal, ExactProductsAndShortcuts) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"9999", "9999", "99980001"}, {"007", "006", "42"},
        {"01", "000", "0"},           {"0.0", "5", "0"},
        {"1", "0640", "0640"},        {"0640", "01", "0640"},
        {"0.25", "0.2", "0.05"},      {"2.50", "4", "10"},
        {".5", ".5", "0.25"},         {"", "7", "0"},
        {"1'234", "2", "2468"},       {"1.2.3", "2", "2.46"}};
    for (const auto& [a, b, expected] : cases) {
        EXPECT_EQ(MultiplyDecimal(a, b), expected) << "'" << a << "' x '" << b << "'";
    }
    // At most 31998 digits together; a point is not a digit.
    const std::string zeros(31996, '0');
    EXPECT_EQ(MultiplyDecimal("2", "3" + zeros), "6" + zeros);
    EXPECT_EQ(MultiplyDecimal("2.", "3" + zeros), "6" + zeros);
    EXPECT_EQ(MultiplyDecimal("2", "30" + zeros), "0");
}

// A bounded randomized sweep (fixed seed): products and rounding checked against exact
// integer arithmetic that shares no code with the helpers.
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
    std::mt19937_64 random(20240611);
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
        ASSERT_EQ(FixedUnits(d, x), negative && m != 0 ? std::nullopt : std::optional(rounded))
            << "case " << n << ": " << m << " / 2^" << s << " to " << d;
    }
}

} // namespace
