// The keys a sort compares: numbers read from texts and packed leading parts.
#include "superarray/SortKeys.h"

#include "util/TextParse.h"

#include <algorithm>
#include <bit>
#include <string>

namespace {

// One number of a text: its digits without leading zeros before the point and without
// trailing zeros after it, so that equal values have equal digits.
struct Number {
    bool Negative = false;
    std::string_view Whole;
    std::string_view Fraction;
};

// The next number at or after `pos`; false when the text holds no more.
bool NextNumber(std::string_view text, std::size_t& pos, Number& number) {
    std::size_t start = pos;
    while (start < text.size() && !IsDigit(text[start])) {
        ++start;
    }
    if (start == text.size()) {
        pos = start;
        return false;
    }
    // A minus between two numbers ("5-3") joins them; right before a number it is a sign.
    const bool minus =
        start > 0 && text[start - 1] == '-' && (start < 2 || !IsDigit(text[start - 2]));
    std::size_t end = start;
    while (end < text.size() && IsDigit(text[end])) {
        ++end;
    }
    number.Whole = text.substr(start, end - start);
    number.Fraction = {};
    if (end + 1 < text.size() && text[end] == '.' && IsDigit(text[end + 1])) {
        const std::size_t point = end;
        end += 1;
        while (end < text.size() && IsDigit(text[end])) {
            ++end;
        }
        number.Fraction = text.substr(point + 1, end - point - 1);
    }
    pos = end;
    while (!number.Whole.empty() && number.Whole.front() == '0') {
        number.Whole.remove_prefix(1);
    }
    while (!number.Fraction.empty() && number.Fraction.back() == '0') {
        number.Fraction.remove_suffix(1);
    }
    number.Negative = minus && !(number.Whole.empty() && number.Fraction.empty());
    return true;
}

int CompareMagnitude(const Number& a, const Number& b) {
    if (a.Whole.size() != b.Whole.size()) {
        return a.Whole.size() < b.Whole.size() ? -1 : 1;
    }
    if (const int order = a.Whole.compare(b.Whole); order != 0) {
        return order;
    }
    return a.Fraction.compare(b.Fraction);
}

int CompareNumber(const Number& a, const Number& b) {
    if (a.Negative != b.Negative) {
        return a.Negative ? -1 : 1;
    }
    const int order = CompareMagnitude(a, b);
    return a.Negative ? -order : order;
}

// Packs leading numbers into 128 bits, from the high end, cut after 128 bits, in one of two
// codes that order like CompareNumeric wherever keys differ, a list after its own start (whose
// rest stays 0). Texts: each number as its count of digits plus one (4 bits) and then its
// digits (4 bits each), whole numbers of at most 14 digits only. Numbers themselves: each n as
// the bit width of n + 1 (6 bits) and then the bits of n + 1 below its highest, so that the
// small numbers that lists such as divisor lists start with take few bits each.
class NumberPacker {
public:
    bool Full() const { return Bits == 0; }
    // A number by its digits without leading zeros; false when there are too many.
    bool Put(std::string_view digits) {
        if (digits.size() > MaxDigits) {
            return false;
        }
        uint64_t nibbles = digits.size() + 1;
        for (const char digit : digits) {
            nibbles = nibbles << 4 | static_cast<uint64_t>(digit - '0');
        }
        PutBits(nibbles, 4 * static_cast<int>(digits.size() + 1));
        return true;
    }
    // A number itself; false beyond what the 6 bits of its width can tell.
    bool Put(uint64_t number) {
        const uint64_t code = number + 1;
        const int width = std::bit_width(code);
        if (width > 63) {
            return false;
        }
        PutBits(static_cast<uint64_t>(width), 6);
        PutBits(code & ~(uint64_t{1} << (width - 1)), width - 1);
        return true;
    }
    Prefix Key;
    bool Cut = false; // a number did not fit

private:
    static constexpr std::size_t MaxDigits = 14;

    // The low `width` bits of `bits` after those put before; what does not fit is cut.
    void PutBits(uint64_t bits, int width) {
        if (width > Bits) {
            Cut = true;
            if (Bits == 0) {
                return;
            }
            bits >>= width - Bits;
            width = Bits;
        }
        if (width == 0) {
            return;
        }
        Bits -= width;
        if (Bits >= 64) {
            Key.High |= bits << (Bits - 64);
        } else {
            Key.Low |= bits << Bits;
            if (Bits + width > 64) {
                Key.High |= bits >> (64 - Bits);
            }
        }
    }
    int Bits = 128; // bits of the key still free, from the low end
};

} // namespace

int CompareNumeric(std::string_view a, std::string_view b) {
    std::size_t posA = 0;
    std::size_t posB = 0;
    Number numberA;
    Number numberB;
    while (true) {
        const bool hasA = NextNumber(a, posA, numberA);
        const bool hasB = NextNumber(b, posB, numberB);
        if (!hasA || !hasB) {
            if (hasA != hasB) {
                return hasA ? 1 : -1;
            }
            break;
        }
        if (const int order = CompareNumber(numberA, numberB); order != 0) {
            return order;
        }
    }
    return a.compare(b);
}

uint64_t NumericPrefix(std::string_view text) {
    std::size_t pos = 0;
    Number number;
    if (!NextNumber(text, pos, number)) {
        return 0;
    }
    constexpr std::size_t MaxWholeDigits = 255;
    constexpr std::size_t PackedDigits = 13;
    uint64_t magnitude = uint64_t{std::min(number.Whole.size(), MaxWholeDigits)} << 55;
    // Beyond 255 whole digits the count no longer orders them: leave the rest to the texts.
    if (number.Whole.size() < MaxWholeDigits) {
        std::size_t i = 0;
        for (const std::string_view digits : {number.Whole, number.Fraction}) {
            for (std::size_t d = 0; d < digits.size() && i < PackedDigits; ++d, ++i) {
                magnitude |= uint64_t(digits[d] - '0') << (51 - 4 * i);
            }
        }
    }
    constexpr uint64_t SignBit = uint64_t{1} << 63;
    // The low three bits stay clear in a magnitude, so a negative number never reaches 0.
    return number.Negative ? ~magnitude & (SignBit - 1) : SignBit | magnitude;
}

bool PackedNumbers(std::string_view text, Prefix& key) {
    NumberPacker packer;
    std::size_t pos = 0;
    Number number;
    while (!packer.Full() && NextNumber(text, pos, number)) {
        if (number.Negative || !number.Fraction.empty() || !packer.Put(number.Whole)) {
            return false;
        }
    }
    key = packer.Key;
    return true;
}

bool PackedNumbers(std::span<const int64_t> numbers, Prefix& key, bool& whole) {
    NumberPacker packer;
    std::size_t i = 0;
    for (; i < numbers.size() && !packer.Full(); ++i) {
        if (numbers[i] < 0 || !packer.Put(static_cast<uint64_t>(numbers[i]))) {
            return false;
        }
    }
    key = packer.Key;
    whole = i == numbers.size() && !packer.Cut;
    return true;
}

int CompareNumbers(std::span<const int64_t> a, std::span<const int64_t> b) {
    const auto order =
        std::lexicographical_compare_three_way(a.begin(), a.end(), b.begin(), b.end());
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}

uint64_t TextPrefix(std::string_view text) {
    uint64_t prefix = 0;
    for (std::size_t i = 0; i < std::min<std::size_t>(text.size(), 8); ++i) {
        prefix |= uint64_t{static_cast<unsigned char>(text[i])} << (56 - 8 * i);
    }
    return prefix;
}
