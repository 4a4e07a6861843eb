#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

// A typed divisor list read once, so that testing many numbers against it does not parse
// the text again for each one.
class DivisorFilter {
public:
    DivisorFilter(std::string_view list, char separator);

    // 1 when an entry divides n, 0 when none does, -1 when the list has no positive entry.
    int Test(int32_t n) const;

    // Whether the list has a positive entry at all; without one it filters nothing.
    bool Active() const { return !Divisors.empty(); }

    // For each k of 0..count, whether an entry divides k * step (step > 0). Costs about
    // count * ln(count) steps however long the list is: entries that meet the same multiples
    // of step count once, and entries no k * step reaches cost nothing.
    std::vector<bool> Multiples(int32_t count, int32_t step) const;

private:
    std::vector<int32_t> Divisors; // ascending, each once
};
