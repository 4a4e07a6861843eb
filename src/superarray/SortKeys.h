#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

// The keys a sort of the string table compares, free of the table: numbers read from texts,
// and the leading parts of keys packed into integers so that most rows are ordered without
// reading their texts again.

// A sort key's leading part as 128 bits, compared high word first.
struct Prefix {
    uint64_t High = 0;
    uint64_t Low = 0;
    auto operator<=>(const Prefix&) const = default;
};

// Two texts by the numbers in them (signs and decimals read, leading zeros ignored), number
// by number; a text that runs out of numbers first is less; texts equal in every number
// compare by character code.
int CompareNumeric(std::string_view a, std::string_view b);
// The first number of a text as 64 bits that order like the numbers wherever they differ:
// the sign, the count of whole digits and the first 13 digits. Equal leading parts tie, and
// a text without a number is below all others.
uint64_t NumericPrefix(std::string_view text);
// The leading whole numbers of a text packed into 128 bits that order like CompareNumeric
// wherever they differ; false when a number that reaches the key has a sign, a fraction or
// more than 14 digits.
bool PackedNumbers(std::string_view text, Prefix& key);
// At most this many numbers reach a key packed from numbers: each takes 6 of its 128 bits or
// more.
inline constexpr std::size_t MaxPackedNumbers = 22;
// A key packed from whole numbers themselves (not from texts: the two keys do not compare),
// in a denser code; false for a negative number. `whole` tells whether it holds all of them.
bool PackedNumbers(std::span<const int64_t> numbers, Prefix& key, bool& whole);
// Lists of numbers compared number by number: -1, 0 or 1.
int CompareNumbers(std::span<const int64_t> a, std::span<const int64_t> b);
// The first 8 bytes of a text as 64 bits, ordering like the bytes.
uint64_t TextPrefix(std::string_view text);
