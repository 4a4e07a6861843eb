// Numbers as texts: integers, fixed decimals and digit grouping, with "." whatever the locale.
#include "util/NumberFormat.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <optional>
#include <system_error>

std::string DigitGroupSeparator;

namespace {

template <typename Int>
std::string IntegerText(Int value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

// A non-negative magnitude as a run of decimal digits and the number of them that stand
// before the point. 19 digits plus one carry digit is the most ever held.
struct DigitRun {
    char Digits[24];
    int Count = 0;
    int IntegerDigits = 0;
};

// Adds one in the last place of the run; a carry out of the first digit turns 999 into 1000.
void IncrementRun(DigitRun& run) {
    int k = run.Count - 1;
    while (k >= 0 && run.Digits[k] == '9') {
        run.Digits[k--] = '0';
    }
    if (k >= 0) {
        ++run.Digits[k];
        return;
    }
    std::memmove(run.Digits + 1, run.Digits, static_cast<std::size_t>(run.Count));
    run.Digits[0] = '1';
    ++run.Count;
    ++run.IntegerDigits;
}

// Copies the digits of a to_chars text ("d.ddd" or "d.ddde+XX") into the run, returning
// where the digits ended.
const char* CopyDigits(DigitRun& run, const char* first, const char* last) {
    run.Count = 0;
    for (; first != last && *first != 'e'; ++first) {
        if (*first != '.') {
            run.Digits[run.Count++] = *first;
        }
    }
    return first;
}

bool IsOddInteger(double y) {
    return std::floor(y) == y && std::fmod(y, 2.0) == 1.0;
}

// The magnitude to 18 significant digits, or to 17 decimals when it is below 1, nearest
// value, exact ties away from zero. to_chars is locale-independent and exact, but it breaks
// ties to even, so ties are redone by hand.
DigitRun NearestDigits(double magnitude) {
    DigitRun run;
    char text[48];
    if (magnitude < 1.0) {
        // A tie at the 18th decimal needs a 17th decimal of 2 or 7 (binary fractions end in
        // 25 or 75), which no cut after at most 11 decimals can see, so to_chars is enough.
        const auto result =
            std::to_chars(text, text + sizeof text, magnitude, std::chars_format::fixed, 17);
        CopyDigits(run, text, result.ptr);
        run.IntegerDigits = run.Count - 17;
        return run;
    }
    auto result =
        std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific, 17);
    const char* exponentMark = CopyDigits(run, text, result.ptr);
    int exponent = 0;
    std::from_chars(exponentMark + (exponentMark[1] == '+' ? 2 : 1), result.ptr, exponent);
    run.IntegerDigits = exponent + 1;
    // An exact tie has exactly 19 significant digits: 19 - IntegerDigits binary fraction
    // digits, so the magnitude scaled by that power of two is an odd integer. At 1e18 and
    // above the spacing of doubles rules ties out.
    if (run.IntegerDigits <= 18 && IsOddInteger(std::ldexp(magnitude, 19 - run.IntegerDigits))) {
        result =
            std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific, 18);
        CopyDigits(run, text, result.ptr);
        --run.Count; // the dropped 19th digit is the 5 of the tie
        IncrementRun(run);
    }
    return run;
}

// Most values written in a grid are whole numbers, or sit far from a rounding tie at the
// first dropped decimal. For them the 18-digit step cannot change the result, and rounding
// the value scaled by 10^d in extended precision gives the same digits at a fraction of the
// cost. None where the slow path must decide: fractions beyond 2^40 after scaling (extended
// precision and the 18-digit step then move the scaled value by up to 1e-5) and values within
// 1e-4 of a tie. The result is the digits as one whole number: 2.5 at two decimals gives 250.
std::optional<uint64_t> ScaledUnits(int d, double value) {
    static constexpr long double powers[] = {1e0L, 1e1L, 1e2L, 1e3L, 1e4L,  1e5L,
                                             1e6L, 1e7L, 1e8L, 1e9L, 1e10L, 1e11L};
    const double magnitude = std::fabs(value);
    long double whole = 0;
    long double fraction = 0;
    if (magnitude < 9007199254740992.0 && magnitude == std::floor(magnitude)) {
        // Whole numbers below 2^53 are exact; the digits are followed by d zeros.
        whole = static_cast<long double>(magnitude) * powers[d];
    } else {
        const long double scaled = static_cast<long double>(magnitude) * powers[d];
        if (!(scaled < 1099511627776.0L)) {
            return std::nullopt;
        }
        whole = std::floor(scaled);
        fraction = scaled - whole;
        if (std::fabs(fraction - 0.5L) <= 1e-4L) {
            return std::nullopt;
        }
    }
    if (!(whole < 1.8e19L)) {
        return std::nullopt;
    }
    return static_cast<uint64_t>(whole) + (fraction > 0.5L ? 1 : 0);
}

// Those digits as text, with the point and the sign; false where ScaledUnits has none.
bool FixedByScaling(int d, double value, std::string& text) {
    const std::optional<uint64_t> scaled = ScaledUnits(d, value);
    if (!scaled) {
        return false;
    }
    const uint64_t units = *scaled;
    char digits[24];
    const int count =
        static_cast<int>(std::to_chars(digits, digits + sizeof digits, units).ptr - digits);
    const int integerDigits = count > d ? count - d : 1;
    // Digits left of the run are zeros: 5 units at 2 decimals is 0.05.
    const auto digitAt = [&](int k) { return k >= 0 ? digits[k] : '0'; };
    char out[48];
    char* end = out;
    if (std::signbit(value) && units != 0) {
        *end++ = '-';
    }
    for (int k = count - d - integerDigits; k < count - d; ++k) {
        *end++ = digitAt(k);
    }
    if (d > 0) {
        *end++ = '.';
        for (int k = count - d; k < count; ++k) {
            *end++ = digitAt(k);
        }
    }
    text.assign(out, end);
    return true;
}

} // namespace

std::string IntToText(int32_t value) {
    return IntegerText(value);
}

std::string Int64ToText(int64_t value) {
    return IntegerText(value);
}

// Not-a-number and the infinities have no digits to round; they are written as "NAN",
// "INF" and "-INF", the forms the number reader turns back into 0 rather than misreading.
// Finite magnitudes of 1e18 and more are written in full (18 significant digits, then
// zeros), never in exponent notation, so the text stays a plain fixed-point number.
std::string FloatToFixed(int decimals, double value) {
    const int d = decimals >= 0 && decimals <= 11 ? decimals : 11;
    if (std::isnan(value)) {
        return "NAN";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-INF" : "INF";
    }
    if (std::string text; FixedByScaling(d, value, text)) {
        return text;
    }

    DigitRun run = NearestDigits(std::fabs(value));
    // Cut after the d-th decimal; a first dropped digit of 5 or more rounds up.
    const int kept = run.IntegerDigits + d;
    const bool roundUp = kept < run.Count && run.Digits[kept] >= '5';
    if (kept < run.Count) {
        run.Count = kept;
    }
    if (roundUp) {
        IncrementRun(run);
    }

    // A value that rounds to zero is written without a sign ("0.00", not "-0.00").
    bool nonZero = false;
    for (int k = 0; k < run.Count && !nonZero; ++k) {
        nonZero = run.Digits[k] != '0';
    }
    std::string text;
    text.reserve(static_cast<std::size_t>(run.IntegerDigits + d + 2));
    if (std::signbit(value) && nonZero) {
        text.push_back('-');
    }
    // Digits beyond the run (large magnitudes, many decimals) are zeros.
    const auto digitAt = [&run](int k) { return k < run.Count ? run.Digits[k] : '0'; };
    for (int k = 0; k < run.IntegerDigits; ++k) {
        text.push_back(digitAt(k));
    }
    if (d > 0) {
        text.push_back('.');
        for (int k = run.IntegerDigits; k < run.IntegerDigits + d; ++k) {
            text.push_back(digitAt(k));
        }
    }
    return text;
}

std::optional<uint64_t> FixedUnits(int decimals, double value) {
    if (!(value >= 0) || std::isinf(value)) {
        return std::nullopt;
    }
    const int d = decimals >= 0 && decimals <= 11 ? decimals : 11;
    if (const std::optional<uint64_t> units = ScaledUnits(d, value)) {
        return units;
    }
    // Near a tie or beyond the scaled range: the text decides.
    uint64_t units = 0;
    for (const char c : FloatToFixed(d, value)) {
        if (c != '.' && (__builtin_mul_overflow(units, uint64_t{10}, &units) ||
                         __builtin_add_overflow(units, uint64_t(c - '0'), &units))) {
            return std::nullopt;
        }
    }
    return units;
}

std::string FloatToText(int decimals, double value) {
    std::string text = FloatToFixed(decimals, value);
    const std::size_t point = text.find('.');
    if (point == std::string::npos) {
        return text;
    }
    // At most as many characters as the point and the fraction have, so the integer part
    // is never shortened.
    for (std::size_t r = text.size() - point; r > 0; --r) {
        const char last = text.back();
        if (last != '0' && last != '.') {
            break;
        }
        text.pop_back();
    }
    return text;
}

std::string GroupDigits(const std::string& text, int32_t width) {
    if (DigitGroupSeparator.empty()) {
        return text;
    }
    const int64_t limit = width == 0 ? 121212255 : width;
    const auto len = static_cast<int64_t>(text.size());
    if (limit <= len) {
        return text;
    }
    const std::size_t point = text.find('.');
    const int64_t q = point == std::string::npos ? len : static_cast<int64_t>(point);
    // The separators that would not fit into the limit; the rightmost ones are dropped.
    const int64_t skip = len + (q - 1) / 3 - limit;

    // The insertion points are the 1-based positions p = q - 2, q - 5, ... above 1; the i-th
    // from the right (i = 0, 1, ...) gets something only when i >= skip.
    std::string result;
    result.reserve(text.size() + static_cast<std::size_t>(q / 3 + 1) * DigitGroupSeparator.size());
    for (int64_t p = 1; p <= len; ++p) {
        const int64_t fromRight = q - 2 - p;
        if (p > 1 && fromRight >= 0 && fromRight % 3 == 0 && fromRight / 3 >= skip) {
            const char at = text[static_cast<std::size_t>(p - 1)];
            const char before = text[static_cast<std::size_t>(p - 2)];
            if (at == ' ' || before == ' ') {
                // Among leading blanks a blank keeps right-aligned texts aligned.
                result.push_back(' ');
            } else if (before != '-' && before != '+') {
                // Never "-'123": a sign is not a digit group.
                result += DigitGroupSeparator;
            }
        }
        result.push_back(text[static_cast<std::size_t>(p - 1)]);
    }
    return result;
}
