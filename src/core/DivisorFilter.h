#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A typed divisor list read once, so that testing many numbers against it does not parse
// the text again for each one.
class DivisorFilter {
public:
    DivisorFilter(const std::string& list, char separator);

    // 1 when an entry divides n, 0 when none does, -1 when the list has no positive entry.
    int Test(int32_t n) const;

private:
    std::vector<int32_t> Divisors;
};
