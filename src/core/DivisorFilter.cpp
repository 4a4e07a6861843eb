#include "core/DivisorFilter.h"

#include "util/TextParse.h"

#include <algorithm>

DivisorFilter::DivisorFilter(const std::string& list, char separator) {
    std::string rest = list;
    while (!rest.empty()) {
        const int32_t value = TextToInt(CutToken(rest, separator));
        // Entries below 1 are no divisors; a repeated one would only be tested twice.
        if (value >= 1 && std::find(Divisors.begin(), Divisors.end(), value) == Divisors.end()) {
            Divisors.push_back(value);
        }
    }
}

int DivisorFilter::Test(int32_t n) const {
    if (Divisors.empty()) {
        return -1;
    }
    for (const int32_t d : Divisors) {
        if (n % d == 0) {
            return 1;
        }
    }
    return 0;
}
