// A divisor list read once and applied to a whole range of multiples by sieving.
#include "core/DivisorFilter.h"

#include "util/TextParse.h"

#include <algorithm>
#include <numeric>
#include <string>

DivisorFilter::DivisorFilter(std::string_view list, char separator) {
    // Cut by position: cutting the front off a copy of the rest for each entry would cost the
    // square of a long list.
    std::size_t start = 0;
    while (start < list.size()) {
        const std::size_t end = std::min(list.find(separator, start), list.size());
        const int32_t value = TextToInt(std::string(list.substr(start, end - start)));
        if (value >= 1) { // entries below 1 are no divisors
            Divisors.push_back(value);
        }
        start = end + 1;
    }
    std::sort(Divisors.begin(), Divisors.end());
    Divisors.erase(std::unique(Divisors.begin(), Divisors.end()), Divisors.end());
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

std::vector<bool> DivisorFilter::Multiples(int32_t count, int32_t step) const {
    const auto size = static_cast<std::size_t>(std::max(count, 0)) + 1;
    std::vector<bool> hit(size, false);
    std::vector<bool> sieved(size, false);
    for (const int32_t d : Divisors) {
        // d divides k * step exactly when d / gcd(d, step) divides k.
        const int32_t every = d / std::gcd(d, step);
        if (every > count || sieved[static_cast<std::size_t>(every)]) {
            continue;
        }
        sieved[static_cast<std::size_t>(every)] = true;
        for (auto k = static_cast<std::size_t>(0); k < size; k += static_cast<std::size_t>(every)) {
            hit[k] = true;
        }
    }
    return hit;
}
