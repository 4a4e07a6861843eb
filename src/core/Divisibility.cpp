// Typed divisor lists tested against a number, and the divisors of a number listed.
#include "core/Divisibility.h"

#include "core/DivisorFilter.h"
#include "core/PrimeFactors.h"

int DividableByAny(int32_t n, const std::string& list, char separator) {
    return DivisorFilter(list, separator).Test(n);
}

std::string DivisorList(int32_t n) {
    return PrimeFactors::Of(n).DivisorText();
}

std::size_t LeadingDivisors(int32_t n, std::span<int64_t> divisors) {
    return PrimeFactors::Of(n).LeadingDivisors(divisors);
}
