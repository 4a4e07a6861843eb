#pragma once

#include "util/NumberFormat.h"
#include "util/TextParse.h"

#include <cstdint>
#include <string>

// The divisor list by trial division as first written: up to n - 2 steps for a prime. The
// benchmarks run it beside the library's version to measure the ratio in one run.
inline std::string LiteralDivisorList(int32_t n) {
    std::string small;
    std::string large;
    int32_t limit = n - 1;
    for (int32_t d = 2; limit > d; ++d) {
        if (n % d == 0) {
            small += ',' + IntToText(d);
            const int32_t q = n / d;
            limit = q;
            if (q != d) {
                large = IntToText(q) + ',' + large;
            }
        }
    }
    return TrimSeparators(small + ',' + large, ',');
}
