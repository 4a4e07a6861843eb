// Exact multiplication of decimal texts, and the natural order of texts with numbers.
#include "util/DecimalText.h"

#include "util/TextParse.h"

#include <array>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

constexpr std::size_t MaxProductDigits = 31998;

// Tens and units of every sum a product cell can see (cell + digit product + carry < 100).
// Looking them up is markedly cheaper than dividing in the innermost loop.
struct SumSplit {
    std::array<unsigned char, 100> Tens{};
    std::array<unsigned char, 100> Units{};
};

constexpr SumSplit MakeSumSplit() {
    SumSplit split;
    for (unsigned sum = 0; sum < 100; ++sum) {
        split.Tens[sum] = static_cast<unsigned char>(sum / 10);
        split.Units[sum] = static_cast<unsigned char>(sum % 10);
    }
    return split;
}

constexpr SumSplit Split = MakeSumSplit();

// The digits of an operand and how many of them stand before its first point. Anything
// else (signs, blanks, separators, further points) is outside the contract and ignored.
// Zero and One say whether the operand equals "0" or "1" under NaturalCompare: nothing but
// digits, and after the leading zeros nothing (Zero) or just the final "1" (One).
struct OperandShape {
    std::size_t Digits = 0;
    std::size_t BeforePoint = 0;
    bool OnlyDigits = true;
    bool Zero = false;
    bool One = false;
};

OperandShape ShapeOf(const std::string& text) {
    OperandShape shape;
    const std::size_t size = text.size();
    const char* const c = text.data();
    // The usual operand is nothing but digits; one tight scan settles it.
    std::size_t zeros = 0;
    while (zeros < size && c[zeros] == '0') {
        ++zeros;
    }
    std::size_t k = zeros;
    while (k < size && IsDigit(c[k])) {
        ++k;
    }
    if (k == size) {
        shape.Digits = size;
        shape.BeforePoint = size;
        shape.Zero = size > 0 && zeros == size;
        shape.One = zeros + 1 == size && c[zeros] == '1';
        return shape;
    }
    shape.OnlyDigits = false;
    bool pointSeen = false;
    for (k = 0; k < size; ++k) {
        if (IsDigit(c[k])) {
            ++shape.Digits;
        } else if (c[k] == '.' && !pointSeen) {
            pointSeen = true;
            shape.BeforePoint = shape.Digits;
        }
    }
    if (!pointSeen) {
        shape.BeforePoint = shape.Digits;
    }
    return shape;
}

} // namespace

int NaturalCompare(const std::string& a, const std::string& b) {
    const std::size_t na = a.size();
    const std::size_t nb = b.size();
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < na && j < nb) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[j]);
        if (IsDigit(a[i]) && IsDigit(b[j])) {
            std::size_t runA = i;
            std::size_t runB = j;
            while (i < na && IsDigit(a[i])) {
                ++i;
            }
            while (j < nb && IsDigit(b[j])) {
                ++j;
            }
            // Leading zeros go, but a run of zeros keeps one.
            while (runA + 1 < i && a[runA] == '0') {
                ++runA;
            }
            while (runB + 1 < j && b[runB] == '0') {
                ++runB;
            }
            const std::size_t lengthA = i - runA;
            const std::size_t lengthB = j - runB;
            if (lengthA != lengthB) {
                return lengthA < lengthB ? 1 : 2;
            }
            const int order = std::memcmp(a.data() + runA, b.data() + runB, lengthA);
            if (order != 0) {
                return order < 0 ? 1 : 2;
            }
        } else {
            if (ca != cb) {
                return ca < cb ? 1 : 2;
            }
            ++i;
            ++j;
        }
    }
    if (i == na && j == nb) {
        return 0;
    }
    return i < na ? 2 : 1;
}

std::string MultiplyDecimal(const std::string& a, const std::string& b) {
    // One scan per operand finds its digits, its point and the shortcuts.
    const OperandShape shapeA = ShapeOf(a);
    const OperandShape shapeB = ShapeOf(b);
    if (shapeA.Zero || shapeB.Zero) {
        return std::string(1, '0');
    }
    // The shortcuts return the other operand as written: "1" x "0640" is "0640".
    if (shapeA.One) {
        return b;
    }
    if (shapeB.One) {
        return a;
    }
    const std::size_t n = shapeA.Digits + shapeB.Digits;
    if (n > MaxProductDigits) {
        return std::string(1, '0');
    }
    if (shapeA.OnlyDigits && shapeB.OnlyDigits && n <= 19) {
        // Whole numbers of 19 digits together multiply exactly in 64 bits (below 10^19), and
        // the product's text is what the long multiplication below writes: a grid's areas
        // take this way on every keystroke.
        uint64_t x = 0;
        uint64_t y = 0;
        std::from_chars(a.data(), a.data() + a.size(), x);
        std::from_chars(b.data(), b.data() + b.size(), y);
        char text[20];
        return std::string(text, std::to_chars(text, text + sizeof text, x * y).ptr);
    }

    // The one buffer: a spare digit in front (the "0" before a point when the integer part
    // is empty), the n product digits, a spare place for the point at the end. The digits
    // are held as values 0..9 while they are summed and become characters afterwards.
    std::string buffer(n + 2, '\0');
    char* const product = buffer.data() + 1;

    // Long multiplication from the last digits on; i and j count digits, not characters, so
    // digit j of a times digit i of b lands at product position i + j + 1, its tens at
    // i + j. Each row of b carries as it goes (cell + digit product + carry stays below
    // 100) and ends in the still untouched cell i: the same sum as adding every product's
    // two digits with carries, without walking a carry through the buffer per product.
    const char* const digitsA = a.data();
    std::size_t i = shapeB.Digits;
    for (std::size_t rb = b.size(); rb-- > 0;) {
        const unsigned digitB = static_cast<unsigned char>(b[rb]) - unsigned{'0'};
        if (digitB > 9) {
            continue;
        }
        --i;
        if (digitB == 0) {
            continue;
        }
        char* const row = product + i + 1; // row[j]: the cell of digit j of a
        unsigned carry = 0;
        const auto step = [row, digitB, &carry](std::size_t j, unsigned digitA) {
            const unsigned sum = static_cast<unsigned char>(row[j]) + digitA * digitB + carry;
            carry = Split.Tens[sum];
            row[j] = static_cast<char>(Split.Units[sum]);
        };
        if (shapeA.OnlyDigits) {
            // The usual operand: character k is digit k.
            for (std::size_t j = shapeA.Digits; j-- > 0;) {
                const unsigned digitA = static_cast<unsigned char>(digitsA[j]) - unsigned{'0'};
                if ((digitA | carry) != 0) {
                    step(j, digitA);
                }
            }
        } else {
            std::size_t j = shapeA.Digits;
            for (std::size_t ra = a.size(); ra-- > 0;) {
                const unsigned digitA = static_cast<unsigned char>(digitsA[ra]) - unsigned{'0'};
                if (digitA > 9) {
                    continue;
                }
                --j;
                if ((digitA | carry) != 0) {
                    step(j, digitA);
                }
            }
        }
        product[i] = static_cast<char>(carry);
    }
    for (char& digit : buffer) {
        digit = static_cast<char>(digit + '0');
    }

    // The product digits sit at buffer[1, n + 1); those before intEnd are whole.
    const std::size_t intEnd = 1 + shapeA.BeforePoint + shapeB.BeforePoint;
    std::size_t end = n + 1;
    while (end > intEnd && buffer[end - 1] == '0') {
        --end; // trailing zeros of the fraction
    }
    if (end > intEnd) {
        std::memmove(buffer.data() + intEnd + 1, buffer.data() + intEnd, end - intEnd);
        buffer[intEnd] = '.';
        ++end;
    }
    // Leading zeros go, keeping one digit before the point (the spare one if need be).
    std::size_t start = 1;
    while (start < intEnd && buffer[start] == '0') {
        ++start;
    }
    if (start == intEnd) {
        --start;
    }
    buffer.resize(end);
    buffer.erase(0, start);
    return buffer;
}
