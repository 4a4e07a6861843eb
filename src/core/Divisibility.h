#pragma once

#include <cstdint>
#include <span>
#include <string>

// Whether n passes a typed list of divisors such as "3,4": 1 when a positive entry divides n,
// 0 when the list has positive entries and none divides n, -1 when it has none at all (empty,
// blanks, zeros, negatives, unreadable entries), which the callers treat as "no filter".
// Entries are read leniently: " 4" is 4, "2.9" is 2, "3 4" is 34.
int DividableByAny(int32_t n, const std::string& list, char separator);

// The divisors d of n with 1 < d < n, ascending, joined by "," ("2,3,4,6" for 12); empty for
// primes and for n below 4.
std::string DivisorList(int32_t n);
// The first numbers of DivisorList(n), as many as fit `divisors`; returns how many it wrote.
std::size_t LeadingDivisors(int32_t n, std::span<int64_t> divisors);
