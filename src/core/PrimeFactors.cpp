#include "core/PrimeFactors.h"

#include <algorithm>
#include <charconv>
#include <vector>

namespace {

// Smallest prime factor of every number up to 65536, and the primes up to 46341 (the square
// root of 2^31), built once on first use.
constexpr uint32_t TableLimit = 65536;
constexpr uint32_t TrialLimit = 46341;

struct FactorTables {
    std::vector<uint16_t> SmallestFactor; // 0 for 0 and 1; a prime's own value fits up to 65521
    std::vector<uint32_t> Primes;

    FactorTables() : SmallestFactor(TableLimit + 1, 0) {
        for (uint32_t i = 2; i <= TableLimit; ++i) {
            if (SmallestFactor[i] != 0) {
                continue;
            }
            if (i <= TrialLimit) {
                Primes.push_back(i);
            }
            // 65536 itself is 2^16 and does not fit uint16_t, but it is marked by 2 first.
            for (uint32_t m = i; m <= TableLimit; m += i) {
                if (SmallestFactor[m] == 0) {
                    SmallestFactor[m] = static_cast<uint16_t>(i);
                }
            }
        }
    }
};

const FactorTables& Tables() {
    static const FactorTables tables;
    return tables;
}

} // namespace

void PrimeFactors::Append(uint32_t prime, uint32_t exponent) {
    if (Count > 0 && Powers[Count - 1].Prime == prime) {
        Powers[Count - 1].Exponent += exponent;
        return;
    }
    Powers[Count++] = {prime, exponent};
}

PrimeFactors PrimeFactors::Of(int32_t n) {
    PrimeFactors factors;
    if (n < 2) {
        return factors;
    }
    factors.Number = static_cast<uint32_t>(n);
    const FactorTables& tables = Tables();
    auto rest = static_cast<uint32_t>(n);
    // Trial division only while the rest is beyond the table; it stops at the square root.
    for (const uint32_t p : tables.Primes) {
        if (rest <= TableLimit || p * p > rest) {
            break;
        }
        uint32_t exponent = 0;
        while (rest % p == 0) {
            rest /= p;
            ++exponent;
        }
        if (exponent > 0) {
            factors.Append(p, exponent);
        }
    }
    if (rest > TableLimit) {
        // No prime up to its square root divides it.
        factors.Append(rest, 1);
        return factors;
    }
    while (rest > 1) {
        const uint32_t p = tables.SmallestFactor[rest];
        rest /= p;
        factors.Append(p, 1);
    }
    return factors;
}

template <typename Visit>
void PrimeFactors::VisitDivisors(Visit visit) const {
    // Only the divisors up to the square root are made and sorted; each names its co-divisor
    // above the root, and those come out ascending when the small ones are walked backwards.
    // A number below 2^31 has at most 1600 divisors, so at most 800 small ones.
    std::array<uint32_t, 800> small;
    std::size_t size = 1;
    small[0] = 1;
    for (std::size_t i = 0; i < Count; ++i) {
        const std::size_t before = size;
        uint64_t power = 1;
        for (uint32_t e = 0; e < Powers[i].Exponent; ++e) {
            power *= Powers[i].Prime;
            for (std::size_t k = 0; k < before; ++k) {
                const uint64_t d = small[k] * power;
                if (d * d <= Number && size < small.size()) {
                    small[size++] = static_cast<uint32_t>(d);
                }
            }
        }
    }
    const auto end = small.begin() + static_cast<std::ptrdiff_t>(size);
    if (size <= 16) {
        // Insertion sort: the usual handful of divisors.
        for (auto it = small.begin() + 1; it < end; ++it) {
            std::rotate(std::upper_bound(small.begin(), it, *it), it, it + 1);
        }
    } else {
        std::sort(small.begin(), end);
    }
    // 1 and the number itself are left out.
    for (std::size_t k = 1; k < size; ++k) {
        if (!visit(small[k])) {
            return;
        }
    }
    for (std::size_t k = size; k-- > 1;) {
        const uint32_t q = Number / small[k];
        if (q != small[k] && !visit(q)) {
            return;
        }
    }
}

std::string PrimeFactors::DivisorText() const {
    // Up to ten digits and a comma per divisor.
    std::array<char, 1600 * 11> buffer;
    char* out = buffer.data();
    char* const last = buffer.data() + buffer.size();
    VisitDivisors([&](uint32_t d) {
        if (out != buffer.data()) {
            *out++ = ',';
        }
        out = std::to_chars(out, last, d).ptr;
        return true;
    });
    return std::string(buffer.data(), out);
}

std::size_t PrimeFactors::LeadingDivisors(std::span<int64_t> divisors) const {
    std::size_t count = 0;
    if (!divisors.empty()) {
        VisitDivisors([&](uint32_t d) {
            divisors[count++] = d;
            return count < divisors.size();
        });
    }
    return count;
}
