#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

// The prime factorisation of a positive number below 2^31, primes ascending. Listing the
// divisors from the factorisation costs a few steps per divisor, where trial division up to
// the number would cost up to n steps for a prime.
class PrimeFactors {
public:
    // The factorisation of n; empty for n < 2.
    static PrimeFactors Of(int32_t n);
    // The factorisation of the product, which must stay below 2^31; merging two factorisations
    // is far cheaper than factoring a large product by trial division.
    PrimeFactors Times(const PrimeFactors& other) const;

    PrimeFactors() = default;
    // Only the powers in use are copied: the others are never set, since clearing all nine
    // took a quarter of the time of factoring a number of the table.
    PrimeFactors(const PrimeFactors& other) { *this = other; }
    PrimeFactors& operator=(const PrimeFactors& other);

    // The divisors d with 1 < d < the number, ascending, joined by ",".
    std::string DivisorText() const;
    // The first of those divisors, as many as fit `divisors`; returns how many it wrote.
    std::size_t LeadingDivisors(std::span<int64_t> divisors) const;
    // Numbers whose order, compared number by number (a list that is the start of another
    // first), is that of the divisor lists: twice each prime power below the number that
    // divides it, ascending, then twice the largest divisor below the number plus one. As many
    // as fit `numbers`; returns how many it wrote (at most MaxListOrder).
    static constexpr std::size_t MaxListOrder = 31;
    std::size_t WriteListOrder(std::span<int64_t> numbers) const;

private:
    struct Power {
        uint32_t Prime;
        uint32_t Exponent;
    };
    // 2 * 3 * 5 * ... * 29 exceeds 2^31, so a number below it has at most nine distinct primes.
    static constexpr std::size_t MaxPrimes = 9;

    void Append(uint32_t prime, uint32_t exponent);
    // Calls visit(d) for those divisors in ascending order while it returns true, which it
    // does at most `wanted` times.
    template <typename Visit>
    void VisitDivisors(Visit visit, std::size_t wanted = 1600) const;

    std::array<Power, MaxPrimes> Powers; // the first Count are in use
    std::size_t Count = 0;
    uint32_t Number = 1; // the number factored
};
